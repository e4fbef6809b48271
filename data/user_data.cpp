// TTaloUserData: the user's status byte per combination in its shared view, kept in "User.dat".
#include "data/user_data.h"

#include <windows.h>

#include <algorithm>

#include "data/combination.h"
#include "data/file_lock.h"
#include "data/file_replace.h"

namespace talo {
namespace {

bool IsHeldError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

TTaloUserData::FileRead TTaloUserData::ReadFileStart(const char* path,
                                                     std::vector<unsigned char>& bytes,
                                                     int wait_ms) {
  constexpr int kStepMs = 50;
  const DWORD start = GetTickCount();
  FileHandle file;
  for (;;) {
    file.reset(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) break;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileRead::kMissing;
    if (!IsHeldError(error) || static_cast<int>(GetTickCount() - start) >= wait_ms)
      return FileRead::kHeld;
    Sleep(kStepMs);
  }
  DWORD total = 0;
  while (total < bytes.size()) {
    DWORD arrived = 0;
    if (!ReadFile(file.get(), bytes.data() + total, DWORD(bytes.size()) - total, &arrived, nullptr))
      return FileRead::kHeld;
    if (arrived == 0) return FileRead::kDamaged;
    total += arrived;
  }
  return FileRead::kRead;
}

TTaloUserData* TaloUserData = nullptr;

bool TTaloUserData::CreateView() {
  saved_.clear();
  return CreateProgramView(kUserDataViewName, kUserDataViewSize, kUserDataKind);
}

bool TTaloUserData::NameFiles(const char* folder, FolderFiles& files) const {
  return View() && FolderFilePath(files.data, folder, kUserDataFileName) &&
         FolderFilePath(files.backup, folder, kUserBackupFileName) &&
         FolderFilePath(files.lock, folder, kUserLockFileName);
}

TTaloUserData::FileRead TTaloUserData::ReadOurs(const char* path, std::vector<unsigned char>& bytes,
                                                int wait_ms) const {
  bytes.assign(Size(), 0);
  const FileRead read = ReadFileStart(path, bytes, wait_ms);
  return read == FileRead::kRead && !HeaderMatches(bytes.data(), true) ? FileRead::kDamaged : read;
}

TTaloUserData::Opened TTaloUserData::OpenFile(const char* folder) {
  FolderFiles files;
  if (!NameFiles(folder, files)) return Opened::kHeld;
  // Taken when it can be: the file is then never read halfway through another program's save. A
  // folder where the lock cannot be made (read-only) is read all the same.
  const FileHandle turn = LockFileExclusively(files.lock, kUserFileWaitMs);

  std::vector<unsigned char> bytes;
  Opened opened = Opened::kLoaded;
  switch (ReadOurs(files.data, bytes, kUserFileWaitMs)) {
    case FileRead::kRead:
      break;
    case FileRead::kMissing:
      return Opened::kMissing;
    case FileRead::kHeld:
      return Opened::kHeld;
    case FileRead::kDamaged:
      if (ReadOurs(files.backup, bytes, 0) != FileRead::kRead) return Opened::kDamaged;
      opened = Opened::kRestored;
      break;
  }
  std::copy(bytes.begin(), bytes.end(), View());
  saved_ = bytes;
  return opened;
}

bool TTaloUserData::SaveFile(const char* folder) {
  FolderFiles files;
  if (!NameFiles(folder, files)) return false;
  const FileHandle turn = LockFileExclusively(files.lock, kUserFileWaitMs);
  if (!turn) return false;

  std::vector<unsigned char> stored;
  const FileRead read = ReadOurs(files.data, stored, kUserFileWaitMs);
  if (read == FileRead::kHeld) return false;

  std::vector<unsigned char> merged(View(), View() + Size());
  if (read == FileRead::kRead) {
    if (saved_.size() == merged.size()) {
      for (size_t i = 0; i < merged.size(); ++i)
        if (merged[i] == saved_[i]) merged[i] = stored[i];
    }
    // A failed backup does not stop the save: the file it would copy stays until replaced.
    ReplaceFileContents(files.backup, stored.data(), Size(), true);
  }
  if (!ReplaceFileContents(files.data, merged.data(), Size(), read != FileRead::kMissing))
    return false;
  // Another program's saved bytes come into the view: the hook acts on them from now on.
  std::copy(merged.begin(), merged.end(), View());
  saved_ = merged;
  return true;
}

bool TTaloUserData::Refresh(const char* folder) {
  FolderFiles files;
  WIN32_FILE_ATTRIBUTE_DATA found;
  if (saved_.size() != size_t(Size()) || !NameFiles(folder, files) ||
      !GetFileAttributesExA(files.data, GetFileExInfoStandard, &found) ||
      CompareFileTime(&found.ftLastWriteTime, &seen_write_time_) == 0)
    return false;
  // Another program's save in progress is looked at again next time.
  const FileHandle turn = LockFileExclusively(files.lock, 0);
  std::vector<unsigned char> stored;
  if (!turn || ReadOurs(files.data, stored, 0) != FileRead::kRead) return false;
  seen_write_time_ = found.ftLastWriteTime;
  bool changed = false;
  for (int i = 0; i < Size(); ++i) {
    if (View()[i] == saved_[i] && stored[i] != saved_[i]) {
      View()[i] = stored[i];
      changed = true;
    }
  }
  saved_ = stored;
  return changed;
}

void TTaloUserData::MarkSaved() {
  if (View()) saved_.assign(View(), View() + Size());
}

TTaloUserData::Copy TTaloUserData::TakeCopy() const {
  Copy copy;
  if (View()) copy.view.assign(View(), View() + Size());
  copy.saved = saved_;
  return copy;
}

void TTaloUserData::PutBack(const Copy& copy) {
  if (!View() || copy.view.size() != size_t(Size())) return;
  std::copy(copy.view.begin(), copy.view.end(), View());
  saved_ = copy.saved;
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
