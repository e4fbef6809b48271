// TDropPanel: a panel that turns files dropped on it from the shell into its OnDrop event.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <functional>

#include "ui/panel.h"

namespace talo {

// The panel neither registers itself as a drop target nor releases the drop: its owner calls
// DragAcceptFiles on it, and the OnDrop handler ends the drop with DragFinish.
//
// It is a box the user works in: sunken, without a bevel, a tab stop that takes the keyboard focus
// itself (Tab does not wander into its pictures), and Enter with Shift or Ctrl is its own key while
// plain Enter goes on to the form's default button.
class TDropPanel : public ui::TPanel {
 public:
  TDropPanel& Create(const ui::TParent& parent, const ui::TBounds& bounds);

  TDropPanel& OnDrop(std::function<void(TDropPanel& sender, HDROP drop)> handler) {
    drop_ = std::move(handler);
    return *this;
  }
  // Runs OnDrop with the drop handle; without a handler the drop is ignored.
  virtual void Drop(HDROP drop);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  std::function<void(TDropPanel&, HDROP)> drop_;
};

}  // namespace talo
