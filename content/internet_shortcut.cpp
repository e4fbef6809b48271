// Internet shortcut files: their URL and description values, kept whole or refused.
#include "content/internet_shortcut.h"

#include <windows.h>

#include <cstring>

#include "base/text.h"

namespace talo {
namespace {

constexpr char kUrlSection[] = "InternetShortcut";

// A value the profile functions cannot keep whole is refused: a line break would start a new key
// in the file, and a value longer than the read buffer would come back cut.
bool IsStorableValue(const char* value) {
  return BoundedLength(value, kPathCapacity) < kPathCapacity && !std::strpbrk(value, "\r\n");
}

bool ReadUrlValue(const char* file, const char* key, std::string& value) {
  // One character more than a path buffer holds tells a value that fits from one that was cut.
  char buffer[kPathCapacity + 1];
  const DWORD length = GetPrivateProfileStringA(kUrlSection, key, "", buffer, sizeof buffer, file);
  if (length == 0 || length > kPathCapacity - 1) return false;
  value.assign(buffer, length);
  return true;
}

bool WriteUrlValue(const char* file, const char* key, const char* value) {
  return IsStorableValue(value) &&
         WritePrivateProfileStringA(kUrlSection, key, value, file) != FALSE;
}

}  // namespace

bool WriteInternetShortcut(const char* file, const char* address, const char* description) {
  if (!file || !file[0] || !address || !address[0] || !WriteUrlValue(file, "URL", address))
    return false;
  return !description || !description[0] || WriteUrlValue(file, "Description", description);
}

bool ReadInternetShortcut(const char* file, std::string* address, std::string* description) {
  if (address) address->clear();
  if (description) description->clear();
  if (!file || !file[0] || (!address && !description)) return false;
  if ((!address || ReadUrlValue(file, "URL", *address)) &&
      (!description || ReadUrlValue(file, "Description", *description)))
    return true;
  if (address) address->clear();
  if (description) description->clear();
  return false;
}

bool UpdateInternetShortcut(const char* file, const char* address, const char* description) {
  const bool has_address = address && address[0];
  const bool has_description = description && description[0];
  if (!file || !file[0] || (!has_address && !has_description)) return false;
  if (has_address && !WriteUrlValue(file, "URL", address)) return false;
  return !has_description || WriteUrlValue(file, "Description", description);
}

bool HasInternetShortcutAddress(const char* file) {
  // A URL longer than the buffer is read cut, which is no harm here: only its presence counts.
  char address[2];
  return GetPrivateProfileStringA(kUrlSection, "URL", "", address, sizeof address, file) != 0;
}

}  // namespace talo
