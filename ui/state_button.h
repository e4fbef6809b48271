// TStateButton: what check boxes and radio buttons share - a BUTTON with a state and a caption
// that is as wide as it needs without a width, and the click notification.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

template <typename Self, DWORD kStyle>
class TStateButton : public TControlOf<Self> {
 public:
  Self& Create(const TParent& parent, const TBounds& bounds, const std::string& caption) {
    TBounds sized = bounds;
    if (sized.width <= 0 || sized.height <= 0) {
      SIZE text = this->TextExtent(caption);
      if (sized.width <= 0) sized.width = text.cx + 24;  // the box, its gap and the focus frame
      if (sized.height <= 0) sized.height = 17;
    }
    this->CreateHandle(parent, "BUTTON", kStyle | WS_TABSTOP, 0, sized, caption);
    return static_cast<Self&>(*this);
  }

  bool Checked() const {
    return this->Handle() && SendMessageA(this->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

 protected:
  void SetState(bool checked) {
    if (this->Handle())
      SendMessageA(this->Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool Command(WORD code) override {
    if (code != BN_CLICKED) return false;
    this->Click();
    return true;
  }
};

}  // namespace talo::ui
