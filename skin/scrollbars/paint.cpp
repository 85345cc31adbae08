// A bar from the theme: the track on both sides of the thumb, the part of it held down, the two
// arrow cells with their arrows and the thumb, drawn off-screen and copied in one piece.
#include <algorithm>

#include "skin/gdi/guards.h"
#include "skin/scrollbars/scrollbars.h"
#include "skin/look/parts.h"

namespace skin::scrollbars {
namespace {

// A rectangle of the bar from `start` to `end` along it, across its whole width, in a surface
// whose origin is the bar's start.
RECT Along(const Bar& bar, int start, int end) {
  const int across = bar.Vertical ? bar.Place.right - bar.Place.left : bar.Place.bottom - bar.Place.top;
  return bar.Vertical ? RECT{0, start, across, end} : RECT{start, 0, end, across};
}

look::PartState Orientation(const Bar& bar) { return bar.Vertical ? look::Vertical : look::Normal; }

// The look of a part of the bar: pressed while held, hot under the pointer while nothing is held.
look::PartState ShownState(const Bar& bar, int part, bool disabled) {
  if (disabled) return look::Disabled | Orientation(bar);
  if (bar.Pressed == part) return look::Pressed | Orientation(bar);
  if (bar.Hot == part && bar.Pressed == PartNone) return look::Hot | Orientation(bar);
  return look::Normal | Orientation(bar);
}

void PaintArrowCell(HDC dc, const Bar& bar, int part) {
  const bool first = part == PartArrowUp;
  const RECT cell = first ? Along(bar, 0, bar.Arrow) : Along(bar, Length(bar) - bar.Arrow, Length(bar));
  const bool disabled = bar.Disabled || (first ? bar.FirstArrowDisabled : bar.LastArrowDisabled);
  const look::Part arrow = bar.Vertical ? (first ? look::PartScrollArrowUp : look::PartScrollArrowDown)
                                        : (first ? look::PartScrollArrowLeft : look::PartScrollArrowRight);
  look::DrawPart(arrow, ShownState(bar, part, disabled), dc, cell);
}

void PaintThumb(HDC dc, const Bar& bar) {
  if (bar.ThumbEnd <= bar.ThumbStart || bar.Disabled) return;
  look::PartState state = ShownState(bar, PartThumb, false);
  if (bar.Focused) state |= look::Focused;
  look::DrawPart(look::PartScrollThumb, state, dc, Along(bar, bar.ThumbStart, bar.ThumbEnd));
}

// The track before the thumb and after it (split in the middle when there is no thumb), each
// pressed while held.
void PaintTrack(HDC dc, const Bar& bar) {
  const bool hasThumb = bar.ThumbEnd > bar.ThumbStart && !bar.Disabled;
  const int middle = Length(bar) / 2;
  const int before = hasThumb ? bar.ThumbStart : middle;
  const int after = hasThumb ? bar.ThumbEnd : middle;
  const int end = Length(bar) - bar.Arrow;
  if (before > bar.Arrow) {
    look::DrawPart(look::PartScrollTrack, ShownState(bar, PartPageUp, bar.Disabled), dc, Along(bar, bar.Arrow, before));
  }
  if (end > after) {
    look::DrawPart(look::PartScrollTrackLower, ShownState(bar, PartPageDown, bar.Disabled), dc, Along(bar, after, end));
  }
}

}  // namespace

void PaintBar(HDC dc, const Bar& bar) {
  const int width = bar.Place.right - bar.Place.left;
  const int height = bar.Place.bottom - bar.Place.top;
  if (width <= 0 || height <= 0) return;
  const ScopedSurface surface(width, height);
  const HDC target = surface.get() ? surface.get() : dc;
  const int saved = surface.get() ? 0 : SaveDC(dc);
  if (!surface.get()) SetViewportOrgEx(dc, bar.Place.left, bar.Place.top, nullptr);
  PaintTrack(target, bar);
  PaintArrowCell(target, bar, PartArrowUp);
  PaintArrowCell(target, bar, PartArrowDown);
  PaintThumb(target, bar);
  if (surface.get()) {
    BitBlt(dc, bar.Place.left, bar.Place.top, width, height, target, 0, 0, SRCCOPY);
  } else {
    RestoreDC(dc, saved);
  }
}

void PaintSizeBox(HDC dc, const RECT& place, bool grip) {
  look::DrawPart(look::PartScrollSizeBox, look::Normal, dc, place);
  if (grip) look::DrawPart(look::PartScrollGripper, look::Normal, dc, place);
}

bool ShownBarOf(HWND window, int which, Bar* bar) {
  if (!BarOf(window, which, bar)) return false;
  bar->Hot = static_cast<int>(GetProperty(window, HotPropertyOf(which)));
  bar->Focused = which == SB_CTL && GetFocus() == window;
  int thumbStart = 0;
  bar->Pressed = TrackedPart(window, which, &thumbStart);
  if (bar->Pressed == PartThumb && bar->ThumbEnd > bar->ThumbStart) {
    // The dragged thumb stays between the arrows.
    const int size = bar->ThumbEnd - bar->ThumbStart;
    bar->ThumbStart = std::clamp(thumbStart, bar->Arrow, std::max(bar->Arrow, Length(*bar) - bar->Arrow - size));
    bar->ThumbEnd = bar->ThumbStart + size;
  }
  return true;
}

namespace {

// A window's own bars as the system shows them (read by `read`), and the size box between them,
// empty unless it has both.
struct OwnBars {
  bool hasVertical = false;
  bool hasHorizontal = false;
  Bar vertical = {};
  Bar horizontal = {};
  RECT sizeBox = {};
};

OwnBars OwnBarsOf(HWND window, bool (*read)(HWND, int, Bar*)) {
  OwnBars bars;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  bars.hasVertical = (style & WS_VSCROLL) && read(window, SB_VERT, &bars.vertical);
  bars.hasHorizontal = (style & WS_HSCROLL) && read(window, SB_HORZ, &bars.horizontal);
  if (bars.hasVertical && bars.hasHorizontal) {
    bars.sizeBox = {bars.vertical.Place.left, bars.horizontal.Place.top, bars.vertical.Place.right,
                    bars.horizontal.Place.bottom};
  }
  return bars;
}

}  // namespace

void PaintWindowBars(HWND window, HDC given, int which) {
  if (!IsWindowVisible(window) || IsIconic(window)) return;
  const OwnBars bars = OwnBarsOf(window, &ShownBarOf);
  if (!bars.hasVertical && !bars.hasHorizontal) return;
  const DrawTarget target(window, given);
  if (!target.get()) return;
  if (bars.hasVertical && which != SB_HORZ) PaintBar(target.get(), bars.vertical);
  if (bars.hasHorizontal && which != SB_VERT) PaintBar(target.get(), bars.horizontal);
  if (!IsRectEmpty(&bars.sizeBox) && which == SB_BOTH) PaintSizeBox(target.get(), bars.sizeBox, false);
}

void PaintControl(HWND window, HDC given) {
  if (!IsWindowVisible(window)) return;
  const HDC own = given ? nullptr : GetDC(window);
  const HDC dc = given ? given : own;
  if (!dc) return;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) {
    RECT client = {};
    GetClientRect(window, &client);
    PaintSizeBox(dc, client, (style & SBS_SIZEGRIP) != 0);
  } else if (Bar bar = {}; ShownBarOf(window, SB_CTL, &bar)) {
    PaintBar(dc, bar);
  }
  if (own) ReleaseDC(window, own);
}

HRGN BarsRegion(HWND window) {
  const OwnBars bars = OwnBarsOf(window, &BarOf);
  if (!bars.hasVertical && !bars.hasHorizontal) return nullptr;
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (!region) return nullptr;
  for (const RECT& part : {bars.hasVertical ? bars.vertical.Place : RECT{}, bars.hasHorizontal ? bars.horizontal.Place : RECT{},
                           bars.sizeBox}) {
    UniqueGdiObject<HRGN> piece(CreateRectRgnIndirect(&part));
    if (piece.get()) CombineRgn(region, region, piece.get(), RGN_OR);
  }
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  OffsetRgn(region, bounds.left, bounds.top);
  return region;
}

}  // namespace skin::scrollbars
