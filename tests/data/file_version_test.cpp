// Version resource strings read from real files: the test program itself and files without one.
#include "data/file_version.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "tests/support/temp_folder.h"

namespace talo {
namespace {

std::string OwnPath() {
  char path[772] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

struct Outputs {
  char text[kVersionStringCount][128];
  int length[kVersionStringCount];
  VersionStringRequest requests[kVersionStringCount];

  // Every entry requested, the buffers holding stale text.
  Outputs() {
    for (int entry = 0; entry < kVersionStringCount; ++entry) {
      std::strcpy(text[entry], "stale");
      length[entry] = 5;
      requests[entry] = {text[entry], sizeof text[entry], &length[entry]};
    }
  }
  void ExpectEmptied() const {
    for (int entry = 0; entry < kVersionStringCount; ++entry) {
      EXPECT_STREQ(text[entry], "") << entry;
      EXPECT_EQ(length[entry], 0) << entry;
    }
  }
};

TEST(FileVersionStrings, ReadsAllEightEntriesOfTheProgramsOwnResource) {
  Outputs out;
  ASSERT_TRUE(GetFileVersionStrings(OwnPath().c_str(), out.requests));
  const char* expected[kVersionStringCount] = {};
  expected[kCompanyName] = "Quintavel Software";
  expected[kLegalCopyright] = "Copyright (C) 2026 Quintavel Software";
  expected[kFileDescription] = "Tallowick key combination assignments";
  expected[kFileVersion] = "0.1.0.0";
  expected[kInternalName] = "Talowick";
  expected[kOriginalFilename] = "Talowick.exe";
  expected[kProductName] = "Quintavel Tallowick";
  expected[kProductVersion] = "0.1.0.0";
  for (int entry = 0; entry < kVersionStringCount; ++entry) {
    EXPECT_STREQ(out.text[entry], expected[entry]);
    EXPECT_EQ(out.length[entry], int(std::strlen(expected[entry])));
  }
}

TEST(FileVersionStrings, OnlyRequestedEntriesAreWrittenAndLongTextsAreCut) {
  char product[4] = "";
  int product_length = -1;
  char legal[64] = "";
  int legal_length = -1;
  VersionStringRequest requests[kVersionStringCount] = {};
  requests[kProductVersion] = {product, sizeof product, &product_length};
  requests[kLegalCopyright] = {legal, sizeof legal, &legal_length};
  ASSERT_TRUE(GetFileVersionStrings(OwnPath().c_str(), requests));
  EXPECT_STREQ(product, "0.1");
  EXPECT_EQ(product_length, 3);
  EXPECT_STREQ(legal, "Copyright (C) 2026 Quintavel Software");
  EXPECT_EQ(legal_length, 37);
}

TEST(FileVersionStrings, FileWithoutVersionResourceEmptiesEveryOutput) {
  test::TempFolder folder;
  ASSERT_TRUE(test::WriteFileBytes(folder.File("plain.txt"), "no resources here"));
  for (const std::string& file : {folder.File("plain.txt"), folder.File("missing.exe")}) {
    SCOPED_TRACE(file);
    Outputs out;
    EXPECT_FALSE(GetFileVersionStrings(file.c_str(), out.requests));
    out.ExpectEmptied();
  }
}

TEST(FileVersionStrings, MalformedOrEmptyRequestsFailAndEmptyTheOthers) {
  {
    Outputs out;
    out.requests[kProductName].length = nullptr;  // a text without a length
    EXPECT_FALSE(GetFileVersionStrings(OwnPath().c_str(), out.requests));
    out.length[kProductName] = 0;  // not handed over, so not the function's to clear
    out.ExpectEmptied();
  }
  {
    Outputs out;
    out.requests[kInternalName].text = nullptr;  // a length without a text
    EXPECT_FALSE(GetFileVersionStrings(OwnPath().c_str(), out.requests));
    std::strcpy(out.text[kInternalName], "");  // not handed over, so not the function's to clear
    out.ExpectEmptied();
  }
  VersionStringRequest none[kVersionStringCount] = {};
  EXPECT_FALSE(GetFileVersionStrings(OwnPath().c_str(), none));
  Outputs out;
  EXPECT_FALSE(GetFileVersionStrings(nullptr, out.requests));
  out.ExpectEmptied();
}

}  // namespace
}  // namespace talo
