// Help through the Windows help engine, always owned by the main window.
#pragma once

#include "forms/help_topics.h"

namespace talo {

// Opens the contents (context 0) or the topic of `context`; nothing before the main window and
// the settings exist.
void ShowHelp(unsigned context);
// Closes an open help window (the main window hides).
void CloseHelp();

}  // namespace talo
