// TScrollBox: a sunken container that scrolls its children when they reach beyond it.
#pragma once

#include "ui/control_of.h"

namespace talo::ui {

class TScrollBox : public TControlOf<TScrollBox> {
 public:
  TScrollBox& Create(const TParent& parent, const TBounds& bounds, bool sunken = true);
  TScrollBox& Color(COLORREF color) {
    SetOwnColor(color);
    return *this;
  }

  // Fits the scroll bars to the extent of the children; call after placing or resizing them.
  void UpdateScrollRange();
  int ScrollX() const { return scroll_x_; }
  int ScrollY() const { return scroll_y_; }
  // Scrolls so that content point (x, y) is at the top-left corner, as far as the range allows.
  void ScrollTo(int x, int y);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The new position for a scroll bar request, from the bar's current state.
  int ScrollRequest(int bar, WORD request) const;

  int scroll_x_ = 0;
  int scroll_y_ = 0;
};

}  // namespace talo::ui
