// Key combinations: the combination code, the status byte rules, display names and content file
// names.
//
// Compiled into the hook library too: nothing here throws, allocates or uses the C++ runtime.
#pragma once

namespace talo {

class TMappedView;

// A combination code holds the virtual-key code in bits 0-7 and the modifiers above it; left and
// right modifier keys are not told apart.
inline constexpr int kShiftBit = 0x100;
inline constexpr int kCtrlBit = 0x200;
inline constexpr int kAltBit = 0x400;
inline constexpr int kMaxCombinationCode = 2047;
inline constexpr int kCombinationCount = kMaxCombinationCode + 1;
inline constexpr int kModifierSetCount = 8;

// System and user data both keep one status byte per combination code, right after the header.
inline constexpr int kStatusTableOffset = 1024;
// The system data's key name table: one 16-byte NUL-padded entry per virtual-key code.
inline constexpr int kKeyNameTableOffset = 3072;
inline constexpr int kKeyNameEntrySize = 16;
inline constexpr int kMaxKeyNameChars = kKeyNameEntrySize - 1;
// The longest display name is the three prefixes plus a key name: 36 characters.
inline constexpr int kDisplayNameCapacity = 64;

// The low four bits of a user status byte; the kind also chooses the content file's extension.
enum class AssignmentKind : int {
  kNone = 0,
  kShellLink = 1,
  kProgramInformation = 2,
  kInternetShortcut = 3,
  kText = 8,
  kObject = 12,
};

inline constexpr AssignmentKind KindOfStatus(unsigned char user_status) {
  return static_cast<AssignmentKind>(user_status & 0x0F);
}

inline constexpr bool IsShortcutKind(AssignmentKind kind) {
  return kind == AssignmentKind::kShellLink || kind == AssignmentKind::kProgramInformation ||
         kind == AssignmentKind::kInternetShortcut;
}

// The content file extension with its dot, or null for "none" and for values that are no kind.
inline constexpr const char* AssignmentExtension(AssignmentKind kind) {
  switch (kind) {
    case AssignmentKind::kShellLink:
      return ".lnk";
    case AssignmentKind::kProgramInformation:
      return ".pif";
    case AssignmentKind::kInternetShortcut:
      return ".url";
    case AssignmentKind::kText:
      return ".txt";
    case AssignmentKind::kObject:
      return ".obj";
    default:
      return nullptr;
  }
}

// 0x00, 0x01, 0x10 and 0x11 are the only unavailable values: 0x20 and 0x21 are available.
inline constexpr bool IsAvailableStatus(unsigned char system_status) {
  return system_status > 0x11 || (system_status & 0x0F) > 1;
}

// Commonly used combinations are assignable but earn a warning in the main window.
inline constexpr bool IsCommonlyUsedStatus(unsigned char system_status) {
  return (system_status & 0x0F) == 2;
}

inline constexpr bool IsCombinationCode(int code) {
  return code >= 0 && code <= kMaxCombinationCode;
}

// The queries below read the system data view and fail, clearing their output, unless it is open
// at exactly its full size and the code is a combination code (or, for
// KeyHasAvailableCombination, a virtual-key code 0-255).

// The base key's name, at most 15 characters and never more than capacity - 1; returns its length.
int KeyName(const TMappedView& system_data, int code, char* name, int capacity);

// "Shift + ", "Ctrl + ", "Alt + " in that order, then the key name; empty when the key has no
// name, whatever the modifiers. Cut to capacity - 1 characters; returns the length.
int DisplayName(const TMappedView& system_data, int code, char* name, int capacity);

bool SystemStatus(const TMappedView& system_data, int code, unsigned char& status);
bool IsAvailable(const TMappedView& system_data, int code, bool& available);
// True in `available` when any of the key's eight modifier sets is available.
bool KeyHasAvailableCombination(const TMappedView& system_data, int virtual_key, bool& available);

// folder + the code as four upper-case hexadecimal digits + extension (the folder ends with a
// backslash); an empty extension gives the base name of the combination's files. Returns the
// length, or 0 with an empty `path` when the folder or extension is missing, the folder is empty,
// the code is no combination code, or the name would not fit in `capacity`.
int FormatCombinationFileName(char* path, int capacity, const char* folder, int code,
                              const char* extension);

// folder + "Temp" + tag + extension: the editor's working copy. Same failure rule.
int FormatWorkingFileName(char* path, int capacity, const char* folder, const char* tag,
                          const char* extension);

}  // namespace talo
