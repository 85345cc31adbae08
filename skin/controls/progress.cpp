// Progress bars, across or upright, filled from the left or the bottom. The bars the skin was
// first made for read their position against a scale of 30000 whatever range they have, and round
// the two ends of an upright fill each on its own, as they always have; "msctls_progress32" on a
// dressed thread is filled by its position within its own range. A marquee bar keeps its own
// animation.
#include "skin/controls/progress.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "skin/controls/borders.h"
#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

// A bar of the kinds' classes reads its position against this scale, whatever range it has.
constexpr float KindScale = 30000.0f;

// How the filled part's extent is rounded from the fraction.
enum class Rounding {
  Whole,         // the filled length, rounded; an upright fill reaches the bottom
  EachEnd,       // an upright fill's top and its height, each rounded on its own, in single precision
  FromTheStart,  // the frame's copy of an upright fill: from its rounded top to the bottom
};

int Round(float fraction, int extent) { return RoundHalfEven(fraction * static_cast<float>(extent)); }
int RoundRest(float fraction, int extent) {
  return RoundHalfEven(static_cast<float>(extent) - fraction * static_cast<float>(extent));
}

// The one painter of a progress bar: its trough over `bar` of `dc` and the part of the trough's
// content that `fraction` fills.
void PaintBar(HDC dc, const RECT& bar, bool upright, double fraction, Rounding rounding) {
  const look::PartState state = upright ? look::Vertical : look::Normal;
  look::DrawPart(look::PartProgressBar, state, dc, bar);
  if (fraction <= 0) return;
  const RECT margins = look::PartContentMargins(look::PartProgressBar, state);
  const RECT place = {bar.left + margins.left, bar.top + margins.top, bar.right - margins.right,
                      bar.bottom - margins.bottom};
  if (IsRectEmpty(&place)) return;
  const int w = place.right - place.left;
  const int h = place.bottom - place.top;
  RECT filled = place;
  const auto single = static_cast<float>(fraction);
  if (!upright) {
    filled.right = place.left + (rounding == Rounding::Whole ? RoundHalfEven(fraction * w) : Round(single, w));
  } else if (rounding == Rounding::Whole) {
    filled.top = place.bottom - RoundHalfEven(fraction * h);
  } else {
    filled.top = place.top + RoundRest(single, h);
    if (rounding == Rounding::EachEnd) {
      filled.bottom = filled.top + Round(single, h);
    } else {
      filled.top = std::max(filled.top, place.top);
    }
  }
  look::DrawPart(look::PartProgressChunk, state, dc, filled);
}

bool IsUpright(HWND bar) { return (GetWindowLongA(bar, GWL_STYLE) & PBS_VERTICAL) != 0; }

bool IsKindBar(HWND bar) { return ClassifyWindow(bar) == KindProgress; }

float KindFraction(HWND bar) { return static_cast<float>(SendMessageA(bar, PBM_GETPOS, 0, 0)) / KindScale; }

// The position within the range, from 0 to 1; none for an empty range.
double RangeFraction(HWND bar) {
  PBRANGE range = {};
  SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const auto position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  if (range.iHigh <= range.iLow) return 0;
  return std::min(1.0, std::max(0.0, static_cast<double>(position - range.iLow) / (range.iHigh - range.iLow)));
}

LRESULT OnPaint(WNDPROC, HWND bar, UINT, WPARAM, LPARAM) {
  RECT client = {};  // empty where the window has gone
  GetClientRect(bar, &client);
  const ScopedSurface surface(client.right, client.bottom);
  if (IsKindBar(bar)) {
    PaintBar(surface.get(), client, IsUpright(bar), KindFraction(bar), Rounding::EachEnd);
  } else {
    PaintBar(surface.get(), client, IsUpright(bar), RangeFraction(bar), Rounding::Whole);
  }
  const PaintScope paint(bar);
  BitBlt(paint.dc(), 0, 0, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

// The kinds' bar whole, frame and client area, in one copy: the border, the trough and, offset by
// the frame, the filled part. An upright bar without PBS_SMOOTH gets its fill from WM_PAINT only.
LRESULT OnKindNcPaint(WNDPROC, HWND bar, UINT, WPARAM, LPARAM) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(bar, &bx, &by);
  WindowBounds b;
  GetWindowBounds(bar, &b);
  RECT client = {};
  GetClientRect(bar, &client);
  const ScopedSurface surface(b.Width, b.Height);
  look::DrawPart(look::PartControlBorder, look::Normal, surface.get(), {0, 0, b.Width, b.Height});
  look::DrawPart(look::PartProgressBar, IsUpright(bar) ? look::Vertical : look::Normal, surface.get(),
                 {1, 1, b.Width - 1, b.Height - 1});
  const LONG style = GetWindowLongA(bar, GWL_STYLE);
  const bool filledHere = !(style & PBS_VERTICAL) || (style & PBS_SMOOTH);
  if (filledHere) {
    PaintBar(surface.get(), {bx, by, bx + client.right, by + client.bottom}, IsUpright(bar), KindFraction(bar),
             Rounding::FromTheStart);
  }
  const BorrowedDc dc(bar, BorrowedDc::Whole);
  BitBlt(dc.get(), 0, 0, b.Width, b.Height, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

SkinHandler HandlerFor(HWND bar, UINT message) {
  if (message != WM_PAINT && message != WM_NCPAINT) return nullptr;
  if (IsKindBar(bar)) return message == WM_PAINT ? &OnPaint : &OnKindNcPaint;
  if (GetWindowLongA(bar, GWL_STYLE) & PBS_MARQUEE) return nullptr;
  return message == WM_PAINT ? &OnPaint : &PaintBarFrame;
}

void Nothing(HWND) {}

}  // namespace

const controls::Room controls::ProgressRoom = {&Nothing, &Nothing, &HandlerFor};

}  // namespace skin
