// WM_PAINT and WM_NCPAINT of every skinned kind: whether the control paints first, is skipped or
// paints alone, where the skin draws, and with which painter and state.
#include <windows.h>

#include <commctrl.h>

#include "skin/gdi/guards.h"
#include "skin/engine.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

constexpr LONG ComboHasNoEditBit = 0x1;  // CBS_SIMPLE and CBS_DROPDOWNLIST; clear for CBS_DROPDOWN

WindowBounds BoundsOf(HWND window) {
  WindowBounds bounds;
  GetWindowBounds(window, &bounds);
  return bounds;
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

look::PartState EnabledState(HWND window) { return IsEnabled(window) ? look::Normal : look::Disabled; }

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

// The control paints itself first; the skin draws over it unless the control's own procedure
// took the skin off meanwhile.
template <typename Painter>
LRESULT PaintOverPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          Painter paintOver) {
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) paintOver(window);
  return result;
}

float ProgressFraction(HWND bar) {
  return static_cast<float>(SendMessageA(bar, PBM_GETPOS, 0, 0)) / ProgressScale;
}

// round(fraction x extent) and round(extent - fraction x extent), computed in single precision.
int Scaled(float fraction, int extent) { return RoundHalfEven(fraction * static_cast<float>(extent)); }
int ScaledRest(float fraction, int extent) {
  return RoundHalfEven(static_cast<float>(extent) - fraction * static_cast<float>(extent));
}

// The face of the state last shown, opaque; a running fade ends here. A button without faces
// (they could not be made so far) gets them now, or paints itself. The button is known to be a
// push button and the opacity to be full, so neither is read back.
LRESULT PaintPushButton(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int state = ShownFaceState(window);
  HDC face = StateSurface(window, state);
  if (!face) {
    if (!MakeButtonFaces(window)) return CallPrevious(previous, window, message, wParam, lParam);
    OwnerDrawAgain(previous, window, FALSE);
    face = StateSurface(window, state);
  }
  StopFadeTimer(window);
  SetProperty(window, AlphaLevelProperty, OpaqueAlpha);
  const PaintScope paint(window);
  LayFace(window, paint.dc(), face, OpaqueAlpha);
  return 0;
}

// The border and drop button over what a list-style combo box or drive list drew itself. The
// control fills its text field one pixel in: the ring left around it (the visual style's field
// under Wine) takes the content's window colour.
void PaintOverComboBox(HWND window) {
  const auto state = static_cast<int>(GetProperty(window, OldStateProperty));
  const WindowBounds b = BoundsOf(window);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  DrawControlBorder(dc.get(), b.Width, b.Height, IsEnabled(window));
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (look::ContentColouredHere(window) && GetComboBoxInfo(window, &info) && !IsRectEmpty(&info.rcItem)) {
    RECT field = info.rcItem;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&field), 2);
    OffsetRect(&field, -b.Left, -b.Top);
    look::DrawPart(look::PartComboField, look::Normal, dc.get(), field);
  }
  PaintComboButton(window, dc.get(), state, true);
}

// An editable combo box is painted whole: its edit child paints itself.
LRESULT PaintEditableComboBox(HWND window) {
  const auto state = static_cast<int>(GetProperty(window, OldStateProperty));
  const WindowBounds b = BoundsOf(window);
  const PaintScope paint(window);
  look::DrawPart(look::PartComboBox, EnabledState(window), paint.dc(), {0, 0, b.Width, b.Height});
  PaintComboButton(window, paint.dc(), state, true);
  return 0;
}

LRESULT PaintProgressClient(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  RECT client = {};  // empty where the window has gone
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  const ScopedSurface surface(w, h);
  const float fraction = ProgressFraction(window);
  look::DrawPart(look::PartProgressBar, look::Normal, surface.get(), {0, 0, w, h});
  if (fraction != 0) {
    if (style & PBS_VERTICAL) {
      // The bar grows from the bottom; the two roundings are made independently.
      const int top = ScaledRest(fraction, h);
      look::DrawPart(look::PartProgressChunk, look::Normal, surface.get(), {0, top, w, top + Scaled(fraction, h)});
    } else {
      look::DrawPart(look::PartProgressChunk, look::Normal, surface.get(), {0, 0, Scaled(fraction, w), h});
    }
  }
  const PaintScope paint(window);
  BitBlt(paint.dc(), 0, 0, w, h, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT PaintHeader(HWND window) {
  const WindowBounds b = BoundsOf(window);
  const ScopedSurface surface(b.Width, b.Height);
  const HDC dc = surface.get();
  look::DrawPart(look::PartHeaderBackground, look::Normal, dc, {0, 0, b.Width, b.Height});
  const auto count = static_cast<int>(SendMessageA(window, HDM_GETITEMCOUNT, 0, 0));
  const intptr_t pressed = GetProperty(window, HdIndexProperty);
  const intptr_t hot = GetProperty(window, HmIndexProperty);
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    SendMessageA(window, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const look::PartState face = i == pressed ? look::Pressed : i == hot ? look::Hot : look::Normal;
    look::DrawPart(look::PartHeaderItem, face, dc, {item.left, 0, item.right, b.Height});
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look::PartTextColour(look::PartHeaderItem, face));
    DrawHeaderCaption(window, dc, i, {item.left, 0, item.right, item.bottom});
  }
  const PaintScope paint(window);
  BitBlt(paint.dc(), 0, 0, b.Width, b.Height, dc, 0, 0, SRCCOPY);
  return 0;
}

void PaintGridBorder(HWND window) {
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_BORDER)) return;
  const WindowBounds b = BoundsOf(window);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  look::DrawPart(look::PartControlBorder, EnabledState(window), dc.get(), {0, 0, b.Width, b.Height});
}

