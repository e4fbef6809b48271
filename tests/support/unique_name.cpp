// Names for kernel objects that no other test, and no other test run, is using.
#include "tests/support/unique_name.h"

#include <windows.h>

namespace talo::test {

std::string UniqueName(const std::string& purpose) {
  static int counter = 0;
  return "talo_test_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) +
         "_" + purpose;
}

}  // namespace talo::test
