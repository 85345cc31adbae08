// Check boxes and option buttons. The control keeps its own behaviour and paints itself; the
// skin's square or circle goes over its box after every message on which it draws, and, for a
// push-like "Button" on a dressed thread, the push-button face of its state.
#include "skin/controls/check_box.h"

#include <windows.h>

#include "skin/controls/push_button.h"
#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

using controls::EnterOnce;
using controls::IsUnderCursor;

// The square's or circle's size: the visual style's where the look wears one, else the system's.
SIZE BoxSize(look::Part part) {
  const SIZE natural = look::PartNaturalSize(part);
  return natural.cx > 0 && natural.cy > 0 ? natural : CheckSize();
}

// Its top on the control's height: centred, rounded down where the parts go where the system's
// themed buttons put them, else to the nearer even half.
int BoxTop(int height, int box) {
  return look::PlacesPartsAsThemedControls() ? (height - box) / 2 : RoundHalfEven((height - box) / 2.0);
}

// A disabled control shows the pale look whatever the state.
look::PartState ToggleState(int state, int check, bool enabled) {
  look::PartState shown = static_cast<look::PartState>(enabled ? state : StateDisabled);
  if (check == BST_CHECKED) shown |= look::Checked;
  if (check == BST_INDETERMINATE) shown |= look::Mixed;
  return shown;
}

// Records the state about to be drawn; false when it is already shown and nothing is forced.
// A forced paint does not read the state it is about to replace.
bool TakeNewState(HWND window, int state, bool force) {
  if (!force && GetProperty(window, OldStateProperty) == state) return false;
  SetProperty(window, OldStateProperty, state);
  return true;
}

// The square or circle at the left, centred on the control's height.
int PaintToggle(HWND window, look::Part part, int state, bool force) {
  if (!TakeNewState(window, state, force)) return 0;
  WindowBounds b;
  GetWindowBounds(window, &b);
  const SIZE size = BoxSize(part);
  const int y = BoxTop(b.Height, size.cy);
  const auto check = static_cast<int>(SendMessageA(window, BM_GETCHECK, 0, 0));
  const DrawTarget target(window, nullptr);
  look::DrawPart(part, ToggleState(state, check, IsWindowEnabled(window) != FALSE), target.get(),
                 {0, y, size.cx, y + size.cy});
  return 1;
}

// ---------------------------------------------------------------- the kinds' check boxes

bool IsCheck(HWND window) { return ClassifyWindow(window) == KindCheck; }

int PaintKind(HWND window, bool check, int state, bool force) {
  return check ? PaintCheckBox(window, state, force) : PaintOptionButton(window, state, force);
}

// The toggle whose handler draws it, forced, once its own procedure has returned: the box the
// control draws meanwhile (on BM_SETSTATE, BM_SETCHECK) is covered then, and is not drawn over
// in between.
HWND ToggleDrawnAfter = nullptr;

LRESULT PassBeforeDrawing(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND outer = ToggleDrawnAfter;
  ToggleDrawnAfter = window;
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  ToggleDrawnAfter = outer;
  return result;
}

bool HoldsLeftButton(WPARAM wParam) { return (wParam & MK_LBUTTON) != 0; }

LRESULT OnPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool check = IsCheck(window);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintKind(window, check, StateNormal, true);
  return result;
}

LRESULT OnMouseMove(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool check = IsCheck(window);
  const LRESULT result = PassBeforeDrawing(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  EnterOnce(window);
  PaintKind(window, check, HoldsLeftButton(wParam) ? StatePressed : StateHot, true);
  return result;
}

LRESULT OnMouseLeave(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool check = IsCheck(window);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  SetProperty(window, MouseFlagProperty, 0);
  PaintKind(window, check, StateNormal, false);
  return result;
}

LRESULT OnPress(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool check = IsCheck(window);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || (message == WM_KEYDOWN && wParam != VK_SPACE)) return result;
  PaintKind(window, check, StatePressed, false);
  return result;
}

// A release draws the box once, in its normal look, after the control drew it.
LRESULT OnRelease(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool check = IsCheck(window);
  const bool drawn = message == WM_LBUTTONUP || wParam == VK_SPACE;
  const LRESULT result = drawn ? PassBeforeDrawing(previous, window, message, wParam, lParam)
                               : Pass(previous, window, message, wParam, lParam);
  if (!drawn || DetachedMeanwhile(window)) return result;
  PaintKind(window, check, StateNormal, true);
  return result;
}

LRESULT OnEnable(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool check = IsCheck(window);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintKind(window, check, StateNormal, true);
  return result;
}

// An option button shows its focus in its circle's place.
LRESULT OnFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window)) PaintOptionButton(window, StateNormal, true);
  return result;
}

// The control draws its box at once on these, where the mark or the pushed state changed: a click
// or the space bar on it, the group's automatic unchecking of the other option buttons, the
// program. Within its own release or move the handler draws the box afterwards; a mark set again
// to what it was is not drawn by the control. A new mark shows in the normal look, or pressed
// while the box is held.
LRESULT OnToggleChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == ToggleDrawnAfter) return Pass(previous, window, message, wParam, lParam);
  const bool check = IsCheck(window);
  const bool setsMark = message == BM_SETCHECK;
  const LRESULT markBefore = setsMark ? Pass(previous, window, BM_GETCHECK, 0, 0) : 0;
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (setsMark && Pass(previous, window, BM_GETCHECK, 0, 0) == markBefore) return result;
  const bool pressed = setsMark ? GetProperty(window, OldStateProperty) == StatePressed : wParam != 0;
  PaintKind(window, check, pressed ? StatePressed : StateNormal, true);
  return result;
}

