// TImage: picture ownership, auto-size, the transparency mask and painting.
#include "ui/image.h"

#include <algorithm>

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
  if (transparent == transparent_) return *this;
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
  // Only the part that needs painting is composed: a large picture in a small scroll box shows
  // a fraction of itself.
  RECT area = client;
  RECT clip;
  if (GetClipBox(dc, &clip) > NULLREGION) IntersectRect(&area, &client, &clip);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Composed off screen, so the three passes of a transparent picture never show.
  GdiObject canvas(CreateCompatibleBitmap(dc, width, height));
  SelectedDC buffer(dc, canvas.get());
  const RECT whole = {0, 0, width, height};
  FillRect(buffer.get(), &whole, ParentBrush(dc));
  const SIZE size = PictureSize();
  // The picture's part inside the area, in buffer coordinates.
  const int shown_width = std::min<int>(width, size.cx - area.left);
  const int shown_height = std::min<int>(height, size.cy - area.top);
  if (bitmap_ && shown_width > 0 && shown_height > 0) {
    SelectedDC picture(dc, bitmap_.get());
    auto blit = [&](HDC source, DWORD operation) {
      BitBlt(buffer.get(), 0, 0, shown_width, shown_height, source, area.left, area.top, operation);
    };
    if (transparent_ && mask_) {
      // picture XOR background, cleared where opaque, XOR picture again: the picture where the
      // mask is black, the background untouched where it is white.
      SelectedDC mask(dc, mask_.get());
      SetBkColor(buffer.get(), RGB(255, 255, 255));
      SetTextColor(buffer.get(), RGB(0, 0, 0));
      blit(picture.get(), SRCINVERT);
      blit(mask.get(), SRCAND);
      blit(picture.get(), SRCINVERT);
    } else {
      blit(picture.get(), SRCCOPY);
    }
  } else if (icon_) {
    DrawIconEx(buffer.get(), -area.left, -area.top, Icon(), 0, 0, 0, nullptr, DI_NORMAL);
  }
  BitBlt(dc, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
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
