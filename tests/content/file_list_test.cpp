// Checked copies of file lists from another program's clipboard or a stored object.
#include "content/file_list.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "base/text.h"
#include "tests/support/object_records.h"

namespace talo {
namespace {

std::string ReadFirst(const std::string& bytes, UINT& files) {
  GlobalMemory list = CopyFileList(bytes.data(), bytes.size());
  char path[kPathCapacity] = "unchanged";
  files = list ? ReadFirstListedPath(static_cast<HDROP>(list.get()), path, sizeof path) : 0;
  return list ? path : "refused";
}

TEST(FileList, ADamagedListIsRefusedOrReadInsideItsCopy) {
  UINT files = 0;
  EXPECT_EQ(ReadFirst(test::FileListBytes({"C:\\a\\one.txt", "D:\\two"}), files), "C:\\a\\one.txt");
  EXPECT_EQ(files, 2u);
  EXPECT_EQ(ReadFirst(test::FileListBytes({"C:\\wide"}, true), files), "C:\\wide");

  // Names that start outside the data, or a header cut short, are not handed to the shell.
  std::string list = test::FileListBytes({"C:\\x"});
  std::string outside = list;
  outside[0] = char(list.size());
  EXPECT_EQ(ReadFirst(outside, files), "refused");
  EXPECT_EQ(ReadFirst(list.substr(0, sizeof(DROPFILES) - 1), files), "refused");
  // Names without any terminator end inside the copy.
  const std::string unterminated = list.substr(0, list.size() - 2);
  EXPECT_EQ(ReadFirst(unterminated, files), "C:\\x");
  EXPECT_EQ(files, 1u);

  // A path longer than the box takes is refused whole, never cut into another file's path.
  std::string path;
  EXPECT_EQ(ReadFirst(test::FileListBytes({"C:\\" + std::string(kPathCapacity, 'p')}), files), "");
  EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace talo
