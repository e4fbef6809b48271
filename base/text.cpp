// Bounded copies of NUL-terminated 8-bit texts.
#include "base/text.h"

namespace talo {

int BoundedLength(const char* text, int limit) {
  if (!text) return 0;
  int n = 0;
  while (n < limit && text[n]) ++n;
  return n;
}

int CopyText(char* target, int capacity, const char* source, int max_chars) {
  if (!target || capacity <= 0) return 0;
  int limit = capacity - 1;
  if (max_chars >= 0 && max_chars < limit) limit = max_chars;
  int n = BoundedLength(source, limit);
  for (int i = 0; i < n; ++i) target[i] = source[i];
  target[n] = '\0';
  return n;
}

int AppendText(char* target, int capacity, const char* source, int max_chars) {
  if (!target || capacity <= 0) return 0;
  int used = BoundedLength(target, capacity - 1);
  return used + CopyText(target + used, capacity - used, source, max_chars);
}

}  // namespace talo
