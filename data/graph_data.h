// TGraphicsData and TTaloGraphData: the picture table of the keyboard and its keys in a view.
#pragma once

#include "data/binary_data.h"

namespace talo {

// Only the main program uses this view.
inline constexpr char kGraphicsDataViewName[] = "TALLOWWICKGRAPHICSDATA";
inline constexpr int kGraphicsDataViewSize = 100196;
inline constexpr char kGraphicsDataFileName[] = "Graphics.dat";
inline constexpr DataFileKind kGraphicsDataKind = {"GRAPHICS", "Graphics Data File ", 28};

// A data file whose body is a table of 256 picture slots.
class TGraphicsData : public TBinaryData {};

class TTaloGraphData : public TGraphicsData {
 public:
  // Creates the shared view with the program's own header and an empty picture table.
  bool CreateView();
  // Loads "Graphics.dat" from the install folder; only a file of this very product version fits.
  bool LoadFile(const char* folder);
};

}  // namespace talo
