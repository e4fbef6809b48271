// The parts of a path: name, title, extension, and the folder with its trailing backslash.
#include "content/path_names.h"

#include <gtest/gtest.h>

namespace talo {
namespace {

TEST(PathNames, NameTitleExtensionAndFolder) {
  const struct {
    const char *path, *name, *title, *extension, *folder, *folder_or_empty;
  } cases[] = {
      {"C:\\a.b\\name.TXT ", "name.TXT", "name", ".TXT", "C:\\a.b\\name.TXT\\", nullptr},
      {"D:file", "file", "file", "", "D:file\\", nullptr},
      {"C:\\dir\\.txt", ".txt", "", ".txt", "C:\\dir\\.txt\\", nullptr},
      {" C:\\dir\\ ", "", "", "", "C:\\dir\\", nullptr},
      {"x/y. ", "x/y.", "x/y", "", "x/y.\\", nullptr},
      {"", "", "", "", "\\", ""},
      {"\\", "", "", "", "\\", "\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNamePart(c.path), c.name);
    EXPECT_EQ(FileTitle(c.path), c.title);
    EXPECT_EQ(FileExtension(c.path), c.extension);
    EXPECT_EQ(AddTrailingBackslash(c.path, false), c.folder);
    EXPECT_EQ(AddTrailingBackslash(c.path, true), c.folder_or_empty ? c.folder_or_empty : c.folder);
  }
}

}  // namespace
}  // namespace talo
