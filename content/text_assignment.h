// The combination's text assignment (".txt", no terminator). A text that the system code page
// holds exactly is stored in it, as every earlier copy of the program wrote and reads it; any
// other text as UTF-8 after the byte-order mark.
#pragma once

#include <string>

#include "content/content_limits.h"

namespace talo {

// The stored bytes as text: after the mark the UTF-8 when all of it is valid, else the code
// page's text (what the file meant before UTF-8 was stored); cut at a zero character and to
// kMaxTextLength, never inside a character. `whole` tells whether nothing was cut.
std::wstring DecodeTextAssignment(const std::string& bytes, bool* whole = nullptr);
// The bytes to store: the code page's when it holds the text exactly (and they do not begin like
// the mark), else the mark and UTF-8.
std::string EncodeTextAssignment(const std::wstring& text);

// Loading fails for a missing or empty file and for one with no readable text; `whole` is false
// for a text that was cut (a zero character, or longer than a box takes), which a save would cut
// too. Saving an empty text deletes the file; a failed write leaves the stored one.
bool LoadTextAssignment(std::wstring& text, int code, bool* whole = nullptr);
bool SaveTextAssignment(const std::wstring& text, int code);

}  // namespace talo
