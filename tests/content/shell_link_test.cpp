// Shell link files made, changed and read through the shell's link object, on real files.
#include "content/shell_link.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace talo {
namespace {

using test::WriteFileBytes;

class ShellLink : public ::testing::Test {
 protected:
  std::string Source(const std::string& name) const { return sources_.File(name); }
  test::TempFolder sources_;
};

TEST_F(ShellLink, EveryLinkFieldReadsBackAndModifyKeepsTheOthers) {
  ShellLinkFields fields{Source("t.exe"), "/x \"a b\"", Source(""), "Tool", Source("i.ico"), 3};
  ASSERT_TRUE(WriteFileBytes(fields.path, "MZ"));
  ASSERT_TRUE(CreateShellLink(Source("all.lnk").c_str(), fields));
  ShellLinkFields change;
  change.description = "Renamed";
  ASSERT_TRUE(ModifyShellLink(Source("all.lnk").c_str(), change));
  ShellLinkFields read;
  ASSERT_TRUE(ReadShellLink(Source("all.lnk").c_str(), read));
  fields.description = "Renamed";
  EXPECT_EQ(std::vector<std::string>({read.path, read.arguments, read.working_directory,
                                      read.description, read.icon_path}),
            std::vector<std::string>({fields.path, fields.arguments, fields.working_directory,
                                      fields.description, fields.icon_path}));
  EXPECT_EQ(read.icon_index, 3);
}

TEST_F(ShellLink, LinkCallsLeaveTheCallersComInitialisationBalanced) {
  ShellLinkFields fields;
  fields.path = Source("target.txt");
  ASSERT_TRUE(WriteFileBytes(fields.path, "target"));
  ASSERT_TRUE(CreateShellLink(Source("z.lnk").c_str(), fields));
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  ShellLinkFields read;
  EXPECT_TRUE(ReadShellLink(Source("z.lnk").c_str(), read));
  CoUninitialize();
  const HRESULT again = CoInitialize(nullptr);
  CoUninitialize();
  EXPECT_EQ(again, S_OK) << "a link call left COM initialised on this thread";
}

}  // namespace
}  // namespace talo
