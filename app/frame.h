// Group frames: a child window class of the program's own that draws an etched outline with an
// optional caption and hands its children's notifications on to its parent, so that buttons in a
// frame report to the form. The skin sees the class as an ordinary, unskinned window.
#pragma once

#include <windows.h>

namespace app {

inline constexpr char FrameClassName[] = "TavrinFrame";
// Registered through the wide functions: frames are Unicode windows, like the forms.
inline constexpr wchar_t FrameClassNameW[] = L"TavrinFrame";

bool RegisterFrameClass(HINSTANCE instance);

// `textColour` is the caption colour; CLR_INVALID uses the system's button text colour.
HWND CreateFrame(HWND parent, int id, const wchar_t* caption, const RECT& place, COLORREF textColour);

}  // namespace app
