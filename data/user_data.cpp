// TTaloUserData: the user's status byte per combination in its shared view, kept in "User.dat".
#include "data/user_data.h"

#include <windows.h>

#include "data/combination.h"
#include "data/user_folder.h"

namespace talo {

TTaloUserData* TaloUserData = nullptr;

bool TTaloUserData::CreateView() {
  return CreateProgramView(kUserDataViewName, kUserDataViewSize, kUserDataKind);
}

bool TTaloUserData::LoadFile(const char* folder) {
  return LoadFromFolder(folder, kUserDataFileName, true);
}

bool TTaloUserData::SaveFile(const char* folder) const {
  char path[kPathCapacity];
  if (!FolderFilePath(path, folder, kUserDataFileName)) return false;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  return Save(path);
}

bool TTaloUserData::BackupFile(const char* folder) const {
  char data_path[kPathCapacity];
  char backup_path[kPathCapacity];
  if (!FolderFilePath(data_path, folder, kUserDataFileName) ||
      !FolderFilePath(backup_path, folder, kUserBackupFileName))
    return false;
  SetFileAttributesA(backup_path, FILE_ATTRIBUTE_NORMAL);
  return CopyFileA(data_path, backup_path, FALSE) != FALSE;
}

bool TTaloUserData::FileExists(const char* folder) const {
  char path[kPathCapacity];
  return FolderFilePath(path, folder, kUserDataFileName) && PathExists(path, false, false);
}

bool TTaloUserData::GetStatus(unsigned char& status, int code) const {
  status = 0;
  if (!IsOpenWithSize(kUserDataViewSize) || !IsCombinationCode(code)) return false;
  status = View()[kStatusTableOffset + code];
  return true;
}

bool TTaloUserData::SetStatus(unsigned char status, int code) {
  if (!IsOpenWithSize(kUserDataViewSize) || !IsCombinationCode(code)) return false;
  View()[kStatusTableOffset + code] = status;
  return true;
}

}  // namespace talo
