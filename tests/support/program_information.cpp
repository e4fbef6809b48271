// ProgramInformationBytes.
#include "tests/support/program_information.h"

#include <algorithm>
#include <cstring>

namespace talo::test {

std::string ProgramInformationBytes(const std::string& title, const std::string& program) {
  std::string bytes(0x221, '\0');
  auto put = [&](std::size_t at, const std::string& text, std::size_t room) {
    bytes.replace(at, std::min(text.size(), room), text.substr(0, room));
  };
  auto word = [&](std::size_t at, unsigned value) {
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
  };
  put(0x02, title + std::string(30, ' '), 30);
  word(0x20, 640);  // the most and least memory the program takes, in KB
  word(0x22, 128);
  put(0x24, program, 62);
  unsigned char checksum = 0;
  for (std::size_t i = 0x02; i < 0x171; ++i) checksum += static_cast<unsigned char>(bytes[i]);
  bytes[0x01] = char(checksum);
  // Each heading: its name, the next heading, its section and the section's length.
  const struct {
    std::size_t at;
    const char* name;
    unsigned next, section, length;
  } headings[] = {{0x171, "MICROSOFT PIFEX", 0x187, 0x000, 0x171},
                  {0x187, "WINDOWS 386 3.0", 0x205, 0x19D, 0x068},
                  {0x205, "WINDOWS 286 3.0", 0xFFFF, 0x21B, 0x006}};
  for (const auto& heading : headings) {
    put(heading.at, heading.name, 15);
    word(heading.at + 16, heading.next);
    word(heading.at + 18, heading.section);
    word(heading.at + 20, heading.length);
  }
  return bytes;
}

}  // namespace talo::test
