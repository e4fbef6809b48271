// TScrollBox: scroll ranges from the children's extent and scrolling of the children.
#include "ui/scroll_box.h"

#include <algorithm>

namespace talo::ui {
namespace {
const int kLineStep = 16;
}  // namespace

TScrollBox& TScrollBox::Create(const TParent& parent, const TBounds& bounds, bool sunken) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 185;
  if (sized.height <= 0) sized.height = 41;
  CreateHandle(parent, CustomControlClass(), WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
               (sunken ? WS_EX_CLIENTEDGE : 0) | WS_EX_CONTROLPARENT, sized, "");
  scroll_x_ = scroll_y_ = 0;
  UpdateScrollRange();
  return *this;
}

void TScrollBox::UpdateScrollRange() {
  if (!Handle()) return;
  // The extent in content coordinates: where the children reach with no scrolling.
  int extent_x = 0;
  int extent_y = 0;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    RECT bounds;
    GetWindowRect(child, &bounds);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    extent_x = std::max<int>(extent_x, bounds.right + scroll_x_);
    extent_y = std::max<int>(extent_y, bounds.bottom + scroll_y_);
  }
  // Showing one bar narrows the client area, which may call for the other: settle twice.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    GetClientRect(Handle(), &client);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = extent_x > client.right ? extent_x - 1 : 0;
    info.nPage = extent_x > client.right ? client.right : 0;
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
    info.nMax = extent_y > client.bottom ? extent_y - 1 : 0;
    info.nPage = extent_y > client.bottom ? client.bottom : 0;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  }
  ScrollTo(scroll_x_, scroll_y_);
}

void TScrollBox::ScrollTo(int x, int y) {
  if (!Handle()) return;
  auto clamp = [this](int bar, int position) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(Handle(), bar, &info);
    int last = std::max<int>(0, info.nMax - static_cast<int>(info.nPage) + 1);
    return info.nPage == 0 ? 0 : std::clamp(position, 0, last);
  };
  int new_x = clamp(SB_HORZ, x);
  int new_y = clamp(SB_VERT, y);
  if (new_x == scroll_x_ && new_y == scroll_y_) return;
  // The children move themselves rather than through ScrollWindowEx, which leaves them in place
  // while the box is not on screen.
  int dx = scroll_x_ - new_x;
  int dy = scroll_y_ - new_y;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT bounds;
    GetWindowRect(child, &bounds);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    SetWindowPos(child, nullptr, bounds.left + dx, bounds.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
  scroll_x_ = new_x;
  scroll_y_ = new_y;
  SetScrollPos(Handle(), SB_HORZ, scroll_x_, TRUE);
  SetScrollPos(Handle(), SB_VERT, scroll_y_, TRUE);
}

int TScrollBox::ScrollRequest(int bar, WORD request) const {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  int page = std::max<int>(1, info.nPage);
  switch (request) {
    case SB_LINEUP:
      return info.nPos - kLineStep;
    case SB_LINEDOWN:
      return info.nPos + kLineStep;
    case SB_PAGEUP:
      return info.nPos - page;
    case SB_PAGEDOWN:
      return info.nPos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return info.nTrackPos;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return info.nMax;
  }
  return info.nPos;
}

LRESULT TScrollBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_HSCROLL:
      ScrollTo(ScrollRequest(SB_HORZ, LOWORD(wparam)), scroll_y_);
      return 0;
    case WM_VSCROLL:
      ScrollTo(scroll_x_, ScrollRequest(SB_VERT, LOWORD(wparam)));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(scroll_x_,
               scroll_y_ - static_cast<short>(HIWORD(wparam)) / WHEEL_DELTA * 3 * kLineStep);
      return 0;
    case WM_SIZE: {
      LRESULT result = TControlOf::HandleMessage(message, wparam, lparam);
      UpdateScrollRange();
      return result;
    }
  }
  return TControlOf::HandleMessage(message, wparam, lparam);
}

}  // namespace talo::ui
