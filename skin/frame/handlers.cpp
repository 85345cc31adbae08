// The messages through which the default procedure would draw the system's frame and caption,
// and the skin's own answers to them. The default procedure paints the caption at WM_NCPAINT, at
// WM_NCACTIVATE (unless lParam is -1), at WM_SETTEXT and WM_SETICON, and throughout its tracking
// loop for a held caption button, straight through the window's DC. So the skin lets it paint
// only what lies below the caption, passes activation on with lParam -1, hides the window from it
// while it sets a title or an icon, tracks the caption buttons itself, and then paints.
#include "skin/frame/frame.h"

namespace skin {
namespace frame {
namespace {

constexpr LPARAM NoCaptionRepaint = -1;
constexpr intptr_t InactiveCaption = 1;
constexpr intptr_t ActiveCaption = 2;
// Sent by themed Windows to draw the caption and the frame outside WM_NCPAINT.
constexpr UINT WmNcUahDrawCaption = 0x00AE;
constexpr UINT WmNcUahDrawFrame = 0x00AF;

LRESULT Pass(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

bool IsCaptionButton(WPARAM hit) {
  return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON || hit == HTHELP;
}

// The default procedure paints what lies below the caption inside the frame (the menu bar, a
// client edge, scroll bars) and nothing else; then the skin paints the frame and the caption.
LRESULT OnNcPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsIconic(window)) return Pass(previous, window, message, wParam, lParam);
  const Layout l = LayoutOf(window);
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const HRGN below = CreateRectRgn(bounds.left + l.FrameX, bounds.top + l.Caption.bottom,
                                   bounds.right - l.FrameX, bounds.bottom - l.FrameY);
  if (below && wParam > 1) CombineRgn(below, below, reinterpret_cast<HRGN>(wParam), RGN_AND);
  const LRESULT result =
      below ? PassWithMenuBar(previous, window, message, reinterpret_cast<WPARAM>(below), lParam) : 0;
  if (below) DeleteObject(below);
  if (DetachedMeanwhile(window)) return result;
  PaintFrame(window, l);
  PaintMenuBarBackground(window, l.Caption.bottom);
  return result;
}

LRESULT OnNcActivate(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM) {
  const LRESULT result = Pass(previous, window, message, wParam, NoCaptionRepaint);
  if (DetachedMeanwhile(window)) return result;
  SetProperty(window, NcActiveProperty, wParam ? ActiveCaption : InactiveCaption);
  PaintFrame(window);
  return result;
}

// The default procedure repaints the caption after a new title or icon only while the window is
// visible: it is hidden from it for the message, by its style alone (nothing is redrawn or
// validated, unlike WM_SETREDRAW, which under Wine validates the window and its children and
// would lose their pending paints; the program sees WM_STYLECHANGING and WM_STYLECHANGED).
LRESULT OnCaptionChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (!(style & WS_VISIBLE)) return Pass(previous, window, message, wParam, lParam);
  SetWindowLongW(window, GWL_STYLE, style & ~WS_VISIBLE);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (IsWindow(window)) SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_VISIBLE);
  if (!DetachedMeanwhile(window)) PaintFrame(window);
  return result;
}

int HitAt(HWND window, POINT screen) {
  return static_cast<int>(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
}

void ShowPressed(HWND window, int hit) {
  if (GetProperty(window, NcPressedProperty) == hit) return;
  SetProperty(window, NcPressedProperty, hit);
  PaintFrame(window);
}

// The system's own loop for a held caption button, with the skin's looks: the button shows
// pressed while the pointer is over it, and acts when the button is released over it.
LRESULT TrackButton(HWND window, int hit, LPARAM lParam) {
  if (!ButtonEnabled(window, hit)) return 0;
  SetCapture(window);
  ShowPressed(window, hit);
  bool over = true;
  MSG msg = {};
  while (IsWindow(window) && GetCapture() == window) {
    if (GetMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST) <= 0) break;
    if (CallMsgFilterW(&msg, MSGF_MAX)) continue;
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message != WM_MOUSEMOVE) continue;
    over = HitAt(window, msg.pt) == hit;
    SetProperty(window, NcHotProperty, over ? hit : 0);
    ShowPressed(window, over ? hit : 0);
  }
  const bool released = msg.message == WM_LBUTTONUP && over;
  if (GetCapture() == window) ReleaseCapture();
  if (!IsWindow(window) || DetachedMeanwhile(window)) return 0;
  // The button acts: the window may be minimised, resized or gone before the pointer moves again.
  if (released) SetProperty(window, NcHotProperty, 0);
  ShowPressed(window, 0);
  if (!released) return 0;
  WPARAM command = SC_CLOSE;
  if (hit == HTMAXBUTTON) command = IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
  if (hit == HTMINBUTTON) command = IsIconic(window) ? SC_RESTORE : SC_MINIMIZE;
  if (hit == HTHELP) command = SC_CONTEXTHELP;
  SendMessageW(window, WM_SYSCOMMAND, command, hit == HTCLOSE ? lParam : MAKELPARAM(msg.pt.x, msg.pt.y));
  return 0;
}

LRESULT OnNcLButtonDown(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsCaptionButton(wParam)) return Pass(previous, window, message, wParam, lParam);
  return TrackButton(window, static_cast<int>(wParam), lParam);
}

// WM_NCMOUSEMOVE and WM_NCMOUSELEAVE: the caption button under the pointer shows hot; one
// WM_NCMOUSELEAVE is asked for.
LRESULT OnNcMouseMove(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  const int hot = message == WM_NCMOUSEMOVE && IsCaptionButton(wParam) ? static_cast<int>(wParam) : 0;
  if (hot != 0) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
    TrackMouseEvent(&track);
  }
  if (GetProperty(window, NcHotProperty) != hot) {
    SetProperty(window, NcHotProperty, hot);
    PaintFrame(window);
  }
  return result;
}

// The help button is where the system's hit test puts the caption on a system that has none.
LRESULT OnNcHitTest(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT hit = Pass(previous, window, message, wParam, lParam);
  if (hit != HTCAPTION || !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP)) return hit;
  const Layout l = LayoutOf(window);
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const POINT at = {SignedLowWord(static_cast<int32_t>(lParam)) - bounds.left,
                    SignedHighWord(static_cast<int32_t>(lParam)) - bounds.top};
  return PtInRect(&l.Help, at) ? HTHELP : hit;
}

LRESULT Swallow(WNDPROC, HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace
}  // namespace frame

SkinHandler FrameHandlerFor(HWND window, UINT message) {
  SkinHandler handler = nullptr;
  switch (message) {
    case WM_NCPAINT: handler = &frame::OnNcPaint; break;
    case WM_NCACTIVATE: handler = &frame::OnNcActivate; break;
    case WM_SETTEXT:
    case WM_SETICON: handler = &frame::OnCaptionChange; break;
    case WM_NCLBUTTONDOWN: handler = &frame::OnNcLButtonDown; break;
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE: handler = &frame::OnNcMouseMove; break;
    case WM_NCHITTEST: handler = &frame::OnNcHitTest; break;
    case frame::WmNcUahDrawCaption:
    case frame::WmNcUahDrawFrame: handler = &frame::Swallow; break;
    default: return nullptr;
  }
  if (!GetProperty(window, NcFrameProperty)) return nullptr;
  if ((GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return nullptr;
  return handler;
}

}  // namespace skin
