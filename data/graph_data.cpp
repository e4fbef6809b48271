// TGraphicsData and TTaloGraphData: the picture table of the keyboard and its keys in a view.
#include "data/graph_data.h"

namespace talo {

bool TTaloGraphData::CreateView() {
  return CreateProgramView(kGraphicsDataViewName, kGraphicsDataViewSize, kGraphicsDataKind);
}

bool TTaloGraphData::LoadFile(const char* folder) {
  return LoadFromFolder(folder, kGraphicsDataFileName, false);
}

}  // namespace talo
