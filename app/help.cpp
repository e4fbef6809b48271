// Help through WinHelpA with the help file of the install folder.
#include "app/help.h"

#include <windows.h>

#include "app/form_main.h"
#include "app/globals.h"

namespace talo {

void ShowHelp(unsigned context) {
  if (!TaloSettings || !FormMain) return;
  // The help viewer may run already from an earlier request: it comes to the front only when
  // this process, which the user works in, allows it.
  AllowSetForegroundWindow(ASFW_ANY);
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
