// What pressing or picking a combination on the keyboard picture leads to.
#include <gtest/gtest.h>

#include "app/combination_choice.h"

namespace talo {
namespace {

using Choice = CombinationChoice;

TEST(CombinationChoice, AvailableCombinationsOpenTheEditorWithAWarningWhenCommon) {
  const struct {
    unsigned char status;
    bool show_warnings;
    Choice choice;
  } cases[] = {
      {0x20, true, Choice::kEdit},          {0x13, true, Choice::kEdit},
      {0x21, false, Choice::kEdit},         {0x02, true, Choice::kWarnThenEdit},
      {0x12, true, Choice::kWarnThenEdit},  {0x02, false, Choice::kEdit},
      {0x12, false, Choice::kEdit},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseForCombination(0x674, true, c.status, c.show_warnings), c.choice)
        << int(c.status) << " warnings " << c.show_warnings;
}

TEST(CombinationChoice, UnavailableNavigationKeysGoOnAndAvailableOnesAreCaptured) {
  for (int code : {9, 13, 32, 0x109, 0x10D, 0x120, 0x473, 0x573}) {
    EXPECT_EQ(ChooseForCombination(code, true, 0x00, true), Choice::kPassThrough) << code;
    EXPECT_EQ(ChooseForCombination(code, true, 0x20, true), Choice::kEdit) << code;
  }
  // Ctrl + Tab is not one of them.
  EXPECT_EQ(ChooseForCombination(0x209, true, 0x00, true), Choice::kBeep);
}

TEST(CombinationChoice, ModifierKeysAreSilentAndOtherUnavailableKeysBeep) {
  for (int code : {16, 17, 18, 0x110, 0x211, 0x712})
    EXPECT_EQ(ChooseForCombination(code, true, 0x11, true), Choice::kSwallowSilently) << code;
  for (unsigned char status : {0x00, 0x01, 0x10, 0x11})
    EXPECT_EQ(ChooseForCombination('A', true, status, true), Choice::kBeep) << int(status);
}

TEST(CombinationChoice, UnreadableSystemDataCountsAsNotAvailable) {
  EXPECT_EQ(ChooseForCombination('A', false, 0x20, true), Choice::kBeep);
  EXPECT_EQ(ChooseForCombination(9, false, 0x20, true), Choice::kPassThrough);
}

}  // namespace
}  // namespace talo
