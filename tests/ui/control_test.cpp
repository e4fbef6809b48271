// Controls on a real form: notification routing, fonts, bounds, alignment, hints and mouse events.

#include <string>
#include <vector>

#include "tests/ui/ui_fixture.h"
#include "ui/button.h"
#include "ui/common_controls.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"
#include "ui/status_bar.h"

namespace talo::test {
namespace {

using ui::TAlign;
using ui::TMouseButton;

class TFormRouting : public ui::TForm {
 public:
  TFormRouting() : TForm(TestDesign("TFormRouting")) {
    btnFirst.Create(*this, {10, 10, 75, 23}, "First").OnClick([this] {
      clicked.push_back("First");
    });
    btnSecond.Create(*this, {90, 10, 75, 23}, "Second").OnClick([this] {
      clicked.push_back("Second");
    });
    pnlOuter.Create(*this, {10, 50, 300, 150});
    pnlInner.Create(pnlOuter, {20, 30, 200, 100});
    btnNested.Create(pnlInner, {5, 40}, "Nested").OnClick([this] { clicked.push_back("Nested"); });
    FinishCreate();
  }

  ui::TButton btnFirst;
  ui::TButton btnSecond;
  ui::TPanel pnlOuter;
  ui::TPanel pnlInner;
  ui::TButton btnNested;
  std::vector<std::string> clicked;
};

using Control = UiTest;

TEST_F(Control, ClickOnAButtonRunsOnClickOfThatButtonOnly) {
  TFormRouting form;
  SendMessageA(form.btnSecond.Handle(), BM_CLICK, 0, 0);
  SendMessageA(form.btnFirst.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"Second", "First"}));
}

TEST_F(Control, CommandOfAChildOfNestedPanelsReachesTheChild) {
  TFormRouting form;
  SendMessageA(form.btnNested.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"Nested"}));
  EXPECT_EQ(ui::TControl::FromHandle(form.btnNested.Handle()), &form.btnNested);
  EXPECT_EQ(form.btnNested.Form(), &form);
}

TEST_F(Control, EveryControlOfTheFormIsListedInCreationOrder) {
  TFormRouting form;
  std::vector<ui::TControl*> expected = {&form.btnFirst, &form.btnSecond, &form.pnlOuter,
                                         &form.pnlInner, &form.btnNested};
  EXPECT_EQ(form.Controls(), expected);
}

TEST_F(Control, ControlsTakeTheFormFontAndBoldButtonsABoldCopy) {
  TFormRouting form;
  form.btnSecond.Bold(true);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(form.btnNested.Handle(), WM_GETFONT, 0, 0)),
            form.Font());
  auto bold = reinterpret_cast<HFONT>(SendMessageA(form.btnSecond.Handle(), WM_GETFONT, 0, 0));
  LOGFONTA normal_font = {};
  LOGFONTA bold_font = {};
  GetObjectA(form.Font(), sizeof normal_font, &normal_font);
  GetObjectA(bold, sizeof bold_font, &bold_font);
  EXPECT_EQ(bold_font.lfWeight, FW_BOLD);
  EXPECT_STREQ(bold_font.lfFaceName, normal_font.lfFaceName);
  EXPECT_EQ(bold_font.lfHeight, normal_font.lfHeight);
}

TEST_F(Control, BoundsAreDesignPixelsInTheParentsClientArea) {
  TFormRouting form;
  EXPECT_EQ(form.btnNested.Left(), 5);
  EXPECT_EQ(form.btnNested.Top(), 40);
  EXPECT_EQ(form.btnNested.Width(), 75);  // a button's usual size when none is given
  EXPECT_EQ(form.btnNested.Height(), 25);
  form.pnlInner.SetBounds({7, 8, 50, 60});
  EXPECT_EQ(form.pnlInner.Left(), 7);
  EXPECT_EQ(form.pnlInner.Top(), 8);
  EXPECT_EQ(form.pnlInner.Width(), 50);
  EXPECT_EQ(form.pnlInner.Height(), 60);
  form.pnlInner.SetBounds({1, 2});  // a move keeps the size
  EXPECT_EQ(form.pnlInner.Width(), 50);
  EXPECT_EQ(form.pnlInner.Height(), 60);
}

