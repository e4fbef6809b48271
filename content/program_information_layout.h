// The layout check of a genuine program information file (".pif"), the older kind of shortcut to
// a program, which the shell reads where it can.
#pragma once

#include <cstddef>

namespace talo {

// True when `data` holds a program information file whose every section stays inside the data:
// the 369-byte basic section (with the 30-byte title field at offset 2), then 22-byte headings,
// the first named "MICROSOFT PIFEX", each giving its section's offset and length and the offset of
// the next heading further on (0xFFFF after the last).
bool IsWholeProgramInformation(const unsigned char* data, std::size_t size);

}  // namespace talo
