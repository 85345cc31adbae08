// The borders of edit boxes and lists, and the flat frames other rooms share: whatever frame a
// control has (a border, a client edge, a static edge) drawn as the look's one-pixel border.
#pragma once

#include "skin/controls/room.h"
#include "skin/look/parts.h"

namespace skin {

namespace controls {
// "Edit", "ListBox", "RichEdit20W" and "RichEdit20A" on a dressed thread: their frame flattened,
// with the rest of it in the content's window colour.
extern const Room BordersRoom;
}  // namespace controls

// WM_NCPAINT of a control with any frame: the frame flattened, the rest of it in the content's
// window colour.
SkinHandler FlatBorderHandlerFor(HWND window, UINT message);

// The width of the window's frame on one side, horizontally and vertically, scroll bars taken
// off.
int GetBorderInsets(HWND window, int* horizontal, int* vertical);
// The look's control frame: the one-pixel border (pale when disabled) and the control's fill
// inside it, over width x height of `dc`.
void DrawControlBorder(HDC dc, int width, int height, bool enabled);
// A flat frame part (PartContentBorder, PartBarBorder) over the window's frame, as wide as the
// frame is, so that a thicker frame goes flat.
void DrawFlatFrame(HWND window, look::Part part);
// A sunken client edge repainted flat: the border outside, then rings of the client's background
// colour, as many as the frame is wide.
void FlattenClientEdge(HWND window);
// WM_NCPAINT of a progress bar or rebar on a dressed thread: the control's own frame first, then
// the flat one with the control's fill inside.
LRESULT PaintBarFrame(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skin
