// Bounded copies of NUL-terminated 8-bit texts; nothing here ever writes past a buffer.
#pragma once

#include <cstddef>

namespace talo {

// Paths live in buffers of this size: 771 characters and a terminator.
inline constexpr int kPathCapacity = 772;

// Copies at most `max_chars` characters of `source` (all of it when max_chars < 0) into
// `target`, never more than `capacity` - 1, and terminates it. Returns the characters copied.
int CopyText(char* target, int capacity, const char* source, int max_chars = -1);

// Appends like CopyText at the end of the text already in `target`; returns the new length.
int AppendText(char* target, int capacity, const char* source, int max_chars = -1);

// Length of `text` but at most `limit`; reads no byte beyond the limit.
int BoundedLength(const char* text, int limit);

}  // namespace talo
