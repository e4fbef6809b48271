// TImageList: a comctl32 image list with masks.
#include "ui/image_list.h"

#include "base/unique.h"
#include "ui/common_controls.h"

namespace talo::ui {

bool TImageList::Create(int width, int height) {
  list_.reset();
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return false;
  LoadCommonControls();
  list_.reset(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 8, 8));
  if (!list_) return false;
  width_ = width;
  height_ = height;
  return true;
}

int TImageList::Add(HBITMAP strip, COLORREF transparent) {
  if (!list_ || !strip) return -1;
  return ImageList_AddMasked(list_.get(), strip, transparent);
}

int TImageList::AddBitmapResource(HINSTANCE instance, int id, COLORREF transparent) {
  GdiObject strip(
      LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  return strip ? Add(static_cast<HBITMAP>(strip.get()), transparent) : -1;
}

int TImageList::AddIcon(HICON icon) {
  if (!list_ || !icon) return -1;
  return ImageList_AddIcon(list_.get(), icon);
}

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.get()) : 0; }

bool TImageList::Draw(HDC dc, int index, int x, int y) const {
  if (!list_ || index < 0 || index >= Count()) return false;
  return ImageList_Draw(list_.get(), index, dc, x, y, ILD_TRANSPARENT) != FALSE;
}

HBITMAP TImageList::CreateBitmap(int index, COLORREF background) const {
  if (!list_ || index < 0 || index >= Count()) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!bitmap || !dc) {
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT area = {0, 0, width_, height_};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  Draw(dc, index, 0, 0);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace talo::ui
