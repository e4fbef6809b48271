// A fresh folder under the system temporary folder, removed with its files at the end of a test.
#pragma once

#include <string>

namespace talo::test {

// Removes a folder (ending in a backslash) with everything in it, read-only files too.
void RemoveTree(const std::string& folder);

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in a backslash.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Whole-file helpers for building inputs and checking outputs.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace talo::test
