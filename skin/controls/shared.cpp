// What the rooms share: hover and the enabled state.
#include "skin/controls/shared.h"

#include <commctrl.h>

namespace skin::controls {

constexpr intptr_t NoPart = -1;

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

look::PartState EnabledState(HWND window) { return IsEnabled(window) ? look::Normal : look::Disabled; }

bool IsUnderCursor(HWND window) {
  POINT cursor = {};
  return GetCursorPos(&cursor) && WindowFromPoint(cursor) == window;
}

POINT PointerIn(HWND window) {
  POINT point = {-1, -1};
  if (GetCursorPos(&point)) ScreenToClient(window, &point);
  return point;
}

bool EnterOnce(HWND window) {
  if (GetProperty(window, MouseFlagProperty) != 0) return false;
  SetProperty(window, MouseFlagProperty, 1);
  RequestMouseLeave(window);
  return true;
}

void RequestMouseLeave(HWND window) {
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  if (TrackMouseEventAvailable) {
    TrackMouseEvent(&track);
  } else {
    _TrackMouseEvent(&track);
  }
}

bool TrackHover(HWND window, UINT message) {
  if (message == WM_MOUSELEAVE) {
    SetProperty(window, MouseFlagProperty, 0);
    return false;
  }
  if (message == WM_MOUSEMOVE) {
    EnterOnce(window);
    return true;
  }
  return GetProperty(window, MouseFlagProperty) != 0;
}

void FollowHotPart(HWND window, UINT message, int partUnderPointer) {
  if (message != WM_MOUSEMOVE && message != WM_MOUSELEAVE) return;
  const bool inside = TrackHover(window, message);
  const int part = inside ? partUnderPointer : -1;
  if (part == HotPart(window)) return;
  SetProperty(window, HmIndexProperty, part);
  InvalidateRect(window, nullptr, FALSE);
}

int HotPart(HWND window) { return static_cast<int>(GetProperty(window, HmIndexProperty)); }

void TakeHover(HWND window) {
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, HmIndexProperty, NoPart);
}

void GiveBackHover(HWND window) {
  RemoveProperty(window, MouseFlagProperty);
  RemoveProperty(window, HmIndexProperty);
}

bool HasAnyBorder(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) ||
         (GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

bool IsToggleType(LONG type) {
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

HBRUSH ParentBackground(HWND window, HDC dc) {
  const HWND parent = GetParent(window);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent ? parent : window, WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace skin::controls
