// SkinWindowProc, the procedure of every skinned window, and its three handlers of its own:
// late skinning of dialog boxes as they are activated, a push button's faces and outline kept in
// step with its size, and a combo box's drop button reset when it moves.
#include <iterator>

#include "skin/gdi/guards.h"
#include "skin/engine.h"
#include "skin/frame/frame.h"
#include "skin/scrollbars/scrollbars.h"

namespace skin {
namespace {

struct Route {
  UINT message;
  SkinHandler handler;
};

// Every message the skin handles besides those SkinWindowProc treats itself: WM_DESTROY,
// WM_ENTERIDLE, WM_CTLCOLORLISTBOX and WM_ACTIVATE (which attach and detach in high contrast
// too), WM_SETTINGCHANGE and WM_SYSCOLORCHANGE.
constexpr Route Routes[] = {
    {WM_SIZE, &SkinOnSize},
    {WM_SETFOCUS, &SkinOnSetFocus},
    {WM_KILLFOCUS, &SkinOnKillFocus},
    {WM_ENABLE, &SkinOnEnable},
    {WM_PAINT, &SkinOnPaint},
    {WM_WINDOWPOSCHANGING, &SkinOnWindowPosChanging},
    {WM_NCPAINT, &SkinOnNcPaint},
    {WM_KEYDOWN, &SkinOnKeyDown},
    {WM_KEYUP, &SkinOnKeyUp},
    {WM_TIMER, &SkinOnTimer},
    {WM_MOUSEMOVE, &SkinOnMouseMove},
    {WM_LBUTTONDOWN, &SkinOnLButtonDown},
    {WM_LBUTTONUP, &SkinOnLButtonUp},
    {WM_LBUTTONDBLCLK, &SkinOnLButtonDblClk},
    {WM_MOUSELEAVE, &SkinOnMouseLeave},
    {BM_SETCHECK, &SkinOnToggleChange},
    {BM_SETSTATE, &SkinOnToggleChange},
    {WM_GETDLGCODE, &SkinOnGetDlgCode},
    {BM_SETSTYLE, &SkinOnSetStyle},
    {WM_DRAWITEM, &SkinOnDrawItem},
    {WM_ERASEBKGND, &SkinOnEraseBackground},
    {WM_SETTEXT, &SkinOnButtonLookChange},
    {WM_SETFONT, &SkinOnButtonLookChange},
    {BM_SETIMAGE, &SkinOnButtonLookChange},
};

SkinHandler HandlerFor(UINT message) {
  for (const Route& route : Routes) {
    if (route.message == message) return route.handler;
  }
  return nullptr;
}

// A pop-up that goes idle or a list box about to be drawn joins the skin; the previous procedure
// answers first, and its answer (for a list box, its brush) is returned in the theme's content
// colours.
LRESULT PassThenAttach(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (lParam != 0) SkinAttachWindow(reinterpret_cast<HWND>(lParam));
  return message == WM_CTLCOLORLISTBOX ? RecolourAnswer(window, message, wParam, result) : result;
}

// A change of the system's settings may also have changed the menu font, and with it the size of
// the check square and the option circle.
LRESULT PassThenFollowHighContrast(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  ReadCheckSize();
  FollowHighContrast();
  if (message == WM_SETTINGCHANGE) {
    // The caption and menu fonts follow the system's metrics: made again when next drawn.
    frame::ReleaseCaptionFonts();
    ReleaseMenuFont();
    FollowSystemTheme(lParam);
    FollowScreenReader(wParam);
  }
  return result;
}

// A window without "PROCADDR": one the skin has let go of that keeps SkinWindowProc in its chain
// ("PASSPROC"), whose messages go straight on, and which joins once its creation has ended; or a
// window that has lost every trace of the skin, served by the default procedure.
LRESULT Dispatch(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto pass = reinterpret_cast<WNDPROC>(GetProperty(window, PassProcProperty));
  if (!pass) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = CallWindowProcW(pass, window, message, wParam, lParam);
  if (message == WM_CREATE && result != -1) FinishJoining(window);
  if (message == WM_NCDESTROY) RemoveProperty(window, PassProcProperty);
  return result;
}

}  // namespace

LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window) return 0;
  const auto previous = reinterpret_cast<WNDPROC>(GetProperty(window, ProcAddrProperty));
  if (!previous) return PassOn(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      SkinDetachWindow(window);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX:
      return PassThenAttach(previous, window, message, wParam, lParam);
    case WM_ACTIVATE:
      return SkinOnActivate(previous, window, message, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      return PassThenFollowHighContrast(previous, window, message, wParam, lParam);
    default:
      break;
  }
  // In high contrast windows still join and leave, but the skin draws nothing.
  if (StandingAside) return CallWindowProcW(previous, window, message, wParam, lParam);
  // The bars of a window are drawn around whatever else paints its frame.
  if (scrollbars::WrapsMessage(window, message)) {
    return scrollbars::Around(&Dispatch, previous, window, message, wParam, lParam);
  }
  return Dispatch(previous, window, message, wParam, lParam);
}

namespace {

// The handler of the part of the skin that takes this message of this window, or the previous
// procedure.
LRESULT Dispatch(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const SkinHandler bars = scrollbars::HandlerFor(window, message)) {
    return bars(previous, window, message, wParam, lParam);
  }
  if (const SkinHandler menu = MenuHandlerFor(window, message, wParam, lParam)) {
    return menu(previous, window, message, wParam, lParam);
  }
  if (const SkinHandler frame = FrameHandlerFor(window, message)) {
    return frame(previous, window, message, wParam, lParam);
  }
  if (const SkinHandler standard = StandardHandlerFor(window, message)) {
    return standard(previous, window, message, wParam, lParam);
  }
  if (const SkinHandler content = ContentHandlerFor(window, message)) {
    return content(previous, window, message, wParam, lParam);
  }
  if (const SkinHandler handler = HandlerFor(message)) {
    return handler(previous, window, message, wParam, lParam);
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace

// A child of this window, or any dialog-like top-level window, that gains or loses activation
// opposite it is skinned before the previous procedure sees the message.
LRESULT SkinOnActivate(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto other = reinterpret_cast<HWND>(lParam);
  if (other && (GetParent(other) == window || ClassifyWindow(other) == KindContainer)) {
    SkinAttachWindow(other);
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

// New faces of the new size, rendered again, and a new outline. When the four new bitmaps cannot
// all be made (the GDI table is full), the old faces, now of the wrong size, go and the button
// paints itself until a later paint or resize can make them.
LRESULT SkinOnSize(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (ClassifyWindow(window) != KindButton || DetachedMeanwhile(window) || !WantsFaces(window)) {
    return result;
  }
  if (!ResizeButtonFaces(window)) {
    if (StateSurface(window, StateNormal)) {
      ReleaseButtonFaces(window);
      LetButtonPaintItself(previous, window);
    } else if (MakeButtonFaces(window)) {
      OwnerDrawAgain(previous, window, TRUE);
    }
  }
  WindowBounds b;
  GetWindowBounds(window, &b);
  SetButtonOutline(window, b);
  return result;
}

LRESULT SkinOnWindowPosChanging(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  const WindowKind kind = ClassifyWindow(window);
  if (kind == KindCombo || kind == KindDriveList) PaintComboButton(window, nullptr, StateNormal, false);
  return result;
}

}  // namespace skin
