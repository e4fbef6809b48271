// ShowObjectPreview: the first drawable format of an object file, in the order the preview
// prefers them.
#include "forms/object_preview.h"

#include <windows.h>

#include "base/text.h"
#include "base/unique.h"
#include "base/wide_text.h"
#include "content/metafile_picture.h"
#include "content/object_readers.h"
#include "content/shortcut_file.h"
#include "content/text_picture.h"
#include "data/combination_files.h"

namespace talo {
namespace {

constexpr char kObjectExtension[] = ".obj";
constexpr int kPreviewTextCapacity = 4096;

inline void DeleteMetafile(HENHMETAFILE metafile) { DeleteEnhMetaFile(metafile); }
using MetafileHandle = Unique<HENHMETAFILE, DeleteMetafile>;

// The window's device context for as long as the preview draws.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The picture of the file's most telling format, or null. Metafiles and texts are drawn on white,
// the colour of the box they show in, and shown transparent, so that the box's own colour
// (silver while the object is not the chosen kind) shows around them; a bitmap is shown as it is.
HBITMAP ReadPreviewPicture(const char* file, HDC dc, bool& transparent) {
  transparent = false;
  if (HBITMAP bitmap = ReadObjectBitmap(file, dc)) return bitmap;
  transparent = true;
  MetafileHandle metafile(ReadObjectMetafile(file));
  if (metafile) return CreateMetafilePicture(dc, metafile.get());
  char list[kPreviewTextCapacity];
  if (ReadObjectFileList(list, file, sizeof list) > 0) {
    if (HBITMAP picture = CreateTextPicture(dc, WidenAnsi(list).c_str(), nullptr)) return picture;
  }
  wchar_t text[kPreviewTextCapacity];
  if (ReadObjectText(text, file, kPreviewTextCapacity) > 0)
    return CreateTextPicture(dc, text, nullptr);
  return nullptr;
}

}  // namespace

void ClearObjectPreview(ui::TImage& picture, ui::TLabel& placeholder) {
  picture.Clear();
  picture.Visible(false);
  placeholder.Visible(false);
}

bool ShowObjectPreview(ui::TImage& picture, ui::TLabel& placeholder, int code) {
  char working[kPathCapacity];
  char source[kPathCapacity];
  const bool stored = code != kWorkingCopy;
  if (WorkingFileName(working, kObjectExtension) == 0 ||
      (stored ? CombinationFileName(source, code, kObjectExtension) == 0
              : CopyText(source, sizeof source, working) == 0)) {
    ClearObjectPreview(picture, placeholder);
    return false;
  }
  const bool exists = GetFileAttributesA(source) != INVALID_FILE_ATTRIBUTES;
  bool ok = exists;
  if (exists) {
    WindowDc dc(GetParent(picture.Handle()));
    ok = dc.get() != nullptr;
    if (ok) {
      bool transparent = false;
      HBITMAP shown = ReadPreviewPicture(source, dc.get(), transparent);
      // The new picture first: the old one (a large bitmap, perhaps) is not masked on its way.
      picture.Bitmap(shown).Transparent(transparent);
      placeholder.Visible(!shown);
      picture.Visible(shown != nullptr);
    }
  }
  if (ok && stored) {
    // A read-only working file left behind would refuse the copy.
    SetFileAttributesA(working, FILE_ATTRIBUTE_NORMAL);
    ok = CopyFileA(source, working, FALSE) != 0;
    if (ok) SetFileAttributesA(working, FILE_ATTRIBUTE_NORMAL);
  }
  if (!ok) ClearObjectPreview(picture, placeholder);
  return ok;
}

}  // namespace talo
