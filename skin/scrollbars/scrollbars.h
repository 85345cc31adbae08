// Scroll bars of the windows of a dressed thread, drawn from the theme: a window's own bars (its
// WS_VSCROLL and WS_HSCROLL), the size box between them, and "ScrollBar" controls. The system
// keeps every bar's data, style bits and geometry; the skin only keeps it from drawing them:
// - at WM_NCPAINT the default procedure gets the region without the bars;
// - the program's and the controls' SetScrollInfo (SetScrollPos, SetScrollRange) and
//   EnableScrollBar reach the system through import entries the skin points at itself while a
//   thread is dressed: they set the data without drawing, then the skin draws;
// - a press on a bar runs the skin's own tracking loop, which sends the same WM_VSCROLL and
//   WM_HSCROLL the system's loop would, at the same times;
// - a "ScrollBar" control paints, and is set, enabled and tracked, through the skin.
// See docs/architecture.md for every path by which the system would draw a bar.
#pragma once

#include <windows.h>

#include "skin/engine.h"

namespace skin::scrollbars {

// The part under the pointer of a window's vertical and horizontal bar, and of a "ScrollBar"
// control (BarPart; missing: none).
inline constexpr char HotVerticalProperty[] = "SBHOTV";
inline constexpr char HotHorizontalProperty[] = "SBHOTH";
inline constexpr char HotControlProperty[] = "SBHOTC";
// While the skin tracks a press on a bar: which bar (SB_* + 1), the part held down, the thumb's
// start along the bar and its value.
inline constexpr char TrackBarProperty[] = "SBTRACK";
inline constexpr char TrackPartProperty[] = "SBPART";
inline constexpr char TrackThumbProperty[] = "SBTHUMB";
inline constexpr char TrackValueProperty[] = "SBVALUE";

// The parts of a bar, in the order the system's hit test names them.
enum BarPart : int { PartNone, PartArrowUp, PartPageUp, PartThumb, PartPageDown, PartArrowDown };

// A bar as the system lays it out. `Place` is in the coordinates it is drawn in: the window's
// for SB_HORZ and SB_VERT, the client area's for SB_CTL. Lengths run along the bar from its start.
struct Bar {
  int Which;            // SB_HORZ, SB_VERT or SB_CTL
  bool Vertical;
  RECT Place;
  int Arrow;            // each arrow cell's length
  int ThumbStart;       // 0 and 0: no thumb
  int ThumbEnd;
  bool Disabled;        // the whole bar
  bool FirstArrowDisabled, LastArrowDisabled;
  int Hot;              // the part under the pointer (BarPart)
  int Pressed;          // the part held down (BarPart)
  bool Focused;         // a "ScrollBar" control with the keyboard focus
};

// The bar as the system shows it now; false when the window does not show it.
bool BarOf(HWND window, int which, Bar* bar);
int Length(const Bar& bar);
// The part at a point in the bar's coordinates.
int PartAt(const Bar& bar, POINT point);
// The scroll position the system gives a thumb whose start is at `thumbStart` along the bar.
int ThumbValue(HWND window, const Bar& bar, int thumbStart);

// The point of the screen where the bar's coordinates start.
POINT BarOrigin(HWND window, int which);
// The property that holds the part under the pointer of this bar.
const char* HotPropertyOf(int which);

// Whether the skin draws this window's bars: a window the skin has on the dressed thread.
bool Wears(HWND window);
// The window's own bars (one, or SB_BOTH) and their size box, through its window DC (or `dc`
// when given, in window coordinates), with the part under the pointer and the part held down.
void PaintWindowBars(HWND window, HDC dc = nullptr, int which = SB_BOTH);
// A "ScrollBar" control, through `dc` (its client DC when 0).
void PaintControl(HWND window, HDC dc = nullptr);
// The bar as PaintWindowBars and PaintControl show it: the system's, with the hot and held parts
// and a dragged thumb where the skin tracks it.
bool ShownBarOf(HWND window, int which, Bar* bar);
// One bar into a DC in the bar's coordinates.
void PaintBar(HDC dc, const Bar& bar);
// The size box of a window that has both bars, or of a size-box "ScrollBar" control.
void PaintSizeBox(HDC dc, const RECT& place, bool grip);

// The window's own bars' rectangles and the size box, in screen coordinates, as one region
// (0: none shown).
HRGN BarsRegion(HWND window);

// Runs the skin's loop for a press on a bar at `screen`, as the system's would; returns when the
// button is released or the capture lost.
void TrackBar(HWND window, int which, POINT screen);
// The thumb position a bar of this window is being dragged to, while the skin tracks it.
bool TrackedThumbValue(HWND window, int which, int* value);
// The bar and part being tracked, for painting: PartNone when none.
int TrackedPart(HWND window, int which, int* thumbStart);

// While a thread is dressed, the system's scroll functions that programs and controls call reach
// the skin first (see the top of this file). Installed at the first dressing, removed at undress.
void TakeScrollFunctions();
void GiveBackScrollFunctions();

// The handler for this message of a window on the dressed thread that has bars, or of a
// "ScrollBar" control there; nullptr otherwise. The NC paint and NC pointer messages are wrapped
// around the window's other handlers by the skin's window procedure, through `Around`.
SkinHandler HandlerFor(HWND window, UINT message);
using Next = LRESULT (*)(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT Around(Next next, WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool WrapsMessage(HWND window, UINT message);
// Takes back what the skin kept in a window's properties for its bars.
void ForgetBars(HWND window);

}  // namespace skin::scrollbars
