// The list of readers and the scratch files they share.
#include <windows.h>

#include "tests/fuzz/fuzz_reader.h"
#include "tests/support/temp_folder.h"

namespace talo::fuzz {

const std::vector<ReaderEntry>& AllReaders() {
  static const std::vector<ReaderEntry> readers = {
      {"system-data", MakeSystemDataReader},
      {"user-data", MakeUserDataReader},
      {"graph-data", MakeGraphDataReader},
      {"picture", MakePictureReader},
      {"title-file", MakeTitleReader},
      {"object-bitmap", MakeObjectBitmapReader},
      {"object-metafile", MakeObjectMetafileReader},
      {"object-file-list", MakeObjectFileListReader},
      {"object-text", MakeObjectTextReader},
      {"object-preview", MakePreviewReader},
      {"clipboard-restore", MakeClipboardRestoreReader},
      {"text-copy", MakeTextCopyReader},
      {"text-assignment", MakeTextAssignmentReader},
      {"keyboard-proc", MakeKeyboardProcReader},
      {"settings", MakeSettingsReader},
      {"command-line", MakeCommandLineReader},
      {"shell-link", MakeShellLinkReader},
      {"internet-shortcut", MakeInternetShortcutReader},
      {"shortcut-preview", MakeShortcutPreviewReader},
      {"hook-shortcut", MakeHookShortcutReader},
      {"file-list-paste", MakeFileListPasteReader},
  };
  return readers;
}

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "talo-fuzz-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\";
  }();
  return folder;
}

bool WriteInputFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  const DWORD size = GetFileSize(file, nullptr);
  DWORD got = 0;
  if (size != INVALID_FILE_SIZE) {
    bytes.resize(size);
    if (!ReadFile(file, &bytes[0], size, &got, nullptr) || got != size) bytes.clear();
  }
  CloseHandle(file);
  return bytes;
}

void RemoveScratchFolder() { test::RemoveTree(ScratchFolder()); }

}  // namespace talo::fuzz
