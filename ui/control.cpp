// TControl: window ownership, the subclass procedure, notification routing and alignment.
#include "ui/control.h"

#include <cstring>
#include <exception>

#include "base/wide_text.h"
#include "ui/application.h"
#include "ui/common_controls.h"
#include "ui/form.h"
#include "ui/framework_error.h"
#include "ui/guarded_handler.h"
#include "ui/popup_menu.h"

namespace talo::ui {
namespace {

const char kControlProperty[] = "TaloControl";
const char kCustomControlClass[] = "TCustomControl";
const UINT_PTR kSubclassId = 1;

// Child window identifiers: unique per process so that DM_GETDEFID can name the default button
// wherever it sits; they stay clear of IDOK and IDCANCEL, which the dialog manager sends itself.
int NextControlId() {
  static int next_id = 1000;
  if (next_id > 0xFFFF) next_id = 1000;
  return next_id++;
}

}  // namespace

TParent::TParent(TForm& form) : handle_(form.Handle()), form_(&form) {}

TParent::TParent(TControl& container) : handle_(container.Handle()), form_(container.Form()) {}

TControl::~TControl() {
  HWND window = handle_;
  Detach();
  if (window) DestroyWindow(window);
}

TControl* TControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  return static_cast<TControl*>(GetPropA(window, kControlProperty));
}

const char* TControl::CustomControlClass() {
  static const bool registered = [] {
    WNDCLASSA window_class = {};
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    window_class.lpszClassName = kCustomControlClass;
    return RegisterClassA(&window_class) != 0;
  }();
  if (!registered) throw EFrameworkError("Cannot register window class TCustomControl");
  return kCustomControlClass;
}

void TControl::CreateHandle(const TParent& parent, const char* window_class, DWORD style,
                            DWORD ex_style, const TBounds& bounds, const std::string& text,
                            bool unicode) {
  if (handle_) {
    HWND old = handle_;
    Detach();
    DestroyWindow(old);
  }
  if (!parent.Handle())
    throw EFrameworkError(std::string("No parent window for a ") + window_class);
  LoadCommonControls();
  form_ = parent.Form();
  custom_ = std::strcmp(window_class, kCustomControlClass) == 0;
  style |= WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0);
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId()));
  HWND window =
      unicode ? CreateWindowExW(ex_style, WidenAnsi(window_class).c_str(), WidenAnsi(text).c_str(),
                                style, bounds.left, bounds.top, bounds.width, bounds.height,
                                parent.Handle(), id, GetModuleHandleA(nullptr), nullptr)
              : CreateWindowExA(ex_style, window_class, text.c_str(), style, bounds.left,
                                bounds.top, bounds.width, bounds.height, parent.Handle(), id,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window)
    throw EFrameworkError(std::string("Cannot create a window of class ") + window_class);
  handle_ = window;
  PlaceInZOrder();
  SetPropA(window, kControlProperty, this);
  SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  if (!enabled_) ApplyEnabled(false);
  if (!hint_.empty() && Application) Application->SetHint(window, hint_);
}

