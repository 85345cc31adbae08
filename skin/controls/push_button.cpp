// The push button: its faces, outline and fade, the transitions of the pointer, the space bar,
// the focus and enabling, and the behaviour it keeps of its own although the skin makes it
// owner-drawn (the dialog manager still sees its push-button type, its parent is never asked to
// draw it, a new caption, font or image shows on its faces).
#include "skin/controls/push_button.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

using controls::EnterOnce;
using controls::IsUnderCursor;

constexpr int RoundCorner = 3;
constexpr intptr_t HoverFrameAlpha = 140;  // the one hot frame shown as the pointer leaves
constexpr intptr_t ReleaseAlpha = 60;      // the normal face fades in from here after a click

LONG OldStyle(HWND window) { return static_cast<LONG>(GetProperty(window, OldStyleProperty)); }

// A push button the skin made owner-drawn: it has its faces, and its type was a push type.
bool IsPaintedPushButton(HWND window) {
  return ClassifyWindow(window) == KindButton && IsPushButtonStyle(OldStyle(window)) &&
         StateSurface(window, StateNormal) != nullptr;
}

// ---------------------------------------------------------------- faces

// Four new face bitmaps of the given size, made together or not at all (the GDI table may be
// full).
bool CreateFaceBitmaps(HDC reference, const WindowBounds& b, HBITMAP (&bitmaps)[VisualStateCount]) {
  bool made = true;
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    bitmaps[state] = made ? CreateCompatibleBitmap(reference, b.Width, b.Height) : nullptr;
    made = made && bitmaps[state];
  }
  if (!made) {
    for (HBITMAP bitmap : bitmaps) {
      if (bitmap) DeleteObject(bitmap);
    }
  }
  return made;
}

// Four face surfaces as large as the whole window, made together or not at all. True when they
// were made; the properties are set only then.
bool CreateButtonFaces(HWND window, HDC reference, const WindowBounds& b) {
  HDC surfaces[VisualStateCount] = {};
  HBITMAP bitmaps[VisualStateCount] = {};
  bool made = true;
  for (HDC& surface : surfaces) {
    surface = made ? CreateCompatibleDC(reference) : nullptr;
    made = made && surface;
  }
  made = made && CreateFaceBitmaps(reference, b, bitmaps);
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    if (!made) {
      if (surfaces[state]) DeleteDC(surfaces[state]);
      continue;
    }
    SelectObject(surfaces[state], bitmaps[state]);
    SetProperty(window, StateSurfaceProperty(state).c_str(), reinterpret_cast<intptr_t>(surfaces[state]));
    SetProperty(window, StateBitmapProperty(state).c_str(), reinterpret_cast<intptr_t>(bitmaps[state]));
  }
  return made;
}

// The picture of a BS_ICON or BS_BITMAP button, drawn instead of its caption as the button itself
// does.
struct ButtonImage {
  HANDLE handle;
  UINT type;  // DST_ICON or DST_BITMAP
  int width;
  int height;
};

ButtonImage ImageOf(HWND window, LONG style) {
  ButtonImage image = {};
  if (style & BS_ICON) {
    image.handle = reinterpret_cast<HANDLE>(SendMessageW(window, BM_GETIMAGE, IMAGE_ICON, 0));
    image.type = DST_ICON;
    ICONINFO info = {};
    BITMAP mask = {};
    if (image.handle && GetIconInfo(reinterpret_cast<HICON>(image.handle), &info)) {
      GetObjectW(info.hbmMask, sizeof mask, &mask);
      image.width = mask.bmWidth;
      // A monochrome icon keeps its AND and XOR masks one above the other.
      image.height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
      if (info.hbmColor) DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
    }
  } else if (style & BS_BITMAP) {
    image.handle = reinterpret_cast<HANDLE>(SendMessageW(window, BM_GETIMAGE, IMAGE_BITMAP, 0));
    image.type = DST_BITMAP;
    BITMAP bitmap = {};
    if (image.handle && GetObjectW(image.handle, sizeof bitmap, &bitmap)) {
      image.width = bitmap.bmWidth;
      image.height = bitmap.bmHeight;
    }
  }
  return image;
}