SkinHandler KindHandlerFor(HWND window, UINT message) {
  switch (message) {
    case WM_PAINT: return &OnPaint;
    case WM_MOUSEMOVE: return &OnMouseMove;
    case WM_MOUSELEAVE: return &OnMouseLeave;
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN: return &OnPress;
    case WM_LBUTTONUP:
    case WM_KEYUP: return &OnRelease;
    case WM_ENABLE: return &OnEnable;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return ClassifyWindow(window) == KindOption ? &OnFocus : nullptr;
    case BM_SETCHECK:
    case BM_SETSTATE: return &OnToggleChange;
    default: return nullptr;
  }
}

void TakeKind(HWND window) {
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, OldStateProperty, StateNormal);
}

void GiveBackKind(HWND window) {
  RemoveProperty(window, MouseFlagProperty);
  RemoveProperty(window, OldStateProperty);
}

// ---------------------------------------------------------------- "Button" toggles, dressed

// What a "Button" shows besides its own painting: read once per message.
struct Toggle {
  LONG style;
  LRESULT state;  // BM_GETSTATE
  LRESULT check;  // BM_GETCHECK
  bool enabled;
  bool hover;
};

// The button's own procedure answers its state and mark: asked straight, the question does not
// pass the skin's procedure again.
Toggle ReadToggle(WNDPROC previous, HWND window, UINT message) {
  Toggle t = {};
  t.style = GetWindowLongA(window, GWL_STYLE);
  t.state = Pass(previous, window, BM_GETSTATE, 0, 0);
  t.check = Pass(previous, window, BM_GETCHECK, 0, 0);
  t.enabled = (t.style & WS_DISABLED) == 0;
  t.hover = controls::TrackHover(window, message);
  return t;
}

int LookOf(const Toggle& t) {
  if (t.state & BST_PUSHED) return StatePressed;
  return t.hover ? StateHot : StateNormal;
}

bool IsPushLike(LONG style) { return (style & BS_PUSHLIKE) != 0; }

bool IsRadio(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The square or circle on the side of the box the button draws (the right with BS_LEFTTEXT).
void DrawToggle(HWND window, const Toggle& t) {
  WindowBounds b;
  GetWindowBounds(window, &b);
  const look::Part part = IsRadio(t.style) ? look::PartRadioButton : look::PartCheckBox;
  const SIZE size = BoxSize(part);
  const int x = (t.style & BS_LEFTTEXT) ? b.Width - size.cx : 0;
  // Over the box the button drew itself, centred rounding down: drawn a row lower, the top line
  // of the button's own box would show above it.
  const int y = (b.Height - size.cy) / 2;
  const BorrowedDc dc(window, BorrowedDc::Whole);
  look::DrawPart(part,
                 ToggleState(LookOf(t), static_cast<int>(t.check), t.enabled), dc.get(),
                 {x, y, x + size.cx, y + size.cy});
}

// Pressed while checked, as a button held down.
void DrawPushLike(HWND window, const Toggle& t) {
  int state = t.check != BST_UNCHECKED ? StatePressed : LookOf(t);
  if (!t.enabled) state = StateDisabled;
  const HDC face = StateSurface(window, state);
  if (!face) return;
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  BitBlt(dc.get(), 0, 0, b.Width, b.Height, face, 0, 0, SRCCOPY);
}

bool ChangesTheFace(UINT message) {
  return message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_SETTEXT || message == WM_SETFONT ||
         message == WM_UPDATEUISTATE;
}

// After the button drew itself, directly or through WM_PAINT: the skin's part on top.
LRESULT DressToggle(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  const Toggle t = ReadToggle(previous, window, message);
  if (IsPushLike(t.style)) {
    if (ChangesTheFace(message)) RenderButtonFaces(window);
    DrawPushLike(window, t);
  } else {
    DrawToggle(window, t);
  }
  return result;
}

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

// The button's other messages go the push button's way.
SkinHandler ButtonHandlerFor(HWND window, UINT message) {
  return ChangesTheLook(message) ? &DressToggle : PushButtonHandlerFor(window, message);
}

}  // namespace

const controls::Room controls::CheckBoxRoom = {&TakeKind, &GiveBackKind, &KindHandlerFor};
const controls::Room controls::ToggleButtonRoom = {&TakeButton, &GiveBackButton, &ButtonHandlerFor};

int PaintCheckBox(HWND window, int state, bool force) { return PaintToggle(window, look::PartCheckBox, state, force); }

int PaintOptionButton(HWND window, int state, bool force) {
  return PaintToggle(window, look::PartRadioButton, state, force);
}

void DrawCheckSquare(HDC target, int x, int y, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  look::DrawPart(look::PartCheckBox, ToggleState(state, check, enabled), target, {x, y, x + size.cx, y + size.cy});
}

void DrawOptionCircle(HDC target, int x, int y, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  look::DrawPart(look::PartRadioButton, ToggleState(state, check, enabled), target, {x, y, x + size.cx, y + size.cy});
}

}  // namespace skin
