// TPanel: a framework-painted container: background, bevel, caption.
#include "ui/panel.h"

namespace talo::ui {

TPanel& TPanel::Create(const TParent& parent, const TBounds& bounds, const std::string& caption) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 185;
  if (sized.height <= 0) sized.height = 41;
  CreateHandle(parent, CustomControlClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, sized, caption);
  return *this;
}

COLORREF TPanel::Color() const {
  if (HasOwnColor()) return OwnColor();
  HDC dc = GetDC(Handle());
  ParentBrush(dc);  // the parent sets its colour as the background colour of the DC
  COLORREF color = GetBkColor(dc);
  ReleaseDC(Handle(), dc);
  return color;
}

TPanel& TPanel::Color(COLORREF color) {
  SetOwnColor(color);
  return *this;
}

TPanel& TPanel::Bevel(bool bevel) {
  bevel_ = bevel;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
  return *this;
}

TPanel& TPanel::Lowered(bool lowered) {
  lowered_ = lowered;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
  return *this;
}

void TPanel::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (bevel_) DrawEdge(dc, &client, lowered_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  std::string caption = Caption();
  if (caption.empty()) return;
  HGDIOBJ old_font = SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      PaintWindow([this](HDC dc) { Paint(dc); });
      return 0;
    case WM_PRINTCLIENT:
      SendMessageA(Handle(), WM_ERASEBKGND, wparam, 0);
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefaultHandler(message, wparam, lparam);
      InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
  }
  return TControlOf::HandleMessage(message, wparam, lparam);
}

}  // namespace talo::ui
