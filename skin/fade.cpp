// The hover fade of push buttons: the face of the new state is blended over what the button
// shows with an opacity that grows by 3 every 15 ms until it is opaque.
#include <windows.h>

#include <commctrl.h>

#include "skin/gdi/guards.h"
#include "skin/engine.h"

namespace skin {
namespace {

// BlendStateFace with the opacity already read: each property read is a request to the window
// server, and a fade tick reads only what it needs, once. A disabled window's state is known
// without reading it back.
LRESULT BlendStateFaceAt(HWND window, HDC dc, intptr_t alpha) {
  const bool enabled = IsWindowEnabled(window) != FALSE;
  if (!enabled) SetProperty(window, OldStateProperty, StateDisabled);
  if (!IsPushButtonStyle(static_cast<LONG>(GetProperty(window, OldStyleProperty)))) return 0;
  const int state = enabled ? static_cast<int>(GetProperty(window, OldStateProperty)) : StateDisabled;
  LayFace(window, dc, StateSurface(window, state), alpha);
  return 0;
}

}  // namespace

int ShownFaceState(HWND window) {
  if (IsWindowEnabled(window)) return static_cast<int>(GetProperty(window, OldStateProperty));
  SetProperty(window, OldStateProperty, StateDisabled);
  return StateDisabled;
}

void LayFace(HWND window, HDC dc, HDC face, intptr_t alpha) {
  WindowBounds b;
  GetWindowBounds(window, &b);
  BLENDFUNCTION blend = {};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha);
  const DrawTarget target(window, dc);
  AlphaBlend(target.get(), 0, 0, b.Width, b.Height, face, 0, 0, b.Width, b.Height, blend);
}

LRESULT BlendStateFace(HWND window, HDC dc) {
  return BlendStateFaceAt(window, dc, GetProperty(window, AlphaLevelProperty));
}

LRESULT SkinOnTimer(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ClassifyWindow(window) == KindButton) {
    const intptr_t alpha = GetProperty(window, AlphaLevelProperty);
    BlendStateFaceAt(window, nullptr, alpha);
    const intptr_t next = alpha + FadeStep;
    if (next > OpaqueAlpha) {
      StopFadeTimer(window);
      SetProperty(window, AlphaLevelProperty, 0);
    } else {
      SetProperty(window, AlphaLevelProperty, next);
    }
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

UINT_PTR StartFadeTimer(HWND window) {
  if (GetProperty(window, TimerIdProperty) != 0) return 0;
  const UINT_PTR timer = SetTimer(window, FadeTimerId, FadePeriodMs, nullptr);
  SetProperty(window, TimerIdProperty, static_cast<intptr_t>(timer));
  return timer;
}

BOOL StopFadeTimer(HWND window) {
  const auto timer = static_cast<UINT_PTR>(GetProperty(window, TimerIdProperty));
  if (timer == 0) return 0;
  const BOOL killed = KillTimer(window, timer);
  SetProperty(window, TimerIdProperty, 0);
  return killed;
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

}  // namespace skin
