// "msctls_trackbar32": the channel white inside the border colour, the thumb a push-button face,
// lit under the pointer and pressed while dragged. Ticks stay as the control draws them.
#include <windows.h>

#include <commctrl.h>

#include "skin/gdi/guards.h"
#include "skin/controls/track_bar.h"

#include "skin/controls/shared.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

using namespace controls;

constexpr int Thumb = 0;

RECT ThumbOf(HWND bar) {
  RECT thumb = {};
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  return thumb;
}

// Which way the thumb points: down (right when upright) unless the ticks are on top or on both
// sides, or there are none.
look::PartState ThumbShape(LONG style) {
  look::PartState shape = (style & TBS_VERT) ? look::Vertical : look::Normal;
  if (style & (TBS_BOTH | TBS_NOTICKS)) return shape | look::PointsBoth;
  if (style & TBS_TOP) shape |= look::PointsBefore;  // TBS_LEFT for an upright bar
  return shape;
}

int ThumbState(HWND bar) {
  if (!IsEnabled(bar)) return StateDisabled;
  if (GetCapture() == bar) return StatePressed;
  return HotPart(bar) == Thumb ? StateHot : StateNormal;
}

LRESULT PaintBar(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, bar, message, wParam, lParam);
  if (DetachedMeanwhile(bar)) return result;
  RECT channel = {};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  if (GetWindowLongA(bar, GWL_STYLE) & TBS_VERT) {
    // The channel comes back laid across, as for a horizontal bar.
    channel = {channel.top, channel.left, channel.bottom, channel.right};
  }
  const BorrowedDc dc(bar);
  const RECT thumb = ThumbOf(bar);
  const LONG style = GetWindowLongA(bar, GWL_STYLE);
  const look::PartState shape = ThumbShape(style);
  // The control's own thumb goes first: a thumb of another shape does not cover it.
  FillRect(dc.get(), &thumb, ParentBackground(bar, dc.get()));
  look::DrawPart(look::PartTrackBarTrack, EnabledState(bar) | (shape & look::Vertical), dc.get(), channel);
  look::DrawPart(look::PartTrackBarThumb, static_cast<look::PartState>(ThumbState(bar)) | shape, dc.get(), thumb);
  return result;
}

LRESULT TrackThumb(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, bar, message, wParam, lParam);
  if (DetachedMeanwhile(bar)) return result;
  const RECT thumb = ThumbOf(bar);
  FollowHotPart(bar, message, PtInRect(&thumb, PointerIn(bar)) ? Thumb : -1);
  return result;
}

SkinHandler HandlerFor(HWND, UINT message) {
  if (message == WM_PAINT) return &PaintBar;
  if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) return &TrackThumb;
  return nullptr;
}

}  // namespace

const controls::Room controls::TrackBarRoom = {&controls::TakeHover, &controls::GiveBackHover, &HandlerFor};

}  // namespace skin
