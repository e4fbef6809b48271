// TMemo: a multi-line edit whose lines wrap, with a vertical scroll bar. It keeps any Unicode
// text; Text() gives it in the system code page, WideText() as it is.
#pragma once

#include <string>

#include "ui/custom_edit.h"

namespace talo::ui {

// How a memo takes Enter and how it scrolls; fixed when its window is made.
struct TMemoStyle {
  // Enter starts a new line. Without it Enter goes to the form's default button and Ctrl+Enter
  // starts the line, as in a dialog; Tab then moves the focus and Ctrl+Tab types a tab.
  bool want_returns = true;
  // Lines do not wrap: a horizontal scroll bar reaches their ends.
  bool horizontal_scroll_bar = false;
};

class TMemo : public TCustomEdit<TMemo> {
 public:
  // Lines in the text are separated by "\r\n".
  TMemo& Create(const TParent& parent, const TBounds& bounds, const std::string& text = "",
                const TMemoStyle& style = {});
  int LineCount() const;
  std::wstring WideText() const;
  TMemo& WideText(const std::wstring& text);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool want_returns_ = true;
};

}  // namespace talo::ui
