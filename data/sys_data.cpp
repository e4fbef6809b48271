// TTaloSysData: the shipped system data (status bytes and key names) in its shared view.
#include "data/sys_data.h"

namespace talo {

TTaloSysData* TaloSysData = nullptr;

bool TTaloSysData::CreateView() {
  return CreateProgramView(kSystemDataViewName, kSystemDataViewSize, kSystemDataKind);
}

bool TTaloSysData::LoadFile(const char* folder) {
  return LoadFromFolder(folder, kSystemDataFileName, false);
}

}  // namespace talo
