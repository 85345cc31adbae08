// Where the system puts a bar's arrows and thumb, read from GetScrollBarInfo, and the hit test
// and thumb value that follow the system's own.
#include <algorithm>

#include "skin/scrollbars/scrollbars.h"

namespace skin::scrollbars {
namespace {

// The space the system keeps between the arrows at the least.
constexpr int LeastTrack = 4;

LONG ObjectOf(int which) {
  if (which == SB_VERT) return OBJID_VSCROLL;
  if (which == SB_HORZ) return OBJID_HSCROLL;
  return OBJID_CLIENT;
}

}  // namespace

POINT BarOrigin(HWND window, int which) {
  POINT origin = {0, 0};
  if (which == SB_CTL) {
    ClientToScreen(window, &origin);
  } else {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    origin = {bounds.left, bounds.top};
  }
  return origin;
}

const char* HotPropertyOf(int which) {
  if (which == SB_VERT) return HotVerticalProperty;
  if (which == SB_HORZ) return HotHorizontalProperty;
  return HotControlProperty;
}

namespace {

int ArrowLength(bool vertical, int length) {
  const int full = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  if (length > 2 * full + LeastTrack) return full;
  return length > LeastTrack ? (length - LeastTrack) / 2 : 0;
}

}  // namespace

int Length(const Bar& bar) {
  return bar.Vertical ? bar.Place.bottom - bar.Place.top : bar.Place.right - bar.Place.left;
}

bool BarOf(HWND window, int which, Bar* bar) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(window, ObjectOf(which), &info)) return false;
  if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) return false;
  if (IsRectEmpty(&info.rcScrollBar)) return false;
  const POINT origin = BarOrigin(window, which);
  *bar = {};
  bar->Which = which;
  bar->Vertical = which == SB_VERT || (which == SB_CTL && (GetWindowLongA(window, GWL_STYLE) & SBS_VERT));
  bar->Place = info.rcScrollBar;
  OffsetRect(&bar->Place, -origin.x, -origin.y);
  bar->Arrow = ArrowLength(bar->Vertical, Length(*bar));
  const bool hasThumb = info.xyThumbBottom > info.xyThumbTop && info.xyThumbTop >= bar->Arrow;
  bar->ThumbStart = hasThumb ? info.xyThumbTop : 0;
  bar->ThumbEnd = hasThumb ? info.xyThumbBottom : 0;
  bar->FirstArrowDisabled = (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) != 0;
  bar->LastArrowDisabled = (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) != 0;
  bar->Disabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0 ||
                  (bar->FirstArrowDisabled && bar->LastArrowDisabled);
  return true;
}

int PartAt(const Bar& bar, POINT point) {
  if (!PtInRect(&bar.Place, point)) return PartNone;
  const int along = bar.Vertical ? point.y - bar.Place.top : point.x - bar.Place.left;
  if (along < bar.Arrow) return PartArrowUp;
  if (along >= Length(bar) - bar.Arrow) return PartArrowDown;
  if (bar.ThumbEnd == 0 || along < bar.ThumbStart) return PartPageUp;
  if (along >= bar.ThumbEnd) return PartPageDown;
  return PartThumb;
}

// As the system reckons it: the thumb's travel between the arrows maps linearly onto the range
// less one page.
int ThumbValue(HWND window, const Bar& bar, int thumbStart) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  GetScrollInfo(window, bar.Which, &info);
  const int travel = Length(bar) - 2 * bar.Arrow - (bar.ThumbEnd - bar.ThumbStart);
  if (travel <= 0) return info.nMin;
  const int offset = std::clamp(thumbStart - bar.Arrow, 0, travel);
  const int range = info.nPage ? info.nMax - info.nMin - static_cast<int>(info.nPage) + 1 : info.nMax - info.nMin;
  return info.nMin + MulDiv(offset, range, travel);
}

}  // namespace skin::scrollbars
