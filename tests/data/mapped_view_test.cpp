// Named shared memory views: creating, opening, sharing and closing real mappings.
#include "data/mapped_view.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/unique_name.h"

namespace talo {
namespace {

void ExpectClosed(const TMappedView& view) {
  EXPECT_EQ(view.Size(), 0);
  EXPECT_EQ(view.View(), nullptr);
  EXPECT_STREQ(view.Name(), "");
}

TEST(MappedView, NewBlockIsZeroFilledAndSeenByEveryViewThatOpensIt) {
  std::string name = test::UniqueName("shared");
  TMappedView creator, opener;
  ASSERT_TRUE(creator.Create(name.c_str(), 100196));
  EXPECT_STREQ(creator.Name(), name.c_str());
  EXPECT_EQ(creator.Size(), 100196);
  EXPECT_TRUE(creator.IsOpenWithSize(100196));
  EXPECT_FALSE(creator.IsOpenWithSize(100195));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(creator.View()), 100196),
            std::string(100196, '\0'));

  ASSERT_TRUE(opener.Open(name.c_str(), 100196));
  EXPECT_NE(opener.View(), creator.View());
  creator.View()[100195] = 0x5A;
  EXPECT_EQ(opener.View()[100195], 0x5A);
  MEMORY_BASIC_INFORMATION opened = {};
  ASSERT_EQ(VirtualQuery(opener.View(), &opened, sizeof opened), sizeof opened);
  EXPECT_EQ(opened.Protect, DWORD(PAGE_READONLY)) << "an opened block is for reading only";
}

TEST(MappedView, CreatingANameThatExistsFailsAndLeavesTheViewClosed) {
  std::string name = test::UniqueName("twice");
  TMappedView first, second;
  ASSERT_TRUE(first.Create(name.c_str(), 4096));
  first.View()[0] = 7;
  EXPECT_FALSE(second.Create(name.c_str(), 4096));
  ExpectClosed(second);
  // The existing block was neither attached nor cleared.
  EXPECT_EQ(first.View()[0], 7);
}

TEST(MappedView, OpeningFailsForAMissingBlockOrOneSmallerThanAsked) {
  TMappedView view;
  EXPECT_FALSE(view.Open(test::UniqueName("missing").c_str(), 1024));
  ExpectClosed(view);

  std::string name = test::UniqueName("small");
  TMappedView creator;
  ASSERT_TRUE(creator.Create(name.c_str(), 4096));
  EXPECT_FALSE(view.Open(name.c_str(), 3 * 4096));
  ExpectClosed(view);
  EXPECT_TRUE(view.Open(name.c_str(), 4096));
}

TEST(MappedView, ClosingReleasesTheBlockAndIsHarmlessWhenRepeated) {
  TMappedView never_opened;
  never_opened.Close();
  ExpectClosed(never_opened);

  std::string name = test::UniqueName("closed");
  TMappedView view;
  ASSERT_TRUE(view.Create(name.c_str(), 64));
  view.Close();
  ExpectClosed(view);
  EXPECT_FALSE(view.IsOpenWithSize(64));
  view.Close();
  ExpectClosed(view);
  // Released: nobody can open it, and it can be created anew.
  TMappedView other;
  EXPECT_FALSE(other.Open(name.c_str(), 64));
  EXPECT_TRUE(other.Create(name.c_str(), 64));
}

TEST(MappedView, DestroyingAViewReleasesItsBlock) {
  std::string name = test::UniqueName("scoped");
  {
    TMappedView view;
    ASSERT_TRUE(view.Create(name.c_str(), 64));
  }
  TMappedView later;
  EXPECT_FALSE(later.Open(name.c_str(), 64));
}

TEST(MappedView, CreatingAgainReplacesWhatTheViewHeld) {
  std::string first = test::UniqueName("first");
  std::string second = test::UniqueName("second");
  TMappedView view;
  ASSERT_TRUE(view.Create(first.c_str(), 64));
  ASSERT_TRUE(view.Create(second.c_str(), 128));
  EXPECT_STREQ(view.Name(), second.c_str());
  EXPECT_EQ(view.Size(), 128);
  TMappedView other;
  EXPECT_FALSE(other.Open(first.c_str(), 64));
}

}  // namespace
}  // namespace talo
