// TTabSheet: one page of a TPageControl, a container for the page's controls.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

class TPageControl;

class TTabSheet : public TControlOf<TTabSheet> {
 public:
  ~TTabSheet() override;

  // Adds the page as the last tab of `pages`, with `caption` on its tab.
  TTabSheet& Create(TPageControl& pages, const std::string& caption);
  TPageControl* PageControl() const { return pages_; }
  int PageIndex() const;

 private:
  friend class TPageControl;
  TPageControl* pages_ = nullptr;
};

}  // namespace talo::ui
