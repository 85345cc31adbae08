// The messages through which the system would draw or track a bar, and the skin's answers:
// - WM_NCPAINT: the window's other painters get the region without its bars, then the skin
//   draws them;
// - WM_NCMOUSEMOVE and WM_NCMOUSELEAVE: the part under the pointer shows hot (drawn over
//   whatever the default procedure drew for it);
// - WM_SYSCOMMAND with SC_VSCROLL or SC_HSCROLL, which the default procedure sends itself for a
//   press on a bar: the skin's tracking loop instead of the system's;
// - a "ScrollBar" control's painting, presses, hover and every message that sets or enables it:
//   passed on as they come, and the skin's bar drawn over before the answer returns.
#include "skin/gdi/guards.h"
#include "skin/controls/shared.h"
#include "skin/scrollbars/scrollbars.h"

namespace skin::scrollbars {
namespace {

constexpr WPARAM SysCommandMask = 0xFFF0;

bool HasOwnBars(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0; }

bool IsScrollBarControl(HWND window) { return LowerClassName(window) == "scrollbar"; }

// The point a mouse message carries, in whatever coordinates the message has.
POINT PointOf(LPARAM lParam) {
  return {SignedLowWord(static_cast<int32_t>(lParam)), SignedHighWord(static_cast<int32_t>(lParam))};
}

LRESULT PaintAroundNonClient(Next next, WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  const UniqueGdiObject<HRGN> bars(BarsRegion(window));
  if (!bars) return next(previous, window, message, wParam, lParam);
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const UniqueGdiObject<HRGN> rest(CreateRectRgnIndirect(&bounds));
  if (!rest) return next(previous, window, message, wParam, lParam);
  if (wParam > 1) CombineRgn(rest.get(), rest.get(), reinterpret_cast<HRGN>(wParam), RGN_AND);
  CombineRgn(rest.get(), rest.get(), bars.get(), RGN_DIFF);
  const LRESULT result = next(previous, window, message, reinterpret_cast<WPARAM>(rest.get()), lParam);
  if (!DetachedMeanwhile(window)) PaintWindowBars(window);
  return result;
}

// The part of a bar under the pointer shows hot; one WM_NCMOUSELEAVE is asked for while it is
// over a bar.
LRESULT FollowPointer(Next next, WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = next(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  const int which = message != WM_NCMOUSEMOVE ? -1 : wParam == HTVSCROLL ? SB_VERT : wParam == HTHSCROLL ? SB_HORZ : -1;
  bool changed = false;
  for (const int bar : {SB_VERT, SB_HORZ}) {
    int part = PartNone;
    if (bar == which) {
      Bar shown = {};
      const POINT origin = BarOrigin(window, bar);
      const POINT screen = PointOf(lParam);
      if (BarOf(window, bar, &shown)) part = PartAt(shown, {screen.x - origin.x, screen.y - origin.y});
    }
    if (GetProperty(window, HotPropertyOf(bar)) != part) {
      SetProperty(window, HotPropertyOf(bar), part);
      changed = true;
    }
  }
  if (which >= 0) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
    TrackMouseEvent(&track);
  }
  // Drawn again when the hot part changed, and over a bar the default procedure may have drawn.
  if (changed || which >= 0 || message == WM_NCMOUSELEAVE) PaintWindowBars(window);
  return result;
}

LRESULT OnSysCommand(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WPARAM command = wParam & SysCommandMask;
  if (command != SC_VSCROLL && command != SC_HSCROLL) return Pass(previous, window, message, wParam, lParam);
  TrackBar(window, command == SC_VSCROLL ? SB_VERT : SB_HORZ, PointOf(lParam));
  return 0;
}

// ---------------------------------------------------------------- "ScrollBar" controls

LRESULT OnControlPaint(WNDPROC, HWND window, UINT, WPARAM wParam, LPARAM) {
  if (wParam) {
    PaintControl(window, reinterpret_cast<HDC>(wParam));
    return 0;
  }
  const PaintScope paint(window);
  PaintControl(window, paint.dc());
  return 0;
}

LRESULT OnControlPress(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GetWindowLongA(window, GWL_STYLE) & (SBS_SIZEGRIP | SBS_SIZEBOX)) return Pass(previous, window, message, wParam, lParam);
  POINT screen = PointOf(lParam);
  ClientToScreen(window, &screen);
  TrackBar(window, SB_CTL, screen);
  return 0;
}

LRESULT OnControlHover(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  int part = PartNone;
  if (message == WM_MOUSEMOVE) {
    controls::RequestMouseLeave(window);
    Bar bar = {};
    if (BarOf(window, SB_CTL, &bar)) {
      part = PartAt(bar, PointOf(lParam));
    }
  }
  SetProperty(window, HotControlProperty, part);
  PaintControl(window);
  return result;
}

// Setting, enabling or redrawing: the system may draw its bar while it answers; the skin's goes
// over it before the answer returns.
LRESULT OnControlChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintControl(window);
  return result;
}

// The system shows a focused control by a caret over its thumb, drawn in the system's colours;
// the skin hides it (the tracking loop and the keys hide and show it in pairs) and draws a focus
// frame inside the thumb.
LRESULT OnControlFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (message == WM_SETFOCUS) HideCaret(window);
  PaintControl(window);
  return result;
}

LRESULT OnControlGetInfo(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
  int value = 0;
  if (result && info && (info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO) &&
      TrackedThumbValue(window, SB_CTL, &value)) {
    info->nTrackPos = value;
  }
  return result;
}

SkinHandler ControlHandlerFor(UINT message) {
  switch (message) {
    case WM_PAINT: return &OnControlPaint;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return &OnControlPress;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: return &OnControlHover;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return &OnControlFocus;
    case WM_ENABLE:
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_ENABLE_ARROWS: return &OnControlChange;
    case SBM_GETSCROLLINFO: return &OnControlGetInfo;
    default: return nullptr;
  }
}

}  // namespace

bool Wears(HWND window) {
  return !StandingAside && OnDressedThread(window) &&
         IsSkinnedHere(window);
}

bool WrapsMessage(HWND window, UINT message) {
  if (message != WM_NCPAINT && message != WM_NCMOUSEMOVE && message != WM_NCMOUSELEAVE) return false;
  return HasOwnBars(window) && Wears(window);
}

LRESULT Around(Next next, WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT) return PaintAroundNonClient(next, previous, window, message, wParam, lParam);
  return FollowPointer(next, previous, window, message, wParam, lParam);
}

SkinHandler HandlerFor(HWND window, UINT message) {
  if (message == WM_SYSCOMMAND) return HasOwnBars(window) && Wears(window) ? &OnSysCommand : nullptr;
  if (!ControlHandlerFor(message) || !IsScrollBarControl(window) || !Wears(window)) return nullptr;
  return ControlHandlerFor(message);
}

void ForgetBars(HWND window) {
  RemoveProperty(window, HotVerticalProperty);
  RemoveProperty(window, HotHorizontalProperty);
  RemoveProperty(window, HotControlProperty);
}

}  // namespace skin::scrollbars