int Centre(int outer, int inner) { return RoundHalfEven((outer - inner) / 2.0); }

void DrawImage(HDC surface, const ButtonImage& image, const WindowBounds& b, bool disabled) {
  DrawStateW(surface, nullptr, nullptr, reinterpret_cast<LPARAM>(image.handle), 0,
             Centre(b.Width, image.width), Centre(b.Height, image.height), image.width,
             image.height, image.type | (disabled ? DSS_DISABLED : 0));
}

// A BS_MULTILINE caption wraps at the face's width and stands centred as a block.
void DrawWrapped(HDC surface, const std::wstring& caption, int x, int y, int width, int height) {
  constexpr UINT Wrapped = DT_CENTER | DT_WORDBREAK;
  RECT measured = {0, 0, width, 0};
  DrawTextW(surface, caption.c_str(), -1, &measured, Wrapped | DT_CALCRECT);
  const int top = y + std::max(0, Centre(height, static_cast<int>(measured.bottom)));
  DrawTextIn(surface, caption, x, top, width, height - (top - y), Wrapped);
}

// What a face shows besides the look's part: the caption or the image, and the focus frame.
struct FaceContent {
  WindowBounds bounds;
  std::wstring caption;
  HFONT font;
  bool focused;
  bool defaulted;  // the dialog's default button: its face at rest says so where the look has one
  LONG style;
  ButtonImage image;
};

void RenderFace(HDC surface, const FaceContent& c, int state) {
  const WindowBounds& b = c.bounds;
  ScopedSelection selected(surface, c.font);
  SetBkMode(surface, TRANSPARENT);
  const auto partState = static_cast<look::PartState>(state) | (c.defaulted ? look::Defaulted : 0);
  look::DrawPart(look::PartPushButton, partState, surface, {0, 0, b.Width, b.Height});
  SetTextColor(surface, look::PartTextColour(look::PartPushButton, partState));
  const RECT margins = look::PartContentMargins(look::PartPushButton);
  const int inset = margins.left;
  const int width = b.Width - margins.left - margins.right;
  const int height = b.Height - margins.top - margins.bottom;
  if (c.image.handle) {
    DrawImage(surface, c.image, b, state == StateDisabled);
  } else if (c.style & BS_MULTILINE) {
    DrawWrapped(surface, c.caption, inset, inset, width, height);
  } else {
    DrawTextIn(surface, c.caption, inset, inset, width, height, CaptionFormat);
  }
  if (c.focused) DrawFocusBox(surface, inset, inset, width, height);
}

// ---------------------------------------------------------------- fade

// The face of the state shown blended at `alpha`, the opacity already read: each property read is
// a request to the window server, and a fade tick reads only what it needs, once. A disabled
// window's state is known without reading it back.
LRESULT BlendStateFaceAt(HWND window, HDC dc, intptr_t alpha) {
  const bool enabled = IsWindowEnabled(window) != FALSE;
  if (!enabled) SetProperty(window, OldStateProperty, StateDisabled);
  if (!IsPushButtonStyle(OldStyle(window))) return 0;
  const int state = enabled ? static_cast<int>(GetProperty(window, OldStateProperty)) : StateDisabled;
  LayFace(window, dc, StateSurface(window, state), alpha);
  return 0;
}

// The state whose face a push button shows: "OLDSTATE", or StateDisabled, recorded, while the
// window is disabled.
int ShownFaceState(HWND window) {
  if (IsWindowEnabled(window)) return static_cast<int>(GetProperty(window, OldStateProperty));
  SetProperty(window, OldStateProperty, StateDisabled);
  return StateDisabled;
}

// Chooses the face and the opacity it starts from, then fades.
void FadeTo(HWND window, int state, intptr_t alpha) {
  SetProperty(window, OldStateProperty, state);
  SetProperty(window, AlphaLevelProperty, alpha);
  StartFadeTimer(window);
}

