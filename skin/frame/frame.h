// Title bars and frames of the windows of a dressed thread: where the system puts each part, and
// the painter that draws them all from the theme. The geometry is the system's own (frame widths,
// caption height, caption-button places), so the client rectangle and every hit test stay as the
// plain program has them.
#pragma once

#include <windows.h>

#include "skin/engine.h"

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

// The caption fonts, normal and small, as the system's non-client metrics give them: made when
// first asked for, released with the skin and at a change of the system's settings.
HFONT CaptionFont(bool small);
void ReleaseCaptionFonts();

// The frame, the caption, its icon, title and buttons (with "NCHOT" and "NCPRESSED"), through
// the window's own DC. Nothing for a hidden or minimised window.
void PaintFrame(HWND window);
void PaintFrame(HWND window, const Layout& layout);

}  // namespace skin::frame
