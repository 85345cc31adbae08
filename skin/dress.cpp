// Dressing a whole thread: every window it has now, at any depth and of any class, and every
// window it creates later, which takes SkinWindowProc as it is created (a WH_CBT hook) and joins
// the skin when its WM_CREATE has ended, before it is first shown or painted.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "skin/engine.h"
#include "skin/gdi/kept.h"
#include "skin/joining.h"
#include "skin/menus/menus.h"
#include "skin/scrollbars/scrollbars.h"

namespace skin {
namespace {

// The creation hook of the dressed thread.
HHOOK DressHook = nullptr;

// Popup menus (#32768) join: the system tracks and draws their items in a modal loop of its own,
// through the popup's DC, and the skin answers the owner for the items it made owner-drawn; the
// popup's frame is drawn by the popup window itself (inside it under Wine, around it on Windows),
// which the skin paints over after the popup's own procedure.
constexpr const char* LeftOutClasses[] = {
    // Tooltips: other controls create, move and measure them; they flicker on and off under the
    // pointer, and a second procedure would only lag them.
    "tooltips_class32",
    // IME windows belong to the input method, which runs them with procedures of its own.
    "ime",
    "msctfime ui",
};

// A window that is no child and whose parent is not the desktop: a message-only one. Under Wine
// the creation hook names the message windows' parent, not HWND_MESSAGE.
bool IsMessageOnly(HWND window, HWND parent) {
  if (parent == HWND_MESSAGE) return true;
  return !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD) && GetAncestor(window, GA_PARENT) != GetDesktopWindow();
}

// A popup menu's window is made before its items are measured, whoever shows the menu (the
// program, a control of the thread with TPM_NONOTIFY, the system menu): its menu is converted
// there, and given back when the window goes.
LRESULT CALLBACK JoinOnCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    const auto window = reinterpret_cast<HWND>(wParam);
    // Message-only windows are never seen; their messages need not pass the skin.
    if (!IsMessageOnly(window, creation->lpcs->hwndParent)) {
      StartJoining(window);
      JoinPopupMenu(window, *creation->lpcs);
    }
  } else if (code == HCBT_DESTROYWND) {
    LeavePopupMenu(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The enumeration's user value is the window being created, if any: it joins later.
BOOL CALLBACK DressBelow(HWND child, LPARAM creating) {
  if (child != reinterpret_cast<HWND>(creating)) SkinAttachWindow(child);
  return TRUE;
}

// A window painted in the program's colours before the thread was dressed, or in the theme's
// before it was undressed, is erased again whole when the theme colours content.
void EraseAgainForContent(HWND window) {
  if (look::ColoursContent()) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

BOOL CALLBACK DressTopLevel(HWND window, LPARAM creating) {
  if (window == reinterpret_cast<HWND>(creating)) return TRUE;
  EnumChildWindows(window, &DressBelow, creating);
  SkinAttachWindow(window);
  EraseAgainForContent(window);
  return TRUE;
}

BOOL CALLBACK UndressBelow(HWND child, LPARAM) {
  if (GetWindowThreadProcessId(child, nullptr) == GetCurrentThreadId()) SkinDetachWindow(child);
  return TRUE;
}

BOOL CALLBACK UndressTopLevel(HWND window, LPARAM) {
  EnumChildWindows(window, &UndressBelow, 0);
  SkinDetachWindow(window);
  EraseAgainForContent(window);
  return TRUE;
}

}  // namespace

bool IsLeftOut(HWND window) {
  const std::string name = LowerClassName(window);
  return std::any_of(std::begin(LeftOutClasses), std::end(LeftOutClasses),
                     [&](const char* leftOut) { return name == leftOut; });
}

int SkinAttachThread() { return SkinAttachThreadAtCreation(nullptr); }

int SkinAttachThreadAtCreation(HWND creating) {
  if (DressedThreadId != 0) return 0;
  const DWORD thread = GetCurrentThreadId();
  const HHOOK hook = SetWindowsHookExW(WH_CBT, &JoinOnCreation, nullptr, thread);
  if (!hook) return 0;
  DressHook = hook;
  DressedThreadId = thread;
  ReadScreenReader();
  InitialiseSkin();
  scrollbars::TakeScrollFunctions();
  look::TakeSystemColours();
  EnumThreadWindows(thread, &DressTopLevel, reinterpret_cast<LPARAM>(creating));
  if (creating) StartJoining(creating);
  return 1;
}

int SkinDetachThread() {
  const DWORD thread = GetCurrentThreadId();
  if (DressedThreadId != thread) return 0;
  UnhookWindowsHookEx(DressHook);
  DressHook = nullptr;
  DressedThreadId = 0;
  scrollbars::GiveBackScrollFunctions();
  look::GiveBackSystemColours();
  EnumThreadWindows(thread, &UndressTopLevel, 0);
  GiveBackMenus();
  ReleaseKeptObjects();
  // With no window left the atlas goes now; windows skinned otherwise keep it until their detach.
  if (SkinnedWindowCount == 0 && SkinInitialised) ReleaseSkin();
  return 1;
}

}  // namespace skin
