// The skin's loop for a press on a bar, in place of the system's (which draws the system's bar
// at every step). It sends what the system's sends, when the system's would:
// - on an arrow or the track, SB_LINEUP / SB_LINEDOWN / SB_PAGEUP / SB_PAGEDOWN at once, again
//   after 200 ms and then every 50 ms while the pointer stays over the part pressed; the repeats
//   stop while it is elsewhere and start again, at once, when it comes back;
// - on the thumb, SB_THUMBTRACK at the press and at every move that changes the pointer's place
//   along the bar, the thumb snapping back while the pointer is far from the bar, and
//   SB_THUMBPOSITION at the release;
// - SB_ENDSCROLL at the release.
#include <algorithm>

#include "skin/press_loop.h"
#include "skin/scrollbars/scrollbars.h"

namespace skin::scrollbars {
namespace {

constexpr DWORD FirstRepeat = 200;
constexpr DWORD NextRepeats = 50;
// How far from the bar the pointer may go before a dragged thumb snaps back, in bar widths:
// across the bar and along it.
constexpr int SnapAcross = 8;
constexpr int SnapAlong = 2;

WPARAM CodeOf(int part) {
  switch (part) {
    case PartArrowUp: return SB_LINEUP;
    case PartPageUp: return SB_PAGEUP;
    case PartPageDown: return SB_PAGEDOWN;
    default: return SB_LINEDOWN;
  }
}

int AlongOf(const Bar& bar, POINT point) {
  return bar.Vertical ? point.y - bar.Place.top : point.x - bar.Place.left;
}

bool NearBar(const Bar& bar, POINT point) {
  RECT around = bar.Place;
  const int width = bar.Vertical ? around.right - around.left : around.bottom - around.top;
  if (bar.Vertical) {
    InflateRect(&around, width * SnapAcross, width * SnapAlong);
  } else {
    InflateRect(&around, width * SnapAlong, width * SnapAcross);
  }
  return PtInRect(&around, point) != FALSE;
}

POINT Clipped(const Bar& bar, POINT point) {
  return {std::clamp(point.x, bar.Place.left, bar.Place.right), std::clamp(point.y, bar.Place.top, bar.Place.bottom)};
}

struct Tracking {
  HWND window = nullptr;
  int which = SB_VERT;
  HWND owner = nullptr;
  HWND control = nullptr;
  UINT message = WM_VSCROLL;
  int part = PartNone;
  int clickAt = 0;
  int lastAt = 0;
  int thumbFrom = 0;
  bool repeating = false;
  DWORD due = 0;
  POINT last = {};  // the pointer, in the bar's coordinates
};

POINT InBar(const Tracking& t, POINT screen) {
  const POINT origin = BarOrigin(t.window, t.which);
  return {screen.x - origin.x, screen.y - origin.y};
}

void Repaint(const Tracking& t) {
  if (t.which == SB_CTL) {
    PaintControl(t.window);
  } else {
    PaintWindowBars(t.window, nullptr, t.which);
  }
}

void Show(const Tracking& t, int pressed) {
  if (GetProperty(t.window, TrackPartProperty) == pressed) return;
  SetProperty(t.window, TrackPartProperty, pressed);
  Repaint(t);
}

void Step(Tracking& t, DWORD next) {
  SendMessageW(t.owner, t.message, CodeOf(t.part), reinterpret_cast<LPARAM>(t.control));
  t.repeating = true;
  t.due = GetTickCount() + next;
}

int ThumbAt(Tracking& t, const Bar& bar) {
  const int start = t.thumbFrom + t.lastAt - t.clickAt;
  SetProperty(t.window, TrackThumbProperty, start);
  const int value = ThumbValue(t.window, bar, start);
  SetProperty(t.window, TrackValueProperty, value);
  return value;
}

// The pointer over an arrow or the track, at a move or when a repeat is due.
void FollowPress(Tracking& t, bool due) {
  Bar bar = {};
  if (!BarOf(t.window, t.which, &bar)) return;
  const bool over = PartAt(bar, t.last) == t.part;
  Show(t, over ? t.part : PartNone);
  if (!over) {
    t.repeating = false;
  } else if (!t.repeating || due) {
    Step(t, NextRepeats);
  }
}

void FollowThumb(Tracking& t, POINT point) {
  Bar bar = {};
  if (!BarOf(t.window, t.which, &bar)) return;
  const int at = NearBar(bar, point) ? AlongOf(bar, Clipped(bar, point)) : t.clickAt;
  if (at == t.lastAt) return;
  t.lastAt = at;
  const int value = ThumbAt(t, bar);
  SendMessageW(t.owner, t.message, MAKEWPARAM(SB_THUMBTRACK, value), reinterpret_cast<LPARAM>(t.control));
  Repaint(t);
}

void Release(Tracking& t) {
  ReleaseCapture();
  if (GetFocus() == t.window) ShowCaret(t.window);
  if (t.part == PartThumb) {
    const int value = static_cast<int>(GetProperty(t.window, TrackValueProperty));
    SendMessageW(t.owner, t.message, MAKEWPARAM(SB_THUMBPOSITION, value), reinterpret_cast<LPARAM>(t.control));
  }
  SendMessageW(t.owner, t.message, SB_ENDSCROLL, reinterpret_cast<LPARAM>(t.control));
}

void Forget(HWND window) {
  RemoveProperty(window, TrackBarProperty);
  RemoveProperty(window, TrackPartProperty);
  RemoveProperty(window, TrackThumbProperty);
  RemoveProperty(window, TrackValueProperty);
}

// A repeat falls due as a move to where the pointer last was.
DWORD RepeatDue(void* context) {
  const auto& t = *static_cast<const Tracking*>(context);
  if (!t.repeating) return INFINITE;
  return static_cast<DWORD>(std::max<LONG>(static_cast<LONG>(t.due - GetTickCount()), 0));
}

void RepeatPress(void* context) { FollowPress(*static_cast<Tracking*>(context), true); }

void FollowPointer(void* context, POINT screen) {
  auto& t = *static_cast<Tracking*>(context);
  t.last = InBar(t, screen);
  if (t.part == PartThumb) {
    FollowThumb(t, t.last);
  } else {
    FollowPress(t, false);
  }
}

}  // namespace

void TrackBar(HWND window, int which, POINT screen) {
  Bar bar = {};
  if (!BarOf(window, which, &bar)) return;
  Tracking t;
  t.window = window;
  t.which = which;
  t.owner = which == SB_CTL ? GetParent(window) : window;
  t.control = which == SB_CTL ? window : nullptr;
  t.message = bar.Vertical ? WM_VSCROLL : WM_HSCROLL;
  t.last = InBar(t, screen);
  t.part = PartAt(bar, t.last);
  if (t.part == PartNone) return;
  t.clickAt = t.lastAt = AlongOf(bar, t.last);
  t.thumbFrom = bar.ThumbStart;
  HideCaret(window);
  if (which == SB_CTL && (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP)) SetFocus(window);
  SetCapture(window);
  SetProperty(window, TrackBarProperty, which + 1);
  SetProperty(window, TrackThumbProperty, t.thumbFrom);
  if (t.part == PartThumb) {
    const int value = ThumbAt(t, bar);
    Show(t, PartThumb);
    SendMessageW(t.owner, t.message, MAKEWPARAM(SB_THUMBTRACK, value), reinterpret_cast<LPARAM>(t.control));
  } else {
    Show(t, t.part);
    Step(t, FirstRepeat);
  }
  if (HoldPress(window, MSGF_SCROLLBAR, {&t, &FollowPointer, &RepeatDue, &RepeatPress}, nullptr)) Release(t);
  if (!IsWindow(window)) return;
  Forget(window);
  Repaint(t);
}

bool TrackedThumbValue(HWND window, int which, int* value) {
  if (GetProperty(window, TrackBarProperty) != which + 1) return false;
  if (GetProperty(window, TrackPartProperty) != PartThumb) return false;
  *value = static_cast<int>(GetProperty(window, TrackValueProperty));
  return true;
}

int TrackedPart(HWND window, int which, int* thumbStart) {
  if (GetProperty(window, TrackBarProperty) != which + 1) return PartNone;
  *thumbStart = static_cast<int>(GetProperty(window, TrackThumbProperty));
  return static_cast<int>(GetProperty(window, TrackPartProperty));
}

}  // namespace skin::scrollbars
