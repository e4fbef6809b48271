// TButton: creation, the default and cancel roles, clicks with their modal result.
#include "ui/button.h"

#include "ui/form.h"

namespace talo::ui {

TButton::~TButton() {
  if (Form() && Form()->DefaultButton() == this) Form()->SetDefaultButton(nullptr);
  if (Form() && Form()->CancelButton() == this) Form()->SetCancelButton(nullptr);
}

TButton& TButton::Create(const TParent& parent, const TBounds& bounds, const std::string& caption) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 75;
  if (sized.height <= 0) sized.height = 25;
  CreateHandle(parent, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, sized, caption);
  // Roles chosen before the window existed are registered with the form now.
  if (default_) Default(true);
  if (cancel_) Cancel(true);
  return *this;
}

TButton& TButton::Bold(bool bold) {
  if (!bold) {
    if (Handle()) SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    bold_font_.reset();
    return *this;
  }
  LOGFONTA font = {};
  GetObjectA(Font(), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  bold_font_.reset(CreateFontIndirectA(&font));
  if (Handle())
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(bold_font_.get()), TRUE);
  return *this;
}

TButton& TButton::Default(bool is_default) {
  default_ = is_default;
  if (Form()) {
    if (is_default) {
      if (TButton* previous = Form()->DefaultButton(); previous && previous != this)
        previous->default_ = false;
      Form()->SetDefaultButton(this);
    } else if (Form()->DefaultButton() == this) {
      Form()->SetDefaultButton(nullptr);
    }
    if (Handle()) Form()->ShowEnterButton(GetFocus());
  }
  return *this;
}

TButton& TButton::Cancel(bool is_cancel) {
  cancel_ = is_cancel;
  if (Form()) {
    if (is_cancel) {
      if (TButton* previous = Form()->CancelButton(); previous && previous != this)
        previous->cancel_ = false;
      Form()->SetCancelButton(this);
    } else if (Form()->CancelButton() == this) {
      Form()->SetCancelButton(nullptr);
    }
  }
  return *this;
}

TButton& TButton::ModalResult(int result) {
  modal_result_ = result;
  return *this;
}

void TButton::Click() {
  if (modal_result_ != mrNone && Form()) Form()->SetModalResult(modal_result_);
  TControl::Click();
}

bool TButton::Command(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

void TButton::ShowAsDefault(bool as_default) {
  if (!Handle()) return;
  // Only a change is drawn: the form sets the frame again after every key.
  const bool shown = (GetWindowLongA(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (shown != as_default)
    SendMessageA(Handle(), BM_SETSTYLE, as_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// The frame follows the focus between buttons, as in dialogs; WM_KILLFOCUS names the window
// that gets the focus.
LRESULT TButton::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (Form() && message == WM_SETFOCUS) Form()->ShowEnterButton(Handle());
  if (Form() && message == WM_KILLFOCUS) Form()->ShowEnterButton(reinterpret_cast<HWND>(wparam));
  return TControlOf::HandleMessage(message, wparam, lparam);
}

}  // namespace talo::ui
