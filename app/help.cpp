// Help through WinHelpA with the help file of the install folder.
#include "app/help.h"

#include <windows.h>

#include "app/form_main.h"
#include "app/globals.h"

namespace talo {

void ShowHelp(unsigned context) {
  if (!TaloSettings || !FormMain) return;
  if (context == kHelpContents)
    WinHelpA(FormMain->Handle(), TaloSettings->HelpFile(), HELP_FINDER, 0);
  else
    WinHelpA(FormMain->Handle(), TaloSettings->HelpFile(), HELP_CONTEXT, context);
}

void CloseHelp() {
  if (!TaloSettings || !FormMain) return;
  WinHelpA(FormMain->Handle(), TaloSettings->HelpFile(), HELP_QUIT, 0);
}

}  // namespace talo
