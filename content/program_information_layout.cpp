// The program information file layout check.
#include "content/program_information_layout.h"

#include <cstdint>
#include <cstring>

namespace talo {
namespace {

constexpr std::size_t kBasicSectionSize = 0x171;
constexpr std::size_t kHeadingSize = 0x16;
constexpr std::size_t kHeadingNameSize = 16;
constexpr char kFirstHeadingName[kHeadingNameSize] = "MICROSOFT PIFEX";
constexpr std::uint32_t kLastHeading = 0xFFFF;

std::uint32_t Word(const unsigned char* at) { return at[0] | (std::uint32_t(at[1]) << 8); }

}  // namespace

bool IsWholeProgramInformation(const unsigned char* data, std::size_t size) {
  if (!data || size < kBasicSectionSize + kHeadingSize ||
      std::memcmp(data + kBasicSectionSize, kFirstHeadingName, kHeadingNameSize) != 0)
    return false;
  // Each next heading lies further on, so the walk ends after at most size / 22 headings.
  std::size_t heading = kBasicSectionSize;
  for (;;) {
    if (size - heading < kHeadingSize) return false;
    const std::uint32_t next = Word(data + heading + kHeadingNameSize);
    const std::uint32_t offset = Word(data + heading + kHeadingNameSize + 2);
    const std::uint32_t length = Word(data + heading + kHeadingNameSize + 4);
    if (offset > size || length > size - offset) return false;
    if (next == kLastHeading) return true;
    if (next < heading + kHeadingSize || next > size) return false;
    heading = next;
  }
}

}  // namespace talo
