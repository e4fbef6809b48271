// The shortcut box's paste of a file list that another program put on the clipboard: the checked
// copy, then the one path the box takes from it. The list sits right before a guard page, and the
// path is written right before another.
#include <windows.h>

#include "base/text.h"
#include "content/file_list.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/fuzz/guarded_memory.h"
#include "tests/support/object_records.h"

namespace talo::fuzz {
namespace {

class FileListPasteReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    seeds.push_back(test::FileListBytes({"C:\\windows\\notepad.exe"}));
    seeds.push_back(test::FileListBytes({"C:\\Users\\Public\\Documents"}, true));
    seeds.push_back(test::FileListBytes({"C:\\a.txt", "D:\\b", "\\\\server\\share\\c"}, true));
    return true;
  }
  bool Read(const std::string& input) override {
    GlobalMemory list = CopyFileList(list_.Place(input), input.size());
    if (!list) return false;
    char* path = path_.Output(kPathCapacity);
    return ReadFirstListedPath(static_cast<HDROP>(list.get()), path, kPathCapacity) == 1 && path[0];
  }

 private:
  GuardedMemory list_{16 * 1024};
  GuardedMemory path_{kPathCapacity};
};

}  // namespace

std::unique_ptr<FuzzReader> MakeFileListPasteReader() {
  return std::make_unique<FileListPasteReader>();
}

}  // namespace talo::fuzz
