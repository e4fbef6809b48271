// The directory list and the drive box on a real form, over real folders.

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/common_controls.h"
#include "ui/directory_list.h"
#include "ui/drive_box.h"

namespace talo::test {
namespace {

using FolderControls = UiTest;

std::vector<std::string> Lines(const ui::TDirectoryListBox& list) {
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0));
  for (int line = 0; line < count; ++line) {
    char text[MAX_PATH] = "";
    LVITEMA item = {};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list.Handle(), LVM_GETITEMTEXTA, line, reinterpret_cast<LPARAM>(&item));
    lines.push_back(text);
  }
  return lines;
}

void SelectLine(const ui::TDirectoryListBox& list, int line) {
  LVITEMA item = {};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list.Handle(), LVM_SETITEMSTATE, line, reinterpret_cast<LPARAM>(&item));
}

TEST_F(FolderControls, TheListOpensFoldersAndKeepsItsFolderWhenOneCannotBeRead) {
  TempFolder temp;
  for (const char* name : {"Beta", "alpha", "Hidden"})
    ASSERT_TRUE(CreateDirectoryA(temp.File(name).c_str(), nullptr));
  SetFileAttributesA(temp.File("Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(WriteFileBytes(temp.File("file.txt"), "x"));
  const std::string folder = temp.Path().substr(0, temp.Path().size() - 1);

  ui::TForm form(TestDesign("TFormFolders"));
  ui::TDirectoryListBox dilbMain;
  ui::TDriveComboBox drcbMain;
  int changes = 0;
  dilbMain.Create(form, {10, 10, 300, 190}).OnChange([&] { ++changes; });
  drcbMain.Create(form, {10, 210, 300, 0}).DirList(dilbMain);

  ASSERT_TRUE(dilbMain.SetDirectory(temp.Path()));
  EXPECT_EQ(dilbMain.Directory(), folder);
  EXPECT_EQ(changes, 1);
  // The root, each open folder down to the current one, then its visible sub-folders in order.
  std::vector<std::string> lines = Lines(dilbMain);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), folder.substr(0, 3));
  EXPECT_EQ(lines[lines.size() - 3], folder.substr(folder.rfind('\\') + 1));
  EXPECT_EQ(lines[lines.size() - 2], "alpha");
  EXPECT_EQ(lines.back(), "Beta");

  // Enter on a sub-folder's line opens it, as a double click does.
  SelectLine(dilbMain, static_cast<int>(lines.size()) - 1);
  SendMessageA(dilbMain.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(dilbMain.Directory(), folder + "\\Beta");
  EXPECT_EQ(Lines(dilbMain).back(), "Beta");

  EXPECT_FALSE(dilbMain.SetDirectory(temp.File("Missing")));
  EXPECT_FALSE(dilbMain.SetDirectory(temp.File("file.txt")));
  EXPECT_EQ(dilbMain.Directory(), folder + "\\Beta");
  EXPECT_EQ(changes, 2);

  // Back from another drive, the list returns to the folder it showed on this one.
  const DWORD drives = GetLogicalDrives() & ~(1u << (folder[0] - 'A'));
  ASSERT_NE(drives, 0u) << "no second drive";
  char other = 'A';
  while (!(drives & (1u << (other - 'A')))) ++other;
  ASSERT_TRUE(drcbMain.SetDrive(other));
  EXPECT_EQ(dilbMain.Drive(), other);
  ASSERT_TRUE(drcbMain.SetDrive(folder[0]));
  EXPECT_EQ(dilbMain.Directory(), folder + "\\Beta");
}

}  // namespace
}  // namespace talo::test
