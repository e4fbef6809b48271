// THelpMenu: its items and their handlers.
#include "forms/help_menu.h"

#include "app/form_navigation.h"
#include "app/help.h"
#include "ui/form.h"

namespace talo {

void THelpMenu::Attach(ui::TForm& form, int topic) {
  topic_ = topic;
  menMnHlpContents.Caption("&Contents and Index").OnClick([this] { menMnHlpContentsClick(); });
  menMnHlpTopical.Caption("&Topical").ShortCut(VK_F1, "F1").OnClick([this] {
    menMnHlpTopicalClick();
  });
  menMnHlpN1.Caption("-");
  menMnHlpAbout.Caption("&About...").OnClick([] { ShowAboutForm(); });
  menMnHelp.Caption("&Help")
      .Add(menMnHlpContents)
      .Add(menMnHlpTopical)
      .Add(menMnHlpN1)
      .Add(menMnHlpAbout);
  menuMain.Add(menMnHelp);
  menuMain.Attach(form);
}

void THelpMenu::menMnHlpContentsClick() { ShowHelp(kHelpContents); }

void THelpMenu::menMnHlpTopicalClick() { ShowHelp(topic_); }

}  // namespace talo
