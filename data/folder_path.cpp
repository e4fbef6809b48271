// Trimming and normalising of folder texts.
#include "data/folder_path.h"

#include "base/text.h"

namespace talo {
namespace {

bool IsBlank(char c) {
  unsigned char code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The length of the name at the start of `text`, up to a separator or the end.
int NameLength(const char* text) {
  int length = 0;
  while (text[length] && !IsSeparator(text[length])) ++length;
  return length;
}

}  // namespace

int TrimmedRange(const char* text, const char** start) {
  if (!text) {
    if (start) *start = "";
    return 0;
  }
  while (IsBlank(*text)) ++text;
  int length = 0;
  while (text[length]) ++length;
  while (length > 0 && IsBlank(text[length - 1])) --length;
  if (start) *start = text;
  return length;
}

int NormaliseFolderPath(char* target, int capacity, const char* source) {
  if (!target || capacity <= 0) return 0;
  const char* start = nullptr;
  int length = TrimmedRange(source, &start);
  bool ends_with_separator = length > 0 && (start[length - 1] == '\\' || start[length - 1] == '/');
  int needed = length + (ends_with_separator ? 0 : 1);
  // A cut folder would name another place, so a folder that does not fit is refused whole.
  if (needed > capacity - 1) {
    target[0] = '\0';
    return 0;
  }
  CopyText(target, capacity, start, length);
  if (!ends_with_separator) AppendText(target, capacity, "\\");
  return needed;
}

bool IsAbsoluteFolder(const char* folder) {
  if (!folder) return false;
  const char drive = folder[0];
  if (((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) && folder[1] == ':')
    return IsSeparator(folder[2]);
  if (!IsSeparator(folder[0]) || !IsSeparator(folder[1])) return false;
  const char* server = folder + 2;
  const int server_length = NameLength(server);
  return server_length > 0 && IsSeparator(server[server_length]) &&
         NameLength(server + server_length + 1) > 0;
}

}  // namespace talo
