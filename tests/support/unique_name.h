// Names for kernel objects that no other test, and no other test run, is using.
#pragma once

#include <string>

namespace talo::test {

// "talo_test_<process>_<counter>_<purpose>": unique within the machine while this process runs.
std::string UniqueName(const std::string& purpose);

}  // namespace talo::test
