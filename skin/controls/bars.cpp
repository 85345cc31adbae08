// "ToolbarWindow32" and "ReBarWindow32". A toolbar's hot, pressed and checked buttons get the
// push-button faces through the custom draw its parent is asked for, the toolbar still drawing
// their images and texts on them; a program that custom-draws its toolbar itself is left alone.
// A rebar's bands lie on the header strip, inside the one-pixel skin border.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "skin/controls/bars.h"

#include "skin/controls/borders.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

bool IsToolbar(HWND window) { return LowerClassName(window) == "toolbarwindow32"; }

LRESULT DrawToolbarItem(const NMTBCUSTOMDRAW& draw) {
  const UINT state = draw.nmcd.uItemState;
  if (state & CDIS_DISABLED) return CDRF_DODEFAULT;
  look::PartState face = look::Normal;
  if (state & (CDIS_SELECTED | CDIS_CHECKED)) {
    face = look::Pressed;
  } else if (state & CDIS_HOT) {
    face = look::Hot;
  } else {
    return CDRF_DODEFAULT;
  }
  look::DrawPart(look::PartToolbarButton, face, draw.nmcd.hdc, draw.nmcd.rc);
  return TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND | TBCDRF_NOETCHEDEFFECT | TBCDRF_NOMARK;
}

LRESULT EraseBands(WNDPROC, HWND bar, UINT, WPARAM wParam, LPARAM) {
  RECT client = {};
  GetClientRect(bar, &client);
  look::DrawPart(look::PartReBarBackground, look::Normal, reinterpret_cast<HDC>(wParam), client);
  return 1;
}

SkinHandler HandlerFor(HWND, UINT message) {
  if (message == WM_ERASEBKGND) return &EraseBands;
  if (message == WM_NCPAINT) return &PaintBarFrame;
  return nullptr;
}

void Nothing(HWND) {}

}  // namespace

const controls::Room controls::ReBarRoom = {&Nothing, &Nothing, &HandlerFor};

LRESULT ToolbarCustomDraw(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  // Anything the parent answered itself is its own custom draw.
  if (!header || header->code != NM_CUSTOMDRAW || result != CDRF_DODEFAULT || DetachedMeanwhile(window) ||
      !IsToolbar(header->hwndFrom)) {
    return result;
  }
  const auto& draw = *reinterpret_cast<const NMTBCUSTOMDRAW*>(lParam);
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return DrawToolbarItem(draw);
  return result;
}

}  // namespace skin
