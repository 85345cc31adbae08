// The painters of the skinned controls' faces: push-button faces rendered ahead into their state
// surfaces, and the check square, option circle, combo drop button and header items drawn over
// what the controls drew themselves.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "skin/gdi/guards.h"
#include "skin/engine.h"
#include "skin/look/parts.h"

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
    const auto partState = static_cast<look::PartState>(state);
    look::DrawPart(look::PartPushButton, partState, surface, {0, 0, b.Width, b.Height});
    SetTextColor(surface, look::PartTextColour(look::PartPushButton, partState));
    const RECT margins = look::PartContentMargins(look::PartPushButton);
    const int inset = margins.left;
    const int width = b.Width - margins.left - margins.right;
    const int height = b.Height - margins.top - margins.bottom;
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
  const auto shown = static_cast<look::PartState>(IsWindowEnabled(window) ? state : StateDisabled);
  look::DrawPart(look::PartComboDropButton, shown, face.get(), {0, 0, width, height});
  const DrawTarget target(window, dc);
  BitBlt(target.get(), b.Width - width - 1, 1, width, height, face.get(), 0, 0, SRCCOPY);
}

namespace {

// A disabled control shows the pale look whatever the state.
look::PartState ToggleState(int state, int check, bool enabled) {
  look::PartState shown = static_cast<look::PartState>(enabled ? state : StateDisabled);
  if (check == BST_CHECKED) shown |= look::Checked;
  if (check == BST_INDETERMINATE) shown |= look::Mixed;
  return shown;
}

}  // namespace

void DrawCheckSquare(HDC target, int x, int y, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  look::DrawPart(look::PartCheckBox, ToggleState(state, check, enabled), target, {x, y, x + size.cx, y + size.cy});
}

void DrawOptionCircle(HDC target, int x, int top, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  look::DrawPart(look::PartRadioButton, ToggleState(state, check, enabled), target,
                 {x, top, x + size.cx, top + size.cy});
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
  const auto partState = static_cast<look::PartState>(state);
  SetTextColor(face.get(), look::PartTextColour(look::PartHeaderItem, partState));
  look::DrawPart(look::PartHeaderItem, partState, face.get(), {0, 0, width, b.Height});
  DrawHeaderCaption(window, face.get(), index, {0, 0, width, b.Height});
  const DrawTarget target(window, dc);
  BitBlt(target.get(), item.left, 0, width, height, face.get(), 0, 0, SRCCOPY);
}

}  // namespace skin
