// TFormOptions: its components, the confirmation of switches turned off, and SaveOptions.
#include "forms/form_options.h"

#include "base/error.h"
#include "data/settings.h"
#include "forms/error_scope.h"
#include "forms/form_services.h"
#include "forms/messages.h"

namespace talo {
namespace {

constexpr char kDisableWarningsQuestion[] =
    "If you disable the key combination warnings, you will not be warned when assigning "
    "operations to key combinations, which are commonly used by other applications.\n"
    "Do you wish to disable these warnings?";
constexpr char kDisableWarningsCaption[] = "Disable warnings confirmation.";
constexpr char kDisableStartupQuestion[] =
    "If you disable this option, the Tallowick will not be automatically loaded when Windows "
    "starts.  You will need to run Tallowick manually.\n"
    "Do you wish to prevent the Tallowick from loading on start-up?";
constexpr char kDisableStartupCaption[] = "Disable start-up confirmation.";
constexpr int kClientWidth = 323;
constexpr int kClientHeight = 198;

// The window was fitted to the design's client area before it had its menu bar, which takes its
// height from the client area: the window grows by that much, staying centred where it was.
void RestoreClientArea(HWND form) {
  RECT outer, client;
  GetWindowRect(form, &outer);
  GetClientRect(form, &client);
  const int grow = kClientHeight - client.bottom;
  if (grow <= 0) return;
  SetWindowPos(form, nullptr, outer.left, outer.top - grow / 2, outer.right - outer.left,
               outer.bottom - outer.top + grow, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A single fixed border with the system menu alone, centred.
ui::FormDesign OptionsDesign() {
  ui::FormDesign design =
      ui::ClientDialogDesign("TFormOptions", "Options", kClientWidth, kClientHeight);
  design.border = ui::BorderStyle::Single;
  design.icons = {false, false};
  return design;
}

}  // namespace

TFormOptions::TFormOptions() : TForm(OptionsDesign()) {
  OnShow = [this] { fmShow(); };
  FinishCreate();
}

void TFormOptions::CreateComponents() {
  // Windowed controls take the tab order of their creation.
  pagMain.Create(*this, {5, 5, 313, 155});
  tabGeneral.Create(pagMain, "General");
  tabNetwork.Create(pagMain, "Network");
  chkEnabled.Create(tabGeneral, {15, 20}, "&Enabled")
      .Hint("Enable Tallowick processes (use key combination assignments).")
      .OnClick([this] { chkEnabledClick(); });
  chkWarnings.Create(tabGeneral, {15, 48}, "Show &warnings")
      .Hint("Show warnings for key combinations, which are commonly used by applications.")
      .OnClick([this] { chkWarningsClick(); });
  chkStartup.Create(tabGeneral, {15, 76}, "&Run on start-up")
      .Hint("Automatically run Tallowick on Windows start-up.")
      .OnClick([this] { chkStartupClick(); });
  chkDefUser.Create(tabNetwork, {10, 15}, "Use &default user data (share combination assignments)")
      .Hint(
          "Use the default user data within the \"Default\" sub-folder (users share the same "
          "key combination functionality assignments).")
      .OnClick([this] { chkDefUserClick(); });
  edtPath.Create(tabNetwork, {10, 64, 285, 21})
      .ReadOnly(true)
      .Hint(
          "User (network) data path, which holds the user name and/or \"Default\" sub-folders "
          "for key combination functionality assignments.");
  btnChange.Create(tabNetwork, {180, 95, 115, 25}, "&Change Path...")
      .Hint("Change user (network) data path.")
      .OnClick([this] { btnChangeClick(); });
  lblPath.Create(tabNetwork, {10, 48}, "User (Network) Data Path");
  btnOKClose.Create(*this, {83, 167, 75, 25}, "OK").Default(true).OnClick([this] {
    btnOKCloseClick();
  });
  btnCancel.Create(*this, {163, 167, 75, 25}, "Cancel").Cancel(true).OnClick([this] {
    SetModalResult(ui::mrCancel);
  });
  btnApply.Create(*this, {243, 167, 75, 25}, "&Apply").OnClick([this] { btnApplyClick(); });
  menuHelp.Attach(*this, kHelpOptions);
  RestoreClientArea(Handle());
}

void TFormOptions::fmShow() {
  SetModalResult(ui::mrNone);
  if (TaloSettings) {
    chkEnabled.Checked(TaloSettings->Enabled());
    chkWarnings.Checked(TaloSettings->ShowWarnings());
    chkStartup.Checked(TaloSettings->RunAtStartup());
    chkDefUser.Checked(TaloSettings->UseDefaultUser());
    edtPath.Text(TaloSettings->UserBaseDir());
  }
  btnApply.Enabled(false);
  btnCancel.Enabled(true);
  btnOKClose.Caption("OK");
  pagMain.ActivePage(tabGeneral);
  SelectFirst();
}

// Enabled and the default-user switch take effect without a question either way.
void TFormOptions::chkEnabledClick() { btnApply.Enabled(true); }

void TFormOptions::chkDefUserClick() { btnApply.Enabled(true); }

void TFormOptions::chkWarningsClick() {
  ConfirmSwitchOff(chkWarnings, kDisableWarningsQuestion, kDisableWarningsCaption);
}

void TFormOptions::chkStartupClick() {
  ConfirmSwitchOff(chkStartup, kDisableStartupQuestion, kDisableStartupCaption);
}

void TFormOptions::ConfirmSwitchOff(ui::TCheckBox& box, const char* question, const char* caption) {
  if (box.Checked() || MessageBoxA(Handle(), question, caption,
                                   MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
    btnApply.Enabled(true);
    return;
  }
  box.Checked(true);
}

// A folder chosen there is in force already: it needs no Apply, and Cancel does not undo it.
void TFormOptions::btnChangeClick() {
  FormServices.select_user_folder();
  if (TaloSettings) edtPath.Text(TaloSettings->UserBaseDir());
}

void TFormOptions::btnOKCloseClick() {
  if (SaveOptions()) SetModalResult(ui::mrOK);
}

void TFormOptions::btnApplyClick() {
  if (!SaveOptions()) return;
  btnCancel.Enabled(false);
  btnApply.Enabled(false);
  btnOKClose.Caption("Close");
}

// Every switch is applied each time, so OK also reopens the user data from its folder.
bool TFormOptions::SaveOptions() {
  return RunInErrorScope(Handle(), msg::kSaveSettingsCaption, MB_ICONWARNING, [this] {
    Check(FormServices.set_enabled_state(chkEnabled.Checked()), msg::kRegistryWrite);
    Check(TaloSettings && TaloSettings->SetShowWarnings(chkWarnings.Checked()),
          msg::kRegistryWrite);
    Check(TaloSettings->SetRunAtStartup(chkStartup.Checked()), msg::kRegistryWrite);
    FormServices.change_use_default_user(chkDefUser.Checked());
  });
}

}  // namespace talo
