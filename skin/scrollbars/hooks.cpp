// The system's scroll functions, reached through the skin while a thread is dressed. Programs and
// the common controls call SetScrollInfo, SetScrollPos, SetScrollRange and EnableScrollBar of
// user32 through their import tables; where user32 itself reaches win32u through its own (Wine,
// and Windows 10 and later), so do its own controls, and the skin takes user32's entries for
// NtUserSetScrollInfo and NtUserEnableScrollBar, which every one of those calls passes through.
// Elsewhere it takes the user32 entries of every module loaded at the time.
//
// For a window the skin dresses, a position, page or range is set without the system drawing the
// bar (redraw off), then the skin draws it and tells accessibility tools of the new value as the
// system would have. Whatever the system still draws (its arrows when their enabled state
// changes, a disabled bar) is drawn over before the call returns. Calls for other windows go
// straight on.
//
// GetScrollInfo is taken in every module's import table too, so that SIF_TRACKPOS reports the
// thumb the skin is dragging.
#include "skin/scrollbars/scrollbars.h"

#include "skin/imports/imports.h"

namespace skin::scrollbars {
namespace {

using SetInfoFunction = int(WINAPI*)(HWND, int, const SCROLLINFO*, BOOL);
using SetPosFunction = int(WINAPI*)(HWND, int, int, BOOL);
using SetRangeFunction = BOOL(WINAPI*)(HWND, int, int, int, BOOL);
using EnableFunction = BOOL(WINAPI*)(HWND, UINT, UINT);
using GetInfoFunction = BOOL(WINAPI*)(HWND, int, SCROLLINFO*);

SetInfoFunction RealSetInfo = nullptr;
SetPosFunction RealSetPos = nullptr;
SetRangeFunction RealSetRange = nullptr;
EnableFunction RealEnable = nullptr;
GetInfoFunction RealGetInfo = nullptr;

imports::TakenEntries Taken;

constexpr UINT ArrowsMayChange = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;

bool OwnBar(int which) { return which == SB_HORZ || which == SB_VERT || which == SB_BOTH; }

bool Takes(HWND window, int which) {
  return OwnBar(which) && window && OnDressedThread(window) && Wears(window);
}

void Tell(HWND window, int which) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (which == SB_VERT && (style & WS_VSCROLL)) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_VSCROLL, 0);
  if (which == SB_HORZ && (style & WS_HSCROLL)) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_HSCROLL, 0);
}

int WINAPI SetInfo(HWND window, int which, const SCROLLINFO* info, BOOL redraw) {
  if (!Takes(window, which) || !info) return RealSetInfo(window, which, info, redraw);
  const int result = RealSetInfo(window, which, info, FALSE);
  if (redraw || (info->fMask & ArrowsMayChange)) PaintWindowBars(window, nullptr, which);
  if (redraw) Tell(window, which);
  return result;
}

int WINAPI SetPos(HWND window, int which, int position, BOOL redraw) {
  if (!Takes(window, which)) return RealSetPos(window, which, position, redraw);
  const int result = RealSetPos(window, which, position, FALSE);
  if (redraw) {
    PaintWindowBars(window, nullptr, which);
    Tell(window, which);
  }
  return result;
}

BOOL WINAPI SetRange(HWND window, int which, int minimum, int maximum, BOOL redraw) {
  if (!Takes(window, which)) return RealSetRange(window, which, minimum, maximum, redraw);
  const BOOL result = RealSetRange(window, which, minimum, maximum, FALSE);
  PaintWindowBars(window, nullptr, which);
  return result;
}

BOOL WINAPI Enable(HWND window, UINT which, UINT arrows) {
  const BOOL result = RealEnable(window, which, arrows);
  if (Takes(window, static_cast<int>(which))) PaintWindowBars(window, nullptr, static_cast<int>(which));
  return result;
}

BOOL WINAPI GetInfo(HWND window, int which, SCROLLINFO* info) {
  const BOOL result = RealGetInfo(window, which, info);
  int value = 0;
  if (result && info && (info->fMask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO) &&
      TrackedThumbValue(window, which, &value)) {
    info->nTrackPos = value;
  }
  return result;
}

void TakeIn(HMODULE module, const char* dll, void* target, void* replacement) {
  imports::TakeIn(&Taken, module, dll, target, replacement);
}

}  // namespace

void TakeScrollFunctions() {
  using imports::Find;
  if (!Taken.empty()) return;
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const HMODULE win32u = GetModuleHandleA("win32u.dll");
  const auto lowSetInfo = Find<SetInfoFunction>(win32u, "NtUserSetScrollInfo");
  const auto lowEnable = Find<EnableFunction>(win32u, "NtUserEnableScrollBar");
  RealGetInfo = Find<GetInfoFunction>(user32, "GetScrollInfo");
  if (lowSetInfo && !imports::EntriesFor(user32, "win32u.dll", reinterpret_cast<void*>(lowSetInfo)).empty()) {
    RealSetInfo = lowSetInfo;
    RealEnable = lowEnable;
    TakeIn(user32, "win32u.dll", reinterpret_cast<void*>(lowSetInfo), reinterpret_cast<void*>(&SetInfo));
    TakeIn(user32, "win32u.dll", reinterpret_cast<void*>(lowEnable), reinterpret_cast<void*>(&Enable));
  } else {
    RealSetInfo = Find<SetInfoFunction>(user32, "SetScrollInfo");
    RealSetPos = Find<SetPosFunction>(user32, "SetScrollPos");
    RealSetRange = Find<SetRangeFunction>(user32, "SetScrollRange");
    RealEnable = Find<EnableFunction>(user32, "EnableScrollBar");
  }
  const HMODULE self = imports::SkinModule();
  for (const HMODULE module : imports::LoadedModules()) {
    if (module == user32 || module == self) continue;
    TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealGetInfo), reinterpret_cast<void*>(&GetInfo));
    if (RealSetPos) {
      TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealSetInfo), reinterpret_cast<void*>(&SetInfo));
      TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealSetPos), reinterpret_cast<void*>(&SetPos));
      TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealSetRange), reinterpret_cast<void*>(&SetRange));
      TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealEnable), reinterpret_cast<void*>(&Enable));
    }
  }
}

void GiveBackScrollFunctions() { imports::GiveBack(&Taken); }

}  // namespace skin::scrollbars
