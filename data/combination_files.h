// Content file names in the current user data folder (the folder of TaloSettings).
#pragma once

namespace talo {

// The user data folder + the code as four upper-case hexadecimal digits + `extension` (".obj"),
// written into `path` of kPathCapacity bytes. Returns the length, or 0 with an empty path when
// there are no settings, the code is no combination code or the name does not fit.
int CombinationFileName(char* path, int code, const char* extension);

// True when the combination's file with `extension` exists and is not empty: stored content, which
// a failed reading must not take for missing.
bool CombinationFileHasContent(int code, const char* extension);

// What the combination's files on disk are now: their names, sizes and times, folded into one
// number that changes whenever any of them is written, made or deleted.
unsigned long long CombinationFilesStamp(int code);

// The user data folder + "Temp" + WorkingFileTag() + `extension`: the editor's working copy.
// Same failure rule.
int WorkingFileName(char* path, const char* extension);
// Eight hexadecimal digits that differ between running programs, on one machine or on several
// that share the folder: each program edits in working copies of its own.
const char* WorkingFileTag();
// Deletes this program's working copies from the user data folder.
void DeleteWorkingFiles();

}  // namespace talo
