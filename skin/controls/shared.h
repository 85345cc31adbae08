// What the rooms share: the pointer's hover over a control or one of its parts, and the state a
// window is drawn in by being enabled or not.
#pragma once

#include <windows.h>

#include "skin/engine.h"
#include "skin/look/parts.h"

namespace skin::controls {

bool IsEnabled(HWND window);
// Normal, or Disabled for a disabled window.
look::PartState EnabledState(HWND window);
// Where the pointer cannot be read (a locked desktop), it counts as elsewhere.
bool IsUnderCursor(HWND window);
// The pointer's position in the window's client coordinates.
POINT PointerIn(HWND window);
// The first move after an entry asks for one WM_MOUSELEAVE ("MOUSEFLAG" set). True when this move
// was the entry.
bool EnterOnce(HWND window);
// Asks the window system for one WM_MOUSELEAVE when the pointer leaves the window.
void RequestMouseLeave(HWND window);
// WM_MOUSEMOVE enters once; WM_MOUSELEAVE clears "MOUSEFLAG". True while the pointer is inside.
bool TrackHover(HWND window, UINT message);
// Hover over one part of a control (a tab, a thumb, an arrow; -1 for none), kept in "HMINDEX":
// on WM_MOUSEMOVE and WM_MOUSELEAVE, records the part now under the pointer and repaints the
// window when it changed. Other messages leave it alone.
void FollowHotPart(HWND window, UINT message, int partUnderPointer);
// The part recorded by FollowHotPart, -1 for none.
int HotPart(HWND window);
// What a room that follows hot parts takes and gives back: "MOUSEFLAG" and "HMINDEX" (-1).
void TakeHover(HWND window);
void GiveBackHover(HWND window);
// Whether the window has a frame of any kind: a border, a client edge or a static edge.
bool HasAnyBorder(HWND window);
// Whether a button type (BS_TYPEMASK of its style) is a check box's or a radio button's.
bool IsToggleType(LONG type);
// The brush the window's parent gives it for its background (WM_CTLCOLORSTATIC, as a static
// control's parent is asked), or the system's face brush when it gives none.
HBRUSH ParentBackground(HWND window, HDC dc);

}  // namespace skin::controls
