// The view a data file generator fills: the program's own header, under a name of the generator's
// own, so that a Tallowick running in the same session does not stop the build.
#pragma once

#include <windows.h>

#include <cstdio>

#include "data/binary_data.h"

namespace talo {

inline bool CreateGeneratorView(TBinaryData& view, const DataFileKind& kind, int size) {
  DataHeaderTemplate header;
  char name[64];
  std::snprintf(name, sizeof name, "TallowickGenerator%lu", GetCurrentProcessId());
  return ProgramHeaderTemplate(header, kind) && view.CreateWithHeader(name, size, &header);
}

}  // namespace talo