void ShowOpaque(HWND window) {
  StopFadeTimer(window);
  SetProperty(window, AlphaLevelProperty, OpaqueAlpha);
  BlendStateFace(window, nullptr);
}

void Press(HWND window) {
  StopFadeTimer(window);
  SetProperty(window, OldStateProperty, StatePressed);
  SetProperty(window, AlphaLevelProperty, OpaqueAlpha);
  BlendStateFace(window, nullptr);
  SetProperty(window, AlphaLevelProperty, 0);
}

void Release(HWND window, intptr_t fadeFrom) {
  SetProperty(window, MouseFlagProperty, 0);
  FadeTo(window, StateNormal, fadeFrom);
}

// ---------------------------------------------------------------- handlers

// The face of the state last shown, opaque; a running fade ends here. A button without faces
// (they could not be made so far) gets them now, or paints itself. The button is known to be a
// push button and the opacity to be full, so neither is read back.
LRESULT OnPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int state = ShownFaceState(window);
  HDC face = StateSurface(window, state);
  if (!face) {
    if (!MakeButtonFaces(window)) return Pass(previous, window, message, wParam, lParam);
    OwnerDrawAgain(previous, window, FALSE);
    face = StateSurface(window, state);
  }
  StopFadeTimer(window);
  SetProperty(window, AlphaLevelProperty, OpaqueAlpha);
  const PaintScope paint(window);
  LayFace(window, paint.dc(), face, OpaqueAlpha);
  return 0;
}

// One fade step per tick, then the message goes on to the previous procedure.
LRESULT OnTimer(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const intptr_t alpha = GetProperty(window, AlphaLevelProperty);
  BlendStateFaceAt(window, nullptr, alpha);
  const intptr_t next = alpha + FadeStep;
  if (next > OpaqueAlpha) {
    StopFadeTimer(window);
    SetProperty(window, AlphaLevelProperty, 0);
  } else {
    SetProperty(window, AlphaLevelProperty, next);
  }
  return Pass(previous, window, message, wParam, lParam);
}

// The first move in fades the hot face in; dragged out while the button holds the capture, the
// face shown stays, opaque.
LRESULT OnMouseMove(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (EnterOnce(window)) {
    FadeTo(window, StateHot, 0);
  } else if (!IsUnderCursor(window)) {
    ShowOpaque(window);
  }
  return result;
}

// The hot face once more, a little transparent, then the normal face fades in.
LRESULT OnMouseLeave(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, OldStateProperty, StateHot);
  SetProperty(window, AlphaLevelProperty, HoverFrameAlpha);
  BlendStateFace(window, nullptr);
  FadeTo(window, StateNormal, 0);
  return result;
}

LRESULT OnPress(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || (message == WM_KEYDOWN && wParam != VK_SPACE)) return result;
  Press(window);
  return result;
}

LRESULT OnRelease(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || (message == WM_KEYUP && wParam != VK_SPACE)) return result;
  Release(window, message == WM_LBUTTONUP ? ReleaseAlpha : 0);
  return result;
}

LRESULT OnEnable(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  SetProperty(window, OldStateProperty, wParam ? StateNormal : StateDisabled);
  BlendStateFace(window, nullptr);
  return result;
}

// Gaining and losing the focus do the same: the focus frame comes or goes with new faces.
LRESULT OnFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  RenderButtonFaces(window);
  SetProperty(window, AlphaLevelProperty, 0);
  StartFadeTimer(window);
  return result;
}

// New faces of the new size, rendered again, and a new outline. When the four new bitmaps cannot
// all be made (the GDI table is full), the old faces, now of the wrong size, go and the button
// paints itself until a later paint or resize can make them.
LRESULT OnSize(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || !WantsFaces(window)) return result;
  if (!ResizeButtonFaces(window)) {
    if (StateSurface(window, StateNormal)) {
      ReleaseButtonFaces(window);
      LetButtonPaintItself(previous, window);
    } else if (MakeButtonFaces(window)) {
      OwnerDrawAgain(previous, window, TRUE);
    }
  }
  WindowBounds b;
  GetWindowBounds(window, &b);
  SetButtonOutline(window, b);
  return result;
}

