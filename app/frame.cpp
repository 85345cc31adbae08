#include "app/frame.h"

#include <iterator>
#include <string>

#include "app/layout.h"
#include "skin/gdi/guards.h"
#include "skin/skin.h"

namespace app {
namespace {

constexpr int TextColourSlot = 0;
// The caption's font as WM_SETFONT gave it; none means the default GUI font.
constexpr int FontSlot = sizeof(LONG_PTR);
// Space between the outline's left end and the caption, and on either side of the caption, in
// pixels at 96 dpi; both run across, so they grow with the screen's horizontal density.
constexpr int CaptionIndent = 8;
constexpr int CaptionPadding = 2;

std::wstring WindowCaption(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

COLORREF CaptionColour(HWND frame) {
  const auto stored = static_cast<COLORREF>(GetWindowLongPtrA(frame, TextColourSlot));
  // In high contrast the caption takes the system's colour with everything else.
  return stored == CLR_INVALID || skin::SkinStandsAside() ? GetSysColor(COLOR_BTNTEXT) : stored;
}

// The outline runs through the middle of the caption's line, as a group box's does.
void PaintFrame(HWND frame) {
  skin::PaintScope paint(frame);
  const HDC dc = paint.dc();
  const auto given = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(frame, FontSlot));
  skin::ScopedSelection font(dc, given ? given : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);

  RECT outline;
  GetClientRect(frame, &outline);
  outline.top += metrics.tmHeight / 2;
  DrawEdge(dc, &outline, EDGE_ETCHED, BF_RECT);

  const std::wstring caption = WindowCaption(frame);
  if (caption.empty()) return;
  const int padding = ScaleAcrossFromDesign(CaptionPadding);
  RECT text = {ScaleAcrossFromDesign(CaptionIndent), 0, 0, 0};
  DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  RECT band = {text.left - padding, 0, text.right + padding, metrics.tmHeight};
  FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, CaptionColour(frame));
  DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CALLBACK FrameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintFrame(frame);
      return 0;
    case WM_SETFONT:
      SetWindowLongPtrA(frame, FontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(frame, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(frame, FontSlot);
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageW(GetParent(frame), message, wParam, lParam);
    default:
      return DefWindowProcW(frame, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXW frame = {};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = &FrameWindowProc;
  frame.cbWndExtra = 2 * sizeof(LONG_PTR);
  frame.hInstance = instance;
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = FrameClassNameW;
  return RegisterClassExW(&frame) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateFrame(HWND parent, int id, const wchar_t* caption, const RECT& place, COLORREF textColour) {
  const HWND frame = CreateWindowExW(
      WS_EX_CONTROLPARENT, FrameClassNameW, caption, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
      place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (frame) SetWindowLongPtrA(frame, TextColourSlot, static_cast<LONG_PTR>(textColour));
  return frame;
}

}  // namespace app
