// TButton: a push button with bold type, default and cancel roles and a modal result.
#pragma once

#include <string>

#include "base/unique.h"
#include "ui/control_of.h"

namespace talo::ui {

class TButton : public TControlOf<TButton> {
 public:
  ~TButton() override;

  TButton& Create(const TParent& parent, const TBounds& bounds, const std::string& caption);

  bool Bold() const { return static_cast<bool>(bold_font_); }
  TButton& Bold(bool bold);
  // The default button is pressed by Enter, the cancel button by Escape, wherever the focus is
  // on the form (a focused button takes Enter itself).
  bool Default() const { return default_; }
  TButton& Default(bool is_default);
  bool Cancel() const { return cancel_; }
  TButton& Cancel(bool is_cancel);
  // A click sets the form's ModalResult to this value first (when it is not mrNone), which ends
  // a ShowModal.
  int ModalResult() const { return modal_result_; }
  TButton& ModalResult(int result);

  void Click() override;
  // Draws or removes the thick default frame; the form decides which button shows it
  // (TForm::ShowEnterButton).
  void ShowAsDefault(bool as_default);

 protected:
  bool Command(WORD code) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  GdiObject bold_font_;
  bool default_ = false;
  bool cancel_ = false;
  int modal_result_ = 0;
};

}  // namespace talo::ui
