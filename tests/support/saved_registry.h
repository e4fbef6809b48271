// Registry state for tests: snapshots restored at the end of a test, and plain reads and writes
// that do not go through the code under test.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace talo::test {

// Keeps a whole key (values and subkeys, or its absence) and puts it back as it was on destruction.
class SavedRegistryKey {
 public:
  SavedRegistryKey(HKEY root, const std::string& subkey);
  ~SavedRegistryKey();
  SavedRegistryKey(const SavedRegistryKey&) = delete;
  SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;

  struct Node;

 private:
  HKEY root_;
  std::string subkey_;
  std::unique_ptr<Node> saved_;  // null when the key did not exist
};

// Keeps one value (or its absence) and puts it back on destruction; the key itself is left alone.
class SavedRegistryValue {
 public:
  SavedRegistryValue(HKEY root, const std::string& subkey, const std::string& name);
  ~SavedRegistryValue();
  SavedRegistryValue(const SavedRegistryValue&) = delete;
  SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

 private:
  HKEY root_;
  std::string subkey_, name_;
  bool existed_ = false;
  DWORD type_ = REG_NONE;
  std::string data_;
};

// While it lives, a key (which must exist) grants everyone reading only: opening it for setting
// or deleting values is refused. Its former access list is put back on destruction.
class DeniedKeyWrites {
 public:
  DeniedKeyWrites(HKEY root, const std::string& subkey);
  ~DeniedKeyWrites();
  DeniedKeyWrites(const DeniedKeyWrites&) = delete;
  DeniedKeyWrites& operator=(const DeniedKeyWrites&) = delete;

  bool Active() const { return active_; }

 private:
  HKEY root_;
  std::string subkey_;
  std::string saved_descriptor_;
  bool active_ = false;
};

// Plain registry access for arranging and checking tests.
bool RegistryValueExists(HKEY root, const std::string& subkey, const std::string& name);
bool ReadRegistryDword(HKEY root, const std::string& subkey, const std::string& name, DWORD* value);
std::string ReadRegistryText(HKEY root, const std::string& subkey, const std::string& name);
// The raw bytes of a value and its type (REG_NONE when absent).
std::string ReadRegistryBytes(HKEY root, const std::string& subkey, const std::string& name,
                              DWORD* type);
bool WriteRegistryValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type,
                        const std::string& bytes);
bool WriteRegistryDword(HKEY root, const std::string& subkey, const std::string& name, DWORD value);
bool WriteRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                       const std::string& text);
bool DeleteRegistryValue(HKEY root, const std::string& subkey, const std::string& name);
// Deletes a key with everything below it; true when it is gone afterwards.
bool DeleteRegistryTree(HKEY root, const std::string& subkey);

}  // namespace talo::test
