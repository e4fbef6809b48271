// TControlOf: the chaining setters of TControl, returning the derived control.
//
// Properties read as X() and are set with X(value), which returns the control so that a form's
// constructor reads like its component table:
//   btnApply.Create(*this, {555, 345, 75, 23}, "&Apply").OnClick([this] { btnApplyClick(); });
// Events are std::function values set the same way; OnClick runs for the user's clicks.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/control.h"

namespace talo::ui {

template <typename Self>
class TControlOf : public TControl {
 public:
  using TControl::Align;
  using TControl::Caption;
  using TControl::Enabled;
  using TControl::Hint;
  using TControl::PopupMenu;
  using TControl::TabStop;
  using TControl::Tag;
  using TControl::Visible;

  Self& Tag(int tag) {
    SetTag(tag);
    return self();
  }
  Self& Visible(bool visible) {
    SetVisible(visible);
    return self();
  }
  Self& Enabled(bool enabled) {
    SetEnabled(enabled);
    return self();
  }
  Self& Hint(const std::string& hint) {
    SetHint(hint);
    return self();
  }
  Self& Caption(const std::string& caption) {
    SetCaption(caption);
    return self();
  }
  Self& Bounds(const TBounds& bounds) {
    SetBounds(bounds);
    return self();
  }
  Self& Align(TAlign align) {
    SetAlign(align);
    return self();
  }
  Self& TabStop(bool tab_stop) {
    SetTabStop(tab_stop);
    return self();
  }
  Self& PopupMenu(TPopupMenu& menu) {
    SetPopupMenu(&menu);
    return self();
  }

  Self& OnClick(std::function<void()> handler) {
    click_ = std::move(handler);
    return self();
  }
  Self& OnDblClick(std::function<void()> handler) {
    double_click_ = std::move(handler);
    return self();
  }
  // Runs first for a key going down in the control; returns true for a key it consumed.
  Self& OnKeyDown(std::function<bool(const TKeyEvent& event)> handler) {
    key_down_ = std::move(handler);
    return self();
  }
  // Any mouse button going down (a double click's second press too), in client coordinates.
  Self& OnMouseDown(std::function<void(TMouseButton button, int x, int y)> handler) {
    mouse_down_ = std::move(handler);
    return self();
  }
  // A mouse button going up over the control (or anywhere while it holds the mouse).
  Self& OnMouseUp(std::function<void(TMouseButton button, int x, int y)> handler) {
    mouse_up_ = std::move(handler);
    return self();
  }
  Self& OnEnter(std::function<void()> handler) {
    enter_ = std::move(handler);
    return self();
  }
  Self& OnExit(std::function<void()> handler) {
    exit_ = std::move(handler);
    return self();
  }

 protected:
  Self& self() { return static_cast<Self&>(*this); }
};

}  // namespace talo::ui
