// The object file readers: the four preview readers, the preview itself, the clipboard restore and
// the text copy of the hook library.
//
// These readers take a file name: each input is written to a file, so the guard page protects
// only what is parsed in memory here: the metafile's record walk (run again on the record's bytes
// placed before a guard page) and the output buffers of the file list and the text.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/clipboard_object.h"
#include "content/metafile_picture.h"
#include "content/metafile_records.h"
#include "content/object_readers.h"
#include "forms/object_preview.h"
#include "hook/library/assignment_execution.h"
#include "tests/fuzz/fuzz_reader.h"
#include "tests/fuzz/guarded_memory.h"
#include "tests/support/object_records.h"
#include "tests/support/test_settings.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"

namespace talo::fuzz {
namespace {

using test::ObjectRecord;

constexpr int kPreviewCapacity = 4096;

// A metafile that uses many record kinds: pens (a dashed one too), brushes, shapes, text, a
// bitmap, a region and a transform.
std::string RichMetafileBits() {
  RECT frame = {0, 0, 2000, 1500};
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, "Tallowick\0fuzz seed\0");
  HPEN dashed = CreatePen(PS_DASH, 1, RGB(200, 0, 0));
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 200));
  HGDIOBJ old_pen = SelectObject(recorder, dashed);
  HGDIOBJ old_brush = SelectObject(recorder, hatch);
  Rectangle(recorder, 5, 5, 60, 40);
  Ellipse(recorder, 10, 10, 50, 30);
  const POINT points[] = {{1, 1}, {30, 50}, {60, 2}, {5, 45}};
  Polyline(recorder, points, 4);
  PolyBezier(recorder, points, 4);
  SetTextColor(recorder, RGB(0, 128, 0));
  TextOutA(recorder, 4, 4, "Fuzz", 4);
  XFORM turn = {0.8f, 0.6f, -0.6f, 0.8f, 3.0f, 4.0f};
  SetGraphicsMode(recorder, GM_ADVANCED);
  SetWorldTransform(recorder, &turn);
  RoundRect(recorder, 20, 20, 40, 35, 5, 5);
  HRGN region = CreateRectRgn(2, 2, 20, 20);
  FillRgn(recorder, region, hatch);
  DeleteObject(region);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP pixels = CreateCompatibleBitmap(screen, 8, 6);
  HGDIOBJ old_pixels = SelectObject(memory, pixels);
  PatBlt(memory, 0, 0, 8, 6, WHITENESS);
  StretchBlt(recorder, 30, 2, 16, 12, memory, 0, 0, 8, 6, SRCCOPY);
  SelectObject(memory, old_pixels);
  DeleteObject(pixels);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  SelectObject(recorder, old_pen);
  SelectObject(recorder, old_brush);
  DeleteObject(dashed);
  DeleteObject(hatch);
  HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  std::string bits(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
  GetEnhMetaFileBits(metafile, UINT(bits.size()), reinterpret_cast<BYTE*>(&bits[0]));
  DeleteEnhMetaFile(metafile);
  return bits;
}

