// TCustomEdit: what TEdit and TMemo share: text, read-only state, length limit, OnChange.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/control_of.h"

namespace talo::ui {

template <typename Self>
class TCustomEdit : public TControlOf<Self> {
 public:
  std::string Text() const { return this->Caption(); }
  Self& Text(const std::string& text) { return this->Caption(text); }

  bool ReadOnly() const {
    return this->Handle() && (GetWindowLongA(this->Handle(), GWL_STYLE) & ES_READONLY) != 0;
  }
  // A read-only edit shows its parent's colour, as the dialog manager draws it.
  Self& ReadOnly(bool read_only) {
    if (this->Handle()) SendMessageA(this->Handle(), EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
    return this->self();
  }
  // The most characters the user can type; 0 for the control's own limit.
  Self& MaxLength(int length) {
    if (this->Handle()) SendMessageA(this->Handle(), EM_LIMITTEXT, length, 0);
    return this->self();
  }
  // The colour of the background behind the text (the parent's default colour otherwise).
  Self& Color(COLORREF color) {
    this->SetOwnColor(color);
    return this->self();
  }
  // Runs after every change of the text, by the user or the program.
  Self& OnChange(std::function<void()> handler) {
    change_ = std::move(handler);
    return this->self();
  }

 protected:
  // Ctrl+A (Shift may be held, Alt not) selects the whole text unless it is empty or wholly
  // selected already; the key is consumed either way.
  bool KeyDown(const TKeyEvent& event) override {
    if (!TShortCut{'A', kCtrl, kShift}.Matches(event)) return TControl::KeyDown(event);
    const int length = GetWindowTextLengthA(this->Handle());
    DWORD start = 0, end = 0;
    SendMessageA(this->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    if (length > 0 && !(start == 0 && static_cast<int>(end) == length))
      SendMessageA(this->Handle(), EM_SETSEL, 0, length);
    return true;
  }
  bool Command(WORD code) override {
    if (code != EN_CHANGE) return false;
    if (change_) change_();
    return true;
  }

 private:
  std::function<void()> change_;
};

}  // namespace talo::ui
