// The layout check that every link file passes before the shell's link object reads it.
//
// Compiled into the hook library too.
#pragma once

#include <cstddef>

namespace talo {

// True when `data` holds a shell link (".lnk", and ".pif" links) whose every size and count stays
// inside the data: the 76-byte header with the link class, the item list, the link information
// with its offsets and inner blocks, the strings the flags announce and the extra data blocks up
// to the terminal block or the end. Wine's link object trusts these sizes: it allocates and reads
// whatever a damaged link claims, and one claiming a 1.7 GB block kept it busy for 12 seconds.
bool IsWholeShellLink(const unsigned char* data, std::size_t size);

}  // namespace talo
