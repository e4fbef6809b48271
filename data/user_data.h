// TTaloUserData: the user's status byte per combination in its shared view, kept in "User.dat".
#pragma once

#include "data/binary_data.h"

namespace talo {

// The hook library opens this view by name at this size.
inline constexpr char kUserDataViewName[] = "TALLOWWICKUSERDATA";
inline constexpr int kUserDataViewSize = 3072;
inline constexpr char kUserDataFileName[] = "User.dat";
inline constexpr char kUserBackupFileName[] = "User.bak";
inline constexpr DataFileKind kUserDataKind = {"USER", "User Data File ", 32};

// User status byte: the assignment kind in the low four bits, 0x10 enabled.
inline constexpr unsigned char kStatusEnabled = 0x10;
// Enabled and of some kind: the hook carries such an assignment out.
constexpr bool IsActiveStatus(unsigned char status) { return status > kStatusEnabled; }

class TTaloUserData : public TBinaryData {
 public:
  // Creates the shared view with the program's own header and every status byte 0.
  bool CreateView();
  // Loads "User.dat" from the user data folder. Only the identity is checked: a file written by
  // any product version is accepted and keeps its header.
  bool LoadFile(const char* folder);
  // Clears the attributes of "User.dat" (a read-only copy is overwritten too) and saves the view.
  bool SaveFile(const char* folder) const;
  // Copies "User.dat" over "User.bak".
  bool BackupFile(const char* folder) const;
  // True when "User.dat" exists in the folder as a file.
  bool FileExists(const char* folder) const;

  // The status byte of `code`; 0 and false unless the view is open at its size.
  bool GetStatus(unsigned char& status, int code) const;
  // Stores the byte in the shared view: the hook sees it at once, the disk with SaveFile.
  bool SetStatus(unsigned char status, int code);
};

// The program's user data of this run; set at start-up, null before and in other code's
// tests.
extern TTaloUserData* TaloUserData;

}  // namespace talo
