// TListView: rows with hidden sub-items, check boxes and their event, selection and sorting.
#include "ui/list_view.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/ui/ui_fixture.h"
#include "ui/common_controls.h"

namespace talo::test {
namespace {

class TFormList : public ui::TForm {
 public:
  TFormList() : TForm(TestDesign("TFormList")) {
    lstvMain.Create(*this, {0, 0, 380, 200})
        .Checkboxes(true)
        .AddColumn("Enabled/Combination", 160)
        .AddColumn("Description/Title", 150)
        .OnItemChecked([this](int index, bool checked) { changes.emplace_back(index, checked); })
        .OnColumnClick([this](int column) { columns_clicked.push_back(column); });
  }
  // Adds a row as the assignment list does: caption, title, code and status as hidden data.
  int AddRow(const std::string& name, const std::string& title, int code) {
    int index = lstvMain.Add(name);
    lstvMain.SetSubItem(index, 0, title);
    lstvMain.SetSubItem(index, 2, std::to_string(code));
    return index;
  }
  ui::TListView lstvMain;
  std::vector<std::pair<int, bool>> changes;
  std::vector<int> columns_clicked;
};

// The text the list view shows in `column` of row `index`.
std::string ShownText(const ui::TListView& list, int index, int column) {
  char text[128] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list.Handle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

using ListView = UiTest;

TEST_F(ListView, RowsShowTheirCaptionAndColumnSubItemsAndKeepHiddenOnes) {
  TFormList form;
  form.AddRow("Ctrl + A", "Address book", 577);
  form.AddRow("F5", "Notes", 116);
  EXPECT_EQ(form.lstvMain.Count(), 2);
  EXPECT_EQ(ShownText(form.lstvMain, 0, 0), "Ctrl + A");
  EXPECT_EQ(ShownText(form.lstvMain, 0, 1), "Address book");
  EXPECT_EQ(ShownText(form.lstvMain, 1, 1), "Notes");
  EXPECT_EQ(form.lstvMain.SubItem(0, 2), "577");  // no column shows it
  EXPECT_EQ(form.lstvMain.SubItem(0, 1), "");
  EXPECT_EQ(form.lstvMain.SubItem(5, 0), "");
  EXPECT_FALSE(form.lstvMain.SetSubItem(5, 0, "no such row"));
}

TEST_F(ListView, InsertingBeforeARowMovesItAndItsDataDown) {
  TFormList form;
  form.AddRow("B", "second", 2);
  form.lstvMain.SetItemTag(0, 20);
  EXPECT_EQ(form.lstvMain.Insert(0, "A"), 0);
  form.lstvMain.SetItemTag(0, 10);
  EXPECT_EQ(form.lstvMain.Insert(99, "C"), 2);  // past the end: appended
  EXPECT_EQ(ShownText(form.lstvMain, 1, 0), "B");
  EXPECT_EQ(ShownText(form.lstvMain, 1, 1), "second");
  EXPECT_EQ(form.lstvMain.ItemTag(1), 20);
  EXPECT_EQ(form.lstvMain.ItemTag(0), 10);
  EXPECT_TRUE(form.lstvMain.Delete(0));
  EXPECT_EQ(form.lstvMain.ItemCaption(0), "B");
  EXPECT_EQ(form.lstvMain.SubItem(0, 2), "2");
  form.lstvMain.Clear();
  EXPECT_EQ(form.lstvMain.Count(), 0);
  EXPECT_EQ(SendMessageA(form.lstvMain.Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListView, CheckMarksAreReadAndSetAndEachChangeIsReported) {
  TFormList form;
  form.AddRow("A", "", 1);
  form.AddRow("B", "", 2);
  EXPECT_TRUE(form.changes.empty());  // new rows are unchecked without an event
  EXPECT_FALSE(form.lstvMain.Checked(1));
  EXPECT_TRUE(form.lstvMain.SetChecked(1, true));
  EXPECT_TRUE(form.lstvMain.Checked(1));
  EXPECT_FALSE(form.lstvMain.Checked(0));
  form.lstvMain.SetChecked(1, true);  // no change, no event
  form.lstvMain.SetChecked(1, false);
  EXPECT_EQ(form.changes, (std::vector<std::pair<int, bool>>{{1, true}, {1, false}}));
}

TEST_F(ListView, SelectionIsOneRowOrNone) {
  TFormList form;
  form.AddRow("A", "", 1);
  form.AddRow("B", "", 2);
  EXPECT_EQ(form.lstvMain.Selected(), -1);
  EXPECT_TRUE(form.lstvMain.Select(1));
  EXPECT_EQ(form.lstvMain.Selected(), 1);
  form.lstvMain.Select(0);
  EXPECT_EQ(form.lstvMain.Selected(), 0);
  form.lstvMain.Select(-1);
  EXPECT_EQ(form.lstvMain.Selected(), -1);
  EXPECT_FALSE(form.lstvMain.Select(2));
}

TEST_F(ListView, SortingReordersRowsWithTheirDataAndCheckMarks) {
  TFormList form;
  form.AddRow("B", "two", 2);
  form.AddRow("C", "three", 3);
  form.AddRow("A", "one", 1);
  form.lstvMain.SetChecked(1, true);  // "C"
  form.lstvMain.Sort([](const ui::TListRow& first, const ui::TListRow& second) {
    return first.caption.compare(second.caption);
  });
  std::vector<std::string> shown;
  for (int index = 0; index < form.lstvMain.Count(); ++index) {
    shown.push_back(ShownText(form.lstvMain, index, 0) + "/" + form.lstvMain.SubItem(index, 0) +
                    "/" + form.lstvMain.SubItem(index, 2));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"A/one/1", "B/two/2", "C/three/3"}));
  EXPECT_TRUE(form.lstvMain.Checked(2));
  EXPECT_FALSE(form.lstvMain.Checked(1));
}

TEST_F(ListView, AClickOnAColumnHeaderIsReportedWithTheColumnIndex) {
  TFormList form;
  auto header = reinterpret_cast<HWND>(SendMessageA(form.lstvMain.Handle(), LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  for (int x : {200, 20}) {  // inside the second column, then the first
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
  EXPECT_EQ(form.columns_clicked, (std::vector<int>{1, 0}));
}

}  // namespace
}  // namespace talo::test
