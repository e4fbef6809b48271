// The application's own window: its activation handlers are the program's code, and a failure
// there is shown like a form's instead of unwinding through the system.
#include "ui/application.h"

#include <stdexcept>

#include "tests/support/dialog_answerer.h"
#include "tests/ui/ui_fixture.h"

namespace talo {
namespace {

using ApplicationWindow = test::UiTest;

TEST_F(ApplicationWindow, AFailingActivationHandlerIsShownAndTheProgramGoesOn) {
  app.OnActivate = [] { throw std::runtime_error("activation failed"); };
  test::DialogAnswerer ok(IDOK);
  SendMessageA(app.Handle(), WM_ACTIVATEAPP, TRUE, 0);
  const auto boxes = ok.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "activation failed");
  EXPECT_TRUE(boxes[0].error_icon);
}

}  // namespace
}  // namespace talo
