// TForm: a top-level window with one window class per form class, shown plainly or modally.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/unique.h"
#include "ui/colors.h"

namespace talo::ui {

class TButton;
class TControl;
class TMainMenu;

enum class BorderStyle { Sizeable, Single, Dialog, None };

// Which caption buttons a form has besides the system menu.
struct BorderIcons {
  bool minimize = true;
  bool maximize = true;
};

enum ModalResult { mrNone = 0, mrOK = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

enum class CloseAction { None, Hide, Free };

// Design-time description of a form, the part that exists before its window. Its texts are
// literals: the form keeps the description until it makes its window.
struct FormDesign {
  const char* class_name = nullptr;  // the window class, named exactly as the C++ class
  const char* caption = "";
  int width = 400;  // size in design pixels: of the window, or of its client area (below)
  int height = 300;
  // Dialogs are designed by their client area; their frame depends on the system's metrics.
  bool client_size = false;
  // Placed in the middle of the desktop's work area when the window is made.
  bool centred = false;
  BorderStyle border = BorderStyle::Sizeable;
  BorderIcons icons;
  COLORREF color = kColorSilver;
};

// A dialog-style form of the given outer size.
inline FormDesign DialogDesign(const char* class_name, const char* caption, int width, int height) {
  FormDesign design;
  design.class_name = class_name;
  design.caption = caption;
  design.width = width;
  design.height = height;
  design.border = BorderStyle::Dialog;
  return design;
}

// A dialog-style form whose client area has the given size, centred on the desktop.
inline FormDesign ClientDialogDesign(const char* class_name, const char* caption, int width,
                                     int height) {
  FormDesign design = DialogDesign(class_name, caption, width, height);
  design.client_size = true;
  design.centred = true;
  return design;
}

class TForm {
 public:
  explicit TForm(const FormDesign& design);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // The form's window, made at the first call.
  HWND Handle() const;
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Visible() const { return handle_ && IsWindowVisible(handle_); }
  // The design font, shared by every form; made when a first control needs it.
  HFONT Font() const;
  COLORREF Color() const { return color_; }

  void Show();
  void Hide();
  // Shows the form modally: the other windows of the program are disabled until ModalResult is
  // set (or the form hides); returns the result.
  int ShowModal();
  int ModalResultValue() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  bool Modal() const { return modal_; }
  // Asks the form to close as the system menu's Close does (OnClose decides).
  void Close();

  // The buttons that Enter and Escape press through the dialog manager (TButton's Default and
  // Cancel set them); null when none. A focused push button takes Enter itself.
  TButton* DefaultButton() const { return default_button_; }
  void SetDefaultButton(TButton* button) { default_button_ = button; }
  TButton* CancelButton() const { return cancel_button_; }
  void SetCancelButton(TButton* button) { cancel_button_ = button; }
  // Draws the thick default frame on the one button that Enter presses while `focus` has the
  // focus: that button when it is a push button of this form, else the default button. The
  // dialog manager reads the frame to choose the button, and moves it wrongly itself (Wine's
  // hands it back to the default button after Tab), so the frame is set again after each key.
  void ShowEnterButton(HWND focus);
  // The menu bar that TMainMenu::Attach gave the form; it receives the menu's commands and the
  // short-cut keys pressed anywhere on the form.
  TMainMenu* MainMenu() const { return main_menu_; }
  void SetMainMenu(TMainMenu* menu) { main_menu_ = menu; }
  // The form of a window made by this framework, or null.
  static TForm* FromHandle(HWND window);

  // Every control on the form, containers' children included, each container before its
  // children and siblings from the top of their stacking order.
  std::vector<TControl*> Controls() const;
  // Gives the focus to the first control in tab order.
  void SelectFirst();

  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void()> OnHide;
  std::function<void(CloseAction&)> OnClose;
  std::function<void()> OnDestroy;

  // The window procedure's target; a derived form handles its private messages here and calls
  // the base for the rest.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // Runs OnCreate; derived constructors call it once their components exist.
  void FinishCreate();
  // Makes the form's components; runs once, right after the window is made. A form that puts
  // its components here costs no window until it is first needed.
  virtual void CreateComponents() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static void RegisterClassFor(const FormDesign& design);
  void CreateHandle();
  void FitClientArea(int width, int height);
  void CentreOnDesktop();
  // Presses the default or cancel button for the dialog manager's IDOK or IDCANCEL.
  bool PressButton(TButton* button);

  FormDesign design_;
  HWND handle_ = nullptr;
  HWND last_focus_ = nullptr;
  COLORREF color_;
  GdiObject brush_;
  int modal_result_ = mrNone;
  bool modal_ = false;
  TButton* default_button_ = nullptr;
  TButton* cancel_button_ = nullptr;
  TMainMenu* main_menu_ = nullptr;
};

}  // namespace talo::ui
