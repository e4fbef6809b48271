// The system, user and graphics data: their views, headers and data files on disk.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/user_data.h"
#include "tests/support/temp_folder.h"

namespace talo {
namespace {

// What each data file must look like, written out from its layout rather than from the code.
template <typename Data>
struct Layout;

template <>
struct Layout<TTaloSysData> {
  static constexpr const char* kViewName = "TALLOWWICKSYSTEMDATA";
  static constexpr int kSize = 7168;
  static constexpr const char* kFile = "System.dat";
  static constexpr const char* kDescription = "System Data File ";
  static constexpr bool kAnyVersion = false;
  static std::string KindTag() { return std::string("\0\0SYSTEM", 8); }
};

template <>
struct Layout<TTaloUserData> {
  static constexpr const char* kViewName = "TALLOWWICKUSERDATA";
  static constexpr int kSize = 3072;
  static constexpr const char* kFile = "User.dat";
  static constexpr const char* kDescription = "User Data File ";
  static constexpr bool kAnyVersion = true;
  static std::string KindTag() { return std::string("\0\0\0\0USER", 8); }
};

template <>
struct Layout<TTaloGraphData> {
  static constexpr const char* kViewName = "TALLOWWICKGRAPHICSDATA";
  static constexpr int kSize = 100196;
  static constexpr const char* kFile = "Graphics.dat";
  static constexpr const char* kDescription = "Graphics Data File ";
  static constexpr bool kAnyVersion = false;
  static std::string KindTag() { return "GRAPHICS"; }
};

// The version resource that every test program embeds.
constexpr char kProgramVersion[] = "0.1.0.0";
const std::string kProgramVersionNumbers("\0\0\1\0\0\0\0\0", 8);
constexpr char kProgramNotice[] = "Copyright (C) 2026 Quintavel Software";

std::string Padded(const std::string& text) { return text + std::string(64 - text.size(), '\0'); }

std::string Bytes(const TMappedView& view) {
  return std::string(reinterpret_cast<const char*>(view.View()), view.Size());
}

template <typename Data>
class DataFile : public ::testing::Test {
 protected:
  using L = Layout<Data>;

  void SetUp() override { ASSERT_TRUE(data_.CreateView()); }

  std::string FilePath() const { return folder_.File(L::kFile); }

  // The view's own header and a body of `fill`, ready to be written as a data file.
  std::string FileContent(char fill) const {
    return Bytes(data_).substr(0, 1024) + std::string(L::kSize - 1024, fill);
  }

