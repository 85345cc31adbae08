// Combo boxes ("ComboBox" and the classes the skin was first made for) and drive lists: a
// list-style one keeps its own painting under the look's border and drop button, an editable one
// is painted whole behind its edit. The drop button follows the pointer over its zone.
#include "skin/controls/combo_box.h"

#include <windows.h>

#include "skin/controls/borders.h"
#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

constexpr LONG ComboHasNoEditBit = 0x1;   // CBS_SIMPLE and CBS_DROPDOWNLIST; clear for CBS_DROPDOWN
constexpr LONG ComboDropButtonBit = 0x2;  // clear for a simple combo box, which has no button
constexpr int DropZoneInset = 2;
// The system's themed combo box puts its drop button inside the classic edge, this wide.
constexpr int ThemedButtonInset = 2;

using controls::EnabledState;


bool HasEdit(HWND window) { return !(GetWindowLongA(window, GWL_STYLE) & ComboHasNoEditBit); }

// Where a click opens the list: the whole control of a list-style combo box or a drive list; only
// the drop button's zone, bounds included, of an editable one.
bool IsOverDropButton(HWND window, LPARAM point) {
  if (ClassifyWindow(window) == KindDriveList || !HasEdit(window)) return true;
  const int x = SignedLowWord(static_cast<int32_t>(point));
  const int y = SignedHighWord(static_cast<int32_t>(point));
  WindowBounds b;
  GetWindowBounds(window, &b);
  const int scrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  return b.Width - scrollWidth - DropZoneInset <= x && x <= b.Width - DropZoneInset &&
         DropZoneInset <= y && y <= b.Height - DropZoneInset;
}

void PaintButton(HWND window, int state) { PaintComboButton(window, nullptr, state, false); }

// The border and drop button over what a list-style combo box or drive list drew itself. The
// control fills its text field one pixel in: the ring left around it (the visual style's field
// under Wine) takes the content's window colour.
void PaintOver(HWND window) {
  const auto state = static_cast<int>(GetProperty(window, OldStateProperty));
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  DrawControlBorder(dc.get(), b.Width, b.Height, IsWindowEnabled(window) != FALSE);
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
LRESULT PaintEditable(HWND window) {
  const auto state = static_cast<int>(GetProperty(window, OldStateProperty));
  WindowBounds b;
  GetWindowBounds(window, &b);
  const PaintScope paint(window);
  look::DrawPart(look::PartComboBox, EnabledState(window), paint.dc(), {0, 0, b.Width, b.Height});
  PaintComboButton(window, paint.dc(), state, true);
  return 0;
}

LRESULT OnPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ClassifyWindow(window) == KindCombo && HasEdit(window)) return PaintEditable(window);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintOver(window);
  return result;
}

LRESULT OnMouseMove(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  controls::EnterOnce(window);
  const int holdOrHover = (wParam & MK_LBUTTON) ? StatePressed : StateHot;
  PaintButton(window, IsOverDropButton(window, lParam) ? holdOrHover : StateNormal);
  return result;
}

LRESULT OnMouseLeave(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  SetProperty(window, MouseFlagProperty, 0);
  PaintButton(window, StateNormal);
  return result;
}

LRESULT OnLButtonDown(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window) && IsOverDropButton(window, lParam)) PaintButton(window, StatePressed);
  return result;
}

LRESULT OnLButtonUp(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintButton(window, controls::IsUnderCursor(window) ? StateHot : StateNormal);
  return result;
}

// A combo box that moves draws its drop button at rest again.
LRESULT OnWindowPosChanging(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintComboButton(window, nullptr, StateNormal, false);
  return result;
}

SkinHandler HandlerFor(HWND, UINT message) {
  switch (message) {
    case WM_PAINT: return &OnPaint;
    case WM_MOUSEMOVE: return &OnMouseMove;
    case WM_MOUSELEAVE: return &OnMouseLeave;
    case WM_LBUTTONDOWN: return &OnLButtonDown;
    case WM_LBUTTONUP: return &OnLButtonUp;
    case WM_WINDOWPOSCHANGING: return &OnWindowPosChanging;
    default: return nullptr;
  }
}

void Take(HWND window) {
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, OldStateProperty, StateNormal);
}

void GiveBack(HWND window) {
  RemoveProperty(window, MouseFlagProperty);
  RemoveProperty(window, OldStateProperty);
}

}  // namespace

const controls::Room controls::ComboBoxRoom = {&Take, &GiveBack, &HandlerFor};

void PaintComboButton(HWND window, HDC dc, int state, bool force) {
  if (SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0)) state = StatePressed;
  if (!force && GetProperty(window, OldStateProperty) == state) return;
  if (!(GetWindowLongA(window, GWL_STYLE) & ComboDropButtonBit)) return;
  SetProperty(window, OldStateProperty, state);

  WindowBounds b;
  GetWindowBounds(window, &b);
  const bool themed = look::PlacesPartsAsThemedControls();
  const int inset = themed ? ThemedButtonInset : 1;
  const int width = GetSystemMetrics(SM_CXVSCROLL) + (themed ? 0 : 1);
  const int height = b.Height - 2 * inset;
  const ScopedSurface face(width, height);
  const auto shown = static_cast<look::PartState>(IsWindowEnabled(window) ? state : StateDisabled);
  look::DrawPart(look::PartComboDropButton, shown, face.get(), {0, 0, width, height});
  const DrawTarget target(window, dc);
  BitBlt(target.get(), b.Width - width - inset, inset, width, height, face.get(), 0, 0, SRCCOPY);
}

}  // namespace skin
