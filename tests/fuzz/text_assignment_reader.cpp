// The editor's reading of a text assignment file: the code page's bytes, or UTF-8 after the mark,
// damaged or not. What it reads must come back unchanged through a save and a new reading: a text
// that changed would be written over the user's file changed.
#include <cstdio>

#include "content/text_assignment.h"
#include "tests/fuzz/fuzz_reader.h"

namespace talo::fuzz {
namespace {

class TextAssignmentReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    seeds = {EncodeTextAssignment(L"Kind regards,\r\n\tcaf\u00e9 \u201cNo\u00ebl\u201d \u20ac5"),
             EncodeTextAssignment(L"\u0391\u03b8\u03ae\u03bd\u03b1, \u041c\u043e\u0441\u043a\u0432"
                                  L"\u0430, \u6771\u4eac \U0001F600\r\n"),
             std::string("nul\0inside", 10)};
    return true;
  }
  bool Read(const std::string& input) override {
    const std::wstring text = DecodeTextAssignment(input);
    if (text.size() > kMaxTextLength || DecodeTextAssignment(EncodeTextAssignment(text)) != text) {
      std::fprintf(stderr, "text-assignment: the text changed through a save\n");
      __builtin_trap();  // a finding: the crash handler keeps the input
    }
    return !text.empty();
  }
};

}  // namespace

std::unique_ptr<FuzzReader> MakeTextAssignmentReader() {
  return std::make_unique<TextAssignmentReader>();
}

}  // namespace talo::fuzz