// Object files made as the editor makes them: formats put on the clipboard, then captured. With
// `metafiles_only` only files that hold a metafile, so that many damaged metafiles stay whole
// enough to be drawn.
bool MakeObjectSeeds(std::vector<std::string>& seeds, bool metafiles_only = false) {
  const ObjectRecord text = {CF_TEXT, std::string("first line\r\nsecond line\r\n", 26)};
  const wchar_t scripts[] = L"\u0391\u03b8\u03ae\u03bd\u03b1\r\n\u6771\u4eac \U0001F600";
  const ObjectRecord unicode_text = {
      CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(scripts), sizeof scripts)};
  const ObjectRecord files = {
      CF_HDROP, test::FileListBytes({"C:\\docs\\letter.txt", "D:\\pictures\\a b.png"})};
  const ObjectRecord wide_files = {CF_HDROP, test::FileListBytes({"C:\\wide\\name.txt"}, true)};
  const ObjectRecord metafile = {CF_ENHMETAFILE, RichMetafileBits()};
  const ObjectRecord simple_metafile = {CF_ENHMETAFILE, test::SampleEnhMetafileBits()};
  const std::vector<std::vector<ObjectRecord>> metafile_contents = {
      {metafile}, {simple_metafile}, {text, metafile}};
  const std::vector<std::vector<ObjectRecord>> all_contents = {
      {{CF_DIB, test::SampleDib(7, 5, 1)}},
      {{CF_DIB, test::SampleDib(9, 4, 4)}},
      {{CF_DIB, test::SampleDib(6, 3, 8)}},
      {{CF_DIB, test::SampleDib(5, 7, 24)}},
      {metafile},
      {simple_metafile},
      {files},
      {wide_files},
      {text},
      {unicode_text},
      {text, files, metafile, {CF_DIB, test::SampleDib(4, 4, 24)}}};
  const std::string path = ScratchFolder() + "seed.obj";
  for (const auto& records : metafiles_only ? metafile_contents : all_contents) {
    if (!test::PutOnClipboard(records) || !CaptureClipboard(path.c_str())) {
      std::fprintf(stderr, "cannot prepare: the clipboard refused a seed\n");
      return false;
    }
    seeds.push_back(ReadWholeFile(path));
  }
  return true;
}

class ObjectFileReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override { return MakeObjectSeeds(seeds); }
  std::size_t MaxSize() const override { return 64 * 1024; }

 protected:
  const char* WriteInput(const std::string& input) {
    return WriteInputFile(path_, input) ? path_.c_str() : nullptr;
  }
  std::string path_ = ScratchFolder() + "input.obj";
};

class ObjectBitmapReader : public ObjectFileReader {
 public:
  ObjectBitmapReader() : screen_(GetDC(nullptr)) {}
  ~ObjectBitmapReader() override { ReleaseDC(nullptr, screen_); }
  bool Read(const std::string& input) override {
    HBITMAP bitmap = ReadObjectBitmap(WriteInput(input), screen_);
    if (bitmap) DeleteObject(bitmap);
    return bitmap != nullptr;
  }

 private:
  HDC screen_;
};

// The first whole CF_ENHMETAFILE record of an object file, as the reader finds it.
bool FirstMetafileRecord(const std::string& input, std::size_t& at, std::uint32_t& count) {
  at = 0;
  while (input.size() - at >= 8) {
    std::uint32_t header[2];
    std::memcpy(header, input.data() + at, sizeof header);
    if (!IsStorableFormat(header[0]) || header[1] == 0 || header[1] > input.size() - at - 8)
      return false;
    if (header[0] == CF_ENHMETAFILE) {
      at += 8;
      count = header[1];
      return true;
    }
    at += 8 + std::size_t(header[1]);
  }
  return false;
}

// The metafile reader, and the picture the preview draws of what it accepts.
class ObjectMetafileReader : public ObjectFileReader {
 public:
  ObjectMetafileReader() : screen_(GetDC(nullptr)) {}
  ~ObjectMetafileReader() override { ReleaseDC(nullptr, screen_); }
  bool MakeSeeds(std::vector<std::string>& seeds) override { return MakeObjectSeeds(seeds, true); }
  bool Read(const std::string& input) override {
    std::size_t at = 0;
    std::uint32_t count = 0;
    if (FirstMetafileRecord(input, at, count)) {
      const unsigned char* placed = record_.Place(input.data() + at, count);
      if (IsWellFormedEnhMetafile(placed, count)) HasDrawableValues(placed, count);
    }
    HENHMETAFILE metafile = ReadObjectMetafile(WriteInput(input));
    if (!metafile) return false;
    if (HBITMAP picture = CreateMetafilePicture(screen_, metafile)) DeleteObject(picture);
    DeleteEnhMetaFile(metafile);
    return true;
  }

