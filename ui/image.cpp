// TImage: picture ownership, auto-size, the transparency mask and painting.
#include "ui/image.h"

namespace talo::ui {
namespace {

// A memory DC with one object selected, restored and deleted at the end of the scope.
class SelectedDC {
 public:
  SelectedDC(HDC compatible_with, HGDIOBJ object)
      : dc_(CreateCompatibleDC(compatible_with)), old_(SelectObject(dc_, object)) {}
  ~SelectedDC() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  SelectedDC(const SelectedDC&) = delete;
  SelectedDC& operator=(const SelectedDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  SIZE size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
  if (!info.hbmColor) size.cy /= 2;  // a monochrome icon stacks its AND and XOR masks
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

}  // namespace

TImage& TImage::Create(const TParent& parent, const TBounds& bounds) {
  TBounds sized = bounds;
  SIZE picture = PictureSize();
  if (sized.width <= 0) sized.width = picture.cx > 0 ? picture.cx : 105;
  if (sized.height <= 0) sized.height = picture.cy > 0 ? picture.cy : 105;
  CreateHandle(parent, CustomControlClass(), 0, 0, sized, "");
  return *this;
}

TImage& TImage::Bitmap(HBITMAP bitmap) {
  icon_.reset();
  bitmap_.reset(bitmap);
  PictureChanged();
  return *this;
}

TImage& TImage::Icon(HICON icon) {
  bitmap_.reset();
  icon_.reset(icon);
  PictureChanged();
  return *this;
}

void TImage::Clear() {
  bitmap_.reset();
  icon_.reset();
  PictureChanged();
}

TImage& TImage::AutoSize(bool auto_size) {
  auto_size_ = auto_size;
  PictureChanged();
  return *this;
}

TImage& TImage::Transparent(bool transparent) {
  transparent_ = transparent;
  PictureChanged();
  return *this;
}

SIZE TImage::PictureSize() const {
  if (bitmap_) return BitmapSize(Bitmap());
  if (icon_) return IconSize(Icon());
  return {0, 0};
}

void TImage::PictureChanged() {
  mask_.reset();
  transparent_color_ = CLR_INVALID;
  SIZE size = PictureSize();
  if (bitmap_ && size.cx > 0 && size.cy > 0) {
    HDC screen = GetDC(nullptr);
    {
      SelectedDC picture(screen, bitmap_.get());
      transparent_color_ = GetPixel(picture.get(), 0, size.cy - 1);
      if (transparent_) {
        // Converting to monochrome turns the pixels of the DC's background colour white.
        mask_.reset(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
        SelectedDC mask(screen, mask_.get());
        SetBkColor(picture.get(), transparent_color_);
        BitBlt(mask.get(), 0, 0, size.cx, size.cy, picture.get(), 0, 0, SRCCOPY);
      }
    }
    ReleaseDC(nullptr, screen);
  }
  if (!Handle()) return;
  if (auto_size_ && size.cx > 0 && size.cy > 0) {
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TImage::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // Composed off screen, so the three passes of a transparent picture never show.
  GdiObject canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
  SelectedDC buffer(dc, canvas.get());
  FillRect(buffer.get(), &client, ParentBrush(dc));
  SIZE size = PictureSize();
  if (bitmap_) {
    SelectedDC picture(dc, bitmap_.get());
    if (transparent_ && mask_) {
      // picture XOR background, cleared where opaque, XOR picture again: the picture where the
      // mask is black, the background untouched where it is white.
      SelectedDC mask(dc, mask_.get());
      SetBkColor(buffer.get(), RGB(255, 255, 255));
      SetTextColor(buffer.get(), RGB(0, 0, 0));
      BitBlt(buffer.get(), 0, 0, size.cx, size.cy, picture.get(), 0, 0, SRCINVERT);
      BitBlt(buffer.get(), 0, 0, size.cx, size.cy, mask.get(), 0, 0, SRCAND);
      BitBlt(buffer.get(), 0, 0, size.cx, size.cy, picture.get(), 0, 0, SRCINVERT);
    } else {
      BitBlt(buffer.get(), 0, 0, size.cx, size.cy, picture.get(), 0, 0, SRCCOPY);
    }
  } else if (icon_) {
    DrawIconEx(buffer.get(), 0, 0, Icon(), 0, 0, 0, nullptr, DI_NORMAL);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
}

void TImage::ApplyEnabled(bool) { InvalidateRect(Handle(), nullptr, FALSE); }

LRESULT TImage::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      if (!Enabled()) return HTTRANSPARENT;
      break;
    case WM_ERASEBKGND:
      return 1;  // Paint covers every pixel
    case WM_PAINT:
      PaintWindow([this](HDC dc) { Paint(dc); });
      return 0;
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
  }
  return TControlOf::HandleMessage(message, wparam, lparam);
}

}  // namespace talo::ui
