// TMemo: creation of a multi-line edit and its line count.
#include "ui/memo.h"

namespace talo::ui {

TMemo& TMemo::Create(const TParent& parent, const TBounds& bounds, const std::string& text,
                     const TMemoStyle& style) {
  TBounds sized = bounds;
  if (sized.width <= 0) sized.width = 185;
  if (sized.height <= 0) sized.height = 89;
  want_returns_ = style.want_returns;
  DWORD window_style = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
  if (style.want_returns) window_style |= ES_WANTRETURN;
  if (style.horizontal_scroll_bar) window_style |= ES_AUTOHSCROLL | WS_HSCROLL;
  CreateHandle(parent, "EDIT", window_style, WS_EX_CLIENTEDGE, sized, text, /*unicode=*/true);
  return *this;
}

LRESULT TMemo::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!want_returns_) {
    const bool ctrl = (HeldModifiers() & kCtrl) != 0;
    // The dialog manager asks before it acts on Enter, Tab and Escape: a memo of the dialog
    // kind leaves plain Enter, Tab and Escape to the form and keeps Ctrl+Enter and Ctrl+Tab.
    if (message == WM_GETDLGCODE) {
      auto* pending = reinterpret_cast<const MSG*>(lparam);
      LRESULT code = DefaultHandler(message, wparam, lparam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      if (pending && pending->message == WM_KEYDOWN &&
          (pending->wParam == VK_RETURN || pending->wParam == VK_TAB) && ctrl)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    if (message == WM_KEYDOWN && ctrl && (wparam == VK_RETURN || wparam == VK_TAB)) {
      SendMessageA(Handle(), EM_REPLACESEL, TRUE,
                   reinterpret_cast<LPARAM>(wparam == VK_RETURN ? "\r\n" : "\t"));
      MSG typed;  // the line feed or tab character the key also typed
      PeekMessageA(&typed, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
      return 0;
    }
  }
  return TCustomEdit::HandleMessage(message, wparam, lparam);
}

int TMemo::LineCount() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0)) : 0;
}

std::wstring TMemo::WideText() const {
  if (!Handle()) return std::wstring();
  std::wstring text(GetWindowTextLengthW(Handle()) + 1, L'\0');
  text.resize(GetWindowTextW(Handle(), &text[0], static_cast<int>(text.size())));
  return text;
}

TMemo& TMemo::WideText(const std::wstring& text) {
  if (Handle()) SetWindowTextW(Handle(), text.c_str());
  return *this;
}

}  // namespace talo::ui
