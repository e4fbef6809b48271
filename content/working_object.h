// The assignment editor's working object file ("Temp" + the program's tag + ".obj" in the user
// data folder) and its commitment to a combination's object file.
#pragma once

namespace talo {

// Captures the clipboard into the working file.
bool CaptureWorkingObject();

// With `restore` on, puts the working file's formats on the clipboard; off: nothing, and false.
bool RestoreWorkingObject(bool restore);

// With `keep`, copies the working file over the combination's object file; without, deletes the
// combination's file. Any failure leaves no combination file. True when the copy succeeded or
// `keep` was off.
bool CommitObject(int code, bool keep);

}  // namespace talo