void PaintListBorder(HWND window) {
  const WindowBounds b = BoundsOf(window);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  DrawControlBorder(dc.get(), b.Width, b.Height, IsEnabled(window));
}

// The whole progress bar, frame and client area, in one copy: the ring, the white inside and,
// offset by the frame, the filled part.
LRESULT PaintProgressFrame(HWND window) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(window, &bx, &by);
  const WindowBounds b = BoundsOf(window);
  RECT client = {};  // empty where the window has gone
  GetClientRect(window, &client);
  const int w = client.right;
  const int h = client.bottom;
  const ScopedSurface surface(b.Width, b.Height);
  const float fraction = ProgressFraction(window);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  look::DrawPart(look::PartControlBorder, look::Normal, surface.get(), {0, 0, b.Width, b.Height});
  look::DrawPart(look::PartProgressBar, look::Normal, surface.get(), {1, 1, b.Width - 1, b.Height - 1});
  if (fraction != 0) {
    if (style & PBS_VERTICAL) {
      if (style & PBS_SMOOTH) look::DrawPart(look::PartProgressChunk, look::Normal, surface.get(), {bx, by, bx + w, by + h});
      // A vertical bar without PBS_SMOOTH gets its fill from WM_PAINT only.
      look::DrawPart(look::PartProgressBar, look::Normal, surface.get(), {bx, by, bx + w, by + ScaledRest(fraction, h)});
    } else {
      look::DrawPart(look::PartProgressChunk, look::Normal, surface.get(), {bx, by, bx + Scaled(fraction, w), by + h});
    }
  }
  const BorrowedDc dc(window, BorrowedDc::Whole);
  BitBlt(dc.get(), 0, 0, b.Width, b.Height, surface.get(), 0, 0, SRCCOPY);
  return 0;
}

// A sunken client edge repainted flat: the border colour outside, then rings of the client's
// background colour, as many as the frame is wide.
void FlattenClientEdge(HWND window) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(window, &bx, &by);
  const WindowBounds b = BoundsOf(window);
  const BorrowedDc windowDc(window, BorrowedDc::Whole);
  const BorrowedDc clientDc(window, BorrowedDc::Client);
  look::DrawPart(look::PartControlBorder, EnabledState(window), windowDc.get(), {0, 0, b.Width, b.Height});
  for (int d = 1; d <= bx; ++d) {
    FrameSolid(windowDc.get(), d, d, b.Width - 1 - d, b.Height - 1 - d, GetBkColor(clientDc.get()));
  }
}

}  // namespace

void DrawControlBorder(HDC dc, int width, int height, bool enabled) {
  look::DrawPart(look::PartControlFrame, enabled ? look::Normal : look::Disabled, dc, {0, 0, width, height});
}

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

LRESULT SkinOnPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (ClassifyWindow(window)) {
    case KindButton:
      if (IsPushButtonStyle(static_cast<LONG>(GetProperty(window, OldStyleProperty)))) {
        return PaintPushButton(previous, window, message, wParam, lParam);
      }
      break;
    case KindCombo:
      if (!(GetWindowLongA(window, GWL_STYLE) & ComboHasNoEditBit)) return PaintEditableComboBox(window);
      [[fallthrough]];
    case KindDriveList:
      return PaintOverPrevious(previous, window, message, wParam, lParam, &PaintOverComboBox);
    case KindCheck:
      return PaintOverPrevious(previous, window, message, wParam, lParam,
                               [](HWND w) { PaintCheckBox(w, StateNormal, true); });
    case KindOption:
      return PaintOverPrevious(previous, window, message, wParam, lParam,
                               [](HWND w) { PaintOptionButton(w, StateNormal, true); });
    case KindDataList:
    case KindDropList:
      return PaintOverPrevious(previous, window, message, wParam, lParam, &PaintListBorder);
    case KindProgress:
      return PaintProgressClient(window);
    case KindHeader:
      return PaintHeader(window);
    case KindGrid:
      return PaintOverPrevious(previous, window, message, wParam, lParam, &PaintGridBorder);
    default:
      break;
  }
  return CallPrevious(previous, window, message, wParam, lParam);
}

LRESULT SkinOnNcPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  if (kind == KindProgress) return PaintProgressFrame(window);
  if (kind == KindDataList || !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
    return CallPrevious(previous, window, message, wParam, lParam);
  }
  return PaintOverPrevious(previous, window, message, wParam, lParam, &FlattenClientEdge);
}

}  // namespace skin
