// Menus on a dressed thread: every popup menu the thread shows (the program's, its controls'
// context menus, the system menu) and the menu bar of every window whose frame the skin draws have
// their text items and separators drawn by the skin: they are made owner-drawn (a popup's when its
// window is made and again after the program's WM_INITMENUPOPUP, until its window goes; a bar's
// when its window joins), and the owner's WM_MEASUREITEM and WM_DRAWITEM for them are answered by
// the skin; so are a maximised MDI child's buttons on its frame's bar while the look draws them.
// Which items are the skin's is kept outside the menus, by position (places.cpp); only the
// owner-drawn bit of their types is changed. Popup windows (#32768) have the frame around
// their items painted after their own WM_PAINT and WM_NCPAINT.
#pragma once

#include "skin/engine.h"

namespace skin {

// The handler for this message of a window on the dressed thread, or nullptr.
SkinHandler MenuHandlerFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// At the creation of a window on the dressed thread: a popup menu's window (#32768) converts its
// menu, which lpCreateParams names, before the system measures it. At its destruction the menu
// gets its own types back.
void JoinPopupMenu(HWND popup, const CREATESTRUCTW& creation);
void LeavePopupMenu(HWND popup);
// Whether the popup window shows a menu whose items the skin draws.
bool IsConvertedPopupWindow(HWND popup);
// Gives every converted item its own type back (menus destroyed meanwhile are skipped), and the
// menu bars their own layout.
void GiveBackMenus();
// The menu bar of a window whose frame the skin draws: its text items converted as a popup's are
// (measured to the places the system gives text items), once the window has joined.
void TakeMenuBar(HWND window);
// Whether the menu is a bar the skin draws.
bool IsConvertedBar(HMENU menu);
// A message through which the system lays out or paints the window's bar (WM_NCCALCSIZE,
// WM_NCPAINT), handled by `next`: the bar the window has now is taken, or read and converted
// again when the program changed it, and the system's measuring of its items is followed.
LRESULT WithMenuBar(SkinHandler next, WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Gives a window's bar its own types and layout back, when the window leaves the skin.
void GiveBackMenuBar(HWND window);
// The bar's background outside its items and the line under it, from the caption's bottom (in
// window coordinates), through the window's DC.
void PaintMenuBarBackground(HWND window, int captionBottom);
// A screen reader reads menu items' names only from items that are not owner-drawn: while the
// system's screen-reader flag is on, and while high contrast is on, every menu is the system's.
// The flag is read when the thread is dressed; Wine reads it once per process, so at
// WM_SETTINGCHANGE for SPI_SETSCREENREADER it is read from the user's settings in the registry.
bool MenusStayPlain();
void ReadScreenReader();
void FollowScreenReader(WPARAM setting);
// After the screen-reader flag or high contrast changed: menus given back, or the bars taken
// again (popups follow at their next show).
void FollowMenusPlain(bool wasPlain);

}  // namespace skin