void TControl::PlaceInZOrder() {
  // Windows puts a new child at the bottom. The first graphic sibling from the top marks where
  // the graphic controls begin; both kinds of new control go just before it.
  HWND insert_after = HWND_TOP;
  for (HWND sibling = GetWindow(GetParent(handle_), GW_CHILD); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == handle_) continue;
    TControl* control = FromHandle(sibling);
    if (control && control->IsGraphic()) {
      SetWindowPos(handle_, insert_after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
    insert_after = sibling;
  }
}

void TControl::Detach() {
  if (!handle_) return;
  if (!hint_.empty() && Application) Application->SetHint(handle_, "");
  RemovePropA(handle_, kControlProperty);
  RemoveWindowSubclass(handle_, SubclassProc, kSubclassId);
  handle_ = nullptr;
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR, DWORD_PTR reference) {
  auto* control = reinterpret_cast<TControl*>(reference);
  if (message == WM_NCDESTROY) {
    // The parent went first: the object lives on without a window.
    control->Detach();
    return DefSubclassProc(window, message, wparam, lparam);
  }
  return HandleGuarded([&] { return control->HandleMessage(message, wparam, lparam); });
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefSubclassProc(handle_, message, wparam, lparam);
}

LRESULT TControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // Children of a container paint on its colour, or on whatever its own parent gives.
  LRESULT routed = 0;
  if (RouteChildMessage(
          message, wparam, lparam, [this](HDC dc) { return BackgroundBrush(dc); }, routed))
    return routed;
  switch (message) {
    case WM_ERASEBKGND:
      if (custom_) {
        RECT client;
        GetClientRect(handle_, &client);
        HDC dc = reinterpret_cast<HDC>(wparam);
        FillRect(dc, &client, BackgroundBrush(dc));
        return 1;
      }
      break;
    case WM_SIZE:
      if (custom_) AlignChildren(handle_);
      break;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
    case WM_SETFOCUS:
      if (enter_) enter_();
      break;
    case WM_KILLFOCUS:
      if (exit_) exit_();
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (HandleKey(TKeyEvent::Now(static_cast<WORD>(wparam)))) {
        // The character that the key's translation queued must not reach whatever has the
        // focus now (a key that moved the focus into an edit would type itself there).
        MSG typed;
        const UINT first = message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        PeekMessageA(&typed, nullptr, first, first + 1, PM_REMOVE);
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      if (popup_menu_) {
        POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        if (at.x == -1 && at.y == -1) at = KeyboardMenuPoint();
        if (enabled_) popup_menu_->Popup(at.x, at.y, form_ ? form_->Handle() : handle_);
        return 0;
      }
      break;
    default:
      if (HandleMouse(message, lparam)) return 0;
      break;
  }
  return DefaultHandler(message, wparam, lparam);
}

bool TControl::HandleMouse(UINT message, LPARAM lparam) {
  TMouseButton button;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      button = TMouseButton::Left;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      button = TMouseButton::Right;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      button = TMouseButton::Middle;
      break;
    case WM_LBUTTONUP:
      if (custom_ && pressed_) {
        pressed_ = false;
        ReleaseCapture();
        POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        RECT client;
        GetClientRect(handle_, &client);
        if (PtInRect(&client, at)) Click();
      }
      if (enabled_) RaiseMouse(mouse_up_, TMouseButton::Left, lparam);
      return false;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (enabled_) {
        RaiseMouse(mouse_up_, message == WM_RBUTTONUP ? TMouseButton::Right : TMouseButton::Middle,
                   lparam);
      }
      return false;
    default:
      return false;
  }
  if (!enabled_) return true;
  // Standard controls raise clicks themselves; the framework's own controls make them here.
  if (custom_ && button == TMouseButton::Left) {
    if (message == WM_LBUTTONDBLCLK) {
      if (double_click_) double_click_();
    } else {
      SetCapture(handle_);
      pressed_ = true;
    }
  }
  RaiseMouse(mouse_down_, button, lparam);
  return false;  // the control's own procedure still sees the press (focus, button state)
}

bool TControl::HandleKey(const TKeyEvent& event) {
  return (key_down_ && key_down_(event)) || KeyDown(event);
}

bool TControl::KeyDown(const TKeyEvent& event) {
  if (!popup_menu_) return false;
  if (event.Is(VK_F10, kShift)) return ShowPopupMenu();
  return popup_menu_->DispatchShortCut(event);
}

POINT TControl::KeyboardMenuPoint() const {
  RECT client = {};
  GetClientRect(handle_, &client);
  POINT at = {client.right / 2, client.bottom / 2};
  ClientToScreen(handle_, &at);
  return at;
}

bool TControl::ShowPopupMenu() {
  if (!popup_menu_ || !handle_ || !enabled_) return false;
  SetFocus();
  const POINT at = KeyboardMenuPoint();
  popup_menu_->Popup(at.x, at.y, form_ ? form_->Handle() : handle_);
  return true;
}

