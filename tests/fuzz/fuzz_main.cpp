// fuzz.exe: feeds every reader of untrusted input many damaged and random inputs and reports
// per reader what happened; a crash or a hang is written as a reproducer and ends the run.
//
//   fuzz.exe COUNT SEED [READER [FIRST]]
//                                     COUNT inputs per reader (or for READER alone) from SEED;
//                                     inputs before FIRST are made but not read (to narrow down a
//                                     finding that earlier inputs prepared)
//   fuzz.exe --replay READER FILE     reads one saved input again, e.g. a reproducer
//   fuzz.exe --write READER SEED INDEX FILE
//                                     writes input INDEX of SEED's run into FILE, unread
//
// Exit status: 0 when nothing was found, 3 for a crash, 4 for a hang, 2 for a usage or set-up
// error. Reproducers go into the folder "fuzz-findings" of the working folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/findings.h"
#include "tests/fuzz/fuzz_random.h"
#include "tests/fuzz/fuzz_reader.h"

namespace talo::fuzz {
namespace {

constexpr unsigned kTimeLimitMs = 1000;

std::uint64_t NameHash(const char* name) {
  std::uint64_t hash = 14695981039346656037ull;
  for (; *name; ++name) hash = (hash ^ static_cast<unsigned char>(*name)) * 1099511628211ull;
  return hash;
}

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

const ReaderEntry* FindReader(const char* name) {
  for (const ReaderEntry& entry : AllReaders())
    if (std::strcmp(entry.name, name) == 0) return &entry;
  return nullptr;
}

// Runs one reader; false when it could not be set up.
bool Fuzz(const ReaderEntry& entry, long long count, std::uint64_t seed, long long first) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  std::unique_ptr<FuzzReader> reader = entry.make();
  std::vector<std::string> seeds;
  if (!reader->MakeSeeds(seeds)) {
    std::printf("%-18s not run: it could not be set up\n", entry.name);
    return false;
  }
  // The seeds once each, untimed: the first call of a reader loads what it needs.
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    BeginInput(entry.name, -1 - static_cast<long long>(i), seeds[i], false);
    reader->Read(seeds[i]);
    EndInput();
  }
  Random random(seed ^ NameHash(entry.name));
  long long mutated = 0, generated = 0, accepted = 0;
  const long long run = count - std::min(std::max(first, 0LL), count);
  for (long long index = 0; index < count; ++index) {
    InputOrigin origin;
    const std::string input = MakeInput(random, seeds, reader->MaxSize(), origin);
    if (index < first) continue;
    (origin == InputOrigin::kMutated ? mutated : generated) += 1;
    BeginInput(entry.name, index, input, true);
    accepted += reader->Read(input) ? 1 : 0;
    EndInput();
  }
  reader.reset();
  std::printf(
      "%-18s %8lld inputs (%lld mutated, %lld generated): %lld accepted, %lld refused; "
      "%.1f s\n",
      entry.name, run, mutated, generated, accepted, run - accepted, SecondsSince(start));
  std::fflush(stdout);
  return true;
}

int WriteInput(const char* name, std::uint64_t seed, long long index, const char* file) {
  const ReaderEntry* entry = FindReader(name);
  if (!entry) return 2;
  std::unique_ptr<FuzzReader> reader = entry->make();
  std::vector<std::string> seeds;
  if (!reader->MakeSeeds(seeds)) return 2;
  Random random(seed ^ NameHash(entry->name));
  std::string input;
  for (long long i = 0; i <= index; ++i) {
    InputOrigin origin;
    input = MakeInput(random, seeds, reader->MaxSize(), origin);
  }
  return WriteInputFile(file, input) ? 0 : 2;
}

int Replay(const char* name, const char* file) {
  const ReaderEntry* entry = FindReader(name);
  if (!entry) {
    std::fprintf(stderr, "no reader named %s\n", name);
    return 2;
  }
  const std::string input = ReadWholeFile(file);
  std::unique_ptr<FuzzReader> reader = entry->make();
  std::vector<std::string> seeds;
  if (!reader->MakeSeeds(seeds)) return 2;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  BeginInput(entry->name, 0, input, true);
  const bool accepted = reader->Read(input);
  EndInput();
  std::printf("%s: %zu bytes %s in %.3f s\n", entry->name, input.size(),
              accepted ? "accepted" : "refused", SecondsSince(start));
  return 0;
}

int Main(int argc, char** argv) {
  // The findings folder is named relative to where the program starts.
  char findings[MAX_PATH] = {};
  GetFullPathNameA("fuzz-findings", sizeof findings, findings, nullptr);
  StartFindings(findings, kTimeLimitMs);
  // Relative folders that a reader creates (the settings' user folder) land in the scratch folder.
  const std::string previous_folder = [] {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    return std::string(folder);
  }();
  if (argc == 4 && std::strcmp(argv[1], "--replay") == 0) {
    char file[MAX_PATH] = {};
    GetFullPathNameA(argv[3], sizeof file, file, nullptr);
    SetCurrentDirectoryA(ScratchFolder().c_str());
    const int status = Replay(argv[2], file);
    SetCurrentDirectoryA(previous_folder.c_str());
    RemoveScratchFolder();
    return status;
  }
  if (argc == 6 && std::strcmp(argv[1], "--write") == 0) {
    char file[MAX_PATH] = {};
    GetFullPathNameA(argv[5], sizeof file, file, nullptr);
    const int status =
        WriteInput(argv[2], std::strtoull(argv[3], nullptr, 0), std::atoll(argv[4]), file);
    RemoveScratchFolder();
    return status;
  }
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr,
                 "usage: fuzz.exe COUNT SEED [READER [FIRST]] | fuzz.exe --replay READER FILE\n");
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  const std::uint64_t seed = std::strtoull(argv[2], nullptr, 0);
  const ReaderEntry* only = argc >= 4 ? FindReader(argv[3]) : nullptr;
  const long long first = argc == 5 ? std::atoll(argv[4]) : 0;
  if (count < 0 || (argc >= 4 && !only)) {
    std::fprintf(stderr, "bad count or unknown reader\n");
    return 2;
  }
  SetCurrentDirectoryA(ScratchFolder().c_str());
  std::printf("fuzz: %lld inputs per reader, seed %llu, time limit %u ms per input\n", count,
              static_cast<unsigned long long>(seed), kTimeLimitMs);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  bool all_set_up = true;
  for (const ReaderEntry& entry : AllReaders())
    if (!only || only == &entry) all_set_up = Fuzz(entry, count, seed, first) && all_set_up;
  SetCurrentDirectoryA(previous_folder.c_str());
  RemoveScratchFolder();
  std::printf("fuzz: no findings; %.1f s in all\n", SecondsSince(start));
  return all_set_up ? 0 : 2;
}

}  // namespace
}  // namespace talo::fuzz

int main(int argc, char** argv) { return talo::fuzz::Main(argc, argv); }
