// The state machine of the skinned controls: what the pointer, the left button, the space bar,
// the focus and enabling do to each kind's look. Every handler lets the control's own procedure
// handle the message first, then records the new state in the window's properties and redraws.
// Push buttons hand their new face to the fade; the others are painted at once.
#include <windows.h>

#include <commctrl.h>

#include "skin/engine.h"

namespace skin {
namespace {

constexpr intptr_t HoverFrameAlpha = 140;  // the one hot frame shown as the pointer leaves
constexpr intptr_t ReleaseAlpha = 60;      // the normal face fades in from here after a click
constexpr intptr_t NoItem = -1;
constexpr LONG ComboHasNoEditBit = 0x1;
constexpr int DropZoneInset = 2;

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

// The toggle whose handler draws it, forced, once its own procedure has returned: the box the
// control draws meanwhile (on BM_SETSTATE, BM_SETCHECK) is covered then, and is not drawn over
// in between.
HWND ToggleDrawnAfter = nullptr;

LRESULT CallPreviousBeforeDrawing(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
  const HWND outer = ToggleDrawnAfter;
  ToggleDrawnAfter = window;
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  ToggleDrawnAfter = outer;
  return result;
}

void Set(HWND window, const char* property, intptr_t value) { SetProperty(window, property, value); }
intptr_t Get(HWND window, const char* property) { return GetProperty(window, property); }

bool HoldsLeftButton(WPARAM wParam) { return (wParam & MK_LBUTTON) != 0; }

// Where the pointer cannot be read (a locked desktop), it counts as elsewhere.
bool IsUnderCursor(HWND window) {
  POINT cursor = {};
  return GetCursorPos(&cursor) && WindowFromPoint(cursor) == window;
}

// The first move after an entry asks for one WM_MOUSELEAVE. True when this move was the entry.
bool EnterOnce(HWND window) {
  if (Get(window, MouseFlagProperty) != 0) return false;
  Set(window, MouseFlagProperty, 1);
  RequestMouseLeave(window);
  return true;
}

// Push buttons: choose the face and the opacity it starts from, then blend or fade.
void FadeTo(HWND window, int state, intptr_t alpha) {
  Set(window, OldStateProperty, state);
  Set(window, AlphaLevelProperty, alpha);
  StartFadeTimer(window);
}

void ShowOpaque(HWND window) {
  StopFadeTimer(window);
  Set(window, AlphaLevelProperty, OpaqueAlpha);
  BlendStateFace(window, nullptr);
}

void PressButton(HWND window) {
  StopFadeTimer(window);
  Set(window, OldStateProperty, StatePressed);
  Set(window, AlphaLevelProperty, OpaqueAlpha);
  BlendStateFace(window, nullptr);
  Set(window, AlphaLevelProperty, 0);
}

void ButtonMouseMove(HWND window) {
  if (EnterOnce(window)) {
    FadeTo(window, StateHot, 0);
  } else if (!IsUnderCursor(window)) {
    // Dragged out while the button holds the capture: the current face, opaque.
    ShowOpaque(window);
  }
}

void ButtonMouseLeave(HWND window) {
  Set(window, MouseFlagProperty, 0);
  Set(window, OldStateProperty, StateHot);
  Set(window, AlphaLevelProperty, HoverFrameAlpha);
  BlendStateFace(window, nullptr);
  FadeTo(window, StateNormal, 0);
}

void ButtonRelease(HWND window, intptr_t fadeFrom) {
  Set(window, MouseFlagProperty, 0);
  FadeTo(window, StateNormal, fadeFrom);
}

// Check boxes and option buttons share their transitions; only the painter differs.
int PaintToggle(HWND window, WindowKind kind, int state, bool force) {
  return kind == KindCheck ? PaintCheckBox(window, state, force) : PaintOptionButton(window, state, force);
}

bool IsToggle(WindowKind kind) { return kind == KindCheck || kind == KindOption; }

bool IsComboLike(WindowKind kind) { return kind == KindCombo || kind == KindDriveList; }

// Where a click opens the list: the whole control of a list-style combo box or a drive list; only
// the drop button's zone, bounds included, of an editable one.
bool IsOverDropButton(HWND window, WindowKind kind, LPARAM point) {
  if (kind == KindDriveList || (GetWindowLongA(window, GWL_STYLE) & ComboHasNoEditBit)) return true;
  const int x = SignedLowWord(static_cast<int32_t>(point));
  const int y = SignedHighWord(static_cast<int32_t>(point));
  WindowBounds b;
  GetWindowBounds(window, &b);
  const int scrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  return b.Width - scrollWidth - DropZoneInset <= x && x <= b.Width - DropZoneInset &&
         DropZoneInset <= y && y <= b.Height - DropZoneInset;
}

void PaintCombo(HWND window, int state) { PaintComboButton(window, nullptr, state, false); }

// The header item whose left..right, bounds included, holds x; a shared edge hits the lower index.
intptr_t HeaderItemAt(HWND header, LPARAM point) {
  const auto count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  const int x = SignedLowWord(static_cast<int32_t>(point));
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    if (item.left <= x && x <= item.right) return i;
  }
  return NoItem;
}

void PaintItem(HWND header, intptr_t index, int state) {
  PaintHeaderItem(header, nullptr, static_cast<int>(index), state);
}

void PressHeaderItem(HWND header, LPARAM point) {
  if (SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) <= 0) return;
  const intptr_t hit = HeaderItemAt(header, point);
  Set(header, HdIndexProperty, hit);
  PaintItem(header, hit, StatePressed);
}

