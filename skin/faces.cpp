// The painters of the skinned controls' faces: push-button faces rendered ahead into their state
// surfaces, and the check square, option circle, combo drop button and header items drawn over
// what the controls drew themselves.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "skin/gdi/guards.h"
#include "skin/skin.h"

namespace skin {
namespace {

constexpr int ButtonFrameWidth = 7;
constexpr int ButtonFrameHeight = 21;
constexpr int ButtonMargin = 3;
constexpr int CaptionInset = 2;

constexpr LONG ComboDropButtonBit = 0x2;  // clear for a simple combo box, which has no button
constexpr int ComboFaceWidth = 4;
constexpr int ComboFaceHeight = 18;
constexpr int ComboPressedFaceX = 4;
constexpr int ArrowX = 8;
constexpr int ArrowDisabledY = 4;
constexpr int ArrowWidth = 7;
constexpr int ArrowHeight = 4;

constexpr int TickWidth = 9;
constexpr int TickHeight = 8;
constexpr int SquareX = 1;
constexpr int SquareY = 9;
constexpr int SquareSize = 7;
constexpr int DotX = 2;
constexpr int DotY = 18;
constexpr int DotSize = 5;
constexpr int DisabledGlyphOffset = 9;  // the disabled cells sit 9 pixels right of the enabled

constexpr int CircleSize = 13;
constexpr int CircleMargin = 5;
constexpr int CheckFillX = 1;
constexpr int CheckHotFillY = 17;
constexpr int CheckPressedFillY = 30;
constexpr int CheckFillWidth = 11;
constexpr int CheckFillHeight = 5;

constexpr int HeaderFrameWidth = 3;
constexpr int HeaderFrameHeight = 20;
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
    BlitSliced(surface, 0, 0, b.Width, b.Height, SkinAtlas.ButtonFaceStrip, 0,
               ButtonFrameHeight * state, ButtonFrameWidth, ButtonFrameHeight, ButtonMargin,
               ButtonMargin, ButtonMargin, ButtonMargin);
    SetTextColor(surface, state == StateDisabled ? DisabledCaptionColour : Black);
    const int width = b.Width - 2 * CaptionInset;
    const int height = b.Height - 2 * CaptionInset;
    if (image.handle) {
      DrawImage(surface, image, b, state == StateDisabled);
    } else if (style & BS_MULTILINE) {
      DrawWrapped(surface, caption, CaptionInset, CaptionInset, width, height);
    } else {
      DrawTextIn(surface, caption, CaptionInset, CaptionInset, width, height, CaptionFormat);
    }
    if (focused) DrawFocusBox(surface, CaptionInset, CaptionInset, width, height);
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
    FillSolid(face.get(), 0, 0, width, height, White);
  } else {
    BlitSliced(face.get(), 0, 0, width, height, SkinAtlas.ComboButtonParts,
               state == StatePressed ? ComboPressedFaceX : 0, 0, ComboFaceWidth, ComboFaceHeight, 2,
               1, 1, 1);
  }
  BlitTransparent(face.get(), Centre(width, ArrowWidth), Centre(height, ArrowHeight),
                  ArrowWidth, ArrowHeight, SkinAtlas.ComboButtonParts, ArrowX,
                  IsWindowEnabled(window) ? 0 : ArrowDisabledY, KeyColour);
  const DrawTarget target(window, dc);
  BitBlt(target.get(), b.Width - width - 1, 1, width, height, face.get(), 0, 0, SRCCOPY);
}

void DrawCheckSquare(HDC target, int x, int y, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  const int cx = size.cx;
  const int cy = size.cy;
  const ScopedSurface square(cx, cy);
  FillSolid(square.get(), 0, 0, cx, cy, White);
  if (enabled) {
    FrameSolid(square.get(), 0, 0, cx, cy, state == StatePressed ? CheckFramePressedColour : CheckFrameColour);
    if (state == StateHot || state == StatePressed) {
      StretchBlt(square.get(), 1, 1, cx - 2, cy - 2, SkinAtlas.OptionCircleStrip, CheckFillX,
                 state == StateHot ? CheckHotFillY : CheckPressedFillY, CheckFillWidth,
                 CheckFillHeight, SRCCOPY);
    }
  } else {
    FrameSolid(square.get(), 0, 0, cx, cy, CheckFrameDisabledColour);
  }
  const int glyphOffset = enabled ? 0 : DisabledGlyphOffset;
  if (check == BST_CHECKED) {
    BlitTransparent(square.get(), Centre(cx, TickWidth), Centre(cy, TickHeight), TickWidth,
                    TickHeight, SkinAtlas.CheckGlyphs, glyphOffset, 0, KeyColour);
  } else if (check == BST_INDETERMINATE) {
    BlitTransparent(square.get(), Centre(cx, SquareSize), Centre(cy, SquareSize), SquareSize,
                    SquareSize, SkinAtlas.CheckGlyphs, SquareX + glyphOffset, SquareY, KeyColour);
  }
  BitBlt(target, x, y, cx, cy, square.get(), 0, 0, SRCCOPY);
}

void DrawOptionCircle(HDC target, int x, int top, int state, int check, bool enabled) {
  const SIZE size = CheckSize();
  const int cx = size.cx;
  const int cy = size.cy;
  const int frame = enabled ? state : StateDisabled;
  BlitSliced(target, x, top, cx, cy, SkinAtlas.OptionCircleStrip, 0, CircleSize * frame,
             CircleSize, CircleSize, CircleMargin, CircleMargin, CircleMargin, CircleMargin, KeyColour);
  if (check == BST_CHECKED) {
    BlitTransparent(target, x + Centre(cx, DotSize), RoundHalfEven(top + (cy - DotSize) / 2.0),
                    DotSize, DotSize, SkinAtlas.CheckGlyphs,
                    DotX + (enabled ? 0 : DisabledGlyphOffset), DotY, KeyColour);
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
  const int frame = state == StateHot || state == StatePressed ? state : StateNormal;
  BlitSliced(face.get(), 0, 0, width, b.Height, SkinAtlas.HeaderFaceStrip, HeaderFrameWidth * frame,
             0, HeaderFrameWidth, HeaderFrameHeight, 1, 1, 1, 1);
  const std::wstring text = HeaderItemCaption(window, index);
  if (!text.empty()) DrawTextIn(face.get(), text, 0, 0, width, b.Height, CaptionFormat);
  const DrawTarget target(window, dc);
  BitBlt(target.get(), item.left, 0, width, height, face.get(), 0, 0, SRCCOPY);
}

}  // namespace skin
