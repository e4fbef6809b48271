// TBinaryData: creating a view with a header, clearing, comparing, saving and loading real files.
#include "data/binary_data.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/unique_name.h"

namespace talo {
namespace {

const DataFileKind kTestKind = {"TESTKIND", "Test Data File ", 32};

DataHeaderTemplate TestTemplate() {
  DataHeaderTemplate header;
  FillHeaderTemplate(header, kTestKind, "4.3.2.1", "Notice");
  return header;
}

std::string Bytes(const TMappedView& view) {
  return std::string(reinterpret_cast<const char*>(view.View()), view.Size());
}

std::string Padded(const std::string& text) { return text + std::string(64 - text.size(), '\0'); }

TEST(BinaryData, CreateWithHeaderLaysOutTheTemplateAndZeroesEverythingElse) {
  DataHeaderTemplate header = TestTemplate();
  std::memset(header.reserved, 0xEE, sizeof header.reserved);
  std::memset(header.company, 'x', sizeof header.company);  // no terminator in the template
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("header").c_str(), 2048, &header));
  std::string bytes = Bytes(data);
  EXPECT_EQ(bytes.substr(0, 24), std::string("QVDF\0\0\0\0TALOWICKTESTKIND", 24));
  EXPECT_EQ(bytes.substr(24, 8), std::string("\4\0\3\0\2\0\1\0", 8));
  EXPECT_EQ(bytes.substr(32, 32), std::string(32, '\0'));
  EXPECT_EQ(bytes.substr(64, 64), std::string(63, 'x') + '\0');
  EXPECT_EQ(bytes.substr(128, 64), Padded("Quintavel Tallowick"));
  EXPECT_EQ(bytes.substr(192, 64), Padded("Version 4.3.2.1"));
  EXPECT_EQ(bytes.substr(256, 64), Padded("Notice"));
  EXPECT_EQ(bytes.substr(320, 64), Padded("Test Data File 4.3.2.1"));
  EXPECT_EQ(bytes.substr(384), std::string(2048 - 384, '\0'));
}

TEST(BinaryData, CreateWithHeaderNeedsATemplateAndRoomForABody) {
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  EXPECT_FALSE(data.CreateWithHeader(test::UniqueName("none").c_str(), 2048, nullptr));
  EXPECT_EQ(data.View(), nullptr);
  for (int size : {1024, 100}) {
    std::string name = test::UniqueName("no_body");
    EXPECT_FALSE(data.CreateWithHeader(name.c_str(), size, &header));
    EXPECT_EQ(data.View(), nullptr);
    TMappedView probe;
    EXPECT_FALSE(probe.Open(name.c_str(), 1)) << "nothing may be left behind";
  }
}

TEST(BinaryData, ClearBodyZeroesOnlyWhatFollowsTheHeader) {
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("clear").c_str(), 3000, &header));
  std::string fresh = Bytes(data);
  std::memset(data.View() + 1024, 0x3C, 3000 - 1024);
  EXPECT_TRUE(data.ClearBody());
  EXPECT_EQ(Bytes(data), fresh);

  TBinaryData closed;
  EXPECT_FALSE(closed.ClearBody());
  TBinaryData header_only;
  ASSERT_TRUE(header_only.Create(test::UniqueName("header_only").c_str(), 1024));
  header_only.View()[1023] = 1;
  EXPECT_FALSE(header_only.ClearBody());
  EXPECT_EQ(header_only.View()[1023], 1);
}