TEST_F(Control, VisibleAndEnabledAreTheControlsOwnStates) {
  TFormRouting form;  // not shown: the controls are still Visible
  EXPECT_TRUE(form.btnFirst.Visible());
  form.btnFirst.Visible(false).Enabled(false);
  EXPECT_FALSE(form.btnFirst.Visible());
  EXPECT_FALSE(IsWindowEnabled(form.btnFirst.Handle()));
  form.btnFirst.Visible(true).Enabled(true);
  EXPECT_TRUE(form.btnFirst.Visible());
  EXPECT_TRUE(IsWindowEnabled(form.btnFirst.Handle()));
}

TEST_F(Control, ChildrenOfADestroyedContainerForgetTheirWindows) {
  TFormRouting form;
  HWND nested = form.btnNested.Handle();
  DestroyWindow(form.pnlOuter.Handle());
  EXPECT_FALSE(IsWindow(nested));
  EXPECT_EQ(form.btnNested.Handle(), nullptr);
  EXPECT_EQ(form.pnlInner.Handle(), nullptr);
  form.btnNested.Caption("still safe").Visible(false);
}

class TFormAligned : public ui::TForm {
 public:
  TFormAligned() : TForm(TestDesign("TFormAligned")) {
    sbMain.Create(*this, "Ready");
    pnlTop.Create(*this, {0, 0, 10, 30}).Align(TAlign::Top);
    lstvMain.Create(*this, {0, 0, 10, 10}).Align(TAlign::Client);
  }
  ui::TStatusBar sbMain;
  ui::TPanel pnlTop;
  ui::TListView lstvMain;
};

