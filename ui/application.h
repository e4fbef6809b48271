// TApplication: the program's title, its owner window with the task-bar entry, activation events
// and message loop.
//
// Conventions of the form framework (ui/), written once here:
// - One window procedure serves every form; it stores the form's `this` at WM_NCCREATE and hands
//   each message to TForm::HandleMessage. Each form class registers one window class named
//   exactly as the C++ class ("TFormMain"), which is how a second instance finds the first.
// - Standard controls keep their owner object in a window property; WM_COMMAND and WM_NOTIFY that
//   reach a form (or a container control) are routed to the control that raised them.
// - Events are std::function members named as in VCL (OnClick, OnShow); forms bind them to member
//   functions named as the forms name them (btnHelpClick). A control's events and properties are
//   set with chaining setters (ui/control_of.h), so a form's constructor reads like its component
//   table.
// - Hints are tools of one tooltip window that the application owns.
// - No exception leaves a window procedure: the procedure catches and shows it, as the message
//   loop does.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace talo::ui {

class TForm;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Creates the application window: it owns every form and the message boxes at start-up, and its
  // title is the program's task-bar entry, shown while the main form is visible or minimised.
  void Initialize();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  bool ShowMainForm() const { return show_main_form_; }
  void SetShowMainForm(bool show) { show_main_form_ = show; }
  HWND Handle() const { return handle_; }

  // The first form given becomes the main form: Run shows it (unless ShowMainForm is off).
  void SetMainForm(TForm* form) { main_form_ = form; }
  TForm* MainForm() const { return main_form_; }

  // Minimising the main form minimises the application: the form hides and the task-bar entry
  // stays; Restore (clicking the entry, or showing the main form) takes that back.
  void Minimize();
  void Restore();
  bool Minimized() const { return minimized_; }
  // Called by the main form as it is shown or hidden.
  void MainFormShown(bool shown);
  // Called by every form that becomes active: clicking the task-bar entry activates it again.
  void FormActivated(TForm* form) { active_form_ = form; }
  void FormDestroyed(TForm* form);

  // True while one of this process's windows is the active window of the desktop.
  bool Active() const { return active_; }
  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;

  // Runs the message loop until WM_QUIT or Terminate.
  void Run();
  // Pumps one message; false when WM_QUIT was taken (it is posted again for the outer loop).
  bool ProcessMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The standard display of an exception that reached the loop or a window procedure.
  void ShowException(const std::exception& error) const;

  // Called by forms on WM_ACTIVATEAPP.
  void ActivateChanged(bool active);

  // Hints: one tooltip window for the program, created when the first control with a hint
  // appears. With ShowHint off the tools stay registered and nothing shows.
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show);
  // Makes `control` a tool showing `text`, or no tool when the text is empty. False when the
  // tooltip window cannot be created or refuses the tool.
  bool SetHint(HWND control, const std::string& text);
  HWND HintWindow() const { return hint_window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void ActivateForms();

  std::string title_;
  bool show_main_form_ = true;
  bool minimized_ = false;
  TForm* active_form_ = nullptr;
  HWND handle_ = nullptr;
  TForm* main_form_ = nullptr;
  bool active_ = false;
  bool terminated_ = false;
  bool show_hint_ = true;
  HWND hint_window_ = nullptr;
};

// The one application object of the process, or null before it exists.
extern TApplication* Application;

}  // namespace talo::ui
