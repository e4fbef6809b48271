// The smaller controls on a real form: status bar, check box, radio buttons, edits, label, page
// control and scroll box.

#include <string>
#include <vector>

#include "tests/ui/ui_fixture.h"
#include "ui/check_box.h"
#include "ui/common_controls.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/radio_button.h"
#include "ui/scroll_box.h"
#include "ui/status_bar.h"
#include "ui/tab_sheet.h"

namespace talo::test {
namespace {

using StandardControls = UiTest;

TEST_F(StandardControls, StatusBarShowsItsTextAtTheBottomWithoutASizeGrip) {
  ui::TForm form(TestDesign("TFormStatus"));
  ui::TStatusBar sbMain;
  sbMain.Create(form, "Please press a Combination of Keys to Assign Functionality.");
  EXPECT_EQ(sbMain.SimpleText(), "Please press a Combination of Keys to Assign Functionality.");
  sbMain.SimpleText("Ready.");
  EXPECT_EQ(sbMain.SimpleText(), "Ready.");
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(sbMain.Top() + sbMain.Height(), client.bottom);
  EXPECT_FALSE(GetWindowLongA(sbMain.Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
}

class TFormOptions : public ui::TForm {
 public:
  TFormOptions() : TForm(TestDesign("TFormOptions")) {
    pagMain.Create(*this, {8, 8, 300, 150}).OnChange([this] { ++page_changes; });
    tabGeneral.Create(pagMain, "General");
    tabNetwork.Create(pagMain, "Network");
    chkEnabled.Create(tabGeneral, {10, 10}, "&Enabled").OnClick([this] { ++enabled_clicks; });
    radFirst.Create(tabGeneral, {10, 40}, "First");
    radSecond.Create(tabGeneral, {10, 60}, "Second");
    edtPath.Create(tabNetwork, {10, 30, 250, 0}).OnChange([this] { ++path_changes; });
    lblPath.Create(tabNetwork, {10, 10}, "User (Network) Data Path");
    memoText.Create(*this, {8, 170, 200, 60});
  }
  ui::TPageControl pagMain;
  ui::TTabSheet tabGeneral;
  ui::TTabSheet tabNetwork;
  ui::TCheckBox chkEnabled;
  ui::TRadioButton radFirst;
  ui::TRadioButton radSecond;
  ui::TEdit edtPath;
  ui::TLabel lblPath;
  ui::TMemo memoText;
  int enabled_clicks = 0;
  int path_changes = 0;
  int page_changes = 0;
};

TEST_F(StandardControls, CheckBoxStateFollowsClicksAndOnlyClicksRaiseOnClick) {
  TFormOptions form;
  EXPECT_FALSE(form.chkEnabled.Checked());
  form.chkEnabled.Checked(true);
  EXPECT_TRUE(form.chkEnabled.Checked());
  EXPECT_EQ(form.enabled_clicks, 0);
  SendMessageA(form.chkEnabled.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.chkEnabled.Checked());
  EXPECT_EQ(form.enabled_clicks, 1);
  EXPECT_GT(form.chkEnabled.Width(), form.chkEnabled.Height());  // sized to its caption
}

TEST_F(StandardControls, CheckingARadioButtonUnchecksTheOthersOfItsParent) {
  TFormOptions form;
  form.radFirst.Checked(true);
  form.radSecond.Checked(true);
  EXPECT_FALSE(form.radFirst.Checked());
  SendMessageA(form.radFirst.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.radFirst.Checked());
  EXPECT_FALSE(form.radSecond.Checked());
  EXPECT_TRUE(form.chkEnabled.Checked() == false);  // a check box is not part of the group
}

TEST_F(StandardControls, EditTextChangesRaiseOnChangeAndReadOnlyHolds) {
  TFormOptions form;
  form.edtPath.Text("C:\\Shared\\");
  EXPECT_EQ(form.edtPath.Text(), "C:\\Shared\\");
  EXPECT_EQ(form.path_changes, 1);
  form.edtPath.ReadOnly(true);
  EXPECT_TRUE(form.edtPath.ReadOnly());
  EXPECT_EQ(form.edtPath.Height(), 21);
  form.memoText.Text("first line\r\nsecond line");
  EXPECT_EQ(form.memoText.LineCount(), 2);
  EXPECT_EQ(form.memoText.Text(), "first line\r\nsecond line");
}

TEST_F(StandardControls, LabelTextAndWordWrap) {
  TFormOptions form;
  EXPECT_EQ(form.lblPath.Caption(), "User (Network) Data Path");
  EXPECT_FALSE(form.lblPath.WordWrap());
  form.lblPath.WordWrap(true);
  EXPECT_TRUE(form.lblPath.WordWrap());
}

TEST_F(StandardControls, OnlyThePageOfTheSelectedTabIsShown) {
  TFormOptions form;
  EXPECT_EQ(form.pagMain.PageCount(), 2);
  EXPECT_EQ(form.pagMain.ActivePage(), &form.tabGeneral);
  EXPECT_TRUE(form.tabGeneral.Visible());
  EXPECT_FALSE(form.tabNetwork.Visible());
  EXPECT_EQ(form.tabNetwork.PageIndex(), 1);

  form.pagMain.ActivePage(form.tabNetwork);
  EXPECT_FALSE(form.tabGeneral.Visible());
  EXPECT_TRUE(form.tabNetwork.Visible());
  EXPECT_EQ(form.page_changes, 0);

  // The user's choice of a tab arrives as TCN_SELCHANGE from the tab control.
  SendMessageA(form.pagMain.Handle(), TCM_SETCURSEL, 0, 0);
  NMHDR change = {form.pagMain.Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(form.pagMain.Handle())),
                  TCN_SELCHANGE};
  SendMessageA(form.Handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(form.tabGeneral.Visible());
  EXPECT_FALSE(form.tabNetwork.Visible());
  EXPECT_EQ(form.page_changes, 1);
}

TEST_F(StandardControls, PagesFillTheTabControlsDisplayArea) {
  TFormOptions form;
  RECT area;
  GetClientRect(form.pagMain.Handle(), &area);
  SendMessageA(form.pagMain.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (ui::TTabSheet* page : {&form.tabGeneral, &form.tabNetwork}) {
    EXPECT_EQ(page->Left(), area.left);
    EXPECT_EQ(page->Top(), area.top);
    EXPECT_EQ(page->Width(), area.right - area.left);
    EXPECT_EQ(page->Height(), area.bottom - area.top);
  }
}

TEST_F(StandardControls, ScrollBoxScrollsItsChildrenWithinTheirExtent) {
  ui::TForm form(TestDesign("TFormScroll"));
  ui::TScrollBox scbPreview;
  ui::TLabel lblFar;
  scbPreview.Create(form, {10, 10, 100, 80});
  lblFar.Create(scbPreview, {10, 300, 50, 20}, "far");
  scbPreview.UpdateScrollRange();
  scbPreview.ScrollTo(0, 200);
  EXPECT_EQ(scbPreview.ScrollY(), 200);
  EXPECT_EQ(lblFar.Top(), 100);
  scbPreview.ScrollTo(0, 10000);  // no further than the extent allows
  RECT client;
  GetClientRect(scbPreview.Handle(), &client);
  EXPECT_EQ(lblFar.Top() + lblFar.Height(), client.bottom);
  scbPreview.ScrollTo(0, 0);
  EXPECT_EQ(lblFar.Top(), 300);
  EXPECT_EQ(scbPreview.ScrollX(), 0);  // nothing reaches beyond the width
}

}  // namespace
}  // namespace talo::test