// An owner-drawn button answers only DLGC_BUTTON; the dialog manager picks the default button
// and the one Enter presses by these codes.
LRESULT OnGetDlgCode(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || !IsPaintedPushButton(window)) return result;
  const bool isDefault = (OldStyle(window) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return result | DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// On the dressed thread, makes or releases a button's faces and outline as its type now asks.
void FitFacesToType(HWND button) {
  if (!OnDressedThread(button)) return;
  const bool held = StateSurface(button, StateNormal) != nullptr;
  if (WantsFaces(button)) {
    if (held || !MakeButtonFaces(button)) return;
    WindowBounds b;
    GetWindowBounds(button, &b);
    SetButtonOutline(button, b);
  } else if (held) {
    StopFadeTimer(button);
    ReleaseButtonFaces(button);
    SetWindowRgn(button, nullptr, TRUE);
  }
}

// The dialog manager moves the default between push buttons with BM_SETSTYLE: the new type is
// recorded, and a push button stays owner-drawn. Another type takes the button out of the skin's
// painting. On the dressed thread a button that becomes a push button gets its faces first, and
// one that no longer shows a face gives them back.
LRESULT OnSetStyle(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LONG requested = static_cast<LONG>(wParam) & BS_TYPEMASK;
  SetProperty(window, OldStyleProperty, (OldStyle(window) & ~BS_TYPEMASK) | requested);
  if (IsPushButtonStyle(requested)) FitFacesToType(window);
  WPARAM style = wParam;
  if (IsPaintedPushButton(window)) style = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
  const LRESULT result = Pass(previous, window, message, style, lParam);
  if (DetachedMeanwhile(window)) return result;
  FitFacesToType(window);
  // The default moved to or from it: its face at rest shows it.
  if (IsPaintedPushButton(window)) RenderButtonFaces(window);
  return result;
}

// The face covers the whole button, opaque: the background an owner-drawn button erases (its
// parent asked for WM_CTLCOLORBTN, the client filled) would only be painted over.
LRESULT OnEraseBackground(WNDPROC, HWND, UINT, WPARAM, LPARAM) { return TRUE; }

// WM_SETTEXT, WM_SETFONT, BM_SETIMAGE: the faces are rendered again with what changed.
LRESULT OnLookChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window) || !IsPaintedPushButton(window)) return result;
  RenderButtonFaces(window);
  InvalidateRect(window, nullptr, FALSE);
  return result;
}

// The skin makes a push button owner-drawn only while it has its faces, so the style tells
// without reading them.
bool IsOwnerDrawnPushButton(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW && IsPushButtonStyle(OldStyle(window));
}

}  // namespace

SkinHandler PushButtonHandlerFor(HWND window, UINT message) {
  switch (message) {
    case WM_PAINT: return IsPushButtonStyle(OldStyle(window)) ? &OnPaint : nullptr;
    case WM_TIMER: return &OnTimer;
    case WM_MOUSEMOVE: return &OnMouseMove;
    case WM_MOUSELEAVE: return &OnMouseLeave;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN: return &OnPress;
    case WM_LBUTTONUP:
    case WM_KEYUP: return &OnRelease;
    case WM_ENABLE: return &OnEnable;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return &OnFocus;
    case WM_SIZE: return &OnSize;
    case WM_GETDLGCODE: return &OnGetDlgCode;
    case BM_SETSTYLE: return &OnSetStyle;
    case WM_ERASEBKGND: return IsOwnerDrawnPushButton(window) ? &OnEraseBackground : nullptr;
    case WM_SETTEXT:
    case WM_SETFONT:
    case BM_SETIMAGE: return &OnLookChange;
    default: return nullptr;
  }
}

