// "msctls_updown32": each arrow drawn as the combo box's drop button, white, lit under the
// pointer, pressed while held, in a frame of the border colour (a visual style's arrows carry
// their own edges).
#include <windows.h>

#include <commctrl.h>

#include "skin/gdi/guards.h"
#include "skin/controls/up_down.h"

#include "skin/controls/shared.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

using namespace controls;

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

void DrawHalf(HWND spin, HDC dc, int part, look::PartState state) {
  const look::Part arrow = IsAcross(spin) ? (part == 0 ? look::PartSpinLeft : look::PartSpinRight)
                                          : (part == 0 ? look::PartSpinDown : look::PartSpinUp);
  look::DrawPart(arrow, state, dc, HalfOf(spin, part));
}

LRESULT PaintSpin(WNDPROC, HWND spin, UINT, WPARAM, LPARAM) {
  RECT client = {};
  GetClientRect(spin, &client);
  const ScopedSurface surface(client.right, client.bottom);
  const int hot = HotPart(spin);
  const bool held = GetCapture() == spin && (GetKeyState(VK_LBUTTON) & 0x8000);
  for (int part = 0; part < 2; ++part) {
    look::PartState state = part == hot ? look::Hot : look::Normal;
    if (held && part == PartAt(spin, PointerIn(spin))) state = look::Pressed;
    DrawHalf(spin, surface.get(), part, IsEnabled(spin) ? state : look::Disabled);
  }
  // A visual style's arrows carry their own edges.
  if (!look::PlacesPartsAsThemedControls()) {
    look::DrawPart(look::PartControlBorder, EnabledState(spin), surface.get(), client);
  }
  const PaintScope paint(spin);
  BitBlt(paint.dc(), 0, 0, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT TrackArrows(WNDPROC previous, HWND spin, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, spin, message, wParam, lParam);
  if (DetachedMeanwhile(spin)) return result;
  FollowHotPart(spin, message, PartAt(spin, PointerIn(spin)));
  // Pressing and releasing change the look without moving the pointer.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) InvalidateRect(spin, nullptr, FALSE);
  return result;
}

SkinHandler HandlerFor(HWND, UINT message) {
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

}  // namespace

const controls::Room controls::UpDownRoom = {&controls::TakeHover, &controls::GiveBackHover, &HandlerFor};

}  // namespace skin
