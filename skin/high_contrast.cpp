// High contrast: the skin stands aside, drawing nothing, while the system's mode is on, and
// draws again when it goes off. Windows stay subclassed all the while, so nothing has to join
// again and nothing is lost.
#include <windows.h>

#include "skin/engine.h"

namespace skin {
namespace {

HighContrastQuery AskHighContrast = &SystemHighContrast;

WNDPROC PreviousOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetProperty(window, ProcAddrProperty));
}

// The button paints itself while the skin is aside; a fade that ran would only keep waking it.
void StepAside(HWND button) {
  StopFadeTimer(button);
  LetButtonPaintItself(PreviousOf(button), button);
  SetWindowRgn(button, nullptr, FALSE);
}

// While aside the dialog manager may have moved the default between push buttons, and the
// button may have been resized: its type is taken as it is now, its faces made at its size.
void StepBack(HWND button) {
  const auto recorded = static_cast<LONG>(GetProperty(button, OldStyleProperty));
  const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
  if (IsPushButtonStyle(recorded) && IsPushButtonStyle(type)) {
    SetProperty(button, OldStyleProperty, (recorded & ~BS_TYPEMASK) | type);
  }
  SetProperty(button, OldStateProperty, IsWindowEnabled(button) ? StateNormal : StateDisabled);
  SetProperty(button, MouseFlagProperty, 0);
  if (!WantsFaces(button)) return;
  if (ResizeButtonFaces(button) || MakeButtonFaces(button)) OwnerDrawAgain(PreviousOf(button), button, FALSE);
  WindowBounds b;
  GetWindowBounds(button, &b);
  SetButtonOutline(button, b);
}

BOOL CALLBACK FollowOne(HWND window, LPARAM) {
  if (!IsSkinnedHere(window)) return TRUE;
  // Content shows the program's own colours and check boxes while the skin is aside.
  if (StandingAside) {
    look::GiveBackContentColours(window);
  } else {
    look::TakeContentColours(window);
  }
  if (ClassifyWindow(window) != KindButton) return TRUE;
  if (StandingAside) {
    StepAside(window);
  } else {
    StepBack(window);
  }
  return TRUE;
}

BOOL CALLBACK HandOverTopLevel(HWND window, LPARAM each) {
  const auto handOver = reinterpret_cast<WNDENUMPROC>(each);
  EnumChildWindows(window, handOver, 0);
  handOver(window, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace

bool SystemHighContrast() {
  HIGHCONTRASTW mode = {};
  mode.cbSize = sizeof mode;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0) &&
         (mode.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool SkinStandsAside() { return StandingAside; }

void HandOverEveryWindow(WNDENUMPROC each) {
  EnumThreadWindows(GetCurrentThreadId(), &HandOverTopLevel, reinterpret_cast<LPARAM>(each));
}

void SetHighContrastQuery(HighContrastQuery query) {
  AskHighContrast = query ? query : &SystemHighContrast;
}

void FollowHighContrast() {
  const bool aside = AskHighContrast();
  if (aside == StandingAside) return;
  const bool menusWerePlain = MenusStayPlain();
  StandingAside = aside;
  FollowMenusPlain(menusWerePlain);
  HandOverEveryWindow(&FollowOne);
}

}  // namespace skin
