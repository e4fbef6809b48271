// TImageList: small pictures of one size, drawn with their transparent colour left out.
#pragma once

#include "base/unique.h"
#include "ui/common_controls.h"

namespace talo::ui {

inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }

class TImageList {
 public:
  TImageList() = default;
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  // Makes an empty list of `width` x `height` pictures (an existing list is dropped).
  bool Create(int width, int height);
  // Adds the pictures of a strip whose width is a multiple of the list's width; pixels of the
  // colour `transparent` are left out. The list copies the bitmap: it stays the caller's.
  // Returns the index of the first picture added, -1 on failure.
  int Add(HBITMAP strip, COLORREF transparent);
  // The same for a bitmap resource of `instance`.
  int AddBitmapResource(HINSTANCE instance, int id, COLORREF transparent);
  // Adds a copy of an icon; returns its index or -1.
  int AddIcon(HICON icon);

  HIMAGELIST Handle() const { return list_.get(); }
  int Count() const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Draw(HDC dc, int index, int x, int y) const;
  // A new bitmap of picture `index` on `background` (a menu item's picture); null on failure.
  HBITMAP CreateBitmap(int index, COLORREF background) const;

 private:
  Unique<HIMAGELIST, DestroyImageList> list_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace talo::ui
