// The system's colours as a dressed thread sees them. While a thread is dressed in a theme that
// colours content, GetSysColor and GetSysColorBrush called from that thread answer with the
// theme's colour for each of the system's colours, so that whatever a program or a common
// control paints in system colours follows the look. They are taken in the import tables of the
// modules loaded at dressing, with FillRect (a brush given as COLOR_x + 1 is a system colour) and
// DeleteObject (the skin's brushes, like the system's own, survive a caller deleting them). The
// skin reads the system's real colours through the functions' addresses, never through an import
// entry. user32's own drawing reads the colours inside user32 and is out of reach.
//
// The common controls keep a process-wide copy of the system colours, read again when one of
// their controls hears WM_SYSCOLORCHANGE: one is told after every change of the answers.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "skin/engine.h"
#include "skin/imports/imports.h"

namespace skin::look {
namespace {

using SysColorFunction = DWORD(WINAPI*)(int);
using SysColorBrushFunction = HBRUSH(WINAPI*)(int);
using FillRectFunction = int(WINAPI*)(HDC, const RECT*, HBRUSH);
using DeleteObjectFunction = BOOL(WINAPI*)(HGDIOBJ);

constexpr int NoRole = -1;
// The theme's role for each of the system's colours, COLOR_SCROLLBAR to COLOR_MENUBAR. The
// desktop keeps the system's colour: it is not the program's.
constexpr int RolesOfSystemColours[] = {
    RoleScrollTrack,          // COLOR_SCROLLBAR
    NoRole,                   // COLOR_BACKGROUND
    RoleCaptionActive,        // COLOR_ACTIVECAPTION
    RoleCaptionInactive,      // COLOR_INACTIVECAPTION
    RoleMenu,                 // COLOR_MENU
    RoleWindow,               // COLOR_WINDOW
    RoleFrameBorder,          // COLOR_WINDOWFRAME
    RoleMenuText,             // COLOR_MENUTEXT
    RoleWindowText,           // COLOR_WINDOWTEXT
    RoleCaptionText,          // COLOR_CAPTIONTEXT
    RoleFrame,                // COLOR_ACTIVEBORDER
    RoleFrameInactive,        // COLOR_INACTIVEBORDER
    RoleWorkspace,            // COLOR_APPWORKSPACE
    RoleSelection,            // COLOR_HIGHLIGHT
    RoleSelectionText,        // COLOR_HIGHLIGHTTEXT
    RoleDialog,               // COLOR_BTNFACE
    RoleEdgeShadow,           // COLOR_BTNSHADOW
    RoleGrayText,             // COLOR_GRAYTEXT
    RoleDialogText,           // COLOR_BTNTEXT
    RoleCaptionTextInactive,  // COLOR_INACTIVECAPTIONTEXT
    RoleEdgeHighlight,        // COLOR_BTNHIGHLIGHT
    RoleEdgeDarkShadow,       // COLOR_3DDKSHADOW
    RoleEdgeLight,            // COLOR_3DLIGHT
    RoleTooltipText,          // COLOR_INFOTEXT
    RoleTooltip,              // COLOR_INFOBK
    NoRole,                   // 25: not a colour
    RoleLink,                 // COLOR_HOTLIGHT
    RoleCaptionActive,        // COLOR_GRADIENTACTIVECAPTION
    RoleCaptionInactive,      // COLOR_GRADIENTINACTIVECAPTION
    RoleMenuHot,              // COLOR_MENUHILIGHT
    RoleMenuBar,              // COLOR_MENUBAR
};
constexpr int SystemColourCount = static_cast<int>(std::size(RolesOfSystemColours));
static_assert(SystemColourCount == COLOR_MENUBAR + 1);

SysColorFunction RealSysColor = nullptr;
SysColorBrushFunction RealSysColorBrush = nullptr;
FillRectFunction RealFillRect = nullptr;
DeleteObjectFunction RealDeleteObject = nullptr;

imports::TakenEntries Taken;
// One solid brush per colour the answers have given, kept until the thread is undressed: a
// program may keep a brush GetSysColorBrush gave it, as it may the system's.
std::vector<std::pair<COLORREF, HBRUSH>> Brushes;

void FindRealFunctions() {
  if (RealSysColor) return;
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  const HMODULE gdi32 = GetModuleHandleA("gdi32.dll");
  RealSysColor = imports::Find<SysColorFunction>(user32, "GetSysColor");
  RealSysColorBrush = imports::Find<SysColorBrushFunction>(user32, "GetSysColorBrush");
  RealFillRect = imports::Find<FillRectFunction>(user32, "FillRect");
  RealDeleteObject = imports::Find<DeleteObjectFunction>(gdi32, "DeleteObject");
}

// Whether this thread is answered the theme's colours now.
bool Answering() {
  if (Taken.empty() || DressedThreadId == 0 || GetCurrentThreadId() != DressedThreadId) return false;
  return !StandingAside && ColoursContent();
}

// The colour this thread is answered for a system colour now, or CLR_INVALID for the system's
// own: a style's own colour for the index first, else the theme's role for it.
COLORREF Answered(int index) {
  if (index < 0 || index >= SystemColourCount || !Answering()) return CLR_INVALID;
  const std::vector<COLORREF>& own = CurrentTheme().SystemColours;
  if (static_cast<size_t>(index) < own.size() && own[static_cast<size_t>(index)] != CLR_INVALID) {
    return own[static_cast<size_t>(index)];
  }
  const int role = RolesOfSystemColours[index];
  return role == NoRole ? CLR_INVALID : Colour(static_cast<Role>(role));
}

HBRUSH BrushOf(COLORREF colour) {
  const auto kept = std::find_if(Brushes.begin(), Brushes.end(),
                                 [&](const std::pair<COLORREF, HBRUSH>& b) { return b.first == colour; });
  if (kept != Brushes.end()) return kept->second;
  const HBRUSH brush = CreateSolidBrush(colour);
  if (brush) Brushes.emplace_back(colour, brush);
  return brush;
}

bool IsKeptBrush(HGDIOBJ object) {
  return object && std::any_of(Brushes.begin(), Brushes.end(),
                               [&](const std::pair<COLORREF, HBRUSH>& b) { return b.second == object; });
}

DWORD WINAPI AnswerSysColor(int index) {
  const COLORREF answer = Answered(index);
  return answer == CLR_INVALID ? RealSysColor(index) : answer;
}

HBRUSH WINAPI AnswerSysColorBrush(int index) {
  const COLORREF answer = Answered(index);
  if (answer == CLR_INVALID) return RealSysColorBrush(index);
  const HBRUSH brush = BrushOf(answer);
  return brush ? brush : RealSysColorBrush(index);
}

// A brush of 1 to COLOR_MENUBAR + 1 stands for the system colour one below it.
int WINAPI AnswerFillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const auto value = reinterpret_cast<INT_PTR>(brush);
  if (value > 0 && value <= SystemColourCount && Answered(static_cast<int>(value) - 1) != CLR_INVALID) {
    brush = AnswerSysColorBrush(static_cast<int>(value) - 1);
  }
  return RealFillRect(dc, rect, brush);
}

BOOL WINAPI AnswerDeleteObject(HGDIOBJ object) {
  return IsKeptBrush(object) ? TRUE : RealDeleteObject(object);
}

void TakeIn(HMODULE module, const char* dll, void* real, void* answer) {
  imports::TakeIn(&Taken, module, dll, real, answer);
}

// A header control, made for the moment and never shown, has the common controls read the
// system's colours again (as this thread's answers give them).
void TellCommonControls() {
  if (!GetModuleHandleA("comctl32.dll")) return;
  const HWND header = CreateWindowExW(0, L"SysHeader32", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  if (!header) return;
  SendMessageW(header, WM_SYSCOLORCHANGE, 0, 0);
  DestroyWindow(header);
}

}  // namespace

int RoleOfSystemColour(int index) {
  return index >= 0 && index < SystemColourCount ? RolesOfSystemColours[index] : NoRole;
}

COLORREF SystemColour(int index) {
  FindRealFunctions();
  return RealSysColor ? RealSysColor(index) : 0;
}

// A colour the dressed thread was answered for a system colour counts as that system colour: the
// control or program took it from GetSysColor.
bool IsSystemColour(COLORREF colour) {
  if (colour == CLR_DEFAULT || colour == CLR_NONE) return true;
  for (int index = 0; index < SystemColourCount; ++index) {
    if (SystemColour(index) == colour || Answered(index) == colour) return true;
  }
  return false;
}

void TakeSystemColours() {
  if (!Taken.empty()) return;
  FindRealFunctions();
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  for (const HMODULE module : imports::LoadedModules()) {
    if (module == user32) continue;
    TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealSysColor), reinterpret_cast<void*>(&AnswerSysColor));
    TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealSysColorBrush),
           reinterpret_cast<void*>(&AnswerSysColorBrush));
    TakeIn(module, "user32.dll", reinterpret_cast<void*>(RealFillRect), reinterpret_cast<void*>(&AnswerFillRect));
    TakeIn(module, "gdi32.dll", reinterpret_cast<void*>(RealDeleteObject),
           reinterpret_cast<void*>(&AnswerDeleteObject));
  }
  TellCommonControls();
}

void GiveBackSystemColours() {
  imports::GiveBack(&Taken);
  TellCommonControls();
  for (const auto& kept : Brushes) RealDeleteObject(kept.second);
  Brushes.clear();
}

void SystemColoursChanged() {
  if (!Taken.empty()) TellCommonControls();
}

}  // namespace skin::look
