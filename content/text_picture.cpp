// The text picture: a file list or a text drawn as a small preview bitmap.
#include "content/text_picture.h"

#include <iterator>

#include "base/unique.h"

namespace talo {
namespace {

constexpr wchar_t kMoreLines[] = L"...";
constexpr int kLineHeight = 16;
constexpr RECT kFirstLine = {2, 1, 190, 1 + kLineHeight};

bool IsLineBreak(wchar_t c) { return c < 32; }

inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
using MemoryDc = Unique<HDC, DeleteMemoryDc>;

}  // namespace

int LayOutTextPicture(const wchar_t* text, TextPictureLines& lines) {
  lines = {};
  if (!text) return 0;
  const wchar_t* p = text;
  while (*p) {
    while (*p && IsLineBreak(*p)) ++p;
    if (!*p) break;
    const wchar_t* start = p;
    while (*p && !IsLineBreak(*p)) ++p;
    if (lines.count == kTextPictureMaxLines) {
      lines.start[kTextPictureMaxLines - 1] = kMoreLines;
      lines.length[kTextPictureMaxLines - 1] = static_cast<int>(std::size(kMoreLines)) - 1;
      break;
    }
    lines.start[lines.count] = start;
    lines.length[lines.count] = static_cast<int>(p - start);
    ++lines.count;
  }
  return lines.count;
}

HBITMAP CreateTextPicture(HDC dc, const wchar_t* text, HFONT font) {
  TextPictureLines lines;
  if (!dc || LayOutTextPicture(text, lines) == 0) return nullptr;
  GdiObject picture(CreateCompatibleBitmap(dc, kTextPictureSize, kTextPictureSize));
  MemoryDc canvas(CreateCompatibleDC(dc));
  if (!picture || !canvas) return nullptr;

  HGDIOBJ old_bitmap = SelectObject(canvas.get(), picture.get());
  HGDIOBJ old_font = font ? SelectObject(canvas.get(), font) : nullptr;
  const RECT whole = {0, 0, kTextPictureSize, kTextPictureSize};
  FillRect(canvas.get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(canvas.get(), TRANSPARENT);
  SetTextColor(canvas.get(), RGB(0, 0, 0));
  for (int i = 0; i < lines.count; ++i) {
    RECT line = kFirstLine;
    OffsetRect(&line, 0, i * kLineHeight);
    DrawTextW(canvas.get(), lines.start[i], lines.length[i], &line,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (old_font) SelectObject(canvas.get(), old_font);
  SelectObject(canvas.get(), old_bitmap);
  return static_cast<HBITMAP>(picture.release());
}

}  // namespace talo
