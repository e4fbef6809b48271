// TImage: a picture (bitmap or icon) that the image owns, auto-sized and optionally transparent.
#pragma once

#include "base/unique.h"
#include "ui/control_of.h"

namespace talo::ui {

class TImage : public TControlOf<TImage> {
 public:
  TImage& Create(const TParent& parent, const TBounds& bounds);

  // The image takes ownership of the picture given: it deletes the previous one at once and the
  // last one when it is destroyed. Null leaves the image empty.
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }
  TImage& Bitmap(HBITMAP bitmap);
  HICON Icon() const { return icon_.get(); }
  TImage& Icon(HICON icon);
  bool Empty() const { return !bitmap_ && !icon_; }
  // Deletes the picture.
  void Clear();

  // With AutoSize the image takes its picture's size whenever the picture changes.
  bool AutoSize() const { return auto_size_; }
  TImage& AutoSize(bool auto_size);
  // A transparent bitmap lets its parent's colour show where its pixels have the colour of its
  // bottom-left pixel.
  bool Transparent() const { return transparent_; }
  TImage& Transparent(bool transparent);
  // The colour that a transparent bitmap leaves out (CLR_INVALID without a bitmap).
  COLORREF TransparentColor() const { return transparent_color_; }

 protected:
  bool IsGraphic() const override { return true; }
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // A disabled image is still drawn; it only lets the mouse through to what lies beneath.
  void ApplyEnabled(bool enabled) override;

 private:
  void PictureChanged();
  void Paint(HDC dc);
  SIZE PictureSize() const;

  GdiObject bitmap_;
  IconHandle icon_;
  GdiObject mask_;  // white where a transparent bitmap lets the background show
  COLORREF transparent_color_ = CLR_INVALID;
  bool auto_size_ = false;
  bool transparent_ = false;
};

}  // namespace talo::ui
