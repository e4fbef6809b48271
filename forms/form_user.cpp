// TFormUser: its components, the drive box's error, and SelectPath.
#include "forms/form_user.h"

#include <cstdio>
#include <string>

#include "base/error.h"
#include "base/format_text.h"
#include "data/folder_path.h"
#include "data/settings.h"
#include "data/user_folder.h"
#include "forms/error_scope.h"
#include "forms/form_services.h"
#include "forms/messages.h"

namespace talo {
namespace {

constexpr char kPathErrorFormat[] = "Unable to access/create selected user data path,\n'%s'.";
constexpr char kDeviceErrorFormat[] = "%c:\\ is not accessible.\n\nThe device is not ready.";
constexpr char kDeviceErrorCaption[] = "Device error.";
// The longest name the program gives a file in the user data folder ("User.dat", "0241.txt.new",
// the working copy "Temp0A1B2C3D.obj"); the ANSI file calls take paths of fewer than MAX_PATH
// characters.
constexpr int kLongestUserFileName = 16;

}  // namespace

TFormUser::TFormUser()
    : TForm(ui::ClientDialogDesign("TFormUser", "Select User (Network) Data Path", 321, 361)) {
  OnShow = [this] { fmShow(); };
  FinishCreate();
}

void TFormUser::CreateComponents() {
  // Windowed controls take the tab order of their creation: the list first, the path last.
  dilbMain.Create(*this, {10, 90, 300, 190}).OnChange([this] { ShowSelectedPath(); });
  drcbMain.Create(*this, {10, 290, 300, 0})
      .DirList(dilbMain)
      .OnChange([this] { drcbMainChange(); })
      .OnDriveError([this](char drive) { drcbMainDriveError(drive); });
  btnSelect.Create(*this, {60, 325, 75, 25}, "&Select").Default(true).OnClick([this] {
    btnSelectClick();
  });
  btnCancel.Create(*this, {185, 325, 75, 25}, "Cancel").Cancel(true).OnClick([this] {
    SetModalResult(ui::mrCancel);
  });
  edtPath.Create(*this, {10, 60, 300, 20});
  lblNote
      .Create(*this, {10, 10, 300, 50},
              "NOTE:  When selecting a user data path, please do not select a user name or "
              "\"Default\" sub-folder.  Instead, designate a folder, which contains or is to "
              "contain these sub-folders.")
      .WordWrap(true);
}

void TFormUser::fmShow() {
  SetModalResult(ui::mrNone);
  LastDrive = drcbMain.Drive();
  const char* base = TaloSettings ? TaloSettings->UserBaseDir() : "";
  const char drive = ui::UpperDriveLetter(base[0]);
  if (drcbMain.SetDrive(drive)) {
    LastDrive = drive;
    dilbMain.SetDirectory(base);
  } else if (drcbMain.Drive() == drive) {
    drcbMainDriveError(drive);
  }
  ShowSelectedPath();
  SelectFirst();
}

void TFormUser::drcbMainChange() { LastDrive = drcbMain.Drive(); }

void TFormUser::drcbMainDriveError(char drive) {
  if (drive == LastDrive) return;
  char text[sizeof kDeviceErrorFormat];
  std::snprintf(text, sizeof text, kDeviceErrorFormat, drive);
  MessageBoxA(Handle(), text, kDeviceErrorCaption, MB_OK | MB_ICONERROR);
  drcbMain.SetDrive(LastDrive);
}

void TFormUser::btnSelectClick() {
  if (SelectPath()) SetModalResult(ui::mrOK);
}

void TFormUser::ShowSelectedPath() {
  char folder[kPathCapacity];
  NormaliseFolderPath(folder, sizeof folder, dilbMain.Directory().c_str());
  edtPath.Text(folder);
}

bool TFormUser::SelectPath() {
  const std::string typed = edtPath.Text();
  char folder[kPathCapacity];
  const bool fits = NormaliseFolderPath(folder, sizeof folder, typed.c_str()) > 0;
  // A text too long to be a folder is named as it was typed, without its blanks.
  const char* start = nullptr;
  const int trimmed_length = TrimmedRange(typed.c_str(), &start);
  const std::string named = fits ? std::string(folder) : std::string(start, trimmed_length);
  return RunInErrorScope(Handle(), msg::kUserPathCaption, MB_ICONWARNING, [&] {
    Check(TaloSettings != nullptr, msg::kRegistryWrite);
    const std::string path_error = FormatText(kPathErrorFormat, named);
    // A relative folder would be taken by every application from its own current folder.
    Check(fits && IsAbsoluteFolder(folder) && FolderPathCharactersValid(folder) &&
              (PathExists(folder, true, true) || RootFolderExists(folder)),
          path_error.c_str());
    char user_folder[kPathCapacity];
    bool use_default_user = TaloSettings->UseDefaultUser();
    Check(ResolveUserFolder(user_folder, &use_default_user, folder, true) > 0 &&
              BoundedLength(user_folder, kPathCapacity) + kLongestUserFileName < MAX_PATH,
          path_error.c_str());
    FormServices.change_user_base_dir(folder);
  });
}

}  // namespace talo
