// Registry helpers that address a value by the full text path of its key ("HKEY_CURRENT_USER\...").
#pragma once

#include <windows.h>

namespace talo {

// Type codes of ReadValue and WriteValue.
constexpr int kRegTypeBinary = 0;  // REG_BINARY
constexpr int kRegTypeDword = 1;   // REG_DWORD, always 4 bytes
constexpr int kRegTypeText = 2;    // REG_SZ when writing; every other type when reading

// Splits `path` into its root ("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" or
// "HKEY_USERS", in any case) and the subkey below it, both without leading or trailing backslashes.
// Returns the length of the subkey; 0 with no root and an empty subkey when the path has no subkey,
// names another root, or its subkey does not fit into `subkey_capacity`.
int ParseKeyPath(const char* path, HKEY* root, char* subkey, int subkey_capacity);

// Reads a value into `buffer`. `type` receives the type code and `length` the bytes of a binary
// value, 4 for a DWORD or the text length of any other type; texts are always terminated. On
// failure the first four bytes of the buffer are zeroed, the type is kRegTypeText and the length 0.
// `type` and `length` may be null.
bool ReadValue(void* buffer, int* type, int* length, const char* key_path, const char* value_name,
               int buffer_size);

// Creates the key when needed and sets a value: `size` bytes of REG_BINARY (a negative size counts
// as 0), a REG_DWORD from the first 4 bytes of `data`, or for any other type code the
// NUL-terminated text `data` as REG_SZ.
bool WriteValue(const char* key_path, const char* value_name, const void* data, int type, int size);

// Deletes a value; false when the key cannot be opened or the value not deleted (absent included).
bool DeleteValue(const char* key_path, const char* value_name);

// True only when it is certain that the value does not exist (its key or the value itself is
// missing); a key that cannot be read for another reason does not count as absent.
bool ValueIsAbsent(const char* key_path, const char* value_name);

}  // namespace talo
