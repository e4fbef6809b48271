// Help through the Windows help engine, always owned by the main window.
#pragma once

namespace talo {

inline constexpr unsigned kHelpContents = 0;
inline constexpr unsigned kHelpMainWindow = 14;
inline constexpr unsigned kHelpList = 16;
inline constexpr unsigned kHelpOptions = 17;
inline constexpr unsigned kHelpAssign = 18;

// Opens the contents (context 0) or the topic of `context`; nothing before the main window and
// the settings exist.
void ShowHelp(unsigned context);
// Closes an open help window (the main window hides).
void CloseHelp();

}  // namespace talo
