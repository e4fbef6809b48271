// TFormWarning: its components, handlers and ShowCombinationWarning.
#include "app/form_warning.h"

#include <cstdio>

#include "app/globals.h"
#include "data/combination.h"
#include "data/settings.h"
#include "data/sys_data.h"
#include "forms/error_scope.h"
#include "forms/messages.h"
#include "ui/application.h"

namespace talo {
namespace {

constexpr int kClientWidth = 347;
constexpr int kClientHeight = 184;
constexpr int kWarningTextCapacity = 256;

}  // namespace

TFormWarning::TFormWarning()
    : TForm(ui::ClientDialogDesign("TFormWarning", "Key combination warning.", kClientWidth,
                                   kClientHeight)) {
  OnShow = [this] { fmShow(); };
  FinishCreate();
}

void TFormWarning::CreateComponents() {
  // Windowed controls take the tab order of their creation.
  btnContinue.Create(*this, {171, 151, 80, 23}, "&Continue").Default(true).OnClick([this] {
    btnContinueClick();
  });
  btnCancel.Create(*this, {258, 151, 80, 23}, "Cancel").Cancel(true).OnClick([this] {
    btnCancelClick();
  });
  chkNoWarnings.Create(*this, {40, 115, 270, 20},
                       "&Do not show key combination warnings in the future.");
  lblWarning.Create(*this, {20, 20, 310, 30}, "").WordWrap(true);
  lblMessage
      .Create(*this, {20, 60, 310, 45},
              "If you assign functionality to this combination, this functionality will override "
              "that of other applications, when Tallowick is enabled.")
      .WordWrap(true);
}

void TFormWarning::fmShow() {
  SetModalResult(ui::mrNone);
  chkNoWarnings.Checked(false);
  CenterOverOwner();
  SelectFirst();
}

void TFormWarning::btnContinueClick() {
  if (chkNoWarnings.Checked()) {
    RunInErrorScope(Handle(), msg::kRegistryWriteCaption, MB_ICONWARNING, [] {
      Check(TaloSettings && TaloSettings->SetShowWarnings(false), msg::kRegistryWrite);
    });
  }
  SetModalResult(ui::mrOK);
}

void TFormWarning::btnCancelClick() { SetModalResult(ui::mrCancel); }

void TFormWarning::CenterOverOwner() {
  RECT own;
  GetWindowRect(Handle(), &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;

  ui::TForm* owner = ui::Application ? ui::Application->MainForm() : nullptr;
  const bool over_owner = owner && owner->Visible();
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  HMONITOR screen =
      MonitorFromWindow(over_owner ? owner->Handle() : Handle(), MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoA(screen, &monitor))
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  const RECT& work = monitor.rcWork;

  RECT area = work;
  if (over_owner) GetWindowRect(owner->Handle(), &area);
  int left = area.left + ((area.right - area.left) - width) / 2;
  int top = area.top + ((area.bottom - area.top) - height) / 2;
  // A main window near an edge (or parked off screen) must not push the dialog out of sight.
  if (left > work.right - width) left = work.right - width;
  if (top > work.bottom - height) top = work.bottom - height;
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ShowCombinationWarning(TFormWarning* form, int code) {
  if (!form) return ui::mrNone;
  char name[kDisplayNameCapacity] = {};
  if (TaloSysData) DisplayName(*TaloSysData, code, name, sizeof name);
  char text[kWarningTextCapacity];
  std::snprintf(text, sizeof text, msg::kCombinationWarningFormat, name);
  form->Handle();  // the form makes its labels with its window
  form->lblWarning.SetCaption(text);
  return form->ShowModal();
}

}  // namespace talo
