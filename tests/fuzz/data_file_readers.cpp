// The data file loaders, the picture builder and the title file.
//
// The loaders take only a folder: each input is written as the data file and read from there into
// the shared view, so the guard page protects nothing here; a loader that read beyond its view
// would still fault at the view's end only at the next page boundary. The title reader's output
// buffer ends at a guard page.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/title_file.h"
#include "data/user_data.h"
#include "tests/fuzz/fuzz_random.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/fuzz/guarded_memory.h"
#include "tests/support/win_driver.h"

namespace talo::fuzz {
namespace {

bool Complain(const char* what) {
  std::fprintf(stderr, "cannot prepare: %s\n", what);
  return false;
}

std::string ShippedFile(const char* name) { return ReadWholeFile(test::InstallFolder() + name); }

template <typename Data>
class DataFileReader : public FuzzReader {
 public:
  explicit DataFileReader(const char* file_name) : file_name_(file_name) {}
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    if (!data_.CreateView()) return Complain("the data view exists already (Talowick running?)");
    const std::string shipped = ShippedFile(file_name_);
    if (!shipped.empty()) {
      seeds.push_back(shipped);
    } else {
      // A file of the program's own making (the user data has no shipped file).
      for (int code = 0; code < data_.Size() - kDataHeaderSize; ++code)
        data_.View()[kDataHeaderSize + code] = static_cast<unsigned char>(code % 29);
      seeds.push_back(std::string(reinterpret_cast<const char*>(data_.View()), data_.Size()));
    }
    return true;
  }
  bool Read(const std::string& input) override {
    if (!WriteInputFile(ScratchFolder() + file_name_, input)) return false;
    return data_.LoadFile(ScratchFolder().c_str());
  }
  std::size_t MaxSize() const override { return 2 * static_cast<std::size_t>(data_.Size()); }

 protected:
  Data data_;
  const char* file_name_;
};

std::uint64_t Fingerprint(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// The picture table as the keyboard picture reads it: every slot's information, and bitmaps of up
// to eight usable slots (from a slot that the input's own bytes choose, so a replay builds the
// same ones). The header is not checked: any bytes reach the table.
class PictureReader : public DataFileReader<TTaloGraphData> {
 public:
  PictureReader() : DataFileReader(kGraphicsDataFileName), screen_(GetDC(nullptr)) {}
  ~PictureReader() override { ReleaseDC(nullptr, screen_); }
  bool Read(const std::string& input) override {
    if (!WriteInputFile(ScratchFolder() + file_name_, input)) return false;
    ZeroMemory(data_.View(), data_.Size());
    data_.Load((ScratchFolder() + file_name_).c_str(), false, false);
    Random choice(Fingerprint(input));
    const int first = static_cast<int>(choice.Below(kPictureSlotCount));
    int built = 0;
    for (int n = 0; n < kPictureSlotCount; ++n) {
      const int slot = (first + n) % kPictureSlotCount;
      PictureBitmapInfo info;
      const bool usable = data_.PictureInfo(info, slot) != 0;
      if (built == 8 || (!usable && n != 0)) continue;
      if (HBITMAP bitmap = data_.CreatePictureBitmap(slot, screen_)) {
        DeleteObject(bitmap);
        ++built;
      }
    }
    return built > 0;
  }

 private:
  HDC screen_;
};

class TitleReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    const std::string path = ScratchFolder() + "0674.dat";
    for (const char* title : {"Letter head", "A title\twith a tab and \xE4 umlaut",
                              "255 characters: "
                              "1234567890123456789012345678901234567890123456789012345678901234567"
                              "8901234567890123456789012345678901234567890123456789012345678901234"
                              "5678901234567890123456789012345678901234567890123456789012345678901"
                              "23456789012345678901234567890"}) {
      if (!WriteTitleFile(path.c_str(), title)) return Complain("WriteTitleFile");
      seeds.push_back(ReadWholeFile(path));
    }
    return true;
  }
  bool Read(const std::string& input) override {
    const std::string path = ScratchFolder() + "0674.dat";
    if (!WriteInputFile(path, input)) return false;
    return ReadTitleFile(path.c_str(), output_.Output(kTitleCapacity)) > 0;
  }
  std::size_t MaxSize() const override { return 2048; }

 private:
  GuardedMemory output_{kTitleCapacity};
};

}  // namespace

std::unique_ptr<FuzzReader> MakeSystemDataReader() {
  return std::make_unique<DataFileReader<TTaloSysData>>(kSystemDataFileName);
}
std::unique_ptr<FuzzReader> MakeUserDataReader() {
  return std::make_unique<DataFileReader<TTaloUserData>>(kUserDataFileName);
}
std::unique_ptr<FuzzReader> MakeGraphDataReader() {
  return std::make_unique<DataFileReader<TTaloGraphData>>(kGraphicsDataFileName);
}
std::unique_ptr<FuzzReader> MakePictureReader() { return std::make_unique<PictureReader>(); }
std::unique_ptr<FuzzReader> MakeTitleReader() { return std::make_unique<TitleReader>(); }

}  // namespace talo::fuzz
