// Registry snapshots and plain registry access for tests.
#include "tests/support/saved_registry.h"

#include <utility>
#include <vector>

namespace talo::test {

struct SavedRegistryKey::Node {
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };
  std::vector<Value> values;
  std::vector<std::pair<std::string, std::unique_ptr<Node>>> children;
};

namespace {

// The names of the keys directly below `key`.
std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD name_size = sizeof name;
    if (RegEnumKeyExA(key, index, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name, name_size);
  }
  return names;
}

std::unique_ptr<SavedRegistryKey::Node> SaveTree(HKEY root, const std::string& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  auto node = std::make_unique<SavedRegistryKey::Node>();
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD name_size = sizeof name;
    DWORD type = 0;
    std::string data(65536, '\0');
    DWORD data_size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, index, name, &name_size, nullptr, &type,
                      reinterpret_cast<BYTE*>(&data[0]), &data_size) != ERROR_SUCCESS)
      break;
    data.resize(data_size);
    node->values.push_back({std::string(name, name_size), type, data});
  }
  const std::vector<std::string> child_names = SubkeyNames(key);
  RegCloseKey(key);
  for (const std::string& child : child_names)
    if (auto saved = SaveTree(root, subkey + "\\" + child))
      node->children.emplace_back(child, std::move(saved));
  return node;
}

void RestoreTree(HKEY root, const std::string& subkey, const SavedRegistryKey::Node& node) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& value : node.values)
    RegSetValueExA(key, value.name.c_str(), 0, value.type,
                   reinterpret_cast<const BYTE*>(value.data.data()),
                   static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
  for (const auto& child : node.children) RestoreTree(root, subkey + "\\" + child.first, *child.second);
}

}  // namespace

SavedRegistryKey::SavedRegistryKey(HKEY root, const std::string& subkey)
    : root_(root), subkey_(subkey), saved_(SaveTree(root, subkey)) {}

SavedRegistryKey::~SavedRegistryKey() {
  DeleteRegistryTree(root_, subkey_);
  if (saved_) RestoreTree(root_, subkey_, *saved_);
}

SavedRegistryValue::SavedRegistryValue(HKEY root, const std::string& subkey, const std::string& name)
    : root_(root), subkey_(subkey), name_(name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
    data_.assign(size, '\0');
    existed_ = RegQueryValueExA(key, name.c_str(), nullptr, &type_,
                                reinterpret_cast<BYTE*>(&data_[0]), &size) == ERROR_SUCCESS;
    data_.resize(size);
  }
  RegCloseKey(key);
}

SavedRegistryValue::~SavedRegistryValue() {
  if (!existed_) {
    DeleteRegistryValue(root_, subkey_, name_);
    return;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(root_, subkey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                 static_cast<DWORD>(data_.size()));
  RegCloseKey(key);
}

DeniedKeyWrites::DeniedKeyWrites(HKEY root, const std::string& subkey)
    : root_(root), subkey_(subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS)
    return;
  DWORD size = 0;
  RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  saved_descriptor_.assign(size, '\0');
  if (size == 0 || RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, &saved_descriptor_[0],
                                     &size) != ERROR_SUCCESS) {
    RegCloseKey(key);
    return;
  }

  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  alignas(DWORD) char acl_buffer[256];
  ACL* acl = reinterpret_cast<ACL*>(acl_buffer);
  SECURITY_DESCRIPTOR descriptor;
  if (AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    active_ = InitializeAcl(acl, sizeof acl_buffer, ACL_REVISION) &&
              AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | READ_CONTROL | WRITE_DAC,
                                  everyone) &&
              InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
              SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
              RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    FreeSid(everyone);
  }
  RegCloseKey(key);
}

DeniedKeyWrites::~DeniedKeyWrites() {
  if (!active_) return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root_, subkey_.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &saved_descriptor_[0]);
  RegCloseKey(key);
}

bool RegistryValueExists(HKEY root, const std::string& subkey, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  bool exists = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                ERROR_SUCCESS;
  RegCloseKey(key);
  return exists;
}

bool ReadRegistryDword(HKEY root, const std::string& subkey, const std::string& name, DWORD* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = sizeof *value;
  bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value),
                             &size) == ERROR_SUCCESS &&
            type == REG_DWORD;
  RegCloseKey(key);
  return ok;
}

std::string ReadRegistryBytes(HKEY root, const std::string& subkey, const std::string& name,
                              DWORD* type) {
  HKEY key = nullptr;
  if (type) *type = REG_NONE;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  std::string bytes(4096, '\0');
  DWORD size = static_cast<DWORD>(bytes.size() - 1);
  if (RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(&bytes[0]),
                       &size) != ERROR_SUCCESS)
    size = 0;
  RegCloseKey(key);
  bytes.resize(size);
  return bytes;
}

std::string ReadRegistryText(HKEY root, const std::string& subkey, const std::string& name) {
  std::string text = ReadRegistryBytes(root, subkey, name, nullptr);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

namespace {

bool SetValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type,
              const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
            ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

}  // namespace

bool WriteRegistryDword(HKEY root, const std::string& subkey, const std::string& name, DWORD value) {
  return SetValue(root, subkey, name, REG_DWORD, &value, sizeof value);
}

bool WriteRegistryValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type,
                        const std::string& bytes) {
  return SetValue(root, subkey, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool WriteRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                       const std::string& text) {
  return SetValue(root, subkey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool DeleteRegistryValue(HKEY root, const std::string& subkey, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
  bool ok = RegDeleteValueA(key, name.c_str()) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool DeleteRegistryTree(HKEY root, const std::string& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
  const std::vector<std::string> children = SubkeyNames(key);
  RegCloseKey(key);
  for (const std::string& child : children) DeleteRegistryTree(root, subkey + "\\" + child);
  return RegDeleteKeyA(root, subkey.c_str()) == ERROR_SUCCESS;
}

}  // namespace talo::test
