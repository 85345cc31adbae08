// The looks of the system's standard controls on a dressed thread, one file per control family.
// Each family says which of a window's messages it takes; SkinWindowProc hands those to it and
// every other message goes the usual way.
#pragma once

#include <windows.h>

#include "skin/skin.h"

namespace skin::standard {

// The family's handler for this message of this window, or nullptr for the usual route.
using Family = SkinHandler (*)(HWND window, UINT message);

SkinHandler ButtonFamily(HWND window, UINT message);
SkinHandler ProgressFamily(HWND window, UINT message);
SkinHandler BorderFamily(HWND window, UINT message);

// Shared by the families.
LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool IsEnabled(HWND window);
COLORREF BorderColour(HWND window);
// The first move after an entry asks for one WM_MOUSELEAVE ("MOUSEFLAG"); WM_MOUSELEAVE clears
// it. True while the pointer is inside.
bool TrackHover(HWND window, UINT message);
// Whether the window has a frame of any kind: a border, a client edge or a static edge.
bool HasAnyBorder(HWND window);
// The one-pixel skin border over the window's frame, and rings of `inside` within it as wide as
// the frame is, so that a thicker frame goes flat.
void DrawFlatFrame(HWND window, COLORREF inside);

}  // namespace skin::standard
