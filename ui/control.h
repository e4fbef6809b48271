// TControl: the base of every control; owns its window and routes notifications to their control.
//
// A control is created on a form or on a container control (TPanel, TTabSheet, TScrollBox) and
// lives as long as its C++ object: the destructor destroys the window. Controls are members of
// their form, so the form's font and colour outlive them. Each control window is subclassed
// (SetWindowSubclass) and carries its object in the window property "TaloControl"; a parent that
// receives WM_COMMAND or WM_NOTIFY hands it to the control that raised it (DispatchCommand,
// DispatchNotify). Siblings that overlap are stacked as VCL paints them: windowed controls in
// creation order with the first on top (which is also the tab order), and beneath all of them the
// graphic controls (TImage, TLabel), a later one covering an earlier one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/unique.h"
#include "ui/key_event.h"

namespace talo::ui {

class TForm;
class TControl;
class TPopupMenu;

// A control's place in design pixels inside its parent's client area. A width or height of 0
// leaves that size to the control: its text, its picture or its usual size.
struct TBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class TMouseButton { Left, Right, Middle };

// How a control follows its parent's size: Top and Bottom take the full width at their edge in
// creation order, Client fills what they leave.
enum class TAlign { None, Top, Bottom, Client };

// Where a control is placed: a form, or a container control. Converts implicitly so that a
// form's constructor writes `img.Create(*this, ...)` or `img.Create(pnlKeyboard, ...)`.
class TParent {
 public:
  TParent(TForm& form);          // NOLINT(google-explicit-constructor)
  TParent(TControl& container);  // NOLINT(google-explicit-constructor)
  HWND Handle() const { return handle_; }
  TForm* Form() const { return form_; }

 private:
  HWND handle_;
  TForm* form_;
};

class TControl {
 public:
  TControl() = default;
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return handle_; }
  // The form the control lives on (through any containers), null before Create.
  TForm* Form() const { return form_; }
  // The control object of a window created by this framework, or null.
  static TControl* FromHandle(HWND window);

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  // The control's own visibility; a visible control on a hidden form is still Visible.
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // The tooltip text shown through TApplication's hint window; empty for none.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  std::string Caption() const;
  void SetCaption(const std::string& caption);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetBounds(const TBounds& bounds);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // A font of the control's own, made from the form's: bold, underlined, and `height` pixels high
  // (0 keeps the form's height).
  void SetFontStyle(bool bold, bool underline, int height);

  // Whether Tab stops at the control.
  bool TabStop() const;
  void SetTabStop(bool tab_stop);

