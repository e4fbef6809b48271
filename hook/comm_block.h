// The communications block: the one named block through which the program tells every copy of the
// hook library the hook handle to chain to and the user data folder.
#pragma once

namespace talo {

inline constexpr char kCommBlockName[] = "TALLOWICK";
inline constexpr int kCommBlockSize = 1024;
// The installed system-wide hook as a 32-bit value; 0 while no hook is installed, which tells the
// hook library to let every key through untouched.
inline constexpr int kHookHandleOffset = 64;
// A count of the program's rewrites of the user data folder, as a 32-bit value: odd while the
// folder is being rewritten. A hook takes only a folder read between two equal even counts, so
// never one that is half written.
inline constexpr int kUserDirVersionOffset = 68;
// The user data folder: NUL-terminated, at most 799 characters, the rest of the field zero.
inline constexpr int kUserDirOffset = 224;
inline constexpr int kUserDirFieldSize = kCommBlockSize - kUserDirOffset;

// The hook library in the install folder and its exported hook procedure.
inline constexpr char kHookLibraryName[] = "Talospur.dll";
inline constexpr char kHookProcedureName[] = "KeyboardProc";

}  // namespace talo
