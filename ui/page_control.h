// TPageControl: tabs over a stack of pages (TTabSheet), one page shown at a time.
#pragma once

#include <functional>
#include <vector>

#include "ui/control_of.h"

namespace talo::ui {

class TTabSheet;

class TPageControl : public TControlOf<TPageControl> {
 public:
  ~TPageControl() override;

  TPageControl& Create(const TParent& parent, const TBounds& bounds);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet& Page(int index) const { return *pages_.at(index); }
  int ActivePageIndex() const;
  TTabSheet* ActivePage() const;
  // Shows the page and selects its tab; raises no OnChange.
  TPageControl& ActivePage(TTabSheet& page);
  // The user chose another tab.
  TPageControl& OnChange(std::function<void()> handler);
  // Ctrl+Tab and Ctrl+Shift+Tab on a form: its first shown page control turns to the next or
  // previous page, as the user's choice of that tab, and the focus goes to the page's first
  // control. False when the form has no such page control.
  static bool TurnPage(const TForm& form, bool backwards);

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  friend class TTabSheet;
  // Adds a tab for `page` and returns the page's place in the display area.
  RECT AddPage(TTabSheet& page, const std::string& caption);
  void RemovePage(TTabSheet& page);
  RECT PageArea() const;
  // Shows the page of the selected tab and hides the others.
  void ShowSelectedPage();

  std::vector<TTabSheet*> pages_;
  std::function<void()> change_;
};

}  // namespace talo::ui
