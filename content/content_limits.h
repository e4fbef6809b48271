// The largest content files the editor writes, and so the largest that the editor and the hook
// read: a file beyond its limit is refused before anything is allocated for it.
//
// Compiled into the hook library too, where a file is read on the input thread of the application
// the user is typing in.
#pragma once

#include <windows.h>

#include "data/combination.h"

namespace talo {

// The editor's text box takes no more than this many UTF-16 units.
inline constexpr DWORD kMaxTextLength = 0xFFFE;
// A whole box of text in a double-byte code page, or in UTF-8 (at most 3 bytes a UTF-16 unit)
// after the 3-byte mark.
inline constexpr DWORD kMaxTextFileSize = 3 + 3 * kMaxTextLength;
// A clipboard snapshot: the formats that fit into this many bytes, in the clipboard's order (a
// 3840 x 2160 picture as a DIB and a DIBV5 takes 66 MB).
inline constexpr DWORD kMaxObjectFileSize = 128 << 20;
// Links are a few kilobytes; a program information file is smaller still.
inline constexpr DWORD kMaxShellLinkFileSize = 1 << 20;
// An internet shortcut is a short text of a section and a few keys.
inline constexpr DWORD kMaxInternetShortcutFileSize = 64 << 10;

inline constexpr DWORD MaxContentFileSize(AssignmentKind kind) {
  switch (kind) {
    case AssignmentKind::kShellLink:
    case AssignmentKind::kProgramInformation:
      return kMaxShellLinkFileSize;
    case AssignmentKind::kInternetShortcut:
      return kMaxInternetShortcutFileSize;
    case AssignmentKind::kText:
      return kMaxTextFileSize;
    case AssignmentKind::kObject:
      return kMaxObjectFileSize;
    default:
      return 0;
  }
}

}  // namespace talo
