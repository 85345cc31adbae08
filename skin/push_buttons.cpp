// What a skinned push button keeps of its own behaviour although it is owner-drawn: the dialog
// manager still sees its push-button type (default or not), its parent is not asked to draw it,
// and a new caption, font or image shows on its faces.
#include <windows.h>
#include <commctrl.h>

#include "skin/engine.h"

namespace skin {
namespace {

LONG OldStyle(HWND window) { return static_cast<LONG>(GetProperty(window, OldStyleProperty)); }

// A push button the skin made owner-drawn: it has its faces, and its type was a push type.
bool IsPaintedPushButton(HWND window) {
  return ClassifyWindow(window) == KindButton && IsPushButtonStyle(OldStyle(window)) &&
         StateSurface(window, StateNormal) != nullptr;
}

}  // namespace

void LetButtonPaintItself(WNDPROC previous, HWND window) {
  if (!IsPushButtonStyle(OldStyle(window))) return;
  CallWindowProcW(previous, window, BM_SETSTYLE, static_cast<WPARAM>(OldStyle(window) & BS_TYPEMASK), TRUE);
}

void OwnerDrawAgain(WNDPROC previous, HWND window, BOOL redraw) {
  if (!IsPushButtonStyle(OldStyle(window))) return;
  CallWindowProcW(previous, window, BM_SETSTYLE, BS_OWNERDRAW, redraw);
}

// An owner-drawn button answers only DLGC_BUTTON; the dialog manager picks the default button
// and the one Enter presses by these codes.
LRESULT SkinOnGetDlgCode(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || !IsPaintedPushButton(window)) return result;
  const bool isDefault = (OldStyle(window) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return result | DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The dialog manager moves the default between push buttons with BM_SETSTYLE: the new type is
// recorded, and a push button stays owner-drawn. Another type takes the button out of the skin's
// painting. On the dressed thread a button that becomes a push button gets its faces first, and
// one that no longer shows a face gives them back.
LRESULT SkinOnSetStyle(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ClassifyWindow(window) != KindButton) return CallWindowProcW(previous, window, message, wParam, lParam);
  const LONG requested = static_cast<LONG>(wParam) & BS_TYPEMASK;
  SetProperty(window, OldStyleProperty, (OldStyle(window) & ~BS_TYPEMASK) | requested);
  if (IsPushButtonStyle(requested)) FitFacesToType(window);
  WPARAM style = wParam;
  if (IsPaintedPushButton(window)) style = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
  const LRESULT result = CallWindowProcW(previous, window, message, style, lParam);
  if (!DetachedMeanwhile(window)) FitFacesToType(window);
  return result;
}

// The parent never made the button owner-drawn, so it is never asked to draw it. An owner-drawn
// header item of the dressed thread gets the skin's face under what its owner draws; an owner that
// draws nothing leaves the face, which the header would otherwise fill again in its own look.
LRESULT SkinOnDrawItem(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (wParam != 0 && item && item->CtlType == ODT_BUTTON && IsSkinnedHere(item->hwndItem) &&
      IsPaintedPushButton(item->hwndItem)) {
    return TRUE;
  }
  if (item && item->CtlType == ODT_HEADER && PrepareOwnerDrawnHeaderItem(*item)) {
    CallWindowProcW(previous, window, message, wParam, lParam);
    return TRUE;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

// The face covers the whole button, opaque: the background an owner-drawn button erases (its
// parent asked for WM_CTLCOLORBTN, the client filled) would only be painted over. The skin makes
// a push button owner-drawn only while it has its faces, so the style tells without reading them.
LRESULT SkinOnEraseBackground(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  if (ClassifyWindow(window) == KindButton &&
      (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW &&
      IsPushButtonStyle(OldStyle(window))) {
    return TRUE;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

// WM_SETTEXT, WM_SETFONT, BM_SETIMAGE: the faces are rendered again with what changed.
LRESULT SkinOnButtonLookChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || !IsPaintedPushButton(window)) return result;
  RenderButtonFaces(window);
  InvalidateRect(window, nullptr, FALSE);
  return result;
}

}  // namespace skin
