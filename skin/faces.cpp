// The painters of the skinned controls' faces: push-button faces rendered ahead into their state
// surfaces, and the check square, option circle, combo drop button and header items drawn over
// what the controls drew themselves.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "skin/gdi/guards.h"
#include "skin/engine.h"

namespace skin {
namespace {

constexpr LONG ComboDropButtonBit = 0x2;  // clear for a simple combo box, which has no button

constexpr int HeaderTextCapacity = 256;

int Centre(int outer, int inner) { return RoundHalfEven((outer - inner) / 2.0); }

WindowBounds BoundsOf(HWND window) {
  WindowBounds bounds;
  GetWindowBounds(window, &bounds);
  return bounds;
}

HFONT FontOf(HWND window) {
  return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

int CheckOf(HWND window) { return static_cast<int>(SendMessageA(window, BM_GETCHECK, 0, 0)); }

// Records the state about to be drawn; false when it is already shown and nothing is forced.
// A forced paint does not read the state it is about to replace.
bool TakeNewState(HWND window, int state, bool force) {
  if (!force && GetProperty(window, OldStateProperty) == state) return false;
  SetProperty(window, OldStateProperty, state);
  return true;
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

}  // namespace

void RenderButtonFaces(HWND window) {
  const WindowBounds b = BoundsOf(window);
  const std::wstring caption = WindowText(window);
  const HFONT font = FontOf(window);
  const bool focused = GetFocus() == window;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const ButtonImage image = ImageOf(window, style);
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    const HDC surface = StateSurface(window, state);
    ScopedSelection selected(surface, font);
    SetBkMode(surface, TRANSPARENT);
    look::DrawSlicedPart(surface, 0, 0, b.Width, b.Height, look::PartButtonFace, state);
    SetTextColor(surface, look::Colour(state == StateDisabled ? look::RoleDisabledText : look::RoleFaceText));
    const int inset = look::Size(look::SizeCaptionInset);
    const int width = b.Width - 2 * inset;
    const int height = b.Height - 2 * inset;
    if (image.handle) {
      DrawImage(surface, image, b, state == StateDisabled);
    } else if (style & BS_MULTILINE) {
      DrawWrapped(surface, caption, inset, inset, width, height);
    } else {
      DrawTextIn(surface, caption, inset, inset, width, height, CaptionFormat);
    }
    if (focused) DrawFocusBox(surface, inset, inset, width, height);
  }
}

void PaintComboButton(HWND window, HDC dc, int state, bool force) {
  if (SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0)) state = StatePressed;
  if (!force && GetProperty(window, OldStateProperty) == state) return;
  if (!(GetWindowLongA(window, GWL_STYLE) & ComboDropButtonBit)) return;
  SetProperty(window, OldStateProperty, state);

  const WindowBounds b = BoundsOf(window);
  const int width = GetSystemMetrics(SM_CXVSCROLL) + 1;
  const int height = b.Height - 2;
  const ScopedSurface face(width, height);
  if (state == StateNormal) {
    FillSolid(face.get(), 0, 0, width, height, look::Colour(look::RoleControlFill));
  } else {
    look::DrawSlicedPart(face.get(), 0, 0, width, height, look::PartComboFace, state == StatePressed ? 1 : 0);
  }
  const SIZE arrow = look::PartSize(look::PartComboArrow);
  look::DrawKeyedPart(face.get(), Centre(width, arrow.cx), Centre(height, arrow.cy), look::PartComboArrow,
                      IsWindowEnabled(window) ? 0 : 1);
  const DrawTarget target(window, dc);
  BitBlt(target.get(), b.Width - width - 1, 1, width, height, face.get(), 0, 0, SRCCOPY);
}

void DrawCheckSquare(HDC target, int x, int y, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  const int cx = size.cx;
  const int cy = size.cy;
  const ScopedSurface square(cx, cy);
  FillSolid(square.get(), 0, 0, cx, cy, look::Colour(look::RoleControlFill));
  if (enabled) {
    FrameSolid(square.get(), 0, 0, cx, cy,
               look::Colour(state == StatePressed ? look::RoleCheckFramePressed : look::RoleCheckFrame));
    if (state == StateHot || state == StatePressed) {
      look::DrawStretchedPart(square.get(), 1, 1, cx - 2, cy - 2, look::PartCheckFill, state == StateHot ? 0 : 1);
    }
  } else {
    FrameSolid(square.get(), 0, 0, cx, cy, look::Colour(look::RoleCheckFrameDisabled));
  }
  const int glyph = enabled ? 0 : 1;
  const look::Part mark = check == BST_CHECKED ? look::PartCheckTick : look::PartCheckSquare;
  if (check == BST_CHECKED || check == BST_INDETERMINATE) {
    const SIZE size = look::PartSize(mark);
    look::DrawKeyedPart(square.get(), Centre(cx, size.cx), Centre(cy, size.cy), mark, glyph);
  }
  BitBlt(target, x, y, cx, cy, square.get(), 0, 0, SRCCOPY);
}

void DrawOptionCircle(HDC target, int x, int top, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  const int cx = size.cx;
  const int cy = size.cy;
  const int frame = enabled ? state : StateDisabled;
  look::DrawSlicedPart(target, x, top, cx, cy, look::PartOptionCircle, frame);
  if (check == BST_CHECKED) {
    const SIZE dot = look::PartSize(look::PartOptionDot);
    look::DrawKeyedPart(target, x + Centre(cx, dot.cx), RoundHalfEven(top + (cy - dot.cy) / 2.0),
                        look::PartOptionDot, enabled ? 0 : 1);
  }
}

int PaintCheckBox(HWND window, int state, bool force) {
  if (!TakeNewState(window, state, force)) return 0;
  const WindowBounds b = BoundsOf(window);
  const DrawTarget target(window, nullptr);
  DrawCheckSquare(target.get(), 0, Centre(b.Height, CheckSize().cy), state,
                  CheckOf(window), IsWindowEnabled(window) != FALSE);
  return 1;
}

int PaintOptionButton(HWND window, int state, bool force) {
  if (!TakeNewState(window, state, force)) return 0;
  const WindowBounds b = BoundsOf(window);
  const DrawTarget target(window, nullptr);
  DrawOptionCircle(target.get(), 0, Centre(b.Height, CheckSize().cy), state,
                   CheckOf(window), IsWindowEnabled(window) != FALSE);
  return 1;
}

std::wstring HeaderItemCaption(HWND header, int index) {
  wchar_t text[HeaderTextCapacity] = {};
  HDITEMW item = {};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = HeaderTextCapacity;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return std::wstring(text, wcsnlen(text, HeaderTextCapacity));
}

void PaintHeaderItem(HWND window, HDC dc, int index, int state) {
  if (index < 0) return;
  const WindowBounds b = BoundsOf(window);
  RECT item = {};
  SendMessageA(window, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const int width = item.right - item.left;
  const int height = item.bottom - item.top;

  const ScopedSurface face(width, b.Height);
  ScopedSelection font(face.get(), FontOf(window));
  SetBkMode(face.get(), TRANSPARENT);
  SetTextColor(face.get(), look::Colour(look::RoleFaceText));
  const int frame = state == StateHot || state == StatePressed ? state : StateNormal;
  look::DrawSlicedPart(face.get(), 0, 0, width, b.Height, look::PartHeaderFace, frame);
  DrawHeaderCaption(window, face.get(), index, {0, 0, width, b.Height});
  const DrawTarget target(window, dc);
  BitBlt(target.get(), item.left, 0, width, height, face.get(), 0, 0, SRCCOPY);
}

}  // namespace skin
