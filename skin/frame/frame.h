// Title bars and frames of the windows of a dressed thread: where the system puts each part, and
// the painter that draws them all from the theme. The geometry is the system's own (frame widths,
// caption height, caption-button places), so the client rectangle and every hit test stay as the
// plain program has them.
#pragma once

#include <windows.h>

#include "skin/engine.h"

namespace skin {

// On a dressed thread every window with a caption has its frame, caption and caption buttons
// drawn by the skin ("NCFRAME" set while it does). The caption button under the pointer and the
// one held down, as hit-test codes (HTCLOSE, ...; missing: none).
inline constexpr char NcFrameProperty[] = "NCFRAME";
inline constexpr char NcHotProperty[] = "NCHOT";
inline constexpr char NcPressedProperty[] = "NCPRESSED";
// The caption's state as the last WM_NCACTIVATE gave it: 1 inactive, 2 active (missing: not yet
// told, the system is asked).
inline constexpr char NcActiveProperty[] = "NCACTIVE";
// The handler that draws the title bar and frame for this message of a window the skin took the
// frame of; nullptr for other windows and messages.
SkinHandler FrameHandlerFor(HWND window, UINT message);
// At joining a dressed thread: takes the frame of a window with a caption (the compositor's
// drawing of it turned off). At leaving: gives it back (the compositor's drawing as the window's
// style says). Neither changes the window's style, region or geometry.
void TakeFrame(HWND window);
void GiveBackFrame(HWND window);
// Sets the compositor's non-client rendering policy of a window (DWMNCRP_* values). The default
// asks dwmapi.dll's DwmSetWindowAttribute, when the system has it; tests put in their own.
using NcRenderingPolicySetter = void (*)(HWND window, int policy);
void SystemSetNcRenderingPolicy(HWND window, int policy);
// nullptr puts the system's back.
void SetNcRenderingPolicySetter(NcRenderingPolicySetter setter);

}  // namespace skin

namespace skin::frame {

// The parts of a window's non-client area that the skin draws, in window coordinates. A button
// that the window does not have is an empty rectangle.
struct Layout {
  int Width, Height;      // the whole window
  int FrameX, FrameY;     // the frame on each side
  RECT Caption;           // the title bar, its last row included
  bool Small;             // a tool window's small caption
  RECT Close, Maximise, Minimise, Help;
  HICON Icon;             // 0: none shown
  POINT IconAt;
  int TextLeft, TextRight;
};

Layout LayoutOf(HWND window);
// Whether the system shows the window's caption as active.
bool CaptionActive(HWND window);
// The icon the system shows in the caption, or 0.
HICON CaptionIcon(HWND window);
// Whether a caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP) does anything.
bool ButtonEnabled(HWND window, int hit);


// The frame, the caption, its icon, title and buttons (with "NCHOT" and "NCPRESSED"), through
// the window's own DC. Nothing for a hidden or minimised window.
void PaintFrame(HWND window);
void PaintFrame(HWND window, const Layout& layout);

}  // namespace skin::frame
