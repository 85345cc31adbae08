// What every room of the skin shares: what a window is, the window properties in which the skin
// keeps what it knows about a window, the process-wide state, the shape of a handler and how a
// message goes on. Each room declares its own entry points in its header (skin/controls/*.h,
// skin/frame/frame.h, skin/menus/menus.h, skin/scrollbars/scrollbars.h), joining and leaving are
// in skin/joining.h, high contrast in skin/high_contrast.h, following the system's theme in
// skin/theme_switch.h; the application and the library's users call skin/skin.h.
// docs/architecture.md tells each property's encoding.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/atlas/atlas.h"
#include "skin/gdi/toolkit.h"
#include "skin/look/look.h"
#include "skin/skin.h"

namespace skin {

// ---------------------------------------------------------------- windows

enum WindowKind {
  KindContainer,
  KindButton,
  KindCombo,
  KindDriveList,
  KindCheck,
  KindOption,
  KindProgress,
  KindHeader,
  KindDropList,
  KindDataList,
  KindGrid,
  KindOther,
};

enum VisualState : int {
  StateNormal = 0,
  StateHot = 1,
  StatePressed = 2,
  StateDisabled = 3,
};
inline constexpr int VisualStateCount = 4;

// The window's class name: at most 254 characters, empty when it cannot be read; and lower-cased,
// as the skin compares class names.
std::string WindowClassName(HWND window);
std::string LowerClassName(HWND window);
// The window's title or caption in UTF-16, as long as the window system says it is.
std::wstring WindowText(HWND window);
// What the window is to the skin, from its class name (skin/controls/rooms.cpp).
WindowKind ClassifyWindow(HWND window);

// ---------------------------------------------------------------- window properties

inline constexpr char ProcAddrProperty[] = "PROCADDR";
inline constexpr char PassProcProperty[] = "PASSPROC";
inline constexpr char SkinCopyProperty[] = "SKINCOPY";
inline constexpr char AnsiWindowProperty[] = "ANSIWINDOW";
inline constexpr char RoomProperty[] = "ROOM";
inline constexpr char OldStyleProperty[] = "OLDSTYLE";
inline constexpr char MouseFlagProperty[] = "MOUSEFLAG";
inline constexpr char TimerIdProperty[] = "TIMERID";
inline constexpr char OldStateProperty[] = "OLDSTATE";
inline constexpr char AlphaLevelProperty[] = "ALPHALEVEL";
inline constexpr char HdIndexProperty[] = "HDINDEX";
inline constexpr char HmIndexProperty[] = "HMINDEX";

// A property of a window as a signed, pointer-sized integer; a missing one reads as 0.
intptr_t GetProperty(HWND window, const char* name);
void SetProperty(HWND window, const char* name, intptr_t value);
void RemoveProperty(HWND window, const char* name);
// Whether the skin came off the window while its previous procedure handled a message: a click's
// notification can open a message box in whose modal loop the application detaches. Handlers
// that run after the previous procedure leave such a window alone.
bool DetachedMeanwhile(HWND window);
// Whether this copy of the skin has the window.
bool IsSkinnedHere(HWND window);

// ---------------------------------------------------------------- process-wide state

extern bool SkinInitialised;
extern DWORD SkinThreadId;     // the thread whose windows wear the skin (0: none yet)
// The thread that wears the skin through SkinAttachThread (0: none).
extern DWORD DressedThreadId;
extern bool TrackMouseEventAvailable;
extern int32_t SkinnedWindowCount;
// True while high contrast is on: every skinned window keeps SkinWindowProc and its properties,
// but the skin draws nothing and its windows show the system's colours.
extern bool StandingAside;
// Whether the window belongs to the dressed thread.
bool OnDressedThread(HWND window);
// The check square and the option circle are SM_CXMENUCHECK x SM_CYMENUCHECK. Under Wine every
// read measures the menu font, so they are read when the skin starts and again when the system's
// settings change.
void ReadCheckSize();
// The kept size, read first if it never was (drawing without the skin started, as in tests).
SIZE CheckSize();

// ---------------------------------------------------------------- messages

// Every handler of the skin has this shape: the window's previous procedure, then the message.
using SkinHandler = LRESULT (*)(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);
// The message goes on to the window's previous procedure, as it is.
LRESULT Pass(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skin
