// Key combinations: display names, system status queries and content file names.
#include "data/combination.h"

#include "base/text.h"
#include "data/mapped_view.h"
#include "data/sys_data.h"

namespace talo {
namespace {

// The system data bytes, or null unless the view is open at exactly the system data size: a view
// of another size is some other block, and its offsets mean nothing here.
const unsigned char* SystemTables(const TMappedView& system_data) {
  return system_data.IsOpenWithSize(kSystemDataViewSize) ? system_data.View() : nullptr;
}

int ClearText(char* text, int capacity) {
  CopyText(text, capacity, "");
  return 0;
}

// folder + middle + extension, or an empty text when a part is missing or the whole does not fit.
int JoinFileName(char* path, int capacity, const char* folder, const char* middle,
                 const char* extension) {
  ClearText(path, capacity);
  // An empty extension is allowed: it gives the base name of a combination's files.
  if (!path || capacity <= 0 || !folder || !folder[0] || !extension) return 0;
  int length = BoundedLength(folder, capacity) + BoundedLength(middle, capacity) +
               BoundedLength(extension, capacity);
  if (length >= capacity) return 0;
  CopyText(path, capacity, folder);
  AppendText(path, capacity, middle);
  return AppendText(path, capacity, extension);
}

}  // namespace

int KeyName(const TMappedView& system_data, int code, char* name, int capacity) {
  const unsigned char* tables = SystemTables(system_data);
  if (!tables || !IsCombinationCode(code)) return ClearText(name, capacity);
  const char* entry = reinterpret_cast<const char*>(tables) + kKeyNameTableOffset +
                      (code & 0xFF) * kKeyNameEntrySize;
  // A damaged entry of 16 non-NUL bytes is cut to its first 15.
  return CopyText(name, capacity, entry, kMaxKeyNameChars);
}

int DisplayName(const TMappedView& system_data, int code, char* name, int capacity) {
  char key_name[kKeyNameEntrySize];
  if (KeyName(system_data, code, key_name, sizeof key_name) == 0) return ClearText(name, capacity);
  ClearText(name, capacity);
  if (code & kShiftBit) AppendText(name, capacity, "Shift + ");
  if (code & kCtrlBit) AppendText(name, capacity, "Ctrl + ");
  if (code & kAltBit) AppendText(name, capacity, "Alt + ");
  return AppendText(name, capacity, key_name);
}

bool SystemStatus(const TMappedView& system_data, int code, unsigned char& status) {
  status = 0;
  const unsigned char* tables = SystemTables(system_data);
  if (!tables || !IsCombinationCode(code)) return false;
  status = tables[kStatusTableOffset + code];
  return true;
}

bool IsAvailable(const TMappedView& system_data, int code, bool& available) {
  unsigned char status;
  bool read = SystemStatus(system_data, code, status);
  available = read && IsAvailableStatus(status);
  return read;
}

bool KeyHasAvailableCombination(const TMappedView& system_data, int virtual_key, bool& available) {
  available = false;
  if (!SystemTables(system_data) || virtual_key < 0 || virtual_key > 0xFF) return false;
  for (int modifiers = 0; modifiers < kModifierSetCount && !available; ++modifiers)
    IsAvailable(system_data, (modifiers << 8) | virtual_key, available);
  return true;
}

int FormatCombinationFileName(char* path, int capacity, const char* folder, int code,
                              const char* extension) {
  if (!IsCombinationCode(code)) return ClearText(path, capacity);
  static const char kHexDigits[] = "0123456789ABCDEF";
  const char digits[] = {kHexDigits[(code >> 12) & 0xF], kHexDigits[(code >> 8) & 0xF],
                         kHexDigits[(code >> 4) & 0xF], kHexDigits[code & 0xF], '\0'};
  return JoinFileName(path, capacity, folder, digits, extension);
}

int FormatWorkingFileName(char* path, int capacity, const char* folder, const char* tag,
                          const char* extension) {
  char name[16];
  if (!tag || CopyText(name, sizeof name, "Temp") + BoundedLength(tag, sizeof name) >= int(sizeof name))
    return ClearText(path, capacity);
  AppendText(name, sizeof name, tag);
  return JoinFileName(path, capacity, folder, name, extension);
}

}  // namespace talo
