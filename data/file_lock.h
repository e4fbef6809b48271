// An exclusive lock that programs on one folder, on this machine or on others, take in turn.
#pragma once

#include "base/unique.h"

namespace talo {

// Opens (creating it when missing) the lock file at `path` and locks its first byte for this
// process alone, trying again until `wait_ms` have passed while another program holds it. The
// lock lasts as long as the returned handle; an empty handle when it could not be had. A byte
// range lock rather than an open without sharing: file servers, and Wine's prefixes on one
// folder, keep byte range locks between machines.
FileHandle LockFileExclusively(const char* path, int wait_ms);

}  // namespace talo
