// The decision behind SelectCombination.
#include "app/combination_choice.h"

#include "data/combination.h"

namespace talo {
namespace {

// Tab, Enter and Space alone or with Shift, and Alt + F4 with or without Shift, keep their usual
// meaning in the main window when they cannot be assigned.
constexpr int kPassThroughCodes[] = {9, 13, 32, 265, 269, 288, 1139, 1395};

bool IsPassThrough(int code) {
  for (int pass : kPassThroughCodes)
    if (code == pass) return true;
  return false;
}

bool IsModifierKey(int code) {
  const int key = code & 0xFF;
  return key == 16 || key == 17 || key == 18;  // VK_SHIFT, VK_CONTROL, VK_MENU
}

}  // namespace

CombinationChoice ChooseForCombination(int code, bool status_known, unsigned char status,
                                       bool show_warnings) {
  if (status_known && IsAvailableStatus(status)) {
    if (IsCommonlyUsedStatus(status) && show_warnings) return CombinationChoice::kWarnThenEdit;
    return CombinationChoice::kEdit;
  }
  if (IsPassThrough(code)) return CombinationChoice::kPassThrough;
  if (IsModifierKey(code)) return CombinationChoice::kSwallowSilently;
  return CombinationChoice::kBeep;
}

}  // namespace talo
