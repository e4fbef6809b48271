// The guard in front of the shell's icon code: which files named for a picture it may read, and
// how the preview asks for the picture of the others.
#pragma once

#include "base/unique.h"

namespace talo {

// Where a file named for a picture lies, which decides how the shell may be asked for it.
enum class IconSourcePlace {
  // A full path on a drive of this machine: the file is checked, then read.
  kLocal,
  // A UNC path (also "\\?\" and "\\.\" names) or a drive the system calls remote: the editor
  // would connect there just to draw a picture. The file is never opened; the shell pictures it
  // by its name alone, where it can without reading it (PictureLivesInFile).
  kNetwork,
  // Not a full path: the shell's icon extraction would search the program's, the current, the
  // system and the PATH folders for it, which are not the file that could be checked. Not
  // pictured.
  kUnqualified,
};
IconSourcePlace PlaceOfIconSource(const char* path);

// True when the shell takes the picture of a file named like `path` from the file itself, even
// when asked by name and attributes alone (SHGFI_USEFILEATTRIBUTES): the DefaultIcon of the type
// that the registry gives its extension, or of the extension itself, names "%1".
bool PictureLivesInFile(const char* path);

// Opens the local file `path` when the shell's icon extraction of picture `index` may read it:
// a disk file (no device), which must pass IsWholeIconFile when it starts like an icon or cursor
// file and IsWholeExecutableIcon when it starts with "MZ"; the shell reads no other file as an
// icon container. `hold` keeps it open, sharing it with readers only, so that nobody changes,
// replaces or deletes the checked bytes before the shell has read them; it stays empty for a
// refused file or one that another program has open for writing.
bool HoldCheckedIconSource(const char* path, int index, FileHandle& hold);

}  // namespace talo
