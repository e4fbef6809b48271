// SetEnabledState: switching all assignments on or off from the tray menu and the options.
#pragma once

namespace talo {

// Stores the Enabled setting, switches the system-wide hook to match (unless the main window is
// visible in the active application, where the local capture has the keys and the hook follows
// when that ends) and shows the matching tray icon. False when a step fails; shows nothing.
bool SetEnabledState(bool on);

}  // namespace talo