void TrackHeaderItem(HWND header, WPARAM wParam, LPARAM point) {
  const intptr_t hit = HeaderItemAt(header, point);
  const intptr_t hot = Get(header, HmIndexProperty);
  const intptr_t down = Get(header, HdIndexProperty);
  if (hot == hit) return;
  if (hot >= 0 && hot != down) PaintItem(header, hot, StateNormal);
  if (HoldsLeftButton(wParam)) {
    // While the button is held the hot item stays; only the pressed one shows when re-entered.
    if (down == hit) PaintItem(header, hit, StatePressed);
  } else {
    Set(header, HmIndexProperty, hit);
    PaintItem(header, hit, StateHot);
  }
}

void ReleaseHeaderItem(HWND header) {
  const intptr_t released = Get(header, HdIndexProperty);
  Set(header, HdIndexProperty, NoItem);
  if (released >= 0) PaintItem(header, released, IsUnderCursor(header) ? StateHot : StateNormal);
}

void LeaveHeader(HWND header) {
  const intptr_t hot = Get(header, HmIndexProperty);
  Set(header, MouseFlagProperty, 0);
  Set(header, HdIndexProperty, NoItem);
  Set(header, HmIndexProperty, NoItem);
  PaintItem(header, hot, StateNormal);
}

}  // namespace

LRESULT SkinOnMouseMove(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = IsToggle(kind) ? CallPreviousBeforeDrawing(previous, window, message, wParam, lParam)
                                        : CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  const int holdOrHover = HoldsLeftButton(wParam) ? StatePressed : StateHot;
  if (kind == KindButton) {
    ButtonMouseMove(window);
  } else if (IsComboLike(kind)) {
    EnterOnce(window);
    PaintCombo(window, IsOverDropButton(window, kind, lParam) ? holdOrHover : StateNormal);
  } else if (IsToggle(kind)) {
    EnterOnce(window);
    PaintToggle(window, kind, holdOrHover, true);
  } else if (kind == KindHeader) {
    EnterOnce(window);
    TrackHeaderItem(window, wParam, lParam);
  }
  return result;
}

LRESULT SkinOnMouseLeave(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    ButtonMouseLeave(window);
  } else if (IsComboLike(kind)) {
    Set(window, MouseFlagProperty, 0);
    PaintCombo(window, StateNormal);
  } else if (IsToggle(kind)) {
    Set(window, MouseFlagProperty, 0);
    PaintToggle(window, kind, StateNormal, false);
  } else if (kind == KindHeader) {
    LeaveHeader(window);
  }
  return result;
}

