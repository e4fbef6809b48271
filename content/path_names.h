// The parts of a path that the editor names shortcuts by, and a folder made ready for a name.
#pragma once

#include <string>

namespace talo {

// Each result is trimmed of characters 1 to 32 at both ends.
// The text after the last '\', then after the last ':'; the whole path when neither occurs.
std::string FileNamePart(const char* path);
// FileNamePart without its last '.' and what follows.
std::string FileTitle(const char* path);
// "." and the text after the last '.' of FileNamePart, in the path's own case; "" without one.
std::string FileExtension(const char* path);
// The trimmed folder with a '\' appended unless it ends in '\' or '/'; an empty folder stays
// empty with `keep_empty`, else becomes "\".
std::string AddTrailingBackslash(const char* folder, bool keep_empty);

}  // namespace talo
