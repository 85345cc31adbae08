// What the two halves of the menu room share: places.cpp knows which items of which menus the
// skin draws, by their positions; menus.cpp answers the owner's messages and draws them.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/look/parts.h"

namespace skin::menus {

// One item of a menu as the skin last read it, at its position. `ours` when the skin made it
// owner-drawn; an item the program itself made owner-drawn is never ours.
struct SeenItem {
  UINT id;
  ULONG_PTR data;
  HMENU submenu;
  UINT type;
  HBITMAP bitmap;
  bool ours;
  bool picture;  // typed MFT_BITMAP before the skin made it owner-drawn
};

// A menu whose text items and separators the skin draws: a window's bar, or a popup while its
// window (#32768) is up. `owner` is the window the system sends WM_MEASUREITEM and WM_DRAWITEM to
// (nullptr while a popup's owner is not known yet); `popup` the popup's window.
struct Converted {
  HMENU menu;
  HWND owner;
  HWND popup;
  bool bar;
  std::vector<SeenItem> items;
  int nextDrawn;  // where the next WM_DRAWITEM most likely is: the system draws in position order
};

Converted* Find(HMENU menu);

// WM_INITMENUPOPUP: a popup that is up already (TrackPopupMenu makes its window first) is the
// program's own while the program prepares it, and converted again after.
void BeforeInitMenuPopup(HMENU menu, HWND owner);
void AfterInitMenuPopup(HMENU menu, HWND owner);

// WM_MEASUREITEM names only an identifier and the program's item data. The item it is for, taken
// in position order from the menu the system is laying out; -1 when no converted menu expects
// it. Measured() is told the width the item got (the skin's answer or the program's), so that a
// bar's line is followed as the system lays it out.
int MeasuredPosition(HWND owner, const MEASUREITEMSTRUCT& measure, HMENU* menu);
void Measured(UINT width);

// WM_DRAWITEM: the position of the item being drawn, found from its rectangle, when the skin
// converted it; -1 otherwise. The menu is read again first if the program changed it.
int DrawnPosition(const DRAWITEMSTRUCT& draw);

// Whether the item at this position is one the skin made owner-drawn.
bool IsSkinsItem(HMENU menu, int position);

// A maximised MDI child's caption buttons, which the system puts at the right of its frame's bar
// as items with its own pictures (HBMMENU_MBAR_*): the part each is drawn as, PartCount for any
// other picture; `disabled` gets whether the picture is the greyed one. The skin draws them while
// the look does (look::PartDrawn), at the width the system gives those pictures.
look::Part MdiButtonOf(HBITMAP picture, bool* disabled);
int MdiButtonWidth();

// The menu font and its average character width, as the system measures menus with them.
HFONT MenuFont();
int AverageCharWidth();

}  // namespace skin::menus