LRESULT SkinOnLButtonDown(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    PressButton(window);
  } else if (IsComboLike(kind)) {
    if (IsOverDropButton(window, kind, lParam)) PaintCombo(window, StatePressed);
  } else if (IsToggle(kind)) {
    PaintToggle(window, kind, StatePressed, false);
  } else if (kind == KindHeader) {
    PressHeaderItem(window, lParam);
  }
  return result;
}

LRESULT SkinOnLButtonDblClk(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    PressButton(window);
  } else if (kind == KindHeader) {
    PressHeaderItem(window, lParam);
  }
  return result;
}

LRESULT SkinOnLButtonUp(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = IsToggle(kind) ? CallPreviousBeforeDrawing(previous, window, message, wParam, lParam)
                                        : CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    ButtonRelease(window, ReleaseAlpha);
  } else if (IsComboLike(kind)) {
    PaintCombo(window, IsUnderCursor(window) ? StateHot : StateNormal);
  } else if (IsToggle(kind)) {
    PaintToggle(window, kind, StateNormal, true);
  } else if (kind == KindHeader) {
    ReleaseHeaderItem(window);
  }
  return result;
}

LRESULT SkinOnKeyDown(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (wParam != VK_SPACE || DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    PressButton(window);
  } else if (IsToggle(kind)) {
    PaintToggle(window, kind, StatePressed, false);
  }
  return result;
}

LRESULT SkinOnKeyUp(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = IsToggle(kind) && wParam == VK_SPACE
                             ? CallPreviousBeforeDrawing(previous, window, message, wParam, lParam)
                             : CallPrevious(previous, window, message, wParam, lParam);
  if (wParam != VK_SPACE || DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    ButtonRelease(window, 0);
  } else if (IsToggle(kind)) {
    PaintToggle(window, kind, StateNormal, true);
  }
  return result;
}

LRESULT SkinOnEnable(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    Set(window, OldStateProperty, wParam ? StateNormal : StateDisabled);
    BlendStateFace(window, nullptr);
  } else if (IsToggle(kind)) {
    PaintToggle(window, kind, StateNormal, true);
  }
  return result;
}

// Gaining and losing the focus do the same: the focus frame comes or goes with new faces.
LRESULT SkinOnSetFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WindowKind kind = ClassifyWindow(window);
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (kind == KindButton) {
    RenderButtonFaces(window);
    Set(window, AlphaLevelProperty, 0);
    StartFadeTimer(window);
  } else if (kind == KindOption) {
    PaintOptionButton(window, StateNormal, true);
  }
  return result;
}

LRESULT SkinOnKillFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinOnSetFocus(previous, window, message, wParam, lParam);
}

// The control draws its box at once on these, where the mark or the pushed state changed: a click
// or the space bar on it, the group's automatic unchecking of the other option buttons, the
// program. Within its own release or move the handler draws the box afterwards; a mark set again
// to what it was is not drawn by the control. A new mark shows in the normal look, or pressed
// while the box is held.
LRESULT SkinOnToggleChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == ToggleDrawnAfter) return CallPrevious(previous, window, message, wParam, lParam);
  const WindowKind kind = ClassifyWindow(window);
  if (!IsToggle(kind)) return CallPrevious(previous, window, message, wParam, lParam);
  const bool setsMark = message == BM_SETCHECK;
  const LRESULT markBefore = setsMark ? CallPrevious(previous, window, BM_GETCHECK, 0, 0) : 0;
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (setsMark && CallPrevious(previous, window, BM_GETCHECK, 0, 0) == markBefore) return result;
  const bool pressed = setsMark ? Get(window, OldStateProperty) == StatePressed : wParam != 0;
  PaintToggle(window, kind, pressed ? StatePressed : StateNormal, true);
  return result;
}

}  // namespace skin