// The faces, rendered (when they can be made: the button keeps its own painting until they can);
// the state properties; the rounded outline. Push buttons become owner-drawn once they have faces.
void TakeButton(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  SetProperty(window, OldStyleProperty, style);
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, TimerIdProperty, 0);
  SetProperty(window, OldStateProperty, IsWindowEnabled(window) ? StateNormal : StateDisabled);
  SetProperty(window, AlphaLevelProperty, 0);
  if (!WantsFaces(window)) return;
  // In high contrast the button keeps its own look until the skin draws again.
  if (MakeButtonFaces(window) && IsPushButtonStyle(style) && !StandingAside) {
    SendMessageA(window, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
  }
  if (StandingAside) return;
  WindowBounds b;
  GetWindowBounds(window, &b);
  SetButtonOutline(window, b);
}

// Gives back what TakeButton took. Only the button-type bits of the style are restored: the rest
// (visible, enabled, ...) may have changed while the skin was on and stays as it is now.
void GiveBackButton(HWND window) {
  ReleaseButtonFaces(window);
  // By its id: "TIMERID" may no longer name a fade that still runs.
  KillTimer(window, FadeTimerId);
  const LONG current = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, (current & ~BS_TYPEMASK) | (OldStyle(window) & BS_TYPEMASK));
  for (const char* name : {OldStyleProperty, MouseFlagProperty, TimerIdProperty, OldStateProperty,
                           AlphaLevelProperty}) {
    RemoveProperty(window, name);
  }
  SetWindowRgn(window, nullptr, TRUE);
}

const controls::Room controls::PushButtonRoom = {&TakeButton, &GiveBackButton, &PushButtonHandlerFor};

// Only the push-button types: a radio button (type 9 has bits 1 and 2 clear as well) owner-drawn
// would lose its automatic check, and every other type keeps its own painting.
bool IsPushButtonStyle(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON;
}

std::string StateSurfaceProperty(int state) { return std::to_string(state) + "HDC"; }

std::string StateBitmapProperty(int state) { return std::to_string(state) + "BMP"; }

HDC StateSurface(HWND window, int state) {
  return reinterpret_cast<HDC>(GetProperty(window, StateSurfaceProperty(state).c_str()));
}

void RenderButtonFaces(HWND window) {
  FaceContent content = {};
  GetWindowBounds(window, &content.bounds);
  content.caption = WindowText(window);
  content.font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  content.focused = GetFocus() == window;
  content.defaulted = (OldStyle(window) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  content.style = GetWindowLongA(window, GWL_STYLE);
  content.image = ImageOf(window, content.style);
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    RenderFace(StateSurface(window, state), content, state);
  }
}

bool WantsFaces(HWND button) {
  if (!OnDressedThread(button)) return true;
  const LONG type = OldStyle(button) & BS_TYPEMASK;
  if (IsPushButtonStyle(type)) return true;
  return (GetWindowLongA(button, GWL_STYLE) & BS_PUSHLIKE) && controls::IsToggleType(type);
}

bool MakeButtonFaces(HWND window) {
  WindowBounds b;
  const BorrowedDc dc(window, BorrowedDc::Whole);
  GetWindowBounds(window, &b);
  if (!CreateButtonFaces(window, dc.get(), b)) return false;
  RenderButtonFaces(window);
  return true;
}

bool ResizeButtonFaces(HWND window) {
  WindowBounds b;
  HBITMAP bitmaps[VisualStateCount] = {};
  {
    const BorrowedDc dc(window, BorrowedDc::Whole);
    GetWindowBounds(window, &b);
    if (!StateSurface(window, StateNormal) || !CreateFaceBitmaps(dc.get(), b, bitmaps)) return false;
  }
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    DeleteObject(SelectObject(StateSurface(window, state), bitmaps[state]));
    SetProperty(window, StateBitmapProperty(state).c_str(), reinterpret_cast<intptr_t>(bitmaps[state]));
  }
  RenderButtonFaces(window);
  return true;
}

