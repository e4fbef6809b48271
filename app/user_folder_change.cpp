// ChangeUseDefaultUser and ChangeUserBaseDir: setter, reopen, publish, and the way back.
#include "app/user_folder_change.h"

#include "app/globals.h"
#include "app/user_data_ops.h"
#include "base/error.h"
#include "data/combination_files.h"
#include "data/settings.h"
#include "data/user_data.h"
#include "forms/messages.h"
#include "hook/server/talo_server.h"

namespace talo {
namespace {

// Runs `store_setting` (a registry setter that moves the user data folder), then opens the user
// data of the new folder and tells the hook library about it. The hook reads the status table
// from the shared view: once the new data is in the view, the new folder is published at once so
// that it builds content file names from the folder those bytes came from.
template <typename StoreSetting>
void ChangeUserFolder(StoreSetting store_setting) {
  Check(TaloSettings && TaloUserData, msg::kRegistryWrite);
  Check(TaloServer, msg::kServer);
  // No editor is open: the working copies in the folder that is left are of no more use.
  DeleteWorkingFiles();
  const UserFolderSettings previous = TaloSettings->UserFolder();
  const UserDataCopy previous_data;
  Check(store_setting(), msg::kRegistryWrite);
  const bool opened = OpenUserData(false);
  if (opened && TaloServer->PublishUserDir(TaloSettings->UserDir())) return;

  // The old data goes back into the view whole: a failed load may have left part of a file in
  // it, and a missing file clears the table before its new copy fails to save.
  TaloSettings->RestoreUserFolder(previous);
  previous_data.Restore();
  TaloServer->PublishUserDir(previous.user_dir);
  Raise(opened ? msg::kServer : "");
}

}  // namespace

void ChangeUseDefaultUser(bool use_default_user) {
  ChangeUserFolder([&] { return TaloSettings->SetUseDefaultUser(use_default_user); });
}

void ChangeUserBaseDir(const char* base_folder) {
  ChangeUserFolder([&] { return TaloSettings->SetUserDir(base_folder); });
}

}  // namespace talo
