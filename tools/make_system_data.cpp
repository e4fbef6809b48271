// Writes the shipped "System.dat" from the key name table and the status policy in tools/data/.
//
// Usage: make_system_data OUTPUT_FILE, run with tools/ as the working directory. The header comes
// from this program's own version resource, which is the program's, so the file fits the
// Tallowick of the same build.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "data/sys_data.h"
#include "tools/generator_view.h"
#include "tools/system_policy.h"

namespace {

constexpr char kKeysPath[] = "data/system_keys.txt";
constexpr char kPolicyPath[] = "data/system_policy.txt";

bool ReadWholeFile(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_system_data: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace talo;
  if (argc != 2 || !argv[1][0]) return Fail("usage: make_system_data OUTPUT_FILE");

  std::string keys_text, policy_text, error;
  if (!ReadWholeFile(kKeysPath, keys_text)) return Fail(std::string("cannot read ") + kKeysPath);
  if (!ReadWholeFile(kPolicyPath, policy_text))
    return Fail(std::string("cannot read ") + kPolicyPath);

  SystemKeyNames names;
  if (!ParseSystemKeys(keys_text, names, error)) return Fail(std::string(kKeysPath) + ", " + error);
  SystemStatusTable status;
  if (!ParseSystemPolicy(policy_text, names, status, error))
    return Fail(std::string(kPolicyPath) + ", " + error);

  TTaloSysData data;
  if (!CreateGeneratorView(data, kSystemDataKind, kSystemDataViewSize))
    return Fail("cannot create the system data view: no version resource");
  unsigned char* bytes = data.View();
  std::memcpy(bytes + kStatusTableOffset, status.data(), status.size());
  for (int key = 0; key < kVirtualKeyCount; ++key) {
    // The view's body starts zeroed, so every entry is NUL-padded.
    const std::string& name = names[key];
    std::memcpy(bytes + kKeyNameTableOffset + kKeyNameEntrySize * key, name.data(), name.size());
  }
  if (!data.Save(argv[1])) return Fail(std::string("cannot write ") + argv[1]);

  int available = 0;
  int commonly_used = 0;
  for (unsigned char value : status) {
    if (IsAvailableStatus(value)) ++available;
    if (IsCommonlyUsedStatus(value)) ++commonly_used;
  }
  std::printf("%s: %d combinations available (%d of them commonly used), %d unavailable\n", argv[1],
              available, commonly_used, kCombinationCount - available);
  return 0;
}
