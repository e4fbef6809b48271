// Which clipboard formats an object file keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include "content/clipboard_object.h"

namespace talo {
namespace {

TEST(StorableFormat, PredefinedFormatsByTheirMeaningOutsideTheOwner) {
  for (unsigned format :
       {0u, 2u, 3u, 9u, 0x80u, 0x81u, 0x82u, 0x83u, 0x8Eu, 0x200u, 0x2FFu, 0x300u, 0x3FFu}) {
    SCOPED_TRACE(format);
    EXPECT_FALSE(IsStorableFormat(format));
  }
  for (unsigned format :
       {1u, 4u, 5u, 6u, 7u, 8u, 10u, 11u, 12u, 13u, 14u, 15u, 16u, 17u, 0x1FFu, 0x400u}) {
    SCOPED_TRACE(format);
    EXPECT_TRUE(IsStorableFormat(format));
  }
}

TEST(StorableFormat, LiveOnlyRegisteredFormatsInAnyLetterCaseAreNotStored) {
  for (const char* name : {"DataObject", "dataobject", "DATAOBJECT", "dAtAoBjEcT", "DaliSprites",
                           "DALISPRITES", "OwnerLink", "ownerlink"}) {
    SCOPED_TRACE(name);
    const UINT format = RegisterClipboardFormatA(name);
    ASSERT_NE(format, 0u);
    EXPECT_FALSE(IsStorableFormat(format));
  }
  for (const char* name : {"Rich Text Format", "HTML Format", "DataObjects", "Data Object",
                           "OwnerLink2", "Talo Test Format"}) {
    SCOPED_TRACE(name);
    const UINT format = RegisterClipboardFormatA(name);
    ASSERT_NE(format, 0u);
    EXPECT_TRUE(IsStorableFormat(format));
  }
}

}  // namespace
}  // namespace talo
