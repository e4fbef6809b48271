// TTaloUserData: the user's status byte per combination in its shared view, kept in "User.dat".
#pragma once

#include "data/binary_data.h"

namespace talo {

// The hook library opens this view by name at this size.
inline constexpr char kUserDataViewName[] = "TALLOWWICKUSERDATA";
inline constexpr int kUserDataViewSize = 3072;
inline constexpr char kUserDataFileName[] = "User.dat";
inline constexpr DataFileKind kUserDataKind = {"USER", "User Data File ", 32};

class TTaloUserData : public TBinaryData {
 public:
  // Creates the shared view with the program's own header and every status byte 0.
  bool CreateView();
  // Loads "User.dat" from the user data folder. Only the identity is checked: a file written by
  // any product version is accepted and keeps its header.
  bool LoadFile(const char* folder);
};

}  // namespace talo