TEST_F(Control, AlignedControlsShareTheClientAreaAndFollowItsSize) {
  TFormAligned form;
  for (SIZE size : {SIZE{400, 300}, SIZE{500, 260}}) {
    SetWindowPos(form.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(form.sbMain.Top() + form.sbMain.Height(), client.bottom);
    EXPECT_EQ(form.sbMain.Width(), client.right);
    EXPECT_EQ(form.pnlTop.Top(), 0);
    EXPECT_EQ(form.pnlTop.Width(), client.right);
    EXPECT_EQ(form.pnlTop.Height(), 30);
    EXPECT_EQ(form.lstvMain.Top(), 30);
    EXPECT_EQ(form.lstvMain.Width(), client.right);
    EXPECT_EQ(form.lstvMain.Top() + form.lstvMain.Height(), form.sbMain.Top());
  }
}

// The tooltip's text for the tool `control`, empty when it is not a tool.
std::string ToolText(HWND control) {
  char text[256] = {};
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  if (!ui::Application->HintWindow()) return "";
  if (!SendMessageA(ui::Application->HintWindow(), TTM_GETTOOLINFOA, 0,
                    reinterpret_cast<LPARAM>(&tool)))
    return "";
  SendMessageA(ui::Application->HintWindow(), TTM_GETTEXTA, sizeof text,
               reinterpret_cast<LPARAM>(&tool));
  return text;
}

int ToolCount() {
  HWND tips = ui::Application->HintWindow();
  return tips ? static_cast<int>(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

TEST_F(Control, ControlsWithAHintAreToolsOfTheApplicationsTooltip) {
  TFormRouting form;
  EXPECT_EQ(app.HintWindow(), nullptr);  // created with the first hint
  form.btnFirst.Hint("Click to open Options.");
  form.btnNested.Hint("Inside a panel.");
  EXPECT_EQ(ToolCount(), 2);
  EXPECT_EQ(ToolText(form.btnFirst.Handle()), "Click to open Options.");
  EXPECT_EQ(ToolText(form.btnNested.Handle()), "Inside a panel.");

  form.btnFirst.Hint("Click to open Help.");
  EXPECT_EQ(ToolText(form.btnFirst.Handle()), "Click to open Help.");
  EXPECT_EQ(ToolCount(), 2);
  form.btnFirst.Hint("");
  EXPECT_EQ(ToolCount(), 1);
  EXPECT_EQ(ToolText(form.btnFirst.Handle()), "");
}

TEST_F(Control, ADestroyedControlIsNoLongerATool) {
  TFormRouting form;
  {
    ui::TButton btnTemporary;
    btnTemporary.Create(form, {200, 10}, "Temporary").Hint("Goes away.");
    EXPECT_EQ(ToolCount(), 1);
  }
  EXPECT_EQ(ToolCount(), 0);
}

TEST_F(Control, AHintGivenBeforeCreateRegistersWithTheWindow) {
  TFormRouting form;
  ui::TButton btnLate;
  btnLate.SetHint("Given early.");
  btnLate.Create(form, {200, 10}, "Late");
  EXPECT_EQ(ToolText(btnLate.Handle()), "Given early.");
}

class TFormPictures : public ui::TForm {
 public:
  TFormPictures() : TForm(TestDesign("TFormPictures")) {
    btnList.Create(*this, {50, 50, 100, 30}, "List");
    imgKey.Create(*this, {20, 20, 40, 40})
        .OnMouseDown([this](TMouseButton button, int x, int y) {
          events.push_back(std::string(button == TMouseButton::Right ? "right" : "left") +
                           " down " + std::to_string(x) + "," + std::to_string(y));
        })
        .OnClick([this] { events.push_back("click"); })
        .OnDblClick([this] { events.push_back("double click"); });
    // Created later, the frame covers the key; it is disabled and lets the mouse through.
    imgFrame.Create(*this, {0, 0, 100, 100})
        .Enabled(false)
        .OnMouseDown([this](TMouseButton, int, int) { events.push_back("frame down"); });
    lblNote.Create(*this, {0, 0, 200, 20}, "Note");
    btnHelp.Create(*this, {150, 50}, "Help");
  }
  ui::TButton btnList;
  ui::TImage imgKey;
  ui::TImage imgFrame;
  ui::TLabel lblNote;
  ui::TButton btnHelp;
  std::vector<std::string> events;
};

TEST_F(Control, PicturesAndLabelsLieBeneathWindowedControlsTheLaterOnTop) {
  TFormPictures form;
  std::vector<HWND> from_top;
  for (HWND child = GetWindow(form.Handle(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    from_top.push_back(child);
  }
  EXPECT_EQ(from_top,
            (std::vector<HWND>{form.btnList.Handle(), form.btnHelp.Handle(), form.lblNote.Handle(),
                               form.imgFrame.Handle(), form.imgKey.Handle()}));
}

TEST_F(Control, MouseOnAPictureRaisesMouseDownClickAndDoubleClick) {
  TFormPictures form;
  HWND key = form.imgKey.Handle();
  SendMessageA(key, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 7));
  SendMessageA(key, WM_RBUTTONUP, 0, MAKELPARAM(5, 7));
  SendMessageA(key, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  SendMessageA(key, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
  SendMessageA(key, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
  SendMessageA(key, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
  SendMessageA(key, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  SendMessageA(key, WM_LBUTTONUP, 0, MAKELPARAM(300, 4));  // released outside: no click
  EXPECT_EQ(form.events,
            (std::vector<std::string>{"right down 5,7", "left down 3,4", "click", "double click",
                                      "left down 3,4", "left down 3,4"}));
}

TEST_F(Control, ADisabledPictureLetsTheMouseThroughToThePictureBeneath) {
  TFormPictures form;
  SetWindowPos(form.Handle(), HWND_TOPMOST, 50, 50, 0, 0, SWP_NOSIZE);
  form.Show();
  PumpMessages();
  POINT inside_key = {30, 30};
  ClientToScreen(form.Handle(), &inside_key);
  EXPECT_EQ(WindowFromPoint(inside_key), form.imgKey.Handle());
  POINT frame_only = {5, 50};
  ClientToScreen(form.Handle(), &frame_only);
  EXPECT_EQ(WindowFromPoint(frame_only), form.Handle());
  POINT button_over_frame = {60, 60};
  ClientToScreen(form.Handle(), &button_over_frame);
  EXPECT_EQ(WindowFromPoint(button_over_frame), form.btnList.Handle());

  SendMessageA(form.imgFrame.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_TRUE(form.events.empty());
  EXPECT_TRUE(IsWindowEnabled(form.imgFrame.Handle()));  // still painted as it is
}

}  // namespace
}  // namespace talo::test
