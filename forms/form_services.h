// What the forms ask of the application around them: the application connects each service when
// it creates the forms. A service that is not connected (a form shown alone, as tests do) does
// nothing and answers "not done".
#pragma once

#include <functional>

namespace talo {

namespace ui {
class TForm;
}

struct TFormServices {
  // The help contents (topic 0) or a topic; the about box.
  std::function<void(unsigned topic)> show_help = [](unsigned) {};
  std::function<void()> show_about = [] {};
  // The editor for combination `code`, opened over `caller`.
  std::function<void(int code, ui::TForm* caller)> edit_assignment = [](int, ui::TForm*) {};
  // The rename dialog for the working shortcut of `kind`; its modal result.
  std::function<int(int kind)> rename_shortcut = [](int) { return 0; };
  // The dialog that picks the base folder of the user data.
  std::function<void()> select_user_folder = [] {};
  // Saves the user view's changes, telling the user of a failure; false then.
  std::function<bool()> commit_user_data = [] { return false; };
  // Switches every assignment on or off (setting, hook and tray icon); false when a step failed.
  std::function<bool(bool on)> set_enabled_state = [](bool) { return false; };
  // Move the user data to the shared "Default" folder or the user's own, or to another base
  // folder; each raises the error to tell, after putting everything back.
  std::function<void(bool use_default_user)> change_use_default_user = [](bool) {};
  std::function<void(const char* base_folder)> change_user_base_dir = [](const char*) {};
};

// The services of this run's forms.
extern TFormServices FormServices;

}  // namespace talo
