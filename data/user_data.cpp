// TTaloUserData: the user's status byte per combination in its shared view, kept in "User.dat".
#include "data/user_data.h"

namespace talo {

bool TTaloUserData::CreateView() {
  return CreateProgramView(kUserDataViewName, kUserDataViewSize, kUserDataKind);
}

bool TTaloUserData::LoadFile(const char* folder) {
  return LoadFromFolder(folder, kUserDataFileName, true);
}

}  // namespace talo
