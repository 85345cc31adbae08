// Containers and the duties of every window: a form or dialog attached takes its children with it;
// a parent keeps its owner-drawn children as the skin draws them; a client edge goes flat.
#include "skin/controls/container.h"

#include <windows.h>
#include <commctrl.h>

#include "skin/controls/bars.h"
#include "skin/controls/borders.h"
#include "skin/controls/header.h"
#include "skin/controls/push_button.h"
#include "skin/joining.h"

namespace skin {
namespace {

void Take(HWND window) {
  if (ClassifyWindow(window) == KindContainer) EnumChildWindows(window, &AttachChildCallback, 0);
}

void GiveBack(HWND window) {
  if (ClassifyWindow(window) == KindContainer) EnumChildWindows(window, &DetachChildCallback, 0);
}

SkinHandler HandlerFor(HWND, UINT) { return nullptr; }

// The parent never made the button owner-drawn, so it is never asked to draw it.
bool IsPaintedPushButton(HWND button) {
  return IsSkinnedHere(button) && ClassifyWindow(button) == KindButton &&
         IsPushButtonStyle(static_cast<LONG>(GetProperty(button, OldStyleProperty))) &&
         StateSurface(button, StateNormal) != nullptr;
}

// An owner-drawn header item of the dressed thread gets the skin's face under what its owner
// draws; an owner that draws nothing leaves the face, which the header would otherwise fill again
// in its own look.
LRESULT OnDrawItem(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (wParam != 0 && item && item->CtlType == ODT_BUTTON && IsPaintedPushButton(item->hwndItem)) return TRUE;
  if (item && item->CtlType == ODT_HEADER && PrepareOwnerDrawnHeaderItem(*item)) {
    Pass(previous, window, message, wParam, lParam);
    return TRUE;
  }
  return Pass(previous, window, message, wParam, lParam);
}

LRESULT FlattenEdge(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) FlattenClientEdge(window);
  return result;
}

}  // namespace

const controls::Room controls::ContainerRoom = {&Take, &GiveBack, &HandlerFor};

SkinHandler controls::DutiesFor(HWND window, UINT message) {
  switch (message) {
    case WM_DRAWITEM: return &OnDrawItem;
    case WM_NOTIFY: return OnDressedThread(window) ? &ToolbarCustomDraw : nullptr;
    case WM_NCPAINT: return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? &FlattenEdge : nullptr;
    default: return nullptr;
  }
}

}  // namespace skin
