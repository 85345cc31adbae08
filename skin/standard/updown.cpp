// "msctls_updown32": each arrow drawn as the combo box's drop button, white, lit under the
// pointer, pressed while held, in a frame of the border colour.
#include <windows.h>

#include <commctrl.h>

#include "skin/gdi/guards.h"
#include "skin/standard/standard.h"

namespace skin::standard {
namespace {

constexpr int ComboFaceWidth = 4;
constexpr int ComboFaceHeight = 18;
constexpr int ComboPressedFaceX = 4;
// The combo box's arrow: 7 pixels wide at its base, 4 rows to its point.
constexpr int ArrowBase = 7;
constexpr int ArrowRows = 4;
constexpr COLORREF ArrowColour = 0x005F5519;
constexpr COLORREF ArrowDisabledColour = 0x00ACA584;

enum Direction { Up, Down, Left, Right };

bool IsAcross(HWND spin) { return (GetWindowLongA(spin, GWL_STYLE) & UDS_HORZ) != 0; }

// The two halves: the one that counts down (left or bottom) first, as the part indexes.
RECT HalfOf(HWND spin, int part) {
  RECT client = {};
  GetClientRect(spin, &client);
  if (IsAcross(spin)) {
    const LONG middle = client.right / 2;
    return part == 0 ? RECT{0, 0, middle, client.bottom} : RECT{middle, 0, client.right, client.bottom};
  }
  const LONG middle = client.bottom / 2;
  return part == 0 ? RECT{0, middle, client.right, client.bottom} : RECT{0, 0, client.right, middle};
}

int PartAt(HWND spin, POINT point) {
  for (int part = 0; part < 2; ++part) {
    const RECT half = HalfOf(spin, part);
    if (PtInRect(&half, point)) return part;
  }
  return -1;
}

// The triangle row by row, 7, 5, 3 and 1 pixels, pointing the given way, centred in `place`.
void DrawArrow(HDC dc, const RECT& place, Direction direction, COLORREF colour) {
  const bool upright = direction == Up || direction == Down;
  const int across = upright ? ArrowBase : ArrowRows;
  const int along = upright ? ArrowRows : ArrowBase;
  const int x0 = place.left + RoundHalfEven((place.right - place.left - across) / 2.0);
  const int y0 = place.top + RoundHalfEven((place.bottom - place.top - along) / 2.0);
  for (int row = 0; row < ArrowRows; ++row) {
    const int line = direction == Down || direction == Right ? row : ArrowRows - 1 - row;
    const int length = ArrowBase - 2 * row;
    if (upright) {
      FillSolid(dc, x0 + row, y0 + line, length, 1, colour);
    } else {
      FillSolid(dc, x0 + line, y0 + row, 1, length, colour);
    }
  }
}

void DrawHalf(HWND spin, HDC dc, int part, int state) {
  const RECT half = HalfOf(spin, part);
  const int w = half.right - half.left;
  const int h = half.bottom - half.top;
  if (state == StateNormal) {
    FillSolid(dc, half.left, half.top, w, h, White);
  } else {
    BlitSliced(dc, half.left, half.top, w, h, SkinAtlas.ComboButtonParts,
               state == StatePressed ? ComboPressedFaceX : 0, 0, ComboFaceWidth, ComboFaceHeight, 2, 1, 1, 1);
  }
  const Direction direction = IsAcross(spin) ? (part == 0 ? Left : Right) : (part == 0 ? Down : Up);
  DrawArrow(dc, half, direction, IsEnabled(spin) ? ArrowColour : ArrowDisabledColour);
}

LRESULT PaintSpin(WNDPROC, HWND spin, UINT, WPARAM, LPARAM) {
  RECT client = {};
  GetClientRect(spin, &client);
  const ScopedSurface surface(client.right, client.bottom);
  const int hot = HotPart(spin);
  const bool held = GetCapture() == spin && (GetKeyState(VK_LBUTTON) & 0x8000);
  for (int part = 0; part < 2; ++part) {
    int state = part == hot ? StateHot : StateNormal;
    if (held && part == PartAt(spin, PointerIn(spin))) state = StatePressed;
    DrawHalf(spin, surface.get(), part, IsEnabled(spin) ? state : StateNormal);
  }
  FrameSolid(surface.get(), 0, 0, client.right, client.bottom, BorderColour(spin));
  const PaintScope paint(spin);
  BitBlt(paint.dc(), 0, 0, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT TrackArrows(WNDPROC previous, HWND spin, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(previous, spin, message, wParam, lParam);
  if (DetachedMeanwhile(spin)) return result;
  FollowHotPart(spin, message, PartAt(spin, PointerIn(spin)));
  // Pressing and releasing change the look without moving the pointer.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) InvalidateRect(spin, nullptr, FALSE);
  return result;
}

}  // namespace

SkinHandler UpDownFamily(HWND, UINT message) {
  switch (message) {
    case WM_PAINT:
      return &PaintSpin;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return &TrackArrows;
    default:
      return nullptr;
  }
}

}  // namespace skin::standard
