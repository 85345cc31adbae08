// SkinWindowProc, the procedure of every skinned window. A few messages are the skin's whatever
// the window: it leaves at WM_DESTROY, late windows join through WM_ACTIVATE, WM_ENTERIDLE and
// WM_CTLCOLORLISTBOX, and a change of the system's settings or colours is followed. Every other
// message is offered in turn to the scroll bars, the menus, the frame, the control's room (and
// what every window does for its children and its frame), and the content colours; the first that
// has a handler for it takes it, and a message none takes goes on unchanged.
#include "skin/controls/container.h"
#include "skin/controls/room.h"
#include "skin/engine.h"
#include "skin/frame/frame.h"
#include "skin/gdi/kept.h"
#include "skin/high_contrast.h"
#include "skin/joining.h"
#include "skin/look/content.h"
#include "skin/menus/menus.h"
#include "skin/scrollbars/scrollbars.h"
#include "skin/theme_switch.h"

namespace skin {
namespace {

// A pop-up that goes idle or a list box about to be drawn joins the skin; the previous procedure
// answers first, and its answer (for a list box, its brush) is returned in the theme's content
// colours.
LRESULT PassThenAttach(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (lParam != 0) SkinAttachWindow(reinterpret_cast<HWND>(lParam));
  return message == WM_CTLCOLORLISTBOX ? RecolourAnswer(window, message, wParam, result) : result;
}

// A change of the system's settings may also have changed the menu font, and with it the size of
// the check square and the option circle, and the fonts the skin keeps.
LRESULT PassThenFollowSettings(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  ReadCheckSize();
  FollowHighContrast();
  if (message == WM_SETTINGCHANGE) {
    ReleaseKeptObjects();
    FollowSystemTheme(lParam);
    FollowScreenReader(wParam);
  }
  return result;
}

// A child of this window, or any dialog-like top-level window, that gains or loses activation
// opposite it is skinned before the previous procedure sees the message.
LRESULT OnActivate(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto other = reinterpret_cast<HWND>(lParam);
  if (other && (GetParent(other) == window || ClassifyWindow(other) == KindContainer)) SkinAttachWindow(other);
  return Pass(previous, window, message, wParam, lParam);
}

// A window without "PROCADDR": one the skin has let go of that keeps SkinWindowProc in its chain
// ("PASSPROC"), whose messages go straight on, and which joins once its creation has ended; or a
// window that has lost every trace of the skin, served by the default procedure.
LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto pass = reinterpret_cast<WNDPROC>(GetProperty(window, PassProcProperty));
  if (!pass) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = Pass(pass, window, message, wParam, lParam);
  if (message == WM_CREATE && result != -1) FinishJoining(window);
  if (message == WM_NCDESTROY) RemoveProperty(window, PassProcProperty);
  return result;
}

// The handler of the part of the skin that takes this message of this window, or nullptr.
SkinHandler HandlerFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const SkinHandler bars = scrollbars::HandlerFor(window, message)) return bars;
  if (const SkinHandler menu = MenuHandlerFor(window, message, wParam, lParam)) return menu;
  if (const SkinHandler frame = FrameHandlerFor(window, message)) return frame;
  if (const SkinHandler control = controls::RoomOf(window).HandlerFor(window, message)) return control;
  if (const SkinHandler duty = controls::DutiesFor(window, message)) return duty;
  return ContentHandlerFor(window, message);
}

LRESULT Dispatch(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const SkinHandler handler = HandlerFor(window, message, wParam, lParam);
  return handler ? handler(previous, window, message, wParam, lParam) : Pass(previous, window, message, wParam, lParam);
}

}  // namespace

LRESULT Pass(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window) return 0;
  const auto previous = reinterpret_cast<WNDPROC>(GetProperty(window, ProcAddrProperty));
  if (!previous) return PassOn(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      SkinDetachWindow(window);
      return Pass(previous, window, message, wParam, lParam);
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX:
      return PassThenAttach(previous, window, message, wParam, lParam);
    case WM_ACTIVATE:
      return OnActivate(previous, window, message, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      return PassThenFollowSettings(previous, window, message, wParam, lParam);
    default:
      break;
  }
  // In high contrast windows still join and leave, but the skin draws nothing.
  if (StandingAside) return Pass(previous, window, message, wParam, lParam);
  // The bars of a window are drawn around whatever else paints its frame.
  if (scrollbars::WrapsMessage(window, message)) {
    return scrollbars::Around(&Dispatch, previous, window, message, wParam, lParam);
  }
  return Dispatch(previous, window, message, wParam, lParam);
}

}  // namespace skin
