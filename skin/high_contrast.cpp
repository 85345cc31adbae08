// High contrast: the skin stands aside, drawing nothing, while the system's mode is on, and
// draws again when it goes off. Windows stay subclassed all the while, so nothing has to join
// again and nothing is lost.
#include "skin/high_contrast.h"

#include "skin/controls/push_button.h"
#include "skin/engine.h"
#include "skin/menus/menus.h"

namespace skin {
namespace {

HighContrastQuery AskHighContrast = &SystemHighContrast;

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
    StepButtonAside(window);
  } else {
    StepButtonBack(window);
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
  look::SystemColoursChanged();
  FollowMenusPlain(menusWerePlain);
  HandOverEveryWindow(&FollowOne);
}

}  // namespace skin
