// TTabSheet: a framework-painted container placed in its page control's display area.
#include "ui/tab_sheet.h"

#include "ui/page_control.h"

namespace talo::ui {

TTabSheet::~TTabSheet() {
  if (pages_) pages_->RemovePage(*this);
}

TTabSheet& TTabSheet::Create(TPageControl& pages, const std::string& caption) {
  if (pages_) pages_->RemovePage(*this);
  // Created hidden; the page control shows the page of the selected tab.
  SetVisible(false);
  CreateHandle(pages, CustomControlClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {0, 0, 1, 1},
               caption);
  pages_ = &pages;
  RECT area = pages.AddPage(*this, caption);
  MoveWindow(Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  pages.ShowSelectedPage();
  return *this;
}

int TTabSheet::PageIndex() const {
  if (!pages_) return -1;
  for (int index = 0; index < pages_->PageCount(); ++index) {
    if (&pages_->Page(index) == this) return index;
  }
  return -1;
}

}  // namespace talo::ui
