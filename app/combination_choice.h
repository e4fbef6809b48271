// What a combination chosen on the keyboard picture (pressed or picked from the popup) leads to.
#pragma once

namespace talo {

enum class CombinationChoice {
  kEdit,             // open the assignment editor for it
  kWarnThenEdit,     // commonly used: warn first, open the editor on Continue
  kPassThrough,      // a navigation key that is not available goes on to the window
  kSwallowSilently,  // a modifier key on its own
  kBeep,             // not available
};

// Decides for `code` with the system status byte `status` (`status_known` false when the system
// data could not be read: the combination counts as not available).
CombinationChoice ChooseForCombination(int code, bool status_known, unsigned char status,
                                       bool show_warnings);

}  // namespace talo
