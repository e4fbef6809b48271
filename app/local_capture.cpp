// The local keyboard hook and SelectCombination.
#include "app/local_capture.h"

#include <exception>

#include "app/combination_choice.h"
#include "app/form_main.h"
#include "app/form_navigation.h"
#include "app/form_warning.h"
#include "app/globals.h"
#include "data/combination.h"
#include "data/settings.h"
#include "data/sys_data.h"
#include "forms/error_scope.h"
#include "forms/messages.h"
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

CombinationChoice ChoiceFor(int code) {
  unsigned char status = 0;
  const bool status_known = TaloSysData && SystemStatus(*TaloSysData, code, status);
  // Without settings the warnings keep their default: on.
  const bool show_warnings = !TaloSettings || TaloSettings->ShowWarnings();
  return ChooseForCombination(code, status_known, status, show_warnings);
}

// A right button press at (-1, -1) ends a popup menu that is open over the window, so the
// editor or the warning does not open beneath it.
void EndPopupMenu(ui::TForm* form) {
  if (form && form->Handle()) PostMessageA(form->Handle(), WM_RBUTTONDOWN, 0, LPARAM(-1));
}

// The hook runs while its key is the message being retrieved: a modal form opened here would
// retrieve that key again and hand it to itself (the Space of Ctrl + Alt + Space ticked the
// editor's Enabled box, the F1 of Ctrl + Alt + F1 opened help when the modifiers were already
// up). What opens a form is posted to the main window and done once the key is gone.
int TakeCombination(int code) {
  const CombinationChoice choice = ChoiceFor(code);
  if (choice != CombinationChoice::kEdit && choice != CombinationChoice::kWarnThenEdit)
    return SelectCombination(FormMain, code);
  EndPopupMenu(FormMain);
  PostMessageA(FormMain->Handle(), WM_SELECTCOMBINATION, WPARAM(code), 0);
  return 1;
}

// A failure while a captured key was being dealt with is shown, and the key counts as dealt
// with: it was meant for the selection.
template <typename Select>
int Reported(Select select) {
  try {
    return select();
  } catch (const ErrorText& error) {
    ShowErrorText(MessageOwner(), error.Text(), kApplicationTitle, MB_ICONERROR);
  } catch (const std::exception& error) {
    if (ui::Application) ui::Application->ShowException(error);
  } catch (...) {
    ShowErrorText(MessageOwner(), msg::kUnrecognized, kApplicationTitle, MB_ICONERROR);
  }
  return 1;
}

}  // namespace

// No exception may leave a hook procedure: Windows calls it from inside message retrieval.
LRESULT CALLBACK LocalKeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
  int combination = 0;
  if (CapturedCombination(code, wparam, lparam, combination) &&
      Reported([=] { return TakeCombination(combination); }))
    return 1;
  return LocalHook ? CallNextHookEx(LocalHook, code, wparam, lparam) : 0;
}

void SelectPostedCombination(int code) {
  // A key repeated before the first one's editor opened finds that editor active: ignored.
  if (FormMain && FindActiveForm() == FormMain)
    Reported([=] { return SelectCombination(FormMain, code); });
}

int SelectCombination(ui::TForm* form, int code) {
  EndPopupMenu(form);
  switch (ChoiceFor(code)) {
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