void ReleaseButtonFaces(HWND window) {
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    const std::string surface = StateSurfaceProperty(state);
    const std::string bitmap = StateBitmapProperty(state);
    DeleteDC(reinterpret_cast<HDC>(GetProperty(window, surface.c_str())));
    DeleteObject(reinterpret_cast<HGDIOBJ>(GetProperty(window, bitmap.c_str())));
    RemoveProperty(window, surface.c_str());
    RemoveProperty(window, bitmap.c_str());
  }
}

void SetButtonOutline(HWND window, const WindowBounds& b) {
  // Right and bottom bounds of the region are exclusive, hence the + 1.
  SetWindowRgn(window, CreateRoundRectRgn(0, 0, b.Width + 1, b.Height + 1, RoundCorner, RoundCorner), TRUE);
}

void LetButtonPaintItself(WNDPROC previous, HWND window) {
  if (!IsPushButtonStyle(OldStyle(window))) return;
  Pass(previous, window, BM_SETSTYLE, static_cast<WPARAM>(OldStyle(window) & BS_TYPEMASK), TRUE);
}

void OwnerDrawAgain(WNDPROC previous, HWND window, BOOL redraw) {
  if (!IsPushButtonStyle(OldStyle(window))) return;
  Pass(previous, window, BM_SETSTYLE, BS_OWNERDRAW, redraw);
}

void LayFace(HWND window, HDC dc, HDC face, intptr_t alpha) {
  WindowBounds b;
  GetWindowBounds(window, &b);
  BLENDFUNCTION blend = {};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha);
  const DrawTarget target(window, dc);
  AlphaBlend(target.get(), 0, 0, b.Width, b.Height, face, 0, 0, b.Width, b.Height, blend);
}

LRESULT BlendStateFace(HWND window, HDC dc) {
  return BlendStateFaceAt(window, dc, GetProperty(window, AlphaLevelProperty));
}

UINT_PTR StartFadeTimer(HWND window) {
  if (GetProperty(window, TimerIdProperty) != 0) return 0;
  const UINT_PTR timer = SetTimer(window, FadeTimerId, FadePeriodMs, nullptr);
  SetProperty(window, TimerIdProperty, static_cast<intptr_t>(timer));
  return timer;
}

BOOL StopFadeTimer(HWND window) {
  const auto timer = static_cast<UINT_PTR>(GetProperty(window, TimerIdProperty));
  if (timer == 0) return 0;
  const BOOL killed = KillTimer(window, timer);
  SetProperty(window, TimerIdProperty, 0);
  return killed;
}

// The button paints itself while the skin is aside; a fade that ran would only keep waking it.
void StepButtonAside(HWND button) {
  StopFadeTimer(button);
  LetButtonPaintItself(reinterpret_cast<WNDPROC>(GetProperty(button, ProcAddrProperty)), button);
  SetWindowRgn(button, nullptr, FALSE);
}

// While aside the dialog manager may have moved the default between push buttons, and the
// button may have been resized: its type is taken as it is now, its faces made at its size.
void StepButtonBack(HWND button) {
  const LONG recorded = OldStyle(button);
  const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
  if (IsPushButtonStyle(recorded) && IsPushButtonStyle(type)) {
    SetProperty(button, OldStyleProperty, (recorded & ~BS_TYPEMASK) | type);
  }
  SetProperty(button, OldStateProperty, IsWindowEnabled(button) ? StateNormal : StateDisabled);
  SetProperty(button, MouseFlagProperty, 0);
  if (!WantsFaces(button)) return;
  const auto previous = reinterpret_cast<WNDPROC>(GetProperty(button, ProcAddrProperty));
  if (ResizeButtonFaces(button) || MakeButtonFaces(button)) OwnerDrawAgain(previous, button, FALSE);
  WindowBounds b;
  GetWindowBounds(button, &b);
  SetButtonOutline(button, b);
}

// The next paint draws every state as new.
void RenderFacesAgain(HWND button) {
  if (StateSurface(button, StateNormal)) RenderButtonFaces(button);
  SetProperty(button, OldStateProperty, IsWindowEnabled(button) ? StateNormal : StateDisabled);
}

}  // namespace skin
