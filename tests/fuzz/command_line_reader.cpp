// The command line: the argument text taken from a whole command line, and the switches read from
// it. The command line ends (with its terminator) right before a guard page, and the argument
// buffer ends at another.
#include "app/startup.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/fuzz/guarded_memory.h"

namespace talo::fuzz {
namespace {

class CommandLineReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    seeds = {"\"C:\\Program Files\\Tallowick\\Talowick.exe\" /s",
             "Talowick.exe /t",
             "\"Talowick.exe\"",
             "C:\\Tallowick\\Talowick.exe -S /T more words",
             "\"unterminated quote /s",
             "Talowick.exe\t\t/s   /t  "};
    return true;
  }

  bool Read(const std::string& input) override {
    std::string line = input;
    line += '\0';
    const char* placed = reinterpret_cast<const char*>(line_.Place(line));
    char* arguments = output_.Output(kArgumentBufferSize);
    GetCommandArguments(arguments, placed);
    const Switches from_arguments = ParseSwitches(arguments);
    ParseSwitches(placed);
    return from_arguments.silent || from_arguments.terminate;
  }

  std::size_t MaxSize() const override { return 8 * 1024; }

 private:
  GuardedMemory line_{8 * 1024 + 1};
  GuardedMemory output_{kArgumentBufferSize};
};

}  // namespace

std::unique_ptr<FuzzReader> MakeCommandLineReader() {
  return std::make_unique<CommandLineReader>();
}

}  // namespace talo::fuzz
