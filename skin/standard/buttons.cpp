// "Button" check boxes, radio buttons, push-like ones and group boxes. The button keeps its own
// behaviour and paints itself (its marks, its text, its focus frame); the skin's square, circle
// or push-button face goes over what it drew, after every message on which it draws. Group boxes
// are painted whole, as Tavrin's frames are.
#include <windows.h>

#include <string>

#include "skin/gdi/guards.h"
#include "skin/standard/standard.h"

namespace skin::standard {
namespace {

enum ButtonLook { NotOurs, CheckLook, RadioLook, PushLikeLook, GroupLook };

constexpr int DesignDpi = 96;

ButtonLook LookOf(HWND window) {
  // Push buttons the skin made owner-drawn keep their own path; so do a program's owner-drawn ones.
  if (IsPushButtonStyle(static_cast<LONG>(GetProperty(window, OldStyleProperty)))) return NotOurs;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return style & BS_PUSHLIKE ? PushLikeLook : CheckLook;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return style & BS_PUSHLIKE ? PushLikeLook : RadioLook;
    case BS_GROUPBOX:
      return GroupLook;
    default:
      return NotOurs;
  }
}

// The button's own procedure answers its state and mark: asked straight, the question does not
// pass the skin's procedure again.
LRESULT Ask(WNDPROC previous, HWND window, UINT question) { return CallPrevious(previous, window, question, 0, 0); }

int StateOf(WNDPROC previous, HWND window, bool hover) {
  const auto state = static_cast<UINT>(Ask(previous, window, BM_GETSTATE));
  if (state & BST_PUSHED) return StatePressed;
  return hover ? StateHot : StateNormal;
}

void DrawToggle(WNDPROC previous, HWND window, ButtonLook look, int state) {
  WindowBounds b;
  GetWindowBounds(window, &b);
  const SIZE size = CheckSize();
  const int cx = size.cx;
  const int cy = size.cy;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const int x = (style & BS_LEFTTEXT) ? b.Width - cx : 0;
  const int y = RoundHalfEven((b.Height - cy) / 2.0);
  const auto check = static_cast<int>(Ask(previous, window, BM_GETCHECK));
  const BorrowedDc dc(window, BorrowedDc::Whole);
  if (look == CheckLook) {
    DrawCheckSquare(dc.get(), x, y, state, check, IsEnabled(window));
  } else {
    DrawOptionCircle(dc.get(), x, y, state, check, IsEnabled(window));
  }
}

// Pressed while checked, as a button held down.
void DrawPushLike(WNDPROC previous, HWND window, int state) {
  if (Ask(previous, window, BM_GETCHECK) != BST_UNCHECKED) state = StatePressed;
  if (!IsEnabled(window)) state = StateDisabled;
  const HDC face = StateSurface(window, state);
  if (!face) return;
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  BitBlt(dc.get(), 0, 0, b.Width, b.Height, face, 0, 0, SRCCOPY);
}

// The frame in the border colour through the middle of the caption's line, the caption on a band
// of the background the parent gives, as Tavrin's frames draw theirs.
LRESULT PaintGroupBox(HWND window) {
  const PaintScope paint(window);
  const HDC dc = paint.dc();
  const HWND parent = GetParent(window);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(parent ? parent : window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(window)));
  if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  const ScopedSelection selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  RECT client = {};
  GetClientRect(window, &client);
  const int top = metrics.tmHeight / 2;
  const look::PartState state = EnabledState(window);
  look::DrawPart(look::PartGroupBox, state, dc, {0, top, client.right, client.bottom});

  const std::wstring caption = WindowText(window);
  if (caption.empty()) return 0;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  const RECT margins = look::PartContentMargins(look::PartGroupBox);
  const int padding = MulDiv(margins.right, dpi, DesignDpi);
  UINT format = DT_SINGLELINE;
  if (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  RECT text = {MulDiv(margins.left, dpi, DesignDpi), 0, 0, 0};
  DrawTextW(dc, caption.c_str(), -1, &text, format | DT_CALCRECT);
  const RECT band = {text.left - padding, 0, text.right + padding, metrics.tmHeight};
  FillRect(dc, &band, brush);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF ink = look::PartTextColour(look::PartGroupBox, state);
  if (ink != CLR_INVALID) SetTextColor(dc, ink);
  DrawTextW(dc, caption.c_str(), -1, &text, format);
  return 0;
}

// After the button drew itself, directly or through WM_PAINT: the skin's part on top.
LRESULT DressToggle(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  const ButtonLook look = LookOf(window);
  const bool hover = TrackHover(window, message);
  if (look == PushLikeLook) {
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_SETTEXT ||
        message == WM_SETFONT || message == WM_UPDATEUISTATE) {
      RenderButtonFaces(window);
    }
    DrawPushLike(previous, window, StateOf(previous, window, hover));
  } else if (look != NotOurs) {
    DrawToggle(previous, window, look, StateOf(previous, window, hover));
  }
  return result;
}

// The group box draws itself at once on these; its whole look is drawn again instead.
LRESULT RepaintGroupBox(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return result;
}

LRESULT GroupBoxPaint(WNDPROC, HWND window, UINT, WPARAM, LPARAM) { return PaintGroupBox(window); }

bool ChangesTheLook(UINT message) {
  switch (message) {
    case WM_PAINT:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
      return true;
    default:
      return false;
  }
}

}  // namespace

SkinHandler ButtonFamily(HWND window, UINT message) {
  if (!ChangesTheLook(message)) return nullptr;
  const ButtonLook look = LookOf(window);
  if (look == NotOurs) return nullptr;
  if (look != GroupLook) return &DressToggle;
  if (message == WM_PAINT) return &GroupBoxPaint;
  if (message == WM_ENABLE || message == WM_SETTEXT || message == WM_SETFONT || message == WM_UPDATEUISTATE) {
    return &RepaintGroupBox;
  }
  return nullptr;
}

}  // namespace skin::standard
