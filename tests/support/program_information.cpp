// ProgramInformationBytes.
#include "tests/support/program_information.h"

#include <algorithm>

namespace talo::test {
namespace {

void PutWord(std::string& bytes, std::size_t at, unsigned value) {
  bytes[at] = char(value & 0xFF);
  bytes[at + 1] = char(value >> 8);
}

void PutText(std::string& bytes, std::size_t at, const std::string& text, std::size_t room) {
  bytes.replace(at, std::min(text.size(), room), text.substr(0, room));
}

// A 22-byte heading: its name (NUL-padded to 16), the next heading, its section and length.
void PutHeading(std::string& bytes, std::size_t at, const char* name, unsigned next,
                unsigned section, unsigned length) {
  PutText(bytes, at, name, 15);
  PutWord(bytes, at + 16, next);
  PutWord(bytes, at + 18, section);
  PutWord(bytes, at + 20, length);
}

}  // namespace

std::string ProgramInformationBytes(const std::string& title, const std::string& program) {
  std::string bytes(0x221, '\0');
  PutText(bytes, 0x02, std::string(30, ' '), 30);
  PutText(bytes, 0x02, title, 30);
  PutWord(bytes, 0x20, 640);  // the most and least memory the program takes, in KB
  PutWord(bytes, 0x22, 128);
  PutText(bytes, 0x24, program, 62);
  bytes[0x63] = 0x10;  // close the window on exit
  unsigned char checksum = 0;
  for (std::size_t i = 0x02; i < 0x171; ++i) checksum += static_cast<unsigned char>(bytes[i]);
  bytes[0x01] = char(checksum);
  PutHeading(bytes, 0x171, "MICROSOFT PIFEX", 0x187, 0x000, 0x171);
  PutHeading(bytes, 0x187, "WINDOWS 386 3.0", 0x205, 0x19D, 0x068);
  PutHeading(bytes, 0x205, "WINDOWS 286 3.0", 0xFFFF, 0x21B, 0x006);
  return bytes;
}

}  // namespace talo::test
