// The local keyboard hook and SelectCombination.
#include "app/local_capture.h"

#include <exception>

#include "app/combination_choice.h"
#include "app/error_scope.h"
#include "app/form_main.h"
#include "app/form_navigation.h"
#include "app/form_warning.h"
#include "app/globals.h"
#include "app/messages.h"
#include "data/combination.h"
#include "data/settings.h"
#include "data/sys_data.h"
#include "ui/application.h"

namespace talo {
namespace {

constexpr LPARAM kKeyUpFlag = LPARAM(0x80000000);

bool KeyIsDown(int virtual_key) { return (GetKeyState(virtual_key) & 0x8000) != 0; }

// The combination of a key going down in the main window, or false when the key is none of ours.
bool CapturedCombination(int code, WPARAM wparam, LPARAM lparam, int& combination) {
  if (code != HC_ACTION || (lparam & kKeyUpFlag)) return false;
  if (!FormMain || FindActiveForm() != FormMain) return false;
  if (KeyIsDown(VK_LWIN) || KeyIsDown(VK_RWIN) || KeyIsDown(VK_APPS)) return false;
  combination = int(wparam);
  if (KeyIsDown(VK_SHIFT)) combination += kShiftBit;
  if (KeyIsDown(VK_CONTROL)) combination += kCtrlBit;
  if (KeyIsDown(VK_MENU)) combination += kAltBit;
  return true;
}

}  // namespace

LRESULT CALLBACK LocalKeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
  // No exception may leave a hook procedure: Windows calls it from inside message retrieval. A
  // failure while a captured key was being dealt with is shown, and the key is swallowed as it
  // was meant for the selection.
  try {
    int combination = 0;
    if (CapturedCombination(code, wparam, lparam, combination) &&
        SelectCombination(FormMain, combination))
      return 1;
  } catch (const ErrorText& error) {
    ShowErrorText(nullptr, error.Text(), kApplicationTitle, MB_ICONERROR);
    return 1;
  } catch (const std::exception& error) {
    if (ui::Application) ui::Application->ShowException(error);
    return 1;
  } catch (...) {
    ShowErrorText(nullptr, msg::kUnrecognized, kApplicationTitle, MB_ICONERROR);
    return 1;
  }
  return LocalHook ? CallNextHookEx(LocalHook, code, wparam, lparam) : 0;
}

int SelectCombination(ui::TForm* form, int code) {
  // A right button press at (-1, -1) ends a popup menu that is open over the window, so the
  // editor or the warning does not open beneath it.
  if (form && form->Handle()) PostMessageA(form->Handle(), WM_RBUTTONDOWN, 0, LPARAM(-1));

  unsigned char status = 0;
  const bool status_known = TaloSysData && SystemStatus(*TaloSysData, code, status);
  // Without settings the warnings keep their default: on.
  const bool show_warnings = !TaloSettings || TaloSettings->ShowWarnings();

  switch (ChooseForCombination(code, status_known, status, show_warnings)) {
    case CombinationChoice::kWarnThenEdit:
      if (ShowCombinationWarning(FormWarning, code) != ui::mrOK) return 1;
      [[fallthrough]];
    case CombinationChoice::kEdit:
      EditAssignment(code, form);
      return 1;
    case CombinationChoice::kPassThrough:
      return 0;
    case CombinationChoice::kSwallowSilently:
      return 1;
    case CombinationChoice::kBeep:
      break;
  }
  MessageBeep(MB_ICONASTERISK);
  return 1;
}

}  // namespace talo
