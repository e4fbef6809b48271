// OpenUserData and CommitUserData.
#include "app/user_data_ops.h"

#include <windows.h>

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
  return RunInErrorScope(owner, caption, icon, [owner] {
    Check(TaloUserData && TaloSettings, msg::kAccessUserFile);
    const char* folder = TaloSettings->UserDir();
    switch (TaloUserData->OpenFile(folder)) {
      case TTaloUserData::Opened::kLoaded:
        return;
      case TTaloUserData::Opened::kRestored:
        // The backup goes back into "User.dat" at once, so that the next start reads it.
        TaloUserData->SaveFile(folder);
        MessageBoxA(owner, msg::kRestoredUserFile, msg::kUserDataFileCaption,
                    MB_OK | MB_ICONWARNING);
        return;
      case TTaloUserData::Opened::kMissing:
        Check(TaloUserData->ClearBody(), msg::kAccessUserFile);
        TaloUserData->MarkSaved();
        Check(TaloUserData->SaveFile(folder), msg::kAccessUserFile);
        return;
      case TTaloUserData::Opened::kHeld:
        Raise(msg::kAccessUserFile);
      case TTaloUserData::Opened::kDamaged:
        Raise(msg::kUnrecognizedUserFile);
    }
  });
}

bool CommitUserData() {
  return RunInErrorScope(MessageOwner(), msg::kSaveSettingsCaption, MB_ICONWARNING, [] {
    Check(TaloUserData && TaloSettings, msg::kWriteUserFile);
    Check(TaloUserData->SaveFile(TaloSettings->UserDir()), msg::kWriteUserFile);
  });
}

UserDataCopy::UserDataCopy() {
  if (TaloUserData) copy_ = TaloUserData->TakeCopy();
}

void UserDataCopy::Restore() const {
  if (TaloUserData) TaloUserData->PutBack(copy_);
}

}  // namespace talo
