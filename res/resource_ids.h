// Identifiers of Talowick.exe's resources (shared by the .rc file and the code).
#pragma once

#define IDI_APPLICATION_ICON 1
#define IDI_TRAY_ENABLED 2
#define IDI_TRAY_DISABLED 3
#define IDB_MODIFIER_SETS 10