TEST(BinaryData, HeaderMatchesComparesIdentityOrIdentityAndVersion) {
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("match").c_str(), 2048, &header));
  std::string same = Bytes(data).substr(0, 1024);
  auto matches = [&](const std::string& bytes, bool identity_only) {
    return data.HeaderMatches(reinterpret_cast<const unsigned char*>(bytes.data()), identity_only);
  };
  std::string other_version = same;
  other_version[30] = 9;
  std::string other_kind = same;
  other_kind[23] = 'X';
  std::string other_text = same;
  other_text[64] = 'Z';  // the texts are informative only
  EXPECT_TRUE(matches(same, false));
  EXPECT_TRUE(matches(other_text, false));
  EXPECT_TRUE(matches(other_version, true));
  EXPECT_FALSE(matches(other_version, false));
  EXPECT_FALSE(matches(other_kind, true));
  EXPECT_FALSE(data.HeaderMatches(nullptr, true));

  // A view shorter than the compared length never matches, whatever it holds.
  TBinaryData short_view;
  ASSERT_TRUE(short_view.Create(test::UniqueName("short").c_str(), 28));
  std::memcpy(short_view.View(), same.data(), 28);
  auto header_bytes = reinterpret_cast<const unsigned char*>(same.data());
  EXPECT_TRUE(short_view.HeaderMatches(header_bytes, true));
  EXPECT_FALSE(short_view.HeaderMatches(header_bytes, false));
  TBinaryData closed;
  EXPECT_FALSE(closed.HeaderMatches(header_bytes, true));
}

TEST(BinaryData, SaveWritesTheWholeViewOverAnyOlderFile) {
  test::TempFolder folder;
  std::string path = folder.File("data.dat");
  ASSERT_TRUE(test::WriteFileBytes(path, std::string(5000, 'z')));
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("save").c_str(), 2048, &header));
  data.View()[2047] = 0x42;
  EXPECT_TRUE(data.Save(path.c_str()));
  EXPECT_EQ(test::ReadFileBytes(path), Bytes(data));

  TBinaryData closed;
  EXPECT_FALSE(closed.Save(folder.File("closed.dat").c_str()));
  EXPECT_FALSE(test::FileExists(folder.File("closed.dat")));
  EXPECT_FALSE(data.Save(""));
  EXPECT_FALSE(data.Save(nullptr));
  EXPECT_FALSE(data.Save(folder.File("no such folder\\data.dat").c_str()));
}

TEST(BinaryData, LoadWithoutHeaderCheckReadsTheWholeViewFromTheStart) {
  test::TempFolder folder;
  std::string path = folder.File("raw.dat");
  std::string content(2048, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = char(i * 7);
  ASSERT_TRUE(test::WriteFileBytes(path, content));
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("raw").c_str(), 2048, &header));
  EXPECT_TRUE(data.Load(path.c_str(), false, false));
  EXPECT_EQ(Bytes(data), content);
}

TEST(BinaryData, LoadFailsWithoutAViewAPathOrAReadableFile) {
  test::TempFolder folder;
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("load").c_str(), 2048, &header));
  std::string path = folder.File("data.dat");
  ASSERT_TRUE(data.Save(path.c_str()));

  TBinaryData closed;
  EXPECT_FALSE(closed.Load(path.c_str(), true, false));
  EXPECT_FALSE(data.Load(nullptr, true, false));
  EXPECT_FALSE(data.Load("", true, false));
  EXPECT_FALSE(data.Load(folder.File("missing.dat").c_str(), true, false));

  // The file is opened without sharing: a program that holds it open keeps it from loading.
  FileHandle holder(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_FALSE(data.Load(path.c_str(), true, false));
  holder.reset();
  EXPECT_TRUE(data.Load(path.c_str(), true, false));
}

TEST(BinaryData, FileShorterThanAHeaderLeavesTheViewAlone) {
  test::TempFolder folder;
  DataHeaderTemplate header = TestTemplate();
  TBinaryData data;
  ASSERT_TRUE(data.CreateWithHeader(test::UniqueName("stub").c_str(), 2048, &header));
  std::string before = Bytes(data);
  std::string stub = before.substr(0, 1000);
  stub[900] = 'M';
  ASSERT_TRUE(test::WriteFileBytes(folder.File("stub.dat"), stub));
  EXPECT_FALSE(data.Load(folder.File("stub.dat").c_str(), true, false));
  EXPECT_EQ(Bytes(data), before);
}

}  // namespace
}  // namespace talo