void TControl::RaiseMouse(const std::function<void(TMouseButton, int, int)>& event,
                          TMouseButton button, LPARAM lparam) const {
  if (event) event(button, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
}

bool TControl::Visible() const {
  if (!handle_) return visible_;
  return (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (!handle_) return;
  ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
  if (align_ != TAlign::None) AlignChildren(GetParent(handle_));
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (handle_) ApplyEnabled(enabled);
}

void TControl::ApplyEnabled(bool enabled) { EnableWindow(handle_, enabled ? TRUE : FALSE); }

void TControl::SetHint(const std::string& hint) {
  bool had_hint = !hint_.empty();
  hint_ = hint;
  if (handle_ && Application && (had_hint || !hint_.empty())) Application->SetHint(handle_, hint_);
}

std::string TControl::Caption() const {
  if (!handle_) return "";
  std::string text(GetWindowTextLengthA(handle_) + 1, '\0');
  text.resize(GetWindowTextA(handle_, &text[0], static_cast<int>(text.size())));
  return text;
}

void TControl::SetCaption(const std::string& caption) {
  if (handle_) SetWindowTextA(handle_, caption.c_str());
}

namespace {
RECT BoundsInParent(HWND window) {
  RECT bounds = {};
  if (!window) return bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}
}  // namespace

int TControl::Left() const { return BoundsInParent(handle_).left; }
int TControl::Top() const { return BoundsInParent(handle_).top; }
int TControl::Width() const {
  RECT bounds = BoundsInParent(handle_);
  return bounds.right - bounds.left;
}
int TControl::Height() const {
  RECT bounds = BoundsInParent(handle_);
  return bounds.bottom - bounds.top;
}

void TControl::SetBounds(const TBounds& bounds) {
  if (!handle_) return;
  int width = bounds.width > 0 ? bounds.width : Width();
  int height = bounds.height > 0 ? bounds.height : Height();
  MoveWindow(handle_, bounds.left, bounds.top, width, height, TRUE);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (handle_) AlignChildren(GetParent(handle_));
}

void TControl::AlignWithin(RECT& remaining) {
  int width = remaining.right - remaining.left;
  int height = Height();
  switch (align_) {
    case TAlign::Top:
      MoveWindow(handle_, remaining.left, remaining.top, width, height, TRUE);
      remaining.top += height;
      break;
    case TAlign::Bottom:
      remaining.bottom -= height;
      MoveWindow(handle_, remaining.left, remaining.bottom, width, height, TRUE);
      break;
    case TAlign::Client:
      MoveWindow(handle_, remaining.left, remaining.top, width, remaining.bottom - remaining.top,
                 TRUE);
      break;
    case TAlign::None:
      break;
  }
}

void TControl::AlignChildren(HWND parent) {
  if (!parent) return;
  RECT remaining;
  GetClientRect(parent, &remaining);
  // Edges first, in creation order, then the client control takes the rest.
  for (bool edges : {true, false}) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      TControl* control = FromHandle(child);
      if (!control || control->align_ == TAlign::None || !control->Visible()) continue;
      if ((control->align_ != TAlign::Client) == edges) control->AlignWithin(remaining);
    }
  }
}

bool TControl::TabStop() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_TABSTOP) != 0;
}

void TControl::SetTabStop(bool tab_stop) {
  if (!handle_) return;
  LONG style = GetWindowLongA(handle_, GWL_STYLE);
  style = tab_stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  SetWindowLongA(handle_, GWL_STYLE, style);
}

bool TControl::RouteChildMessage(UINT message, WPARAM wparam, LPARAM lparam,
                                 const std::function<HBRUSH(HDC)>& background, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      result = 0;
      return lparam && DispatchCommand(wparam, lparam);
    case WM_NOTIFY:
      result = 0;
      return DispatchNotify(lparam, result);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      TControl* child = FromHandle(reinterpret_cast<HWND>(lparam));
      HBRUSH brush = nullptr;
      if (child && child->own_brush_)
        brush = child->BackgroundBrush(dc);
      else if (message != WM_CTLCOLOREDIT)
        brush = background(dc);
      result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
  }
  return false;
}

void TControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

void TControl::BringToFront() {
  if (handle_)
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::SendToBack() {
  if (handle_) {
    SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TControl::Click() {
  if (click_) click_();
}

bool TControl::DispatchCommand(WPARAM wparam, LPARAM lparam) {
  TControl* control = FromHandle(reinterpret_cast<HWND>(lparam));
  return control && control->Command(HIWORD(wparam));
}

bool TControl::DispatchNotify(LPARAM lparam, LRESULT& result) {
  auto* header = reinterpret_cast<NMHDR*>(lparam);
  TControl* control = header ? FromHandle(header->hwndFrom) : nullptr;
  return control && control->Notify(*header, result);
}

void TControl::SetFontStyle(bool bold, bool underline, int height) {
  LOGFONTA font;
  if (!GetObjectA(Font(), sizeof font, &font)) return;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = underline ? TRUE : FALSE;
  if (height > 0) font.lfHeight = -height;
  GdiObject made(CreateFontIndirectA(&font));
  if (!made) return;
  own_font_ = std::move(made);
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(own_font_.get()), TRUE);
}

HFONT TControl::Font() const {
  if (own_font_) return static_cast<HFONT>(own_font_.get());
  return form_ ? form_->Font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

SIZE TControl::TextExtent(const std::string& text) const {
  SIZE size = {};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old_font = SelectObject(dc, Font());
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old_font);
  ReleaseDC(nullptr, dc);
  return size;
}

HBRUSH TControl::ParentBrush(HDC dc) const {
  HWND parent = handle_ ? GetParent(handle_) : nullptr;
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(handle_)));
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TControl::BackgroundBrush(HDC dc) const {
  if (!own_brush_) return ParentBrush(dc);
  SetBkColor(dc, own_color_);
  return static_cast<HBRUSH>(own_brush_.get());
}

void TControl::SetOwnColor(COLORREF color) {
  own_color_ = color;
  own_brush_.reset(CreateSolidBrush(color));
  if (handle_)
    RedrawWindow(handle_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace talo::ui
