// TPageControl: the comctl32 tab control that shows one TTabSheet at a time.
#include "ui/page_control.h"

#include <algorithm>
#include <utility>

#include "ui/common_controls.h"
#include "ui/form.h"
#include "ui/tab_sheet.h"

namespace talo::ui {

TPageControl::~TPageControl() {
  for (TTabSheet* page : pages_) page->pages_ = nullptr;
}

TPageControl& TPageControl::Create(const TParent& parent, const TBounds& bounds) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 289;
  if (sized.height <= 0) sized.height = 193;
  CreateHandle(parent, WC_TABCONTROLA, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT, sized,
               "");
  return *this;
}

RECT TPageControl::PageArea() const {
  RECT area = {};
  if (!Handle()) return area;
  GetClientRect(Handle(), &area);
  SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

RECT TPageControl::AddPage(TTabSheet& page, const std::string& caption) {
  TCITEMA tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<char*>(caption.c_str());
  SendMessageA(Handle(), TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&tab));
  pages_.push_back(&page);
  if (ActivePageIndex() < 0) SendMessageA(Handle(), TCM_SETCURSEL, 0, 0);
  return PageArea();
}

void TPageControl::RemovePage(TTabSheet& page) {
  auto found = std::find(pages_.begin(), pages_.end(), &page);
  if (found == pages_.end()) return;
  if (Handle()) SendMessageA(Handle(), TCM_DELETEITEM, found - pages_.begin(), 0);
  pages_.erase(found);
  page.pages_ = nullptr;
  ShowSelectedPage();
}

int TPageControl::ActivePageIndex() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : -1;
}

TTabSheet* TPageControl::ActivePage() const {
  int index = ActivePageIndex();
  return index >= 0 && index < PageCount() ? pages_[index] : nullptr;
}

TPageControl& TPageControl::ActivePage(TTabSheet& page) {
  auto found = std::find(pages_.begin(), pages_.end(), &page);
  if (found != pages_.end() && Handle()) {
    SendMessageA(Handle(), TCM_SETCURSEL, found - pages_.begin(), 0);
    ShowSelectedPage();
  }
  return *this;
}

TPageControl& TPageControl::OnChange(std::function<void()> handler) {
  change_ = std::move(handler);
  return *this;
}

bool TPageControl::TurnPage(const TForm& form, bool backwards) {
  for (TControl* control : form.Controls()) {
    auto* pages = dynamic_cast<TPageControl*>(control);
    if (!pages || pages->PageCount() < 2 || !IsWindowVisible(pages->Handle()) ||
        !IsWindowEnabled(pages->Handle()))
      continue;
    const int count = pages->PageCount();
    const int next = (std::max(pages->ActivePageIndex(), 0) + (backwards ? count - 1 : 1)) % count;
    pages->ActivePage(pages->Page(next));
    if (pages->change_) pages->change_();
    // The focus must not stay on a control of the page that went.
    HWND page = pages->Page(next).Handle();
    HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    ::SetFocus(first && IsChild(page, first) ? first : pages->Handle());
    return true;
  }
  return false;
}

void TPageControl::ShowSelectedPage() {
  TTabSheet* active = ActivePage();
  for (TTabSheet* page : pages_) {
    if (page != active) page->SetVisible(false);
  }
  if (active) active->SetVisible(true);
}

bool TPageControl::Notify(NMHDR& header, LRESULT& result) {
  result = 0;
  if (header.code != TCN_SELCHANGE) return false;
  ShowSelectedPage();
  if (change_) change_();
  return true;
}

LRESULT TPageControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) {
    LRESULT result = TControlOf::HandleMessage(message, wparam, lparam);
    RECT area = PageArea();
    for (TTabSheet* page : pages_) {
      MoveWindow(page->Handle(), area.left, area.top, area.right - area.left,
                 area.bottom - area.top, TRUE);
    }
    return result;
  }
  return TControlOf::HandleMessage(message, wparam, lparam);
}

}  // namespace talo::ui
