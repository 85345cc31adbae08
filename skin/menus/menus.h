// Menus on a dressed thread: every popup menu the thread shows (the program's, context menus,
// the system menu) and the menu bar of every window whose frame the skin draws have their text
// items and separators drawn by the skin: they are made owner-drawn, and the owner's WM_MEASUREITEM
// and WM_DRAWITEM for them are answered by the skin. Which items were converted is kept outside
// the menus; only the owner-drawn bit of their types is changed. Popup windows (#32768) have the
// frame around their items painted after their own WM_PAINT and WM_NCPAINT.
#pragma once

#include "skin/engine.h"

namespace skin {

// The handler for this message of a window on the dressed thread, or nullptr.
SkinHandler MenuHandlerFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Gives every converted item its own type back (menus destroyed meanwhile are skipped), and the
// menu bars their own layout.
void GiveBackMenus();
// The menu bar of a window whose frame the skin draws: its text items converted as a popup's are
// (measured to the places the system gives text items), once the window has joined.
void TakeMenuBar(HWND window);
// Before the bar is painted: its items the program rewrote since they were converted (ModifyMenu
// clears the owner-drawn type) are converted again, at the places they had.
void ConvertMenuBarAgain(HWND window);
// Gives a window's bar its own types and layout back, when the window leaves the skin.
void GiveBackMenuBar(HWND window);
// The bar's background outside its items and the line under it, from the caption's bottom (in
// window coordinates), through the window's DC.
void PaintMenuBarBackground(HWND window, int captionBottom);

}  // namespace skin
