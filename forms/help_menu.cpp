// THelpMenu: its items and their handlers.
#include "forms/help_menu.h"

#include "forms/form_services.h"
#include "forms/help_topics.h"
#include "ui/form.h"

namespace talo {

void THelpMenu::Attach(ui::TForm& form, int topic) {
  topic_ = topic;
  menMnHlpContents.Caption("&Contents and Index").OnClick([this] { menMnHlpContentsClick(); });
  menMnHlpTopical.Caption("&Topical")
      .ShortCut({VK_F1, ui::kNoShift, ui::kShift}, "F1")
      .OnClick([this] { menMnHlpTopicalClick(); });
  menMnHlpN1.Caption("-");
  menMnHlpAbout.Caption("&About...").OnClick([] { FormServices.show_about(); });
  menMnHelp.Caption("&Help")
      .Add(menMnHlpContents)
      .Add(menMnHlpTopical)
      .Add(menMnHlpN1)
      .Add(menMnHlpAbout);
  menuMain.Add(menMnHelp);
  menuMain.Attach(form);
}

void THelpMenu::menMnHlpContentsClick() { FormServices.show_help(kHelpContents); }

void THelpMenu::menMnHlpTopicalClick() { FormServices.show_help(topic_); }

}  // namespace talo
