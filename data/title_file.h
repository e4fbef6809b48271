// The title (description) of a combination's assignment: one line in "<code>.dat" of the user
// data folder.
#pragma once

namespace talo {

inline constexpr int kTitleCapacity = 256;  // 255 characters and a terminator
inline constexpr char kTitleExtension[] = ".dat";

// Reads the first line of the title file into `title` (kTitleCapacity bytes); returns its length.
// A missing file, a read error or an empty line give 0 and an empty title.
int ReadTitleFile(const char* path, char* title);
// Writes the first 255 characters of `title` and CR LF, replacing the file; an empty title deletes
// it. On failure no file remains.
bool WriteTitleFile(const char* path, const char* title);

// The same for combination `code` in the current user data folder.
int ReadTitle(int code, char* title);
bool WriteTitle(int code, const char* title);

}  // namespace talo
