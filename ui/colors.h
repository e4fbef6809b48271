// The named colours that the forms paint with.
#pragma once

#include <windows.h>

namespace talo::ui {

inline constexpr COLORREF kColorWhite = RGB(255, 255, 255);
// The face of forms and of the boxes that are switched off.
inline constexpr COLORREF kColorSilver = RGB(192, 192, 192);

}  // namespace talo::ui
