// save_bench.exe [ROUNDS]: what saving an assignment's title costs on the disk: User.dat saved
// (the lock, the read of what is stored, User.bak and User.dat each replaced in one step, flushed)
// and the title file replaced, in the same run against the earlier save (User.dat copied over
// User.bak, then User.dat and the title file written in place). Rounds alternate between the two;
// prints the medians, the worst rounds and the ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/unique.h"
#include "data/title_file.h"
#include "data/user_data.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kCode = 0x674;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool WriteInPlace(const std::string& path, const void* bytes, DWORD size) {
  talo::FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes, size, &written, nullptr) && written == size;
}

bool EarlierSave(const talo::TTaloUserData& data, const talo::test::TempFolder& folder,
                 const std::string& title) {
  CopyFileA(folder.File("User.dat").c_str(), folder.File("User.bak").c_str(), FALSE);
  const std::string line = title + "\r\n";
  return WriteInPlace(folder.File("User.dat"), data.View(), DWORD(data.Size())) &&
         WriteInPlace(folder.File("0674.dat"), line.data(), DWORD(line.size()));
}

bool Save(talo::TTaloUserData& data, const talo::test::TempFolder& folder,
          const std::string& title) {
  return data.SaveFile(folder.Path().c_str()) &&
         talo::WriteTitleFile(folder.File("0674.dat").c_str(), title.c_str());
}

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-40s median %7.3f ms  worst %7.3f ms\n", name, times[times.size() / 2],
              times.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  talo::TTaloUserData data;
  talo::test::TempFolder earlier_folder, folder;
  if (!data.CreateView() || !data.SaveFile(earlier_folder.Path().c_str()) ||
      !data.SaveFile(folder.Path().c_str())) {
    std::printf("cannot set up the user data\n");
    return 1;
  }
  std::vector<double> earlier, now;
  for (int round = 0; round < rounds; ++round) {
    const std::string title = "Title " + std::to_string(round);
    data.SetStatus(static_cast<unsigned char>(0x10 + round % 2 * 8), kCode);
    double start = Now();
    if (!EarlierSave(data, earlier_folder, title)) return 1;
    earlier.push_back(Now() - start);
    start = Now();
    if (!Save(data, folder, title)) return 1;
    now.push_back(Now() - start);
  }
  Report("earlier save (in place)", earlier);
  Report("save (locked, replaced, flushed)", now);
  std::sort(earlier.begin(), earlier.end());
  std::sort(now.begin(), now.end());
  std::printf("ratio of the medians: %.2f (budget 1.50)\n",
              now[now.size() / 2] / earlier[earlier.size() / 2]);
  return 0;
}
