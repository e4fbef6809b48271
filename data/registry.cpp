// Registry helpers over full key paths.
#include "data/registry.h"

#include <cstring>

#include "base/text.h"
#include "base/unique.h"

namespace talo {
namespace {

// Longest subkey path the registry accepts is far below this; it only bounds the local copies.
constexpr int kSubkeyBufferSize = 1024;

struct RootName {
  const char* name;
  HKEY root;
};

const RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
};

bool SameTextIgnoringCase(const char* text, int length, const char* name) {
  int name_length = static_cast<int>(std::strlen(name));
  if (length != name_length) return false;
  for (int i = 0; i < length; ++i) {
    char a = text[i], b = name[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

// Opens the key of `key_path` with `access`; `error` receives the Win32 result.
RegKey OpenKeyPath(const char* key_path, REGSAM access, LONG* error) {
  HKEY root = nullptr;
  char subkey[kSubkeyBufferSize];
  if (!ParseKeyPath(key_path, &root, subkey, sizeof subkey)) {
    *error = ERROR_INVALID_PARAMETER;
    return RegKey();
  }
  HKEY key = nullptr;
  *error = RegOpenKeyExA(root, subkey, 0, access, &key);
  return RegKey(*error == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

int ParseKeyPath(const char* path, HKEY* root, char* subkey, int subkey_capacity) {
  if (root) *root = nullptr;
  if (subkey && subkey_capacity > 0) subkey[0] = '\0';
  if (!path || !root || !subkey || subkey_capacity <= 0) return 0;

  const char* begin = path;
  while (*begin == '\\') ++begin;
  const char* end = begin + std::strlen(begin);
  while (end > begin && end[-1] == '\\') --end;

  const char* split = begin;
  while (split < end && *split != '\\') ++split;
  if (split == end) return 0;

  HKEY found = nullptr;
  for (const RootName& candidate : kRoots) {
    if (SameTextIgnoringCase(begin, static_cast<int>(split - begin), candidate.name)) {
      found = candidate.root;
      break;
    }
  }
  if (!found) return 0;

  const char* rest = split;
  while (rest < end && *rest == '\\') ++rest;
  int length = static_cast<int>(end - rest);
  // A cut subkey would address another key: refuse instead.
  if (length == 0 || length > subkey_capacity - 1) return 0;
  CopyText(subkey, subkey_capacity, rest, length);
  *root = found;
  return length;
}

bool ReadValue(void* buffer, int* type, int* length, const char* key_path, const char* value_name,
               int buffer_size) {
  auto fail = [&] {
    if (buffer && buffer_size > 0)
      std::memset(buffer, 0, buffer_size < 4 ? static_cast<size_t>(buffer_size) : 4);
    if (type) *type = kRegTypeText;
    if (length) *length = 0;
    return false;
  };
  if (!buffer || buffer_size <= 0) return fail();

  LONG error = ERROR_SUCCESS;
  RegKey key = OpenKeyPath(key_path, KEY_QUERY_VALUE, &error);
  if (!key) return fail();

  DWORD value_type = REG_NONE;
  DWORD size = static_cast<DWORD>(buffer_size);
  if (RegQueryValueExA(key.get(), value_name, nullptr, &value_type, static_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS)
    return fail();

  if (value_type == REG_BINARY) {
    if (type) *type = kRegTypeBinary;
    if (length) *length = static_cast<int>(size);
    return true;
  }
  if (value_type == REG_DWORD) {
    if (size != 4) return fail();
    if (type) *type = kRegTypeDword;
    if (length) *length = 4;
    return true;
  }
  // A stored text need not carry its terminator; one that fills the buffer without it cannot be
  // terminated and is refused rather than handed on unterminated.
  char* text = static_cast<char*>(buffer);
  if (static_cast<int>(size) < buffer_size)
    text[size] = '\0';
  else if (size == 0 || text[size - 1] != '\0')
    return fail();
  if (type) *type = kRegTypeText;
  if (length) *length = BoundedLength(text, buffer_size);
  return true;
}

bool WriteValue(const char* key_path, const char* value_name, const void* data, int type, int size) {
  if (!data) return false;
  HKEY root = nullptr;
  char subkey[kSubkeyBufferSize];
  if (!ParseKeyPath(key_path, &root, subkey, sizeof subkey)) return false;
  HKEY created = nullptr;
  if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                      &created, nullptr) != ERROR_SUCCESS)
    return false;
  RegKey key(created);

  DWORD value_type = REG_SZ;
  DWORD bytes = 0;
  if (type == kRegTypeBinary) {
    value_type = REG_BINARY;
    bytes = size < 0 ? 0 : static_cast<DWORD>(size);
  } else if (type == kRegTypeDword) {
    value_type = REG_DWORD;
    bytes = 4;
  } else {
    bytes = static_cast<DWORD>(std::strlen(static_cast<const char*>(data)) + 1);
  }
  return RegSetValueExA(key.get(), value_name, 0, value_type, static_cast<const BYTE*>(data),
                        bytes) == ERROR_SUCCESS;
}

bool DeleteValue(const char* key_path, const char* value_name) {
  LONG error = ERROR_SUCCESS;
  RegKey key = OpenKeyPath(key_path, KEY_SET_VALUE, &error);
  if (!key) return false;
  return RegDeleteValueA(key.get(), value_name) == ERROR_SUCCESS;
}

bool ValueIsAbsent(const char* key_path, const char* value_name) {
  LONG error = ERROR_SUCCESS;
  RegKey key = OpenKeyPath(key_path, KEY_QUERY_VALUE, &error);
  if (!key) return error == ERROR_FILE_NOT_FOUND;
  return RegQueryValueExA(key.get(), value_name, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_FILE_NOT_FOUND;
}

}  // namespace talo
