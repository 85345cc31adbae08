// What every room of the skin shares: what a window is, the window properties in which the skin
// keeps what it knows about a window, the process-wide state, the shape of a handler and how a
// message goes on. Each room declares its own entry points in its header (skin/controls/*.h,
// skin/frame/frame.h, skin/menus/menus.h, skin/scrollbars/scrollbars.h); the application and the
// library's users call skin/skin.h. docs/architecture.md tells each property's encoding.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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
// A KindButton window counts as a push button, and is painted by the skin, when its type before
// skinning is BS_PUSHBUTTON, BS_DEFPUSHBUTTON or BS_USERBUTTON.
bool IsPushButtonStyle(LONG style);

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
// Names of a push button's per-state face surface and its bitmap: "0HDC" .. "3HDC", "0BMP" ..
// "3BMP".
std::string StateSurfaceProperty(int state);
std::string StateBitmapProperty(int state);
HDC StateSurface(HWND window, int state);
// Whether the skin came off the window while its previous procedure handled a message: a click's
// notification can open a message box in whose modal loop the application detaches. Handlers
// that run after the previous procedure leave such a window alone.
bool DetachedMeanwhile(HWND window);
// Whether this copy of the skin has the window.
bool IsSkinnedHere(HWND window);

// ---------------------------------------------------------------- process-wide state

extern bool SkinInitialised;
extern DWORD SkinThreadId;     // the thread whose windows wear the skin (0: none yet)
extern bool ThemeFollowsSystem;  // the theme was chosen as "auto"
// The thread that wears the skin through SkinAttachThread (0: none) and its creation hook.
extern DWORD DressedThreadId;
extern HHOOK DressHook;
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

// ---------------------------------------------------------------- joining and leaving

int SkinAttachWindow(HWND window);
int SkinDetachWindow(HWND window);
BOOL CALLBACK AttachChildCallback(HWND child, LPARAM unused);
BOOL CALLBACK DetachChildCallback(HWND child, LPARAM unused);
// The one-time initialisation: the mouse-tracking probe and the atlas, unless already done.
void InitialiseSkin();
// Releases the atlas and every kept object; the next attach initialises again.
void ReleaseSkin();
// Frees the kept objects that are neither a window's nor the atlas's (the menu and caption fonts,
// the content brushes, the drawing toolkit's surfaces): at undress, at a theme switch and at a
// change of the system's settings. Each is made again when next needed.
void ReleaseKeptObjects();
// Whether the window may join: a live window of this thread that no copy of the skin has yet and
// that, on a dressed thread, is not left out.
bool CanJoinSkin(HWND window);
// A window that is being created takes SkinWindowProc now, passing every message on, and joins
// the skin when its WM_CREATE has ended.
void StartJoining(HWND window);
void FinishJoining(HWND window);
// Windows that never join a dressed thread: those that must not be subclassed.
bool IsLeftOut(HWND window);

// ---------------------------------------------------------------- high contrast and themes

// Whether the system's high-contrast mode is on. The default asks SystemParametersInfoW; tests put
// in their own answer (nullptr puts the system's back).
using HighContrastQuery = bool (*)();
bool SystemHighContrast();
void SetHighContrastQuery(HighContrastQuery query);
// Asks the mode again. When it changed, every skinned window of this thread is handed over and
// redrawn, frame included.
void FollowHighContrast();
// Calls `each` for every window of this thread, descendants before their top-level window, then
// redraws each top-level window whole, frames included.
void HandOverEveryWindow(WNDENUMPROC each);
// Puts a theme on every window the skin has (skin/theme_switch.cpp).
void ApplyTheme(look::Theme theme);
// At WM_SETTINGCHANGE: a theme chosen as "auto" follows a change of the system's app mode.
void FollowSystemTheme(LPARAM setting);
// Sends each line to the debugger's output.
void ReportThemeLines(const std::wstring& problem, const std::vector<std::wstring>& warnings);

}  // namespace skin
