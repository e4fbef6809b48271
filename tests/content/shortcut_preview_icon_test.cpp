// The picture of the editor's shortcut preview: which files reach the shell's icon code.
#include <gtest/gtest.h>

#include <string>

#include "content/shortcut_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_settings.h"

namespace talo {
namespace {

using test::WriteFileBytes;

class ShortcutPreviewIcon : public ::testing::Test {
 protected:
  std::string User(const std::string& name) const { return settings_.UserFile(name); }
  // A combination's stored link to `target`, named "Letter", whose icon location is `icon`.
  void StoreLink(const std::string& target, const std::string& icon, int index = 0) {
    ShellLinkFields fields;
    fields.path = target;
    fields.description = "Letter";
    fields.icon_path = icon;
    fields.icon_index = index;
    ASSERT_TRUE(CreateShellLink(User("0674.lnk").c_str(), fields));
  }
  test::TestSettings settings_;
  test::TempFolder sources_;
};

// Wine's icon reader copies as many directory entries as the count claims, whatever the file
// holds; a sibling in the shared folder can claim 65535 pictures in 22 bytes.
TEST_F(ShortcutPreviewIcon, AnIconLocationThatClaimsMorePicturesThanItHoldsGivesNoPictureOfItsOwn) {
  const std::string crafted = User("Picture.ico");
  ASSERT_TRUE(WriteFileBytes(crafted, std::string("\0\0\1\0\xff\xff", 6) + std::string(16, ' ')));
  const std::string document = sources_.File("letter.txt");
  ASSERT_TRUE(WriteFileBytes(document, "Dear reader"));
  for (const std::string& target : {document, sources_.File("gone.txt")}) {
    StoreLink(target, crafted);
    IconHandle icon;
    std::string description;
    EXPECT_TRUE(ReadShortcutPreview(kShellLink, 0x674, icon, description)) << target;
    EXPECT_TRUE(icon) << target;
    EXPECT_EQ(description, "Letter");
  }
}

}  // namespace
}  // namespace talo
