// OpenUserData and CommitUserData.
#include "app/user_data_ops.h"

#include <windows.h>

#include <cstring>

#include "app/form_navigation.h"
#include "app/globals.h"
#include "data/user_data.h"
#include "forms/error_scope.h"
#include "forms/messages.h"
#include "ui/application.h"

namespace talo {

bool OpenUserData(bool fatal) {
  const char* caption = fatal ? msg::kFatalCaption : msg::kUserDataFileCaption;
  const UINT icon = fatal ? MB_ICONERROR : MB_ICONWARNING;
  // The fatal message of start-up belongs to the hidden application window.
  HWND owner = fatal && ui::Application ? ui::Application->Handle() : MessageOwner();
  return RunInErrorScope(owner, caption, icon, [] {
    Check(TaloUserData && TaloSettings, msg::kAccessUserFile);
    const char* folder = TaloSettings->UserDir();
    if (TaloUserData->LoadFile(folder)) return;
    Check(!TaloUserData->FileExists(folder), msg::kUnrecognizedUserFile);
    Check(TaloUserData->ClearBody() && TaloUserData->SaveFile(folder), msg::kAccessUserFile);
  });
}

bool CommitUserData() {
  return RunInErrorScope(MessageOwner(), msg::kSaveSettingsCaption, MB_ICONWARNING, [] {
    Check(TaloUserData && TaloSettings, msg::kWriteUserFile);
    const char* folder = TaloSettings->UserDir();
    TaloUserData->BackupFile(folder);
    Check(TaloUserData->SaveFile(folder), msg::kWriteUserFile);
  });
}

UserDataCopy::UserDataCopy() {
  if (TaloUserData && TaloUserData->View())
    bytes_.assign(TaloUserData->View(), TaloUserData->View() + TaloUserData->Size());
}

void UserDataCopy::Restore() const {
  if (TaloUserData && TaloUserData->View() && TaloUserData->Size() == int(bytes_.size()))
    std::memcpy(TaloUserData->View(), bytes_.data(), bytes_.size());
}

}  // namespace talo
