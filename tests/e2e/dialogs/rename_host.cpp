// rename_host.exe LOG_FILE: the rename dialog for a working shell link, as the editor shows it,
// for a test that types into it with real keys. Runs inside the installation that the test fixture
// prepared (the registry names its user data folder); writes "result=" and the link's "name=" into
// LOG_FILE when the dialog has closed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "content/shortcut_file.h"
#include "data/settings.h"
#include "forms/form_rename.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  talo::TTaloRegistry settings;
  talo::TaloSettings = &settings;
  const std::string target = std::string(settings.UserDir()) + "rename target.txt";
  FILE* file = std::fopen(target.c_str(), "w");
  if (file) std::fclose(file);
  if (talo::CreateWorkingShortcut(target.c_str()) != talo::kShellLink) return 1;

  talo::ui::TApplication application;
  application.SetTitle("Tallowick");
  application.Initialize();
  int result = 0;
  {
    talo::TFormRename form;
    result = form.EditName(talo::kShellLink);
  }
  std::string name;
  talo::GetShortcutDescription(name, talo::kShellLink);
  FILE* log = std::fopen(argv[1], "w");
  if (!log) return 1;
  std::fprintf(log, "result=%d\nname=%s\n", result, name.c_str());
  std::fclose(log);
  talo::TaloSettings = nullptr;
  return 0;
}
