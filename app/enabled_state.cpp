// SetEnabledState: switching all assignments on or off from the tray menu and the options.
#include "app/enabled_state.h"

#include "app/form_main.h"
#include "app/globals.h"
#include "app/tray_icon.h"
#include "hook/server/talo_server.h"
#include "ui/application.h"

namespace talo {

bool SetEnabledState(bool on) {
  if (!TaloSettings || !TaloSettings->SetEnabled(on)) return false;
  if (!TaloServer || !ui::Application || !FormMain) return false;
  const bool main_window_in_use = ui::Application->Active() && FormMain->Visible();
  if (!main_window_in_use && !TaloServer->EnableHook(on)) return false;
  return UpdateTrayIcon(on);
}

}  // namespace talo
