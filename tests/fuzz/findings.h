// Findings: the input being read when the process crashes, or when a reader takes longer than the
// time limit, is written as a reproducer file named after its reader before the process ends.
#pragma once

#include <string>

namespace talo::fuzz {

// Exit status of a process ended by a finding.
inline constexpr int kCrashExitCode = 3;
inline constexpr int kHangExitCode = 4;

// Installs the crash handlers and starts the watchdog; reproducers go into `folder` (Windows
// path, created when missing), each input may take `limit_ms`.
void StartFindings(const std::string& folder, unsigned limit_ms);

// The input that `reader` is about to read, numbered `index` within the reader's run; the bytes
// must stay alive and unchanged until EndInput. `timed` false lets a warm-up input take its time.
void BeginInput(const char* reader, long long index, const std::string& bytes, bool timed);
void EndInput();

}  // namespace talo::fuzz
