// IsStorableFormat: which clipboard formats an object file keeps.
#include <windows.h>

#include "content/clipboard_object.h"

namespace talo {
namespace {

// Registered formats that only make sense while their owner runs.
const char* const kLiveOnlyFormatNames[] = {"DaliSprites", "DataObject", "OwnerLink"};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
  return *a == *b;
}

bool IsLiveOnlyRegisteredFormat(unsigned int format) {
  char name[1024];
  if (GetClipboardFormatNameA(format, name, sizeof name) <= 0) return false;
  for (const char* live_only : kLiveOnlyFormatNames)
    if (EqualIgnoringCase(name, live_only)) return true;
  return false;
}

}  // namespace

bool IsStorableFormat(unsigned int format) {
  switch (format) {
    case 0:
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_OWNERDISPLAY:
    case CF_DSPTEXT:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return false;
    default:
      break;
  }
  if (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST) return false;
  return !IsLiveOnlyRegisteredFormat(format);
}

}  // namespace talo