 private:
  HDC screen_;
  GuardedMemory record_{64 * 1024};
};

class ObjectFileListReader : public ObjectFileReader {
 public:
  bool Read(const std::string& input) override {
    return ReadObjectFileList(output_.Output(kPreviewCapacity), WriteInput(input),
                              kPreviewCapacity) > 0;
  }

 private:
  GuardedMemory output_{kPreviewCapacity};
};

class ObjectTextReader : public ObjectFileReader {
 public:
  bool Read(const std::string& input) override {
    auto* text = reinterpret_cast<wchar_t*>(output_.Output(kPreviewCapacity * sizeof(wchar_t)));
    return ReadObjectText(text, WriteInput(input), kPreviewCapacity) > 0;
  }

 private:
  GuardedMemory output_{kPreviewCapacity * sizeof(wchar_t)};
};

class ClipboardRestoreReader : public ObjectFileReader {
 public:
  bool Read(const std::string& input) override { return RestoreClipboard(WriteInput(input)); }
};

// The editor's preview of a combination's object file: drawn into a picture on a form.
class PreviewReader : public ObjectFileReader {
 public:
  static constexpr int kCode = 0x674;
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    ui::FormDesign design;
    design.class_name = "TFuzzPreviewForm";
    form_ = std::make_unique<ui::TForm>(design);
    application_.Initialize();
    picture_.Create(*form_, {0, 0, 0, 0}).AutoSize(true);
    placeholder_.Create(*form_, {0, 0, 136, 30}, "No image is available for this object.");
    path_ = settings_.UserFile("0674.obj");
    return MakeObjectSeeds(seeds);
  }
  bool Read(const std::string& input) override {
    if (!WriteInput(input)) return false;
    return ShowObjectPreview(picture_, placeholder_, kCode) && picture_.Visible();
  }

 private:
  test::TestSettings settings_;
  ui::TApplication application_;
  std::unique_ptr<ui::TForm> form_;
  ui::TImage picture_;
  ui::TLabel placeholder_;
};

class TextCopyReader : public FuzzReader {
 public:
  bool MakeSeeds(std::vector<std::string>& seeds) override {
    seeds = {"Dear Sir or Madam,\r\n\r\nthank you for your letter.\r\n", "x",
             std::string("tab\there, nul\0inside", 20), std::string(70, 'w'),
             "\xEF\xBB\xBF"
             "Gr\xC3\xBC\xC3\x9F\xE4\xB8\xAD \xF0\x9F\x98\x80\r\n"};
    return true;
  }
  bool Read(const std::string& input) override {
    if (!WriteInputFile(path_, input)) return false;
    return CopyTextFileToClipboard(path_.c_str());
  }
  std::size_t MaxSize() const override { return 8 * 1024; }

 private:
  std::string path_ = ScratchFolder() + "input.txt";
};

}  // namespace

std::unique_ptr<FuzzReader> MakeObjectBitmapReader() {
  return std::make_unique<ObjectBitmapReader>();
}
std::unique_ptr<FuzzReader> MakeObjectMetafileReader() {
  return std::make_unique<ObjectMetafileReader>();
}
std::unique_ptr<FuzzReader> MakeObjectFileListReader() {
  return std::make_unique<ObjectFileListReader>();
}
std::unique_ptr<FuzzReader> MakeObjectTextReader() { return std::make_unique<ObjectTextReader>(); }
std::unique_ptr<FuzzReader> MakePreviewReader() { return std::make_unique<PreviewReader>(); }
std::unique_ptr<FuzzReader> MakeClipboardRestoreReader() {
  return std::make_unique<ClipboardRestoreReader>();
}
std::unique_ptr<FuzzReader> MakeTextCopyReader() { return std::make_unique<TextCopyReader>(); }

}  // namespace talo::fuzz
