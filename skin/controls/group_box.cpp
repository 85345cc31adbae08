// A group box on a dressed thread: the frame in the border colour through the middle of the
// caption's line, the caption on a band of the background its parent gives, as Tavrin's frames
// draw theirs. Its other messages go the push button's way, as every "Button"'s do.
#include "skin/controls/group_box.h"

#include <windows.h>

#include "skin/controls/push_button.h"
#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

constexpr int DesignDpi = 96;
// The system's themed group box draws its frame this far above the middle of the caption's line.
constexpr int ThemedFrameRaise = 1;

LRESULT Paint(WNDPROC, HWND window, UINT, WPARAM, LPARAM) {
  const PaintScope paint(window);
  const HDC dc = paint.dc();
  const HBRUSH brush = controls::ParentBackground(window, dc);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  const ScopedSelection selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  RECT client = {};
  GetClientRect(window, &client);
  const int top = metrics.tmHeight / 2 - (look::PlacesPartsAsThemedControls() ? ThemedFrameRaise : 0);
  const look::PartState state = controls::EnabledState(window);
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

// The group box draws itself at once on these; its whole look is drawn again instead.
LRESULT Repaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return result;
}

SkinHandler HandlerFor(HWND window, UINT message) {
  switch (message) {
    case WM_PAINT:
      return &Paint;
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
      return &Repaint;
    // Messages on which a toggle would be drawn again: a group box has nothing to show then.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
      return nullptr;
    default:
      return PushButtonHandlerFor(window, message);
  }
}

}  // namespace

const controls::Room controls::GroupBoxRoom = {&TakeButton, &GiveBackButton, &HandlerFor};

}  // namespace skin
