// Replacing a file's contents in one step, so that a crash or a failed write never leaves it
// short or mixed.
#pragma once

namespace talo {

// Writes `bytes` into "<path>.new" beside the file, flushes it to the disk and moves it over
// `path`; the file is either the old one or the new one at every moment. With `replace` false the
// move fails when `path` exists (someone else created it meanwhile). A read-only file is replaced
// too. On failure the file is left as it was and no ".new" file stays behind.
bool ReplaceFileContents(const char* path, const void* bytes, int size, bool replace);

// Copies `source` into "<path>.new", flushes it and moves it over `path`, as above.
bool ReplaceFileWithCopy(const char* source, const char* path);

}  // namespace talo