  bool Focused() const { return handle_ && GetFocus() == handle_; }
  void SetFocus();
  void BringToFront();
  void SendToBack();
  // The menu that a right click or Shift+F10 on the control pops up, and whose items' short cuts
  // work while the control has the focus; the menu is not owned.
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* menu) { popup_menu_ = menu; }
  // Focuses the control and pops its menu up where the keyboard opens it; false without a menu,
  // or on a disabled control.
  bool ShowPopupMenu();

  // Acts as a click by the user would: runs OnClick.
  virtual void Click();

  // Hands a WM_COMMAND whose lparam names a control window to that control; false when the
  // window is not one of ours or the control ignored the notification.
  static bool DispatchCommand(WPARAM wparam, LPARAM lparam);
  // The same for WM_NOTIFY; `result` is the control's answer.
  static bool DispatchNotify(LPARAM lparam, LRESULT& result);
  // Places the aligned children of `parent` after its size changed.
  static void AlignChildren(HWND parent);
  // What every parent window (a form, a container control) does for its children: hands a child's
  // WM_COMMAND and WM_NOTIFY to the child's control, and answers a child's WM_CTLCOLOR... with the
  // child's own colour, else (edits excepted) with `background`. True with `result` when answered.
  static bool RouteChildMessage(UINT message, WPARAM wparam, LPARAM lparam,
                                const std::function<HBRUSH(HDC)>& background, LRESULT& result);

 protected:
  // Creates the window as a child of `parent`, subclasses it and gives it the form's font.
  // A `unicode` window keeps its text in UTF-16, so that characters outside the system code page
  // survive in it (read them with the wide window-text calls). Throws EFrameworkError when the
  // window cannot be created.
  void CreateHandle(const TParent& parent, const char* window_class, DWORD style, DWORD ex_style,
                    const TBounds& bounds, const std::string& text, bool unicode = false);
  // The class of the framework's own painted controls (pictures, panels, pages, scroll boxes):
  // they erase with their colour, make clicks from mouse messages and host children.
  static const char* CustomControlClass();

  // A control's own window messages; the default routes child notifications, raises the mouse
  // events and passes the rest to the control's original window procedure.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandler(UINT message, WPARAM wparam, LPARAM lparam);
  // A notification this control raised, received by its parent.
  virtual bool Command(WORD code) { return false; }
  virtual bool Notify(NMHDR& header, LRESULT& result) { return false; }
  // Pictures and labels: stacked beneath the windowed controls and never a tab stop.
  virtual bool IsGraphic() const { return false; }
  // Takes the control's aligned place out of `remaining` (the parent's free client area).
  virtual void AlignWithin(RECT& remaining);
  // Applies Enabled to the window; pictures stay enabled windows and only ignore the mouse.
  virtual void ApplyEnabled(bool enabled);
  // A key going down: OnKeyDown first, then KeyDown. True when the key was consumed.
  bool HandleKey(const TKeyEvent& event);
  // A key that OnKeyDown left: the popup menu's short cuts, and Shift+F10 for the menu itself.
  // True when the key was consumed.
  virtual bool KeyDown(const TKeyEvent& event);
  // Where the menu opened from the keyboard appears, in screen coordinates: the control's centre.
  virtual POINT KeyboardMenuPoint() const;

  // Answers WM_PAINT by handing the window's paint device context to `paint`.
  template <typename Paint>
  void PaintWindow(Paint paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    paint(dc);
    EndPaint(handle_, &ps);
  }
  // The size of `text` in the form's font.
  SIZE TextExtent(const std::string& text) const;
  // The brush that the control's parent paints its children's background with.
  HBRUSH ParentBrush(HDC dc) const;
  // The background of this control: its own colour when it has one, else its parent's.
  HBRUSH BackgroundBrush(HDC dc) const;
  bool HasOwnColor() const { return static_cast<bool>(own_brush_); }
  COLORREF OwnColor() const { return own_color_; }
  void SetOwnColor(COLORREF color);
  HFONT Font() const;

  std::function<void()> click_;
  std::function<void()> double_click_;
  std::function<void(TMouseButton, int, int)> mouse_down_;
  std::function<void(TMouseButton, int, int)> mouse_up_;
  // The control gains and loses the keyboard focus.
  std::function<void()> enter_;
  std::function<void()> exit_;
  // A key going down in the control; true when the handler consumed it, and then the character
  // it would type is dropped too.
  std::function<bool(const TKeyEvent&)> key_down_;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR reference);
  // Forgets the window: hint tool, property and subclass removed, handle cleared.
  void Detach();
  // Puts a new window above the graphic siblings (a windowed control) or above the earlier ones
  // (a graphic control).
  void PlaceInZOrder();
  bool HandleMouse(UINT message, LPARAM lparam);
  void RaiseMouse(const std::function<void(TMouseButton, int, int)>& event, TMouseButton button,
                  LPARAM lparam) const;

  HWND handle_ = nullptr;
  TForm* form_ = nullptr;
  bool custom_ = false;
  int tag_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool pressed_ = false;
  std::string hint_;
  TAlign align_ = TAlign::None;
  TPopupMenu* popup_menu_ = nullptr;
  GdiObject own_brush_;
  GdiObject own_font_;
  COLORREF own_color_ = 0;
};

}  // namespace talo::ui
