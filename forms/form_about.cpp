// TFormAbout: its components and what they show.
#include "forms/form_about.h"

#include <shellapi.h>

#include <string>

#include "base/format_text.h"
#include "base/text.h"
#include "content/path_names.h"
#include "content/shortcut_file.h"
#include "data/file_version.h"
#include "data/settings.h"

namespace talo {
namespace {

constexpr char kProductTitle[] = "Quintavel Tallowick";
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

constexpr char kOpenErrorFormat[] = "Unable to open '%s'.";

// The web line leads to the program's own help, installed beside it: the one place a user can
// read more about it without a network.
std::string WebAddress() { return TaloSettings ? TaloSettings->HelpFile() : ""; }

}  // namespace

TFormAbout::TFormAbout()
    : TForm(ui::ClientDialogDesign("TFormAbout", "About Tallowick", 295, 155)) {
  OnShow = [this] { fmShow(); };
  FinishCreate();
}

void TFormAbout::CreateComponents() {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Tab order: OK first, then the web line.
  btnOK.Create(*this, {110, 122, 75, 23}, "OK").Cancel(true).OnClick([this] {
    SetModalResult(ui::mrOK);
  });
  web_address_ = WebAddress();
  // The line shows the file's name alone: a whole install path does not fit its 231 pixels.
  edtWeb.Create(*this, {54, 96, 231, 15}, FileNamePart(web_address_.c_str()))
      .ReadOnly(true)
      .OnMouseDown([this](ui::TMouseButton button, int, int) {
        if (button == ui::TMouseButton::Left) edtWebClick();
      });
  SetWindowLongA(edtWeb.Handle(), GWL_EXSTYLE,
                 GetWindowLongA(edtWeb.Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  SetWindowLongA(edtWeb.Handle(), GWL_STYLE,
                 GetWindowLongA(edtWeb.Handle(), GWL_STYLE) & ~WS_BORDER);
  SetWindowPos(edtWeb.Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  edtWeb.SetFontStyle(false, true, 0);
  pnlImage.Create(*this, {10, 10, 34, 34}).Lowered(true).Enabled(false);
  imgMain.Create(pnlImage, {1, 1, 32, 32});
  lblCompany.Create(*this, {54, 7, 231, 17}, "Quintavel Software");
  lblCompany.SetFontStyle(false, false, 13);
  lblTitle.Create(*this, {54, 26, 231, 35}, "").WordWrap(true);
  lblTitle.SetFontStyle(true, false, 0);
  lblVersion.Create(*this, {54, 62, 231, 15}, "");
  lblCopyright.Create(*this, {54, 79, 231, 15}, "");
  ReadProgramFile();
}

void TFormAbout::ReadProgramFile() {
  char path[kPathCapacity] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, kPathCapacity - 1);
  if (length == 0 || length >= kPathCapacity - 1) return;
  if (HICON icon = GetAssociatedIcon(path, 0)) imgMain.Icon(icon);
  char copyright[256] = "", version[64] = "";
  int copyright_length = 0, version_length = 0;
  VersionStringRequest requests[kVersionStringCount] = {};
  requests[kLegalCopyright] = {copyright, sizeof copyright, &copyright_length};
  requests[kProductVersion] = {version, sizeof version, &version_length};
  // Both lines or neither: a half-read resource shows no version at all.
  if (!GetFileVersionStrings(path, requests)) return;
  lblVersion.SetCaption(std::string("Version ") + version);
  lblCopyright.SetCaption(copyright);
}

void TFormAbout::fmShow() {
  lblTitle.SetCaption(kProductTitle);
  btnOK.SetFocus();
}

void TFormAbout::edtWebClick() {
  if (web_address_.empty()) return;
  // A browser that runs already may come to the front only with this process's permission.
  AllowSetForegroundWindow(ASFW_ANY);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, nullptr, web_address_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return;
  MessageBoxA(Handle(), FormatText(kOpenErrorFormat, web_address_).c_str(), Caption().c_str(),
              MB_OK | MB_ICONWARNING);
}

LRESULT TFormAbout::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND web = edtWeb.Handle();
  switch (message) {
    case WM_CTLCOLORSTATIC:  // a read-only edit asks as a static does
      if (web && reinterpret_cast<HWND>(lparam) == web) {
        const LRESULT brush = TForm::HandleMessage(message, wparam, lparam);
        SetTextColor(reinterpret_cast<HDC>(wparam), kLinkBlue);
        return brush;
      }
      break;
    case WM_SETCURSOR:  // the edit asks its parent first
      if (web && reinterpret_cast<HWND>(wparam) == web) {
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
        return TRUE;
      }
      break;
    case WM_COMMAND:
      // Enter reaches a dialog as IDOK; on the web line it opens the address.
      if (LOWORD(wparam) == IDOK && web && GetFocus() == web) {
        edtWebClick();
        return 0;
      }
      break;
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

}  // namespace talo
