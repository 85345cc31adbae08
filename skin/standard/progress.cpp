// "msctls_progress32", across or upright: a white trough filled in the skin's colour by the
// bar's position within its own range, inside the one-pixel skin border. A marquee bar keeps its
// own animation.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/gdi/guards.h"
#include "skin/standard/standard.h"

namespace skin::standard {
namespace {

// The filled part of `extent`, by the position within the range, rounded; none for an empty range.
int FilledPart(HWND bar, int extent) {
  PBRANGE range = {};
  SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const auto position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  if (range.iHigh <= range.iLow) return 0;
  const double share = static_cast<double>(position - range.iLow) / (range.iHigh - range.iLow);
  return RoundHalfEven(std::min(1.0, std::max(0.0, share)) * extent);
}

LRESULT PaintBar(WNDPROC, HWND bar, UINT, WPARAM, LPARAM) {
  RECT client = {};
  GetClientRect(bar, &client);
  const int w = client.right;
  const int h = client.bottom;
  const ScopedSurface surface(w, h);
  look::DrawPart(look::PartProgressBar, look::Normal, surface.get(), {0, 0, w, h});
  if (GetWindowLongA(bar, GWL_STYLE) & PBS_VERTICAL) {
    const int filled = FilledPart(bar, h);
    look::DrawPart(look::PartProgressChunk, look::Normal, surface.get(), {0, h - filled, w, h});
  } else {
    look::DrawPart(look::PartProgressChunk, look::Normal, surface.get(), {0, 0, FilledPart(bar, w), h});
  }
  const PaintScope paint(bar);
  BitBlt(paint.dc(), 0, 0, w, h, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

}  // namespace

SkinHandler ProgressFamily(HWND bar, UINT message) {
  if (GetWindowLongA(bar, GWL_STYLE) & PBS_MARQUEE) return nullptr;
  if (message == WM_PAINT) return &PaintBar;
  if (message == WM_NCPAINT) return &PaintBarFrame;
  return nullptr;
}

}  // namespace skin::standard
