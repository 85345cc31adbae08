// Choosing the theme while the program runs (SkinSetTheme in skin/skin.h), and a theme chosen as
// "auto" following the system's app mode.
#pragma once

#include <windows.h>

namespace skin {

// At WM_SETTINGCHANGE: a theme chosen as "auto" follows a change of the system's app mode.
void FollowSystemTheme(LPARAM setting);

}  // namespace skin
