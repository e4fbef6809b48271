// The combination's text assignment (".txt", no terminator). A text that the system code page
// holds exactly is stored in it, as every earlier copy of the program wrote and reads it; any
// other text as UTF-8 after the byte-order mark.
#pragma once

#include <string>

#include "content/content_limits.h"

namespace talo {

// The stored bytes as text: after the mark the valid start of the UTF-8, else the code page's
// text; cut to kMaxTextLength, never inside a character.
std::wstring DecodeTextAssignment(const std::string& bytes);
// The bytes to store: the code page's when it holds the text exactly (and they do not begin like
// the mark), else the mark and UTF-8.
std::string EncodeTextAssignment(const std::wstring& text);

// Loading fails for a missing or empty file and for one with no readable text; saving an empty
// text deletes the file, as does a failed write.
bool LoadTextAssignment(std::wstring& text, int code);
bool SaveTextAssignment(const std::wstring& text, int code);

}  // namespace talo
