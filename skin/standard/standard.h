// The looks of the system's standard controls on a dressed thread, one file per control family.
// Each family says which of a window's messages it takes; SkinWindowProc hands those to it and
// every other message goes the usual way.
#pragma once

#include <windows.h>

#include "skin/engine.h"
#include "skin/look/parts.h"

namespace skin::standard {

// The family's handler for this message of this window, or nullptr for the usual route.
using Family = SkinHandler (*)(HWND window, UINT message);

SkinHandler ButtonFamily(HWND window, UINT message);
SkinHandler ProgressFamily(HWND window, UINT message);
SkinHandler BorderFamily(HWND window, UINT message);
SkinHandler TabFamily(HWND window, UINT message);
SkinHandler StatusBarFamily(HWND window, UINT message);
SkinHandler TrackBarFamily(HWND window, UINT message);
SkinHandler UpDownFamily(HWND window, UINT message);
SkinHandler HeaderFamily(HWND window, UINT message);
SkinHandler ReBarFamily(HWND window, UINT message);
// WM_NOTIFY of any window on the dressed thread: a toolbar's custom draw.
LRESULT ToolbarCustomDraw(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shared by the families.
LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool IsEnabled(HWND window);
// Normal, or Disabled for a disabled window.
look::PartState EnabledState(HWND window);
// The first move after an entry asks for one WM_MOUSELEAVE ("MOUSEFLAG"); WM_MOUSELEAVE clears
// it. True while the pointer is inside.
bool TrackHover(HWND window, UINT message);
// Hover over one part of a control (a tab, a thumb, an arrow; -1 for none), kept in "HMINDEX":
// on WM_MOUSEMOVE and WM_MOUSELEAVE, records the part now under the pointer and repaints the
// window when it changed. Other messages leave it alone.
void FollowHotPart(HWND window, UINT message, int partUnderPointer);
// The part recorded by FollowHotPart, -1 for none.
int HotPart(HWND window);
// The pointer's position in the window's client coordinates.
POINT PointerIn(HWND window);
// Takes back what the families keep in a window's properties.
void ForgetState(HWND window);
// Whether the window has a frame of any kind: a border, a client edge or a static edge.
bool HasAnyBorder(HWND window);
// A flat frame part (PartContentBorder, PartBarBorder) over the window's frame, as wide as the
// frame is, so that a thicker frame goes flat.
void DrawFlatFrame(HWND window, look::Part part);
// WM_NCPAINT of a bar: the control's own frame first, then the flat one with white inside.
LRESULT PaintBarFrame(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skin::standard
