// The picture of the editor's shortcut preview: which files reach the shell's icon code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/shell_link.h"
#include "content/shortcut_file.h"
#include "tests/support/bitmap_pixels.h"
#include "tests/support/icon_files.h"
#include "tests/support/saved_registry.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_settings.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::WriteFileBytes;

class ShortcutPreviewIcon : public ::testing::Test {
 protected:
  std::string User(const std::string& name) const { return settings_.UserFile(name); }
  // The combination's stored link to `target`, named "Letter", whose icon location is `icon`;
  // the pixels of its preview's picture, or none when the preview fails or has none.
  std::vector<COLORREF> PreviewPixels(const std::string& target, const std::string& icon) {
    ShellLinkFields fields;
    fields.path = target;
    fields.description = "Letter";
    fields.icon_path = icon;
    if (!CreateShellLink(User("0674.lnk").c_str(), fields)) return {};
    IconHandle picture;
    std::string description;
    if (!ReadShortcutPreview(kShellLink, 0x674, picture, description) || description != "Letter")
      return {};
    return test::ReadIconPixels(picture.get()).pixels;
  }
  // The pixels of the picture that the shell extracts from `file` itself, unguarded.
  static std::vector<COLORREF> ExtractedPixels(const std::string& file) {
    IconHandle picture(GetAssociatedIcon(file.c_str(), 0));
    return test::ReadIconPixels(picture.get()).pixels;
  }
  void SetUp() override { ASSERT_TRUE(WriteFileBytes(document_, "Dear reader")); }
  test::TestSettings settings_;
  test::TempFolder sources_;
  const std::string document_ = sources_.File("letter.txt");
};

// Wine's icon reader copies as many directory entries as the count claims, whatever the file
// holds; a sibling in the shared folder can claim 65535 pictures in 22 bytes. The preview then
// shows the target's picture, or for a target that is gone the shell's picture of a link.
TEST_F(ShortcutPreviewIcon, AnIconLocationThatClaimsMorePicturesThanItHoldsGivesNoPictureOfItsOwn) {
  const std::string crafted = User("Picture.ico");
  ASSERT_TRUE(WriteFileBytes(crafted, std::string("\0\0\1\0\xff\xff", 6) + std::string(16, ' ')));
  for (const std::string& target : {document_, sources_.File("gone.txt")})
    EXPECT_FALSE(PreviewPixels(target, crafted).empty()) << target;
}

TEST_F(ShortcutPreviewIcon, AWholeIconFileOrExecutableAsIconLocationGivesItsOwnPicture) {
  ASSERT_TRUE(WriteFileBytes(User("Red.ico"), test::IconFileBytes(RGB(255, 0, 0))));
  ASSERT_TRUE(
      WriteFileBytes(User("Blue.exe"), test::ExecutableWithIconBytes(RGB(0, 0, 255)).bytes));
  for (const std::string& icon :
       {User("Red.ico"), User("Blue.exe"), test::InstallFolder() + "Talowick.exe"}) {
    const std::vector<COLORREF> own = ExtractedPixels(icon);
    ASSERT_FALSE(own.empty()) << icon;
    EXPECT_EQ(PreviewPixels(document_, icon), own) << icon;
  }
}

// Wine serves a UNC path \\SERVER\SHARE\... from the prefix's dosdevices\unc\SERVER\SHARE, so
// this share holds real files, as a network share would.
class WineShare {
 public:
  WineShare() {
    char prefix[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (length == 0 || length >= sizeof prefix) return;
    unc_ = test::UnixToWindowsPath(prefix) + "\\dosdevices\\unc\\";
    server_ = unc_ + "taloserver\\";
    for (const std::string& folder : {unc_, server_, server_ + "icons\\"})
      CreateDirectoryA(folder.c_str(), nullptr);
  }
  ~WineShare() {
    if (server_.empty()) return;
    test::RemoveTree(server_);
    RemoveDirectoryA(unc_.c_str());  // only when no other share is in it
  }
  bool Write(const std::string& name, const std::string& bytes) const {
    return !server_.empty() && WriteFileBytes(server_ + "icons\\" + name, bytes) &&
           test::ReadFileBytes(Path(name)) == bytes;
  }
  static std::string Path(const std::string& name) { return "\\\\taloserver\\icons\\" + name; }

 private:
  std::string unc_, server_;
};

// The shell pictures a file on a share by its type alone, and not at all when the type's picture
// lies inside the file; the red picture on the share is never shown, so never read.
TEST_F(ShortcutPreviewIcon, APictureOnANetworkShareIsNeverReadFromIt) {
  WineShare share;
  const std::string red = test::IconFileBytes(RGB(255, 0, 0));
  if (!share.Write("Red.ico", red) || !share.Write("Red.taloicon", red))
    GTEST_SKIP() << "no share of the Wine prefix here";
  test::SavedRegistryKey saved_extension(HKEY_CLASSES_ROOT, ".taloicon");
  test::SavedRegistryKey saved_type(HKEY_CLASSES_ROOT, "TaloIcon");
  ASSERT_TRUE(test::WriteRegistryText(HKEY_CLASSES_ROOT, ".taloicon", "", "TaloIcon"));
  ASSERT_TRUE(test::WriteRegistryText(HKEY_CLASSES_ROOT, "TaloIcon\\DefaultIcon", "", "%1"));
  const std::vector<COLORREF> shared = ExtractedPixels(share.Path("Red.ico"));
  ASSERT_FALSE(shared.empty());
  const struct {
    std::string target, icon;
  } links[] = {{document_, share.Path("Red.ico")},
               {document_, share.Path("Red.taloicon")},
               {share.Path("Red.ico"), ""}};
  for (const auto& link : links) {
    const std::vector<COLORREF> preview = PreviewPixels(link.target, link.icon);
    EXPECT_FALSE(preview.empty()) << link.target << " " << link.icon;
    EXPECT_NE(preview, shared) << link.target << " " << link.icon;
  }
}

}  // namespace
}  // namespace talo
