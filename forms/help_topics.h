// The help topics of the windows: the forms attach them to their help menus, and the main window
// opens its own with F1.
#pragma once

namespace talo {

inline constexpr unsigned kHelpContents = 0;
inline constexpr unsigned kHelpMainWindow = 14;
inline constexpr unsigned kHelpList = 16;
inline constexpr unsigned kHelpOptions = 17;
inline constexpr unsigned kHelpAssign = 18;

}  // namespace talo
