// TTaloSysData: the shipped system data (status bytes and key names) in its shared view.
#pragma once

#include "data/binary_data.h"

namespace talo {

// The hook library opens this view by name at this size.
inline constexpr char kSystemDataViewName[] = "TALLOWWICKSYSTEMDATA";
inline constexpr int kSystemDataViewSize = 7168;
inline constexpr char kSystemDataFileName[] = "System.dat";
inline constexpr DataFileKind kSystemDataKind = {"SYSTEM", "System Data File ", 30};

class TTaloSysData : public TBinaryData {
 public:
  // Creates the shared view with the program's own header and an empty body.
  bool CreateView();
  // Loads "System.dat" from the install folder; only a file of this very product version fits
  // the tables the program was built for.
  bool LoadFile(const char* folder);
};

// The program's system data of this run; set at start-up, null before and in other code's
// tests.
extern TTaloSysData* TaloSysData;

}  // namespace talo