  Data data_;
  test::TempFolder folder_;
};

using DataClasses = ::testing::Types<TTaloSysData, TTaloUserData, TTaloGraphData>;
TYPED_TEST_SUITE(DataFile, DataClasses);

TYPED_TEST(DataFile, NewViewHasTheProgramsHeaderExactlyAsLaidOutAndAZeroBody) {
  using L = Layout<TypeParam>;
  std::string expected =
      std::string("QVDF\0\0\0\0", 8) + "TALOWICK" + L::KindTag() + kProgramVersionNumbers +
      std::string(32, '\0') + Padded("Quintavel Software") + Padded("Quintavel Tallowick") +
      Padded(std::string("Version ") + kProgramVersion) + Padded(kProgramNotice) +
      Padded(std::string(L::kDescription) + kProgramVersion) + std::string(L::kSize - 384, '\0');
  EXPECT_STREQ(this->data_.Name(), L::kViewName);
  ASSERT_EQ(this->data_.Size(), L::kSize);
  std::string actual = Bytes(this->data_);
  for (int offset = 0; offset < L::kSize; offset += 64)
    ASSERT_EQ(actual.substr(offset, 64), expected.substr(offset, 64)) << "at offset " << offset;
}

TYPED_TEST(DataFile, ASecondViewOfTheSameNameCannotBeCreated) {
  TypeParam second;
  EXPECT_FALSE(second.CreateView());
  EXPECT_EQ(second.View(), nullptr);
  EXPECT_EQ(second.Size(), 0);
}

TYPED_TEST(DataFile, SavedFileLoadsBackIntoTheView) {
  std::memset(this->data_.View() + 1024, 0x6B, Layout<TypeParam>::kSize - 1024);
  std::string saved = Bytes(this->data_);
  ASSERT_TRUE(this->data_.Save(this->FilePath().c_str()));
  ASSERT_TRUE(this->data_.ClearBody());
  EXPECT_TRUE(this->data_.LoadFile(this->folder_.Path().c_str()));
  EXPECT_EQ(Bytes(this->data_), saved);
}

TYPED_TEST(DataFile, FileShorterThanTheViewIsRefused) {
  std::string content = this->FileContent(0x11);
  content.pop_back();
  ASSERT_TRUE(test::WriteFileBytes(this->FilePath(), content));
  EXPECT_FALSE(this->data_.LoadFile(this->folder_.Path().c_str()));
}

TYPED_TEST(DataFile, FileLongerThanTheViewLoadsUpToTheViewsSize) {
  std::string content = this->FileContent(0x22);
  ASSERT_TRUE(test::WriteFileBytes(this->FilePath(), content + std::string(100, 'x')));
  EXPECT_TRUE(this->data_.LoadFile(this->folder_.Path().c_str()));
  EXPECT_EQ(Bytes(this->data_), content);
}

TYPED_TEST(DataFile, ForeignMagicOrKindIsRefusedAndTheViewKeepsItsOwnHeader) {
  std::string before = Bytes(this->data_);
  for (int offset : {0, 3, 4, 8, 23}) {
    SCOPED_TRACE(offset);
    std::string content = this->FileContent(0x33);
    content[offset] = 'X';
    ASSERT_TRUE(test::WriteFileBytes(this->FilePath(), content));
    EXPECT_FALSE(this->data_.LoadFile(this->folder_.Path().c_str()));
    EXPECT_EQ(Bytes(this->data_), before);
  }
}

TYPED_TEST(DataFile, OtherProductVersionLoadsOnlyIntoTheUserData) {
  std::string before = Bytes(this->data_);
  for (int offset : {24, 27, 31}) {
    SCOPED_TRACE(offset);
    std::string content = this->FileContent(0x44);
    content[offset] = 2;
    ASSERT_TRUE(test::WriteFileBytes(this->FilePath(), content));
    bool loaded = this->data_.LoadFile(this->folder_.Path().c_str());
    EXPECT_EQ(loaded, Layout<TypeParam>::kAnyVersion);
    // Loaded user data keeps the version of the program that wrote the file.
    EXPECT_EQ(Bytes(this->data_), loaded ? content : before);
    ASSERT_TRUE(this->data_.CreateView());
  }
}

// The user data's view, which the hook reads, changes only when the whole file arrived.
TYPED_TEST(DataFile, BodyReadFailingPartWayKeepsTheBytesThatArrived) {
  const std::string before = Bytes(this->data_);
  std::string header = this->FileContent(0).substr(0, 1024);
  header[300] = 'M';  // in the informative texts, which are never compared: marks the file's header
  ASSERT_TRUE(test::WriteFileBytes(this->FilePath(), header + std::string(700, 0x5A)));
  EXPECT_FALSE(this->data_.LoadFile(this->folder_.Path().c_str()));
  std::string expected =
      header + std::string(700, 0x5A) + std::string(Layout<TypeParam>::kSize - 1724, '\0');
  EXPECT_EQ(Bytes(this->data_), Layout<TypeParam>::kAnyVersion ? before : expected);
}

TYPED_TEST(DataFile, LoadFileNeedsAFolderAFileAndAPathThatFits) {
  ASSERT_TRUE(test::WriteFileBytes(this->FilePath(), this->FileContent(0)));
  EXPECT_FALSE(this->data_.LoadFile(nullptr));
  EXPECT_FALSE(this->data_.LoadFile(""));
  EXPECT_FALSE(this->data_.LoadFile((this->folder_.Path() + "elsewhere\\").c_str()));
  std::string overlong = this->folder_.Path() + std::string(800, 'a') + "\\";
  EXPECT_FALSE(this->data_.LoadFile(overlong.c_str()));
  TypeParam closed;
  EXPECT_FALSE(closed.LoadFile(this->folder_.Path().c_str()));
  EXPECT_TRUE(this->data_.LoadFile(this->folder_.Path().c_str()));
}

}  // namespace
}  // namespace talo
