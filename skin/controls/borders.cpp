// The borders of edit boxes and lists on a dressed thread, and the flat frames of the attached
// path's client edges, of combo boxes, lists, progress bars and rebars.
#include "skin/controls/borders.h"

#include <algorithm>

#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"

namespace skin {
namespace {

LRESULT PaintFrame(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window) && controls::HasAnyBorder(window)) DrawFlatFrame(window, look::PartContentBorder);
  return result;
}

void Nothing(HWND) {}

}  // namespace

SkinHandler FlatBorderHandlerFor(HWND, UINT message) { return message == WM_NCPAINT ? &PaintFrame : nullptr; }

const controls::Room controls::BordersRoom = {&Nothing, &Nothing, &FlatBorderHandlerFor};

int GetBorderInsets(HWND window, int* horizontal, int* vertical) {
  RECT outer = {};
  RECT client = {};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  int dx = (outer.right - outer.left) - client.right;
  int dy = (outer.bottom - outer.top) - client.bottom;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if (style & WS_VSCROLL) dx -= GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) dy -= GetSystemMetrics(SM_CYHSCROLL);
  *horizontal = RoundHalfEven(dx / 2.0);
  *vertical = RoundHalfEven(dy / 2.0);
  return 1;
}

void DrawControlBorder(HDC dc, int width, int height, bool enabled) {
  look::DrawPart(look::PartControlFrame, enabled ? look::Normal : look::Disabled, dc, {0, 0, width, height});
}

void DrawFlatFrame(HWND window, look::Part part) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(window, &bx, &by);
  const int frame = std::max(1, std::max(bx, by));
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  ExcludeClipRect(dc.get(), frame, frame, b.Width - frame, b.Height - frame);
  look::DrawPart(part, controls::EnabledState(window), dc.get(), {0, 0, b.Width, b.Height});
}

void FlattenClientEdge(HWND window) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(window, &bx, &by);
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc windowDc(window, BorrowedDc::Whole);
  const BorrowedDc clientDc(window, BorrowedDc::Client);
  look::DrawPart(look::PartControlBorder, controls::EnabledState(window), windowDc.get(), {0, 0, b.Width, b.Height});
  for (int d = 1; d <= bx; ++d) {
    FrameSolid(windowDc.get(), d, d, b.Width - 1 - d, b.Height - 1 - d, GetBkColor(clientDc.get()));
  }
}

LRESULT PaintBarFrame(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, bar, message, wParam, lParam);
  if (!DetachedMeanwhile(bar) && controls::HasAnyBorder(bar)) DrawFlatFrame(bar, look::PartBarBorder);
  return result;
}

}  // namespace skin
