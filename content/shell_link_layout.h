// The layout check that every link file passes before the shell's link object reads it.
#pragma once

#include <cstddef>
#include <vector>

namespace talo {

// The longest link file that is read at all; links are a few kilobytes.
inline constexpr std::size_t kMaxShellLinkFileSize = 1 << 20;

// True when `data` holds a shell link (".lnk", and ".pif" links) whose every size and count stays
// inside the data: the 76-byte header with the link class, the item list, the link information
// with its offsets and inner blocks, the strings the flags announce and the extra data blocks up
// to the terminal block or the end. Wine's link object trusts these sizes: it allocates and reads
// whatever a damaged link claims, and one claiming a 1.7 GB block kept it busy for 12 seconds.
bool IsWholeShellLink(const unsigned char* data, std::size_t size);

// What a link file holds, checked whole.
enum class LinkFileLayout { kBroken, kShellLink, kProgramInformation };

// Reads and checks a link file: a shell link, or - for a file named ".pif" - a genuine program
// information file. Broken when it cannot be read or is longer than kMaxShellLinkFileSize.
// `data` keeps the bytes of a shell link (the link is then loaded from them).
LinkFileLayout ReadWholeLinkFile(const char* file_name, std::vector<unsigned char>& data);
bool IsWholeLinkFile(const char* file_name);

}  // namespace talo
