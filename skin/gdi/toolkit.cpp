// The drawing toolkit: fills, frames, text, off-screen surfaces, the nine-slice blit and the
// colour-keyed copy. Every call creates and frees the graphics objects it needs.
#include <ole2.h>
#include <olectl.h>

#include <cmath>

#include "skin/gdi/guards.h"
#include "skin/skin.h"

namespace skin {
namespace {

constexpr char DisplayDriver[] = "DISPLAY";
// Destination AND NOT source: turns the key pixels of the source copy black.
constexpr DWORD DestinationAndNotSource = 0x00220326;
constexpr COLORREF SystemColourFlag = 0x80000000;
constexpr COLORREF RgbMask = 0x00FFFFFF;

RECT RectOf(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

HDC CreateDisplayDc() { return CreateDCA(DisplayDriver, nullptr, nullptr, nullptr); }

// The key as a plain RGB value; a system colour (high bit set) is looked up.
COLORREF ResolveKey(COLORREF key, HPALETTE palette) {
  COLORREF resolved = key;
  if (key & SystemColourFlag) OleTranslateColor(key, palette, &resolved);
  return resolved & RgbMask;
}

// A memory DC holding a bitmap and a palette selected in background mode, both put back and the
// DC deleted at the end of the scope. The bitmap itself is the caller's.
class PaletteDc {
 public:
  PaletteDc(HDC display, HBITMAP bitmap, HPALETTE palette, BOOL restoreInBackground)
      : dc_(CreateCompatibleDC(display)), restoreInBackground_(restoreInBackground) {
    previousBitmap_ = SelectObject(dc_, bitmap);
    previousPalette_ = palette ? SelectPalette(dc_, palette, TRUE) : nullptr;
    if (palette) RealizePalette(dc_);
  }
  ~PaletteDc() {
    SelectObject(dc_, previousBitmap_);
    if (previousPalette_) {
      SelectPalette(dc_, previousPalette_, restoreInBackground_);
      RealizePalette(dc_);
    }
    DeleteDC(dc_);
  }
  PaletteDc(const PaletteDc&) = delete;
  PaletteDc& operator=(const PaletteDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
  BOOL restoreInBackground_;
  HGDIOBJ previousBitmap_ = nullptr;
  HPALETTE previousPalette_ = nullptr;
};

}  // namespace

int RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) return static_cast<int>(floor) + 1;
  if (fraction < 0.5) return static_cast<int>(floor);
  return std::fmod(floor, 2.0) == 0.0 ? static_cast<int>(floor) : static_cast<int>(floor) + 1;
}

int32_t SignedLowWord(int32_t value) { return static_cast<int16_t>(value & 0xFFFF); }

int32_t SignedHighWord(int32_t value) {
  return static_cast<int16_t>((static_cast<uint32_t>(value) >> 16) & 0xFFFF);
}

BOOL GetWindowBounds(HWND window, WindowBounds* bounds) {
  RECT rect = {};
  const BOOL result = GetWindowRect(window, &rect);
  if (!result) rect = RECT{};
  *bounds = WindowBounds{rect.left, rect.top, rect.right, rect.bottom, rect.right - rect.left,
                         rect.bottom - rect.top};
  return result;
}

int DrawTextIn(HDC dc, const std::wstring& text, int x, int y, int width, int height, UINT format) {
  RECT rect = RectOf(x, y, width, height);
  return DrawTextW(dc, text.c_str(), -1, &rect, format);
}

BOOL FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  const RECT rect = RectOf(x, y, width, height);
  UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  return FillRect(dc, &rect, brush.get());
}

BOOL FrameSolid(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  const RECT rect = RectOf(x, y, width, height);
  UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  return FrameRect(dc, &rect, brush.get());
}

BOOL DrawFocusBox(HDC dc, int x, int y, int width, int height) {
  const RECT rect = RectOf(x, y, width, height);
  return DrawFocusRect(dc, &rect);
}

HDC CreateSurface(int width, int height) {
  const HDC display = CreateDisplayDc();
  if (!display) return nullptr;
  HDC surface = CreateCompatibleDC(display);
  if (surface) {
    const HBITMAP bitmap = CreateCompatibleBitmap(display, width, height);
    if (bitmap) {
      // What the selection replaces is the new context's stock one-pixel bitmap.
      DeleteObject(SelectObject(surface, bitmap));
    } else {
      DeleteDC(surface);
      surface = nullptr;
    }
  }
  DeleteDC(display);
  return surface;
}

void ReleaseSurface(HDC surface) {
  if (!surface) return;
  const HGDIOBJ bitmap = GetCurrentObject(surface, OBJ_BITMAP);
  // The context goes first, so that the bitmap is no longer selected when it is deleted.
  DeleteDC(surface);
  DeleteObject(bitmap);
}

ScopedSurface::ScopedSurface(int width, int height) : surface_(CreateSurface(width, height)) {}

ScopedSurface::~ScopedSurface() { ReleaseSurface(surface_); }

int BlitSliced(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
               int ySource, int sourceWidth, int sourceHeight, int left, int top, int right,
               int bottom, std::optional<COLORREF> key) {
  if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return 0;
  const ScopedSurface scoped(width, height);
  const HDC work = scoped.get();
  const int middleWidth = width - left - right;
  const int middleHeight = height - top - bottom;
  const int sourceMiddleWidth = sourceWidth - left - right;
  const int sourceMiddleHeight = sourceHeight - top - bottom;
  const int sourceRight = xSource + sourceWidth - right;
  const int sourceBottom = ySource + sourceHeight - bottom;

  if (left <= 0 && top <= 0 && right <= 0 && bottom <= 0) {
    StretchBlt(work, 0, 0, width, height, source, xSource + left, ySource + top,
               sourceWidth - right, sourceHeight - bottom, SRCCOPY);
  } else {
    if (left > 0 && top > 0) BitBlt(work, 0, 0, left, top, source, xSource, ySource, SRCCOPY);
    if (right > 0 && top > 0) {
      BitBlt(work, width - right, 0, right, top, source, sourceRight, ySource, SRCCOPY);
    }
    if (left > 0 && bottom > 0) {
      BitBlt(work, 0, height - bottom, left, bottom, source, xSource, sourceBottom, SRCCOPY);
    }
    if (right > 0 && bottom > 0) {
      BitBlt(work, width - right, height - bottom, right, bottom, source, sourceRight, sourceBottom,
             SRCCOPY);
    }
    if (left > 0) {
      StretchBlt(work, 0, top, left, middleHeight, source, xSource, ySource + top, left,
                 sourceMiddleHeight, SRCCOPY);
    }
    if (right > 0) {
      StretchBlt(work, width - right, top, right, middleHeight, source, sourceRight, ySource + top,
                 right, sourceMiddleHeight, SRCCOPY);
    }
    if (top > 0) {
      StretchBlt(work, left, 0, middleWidth, top, source, xSource + left, ySource, sourceMiddleWidth,
                 top, SRCCOPY);
    }
    if (bottom > 0) {
      StretchBlt(work, left, height - bottom, middleWidth, bottom, source, xSource + left,
                 sourceBottom, sourceMiddleWidth, bottom, SRCCOPY);
    }
    StretchBlt(work, left, top, middleWidth, middleHeight, source, xSource + left, ySource + top,
               sourceMiddleWidth, sourceMiddleHeight, SRCCOPY);
  }

  int result = 1;
  if (key) {
    BlitTransparent(dest, xDest, yDest, width, height, work, 0, 0, *key);
  } else {
    result = BitBlt(dest, xDest, yDest, width, height, work, 0, 0, SRCCOPY);
  }
  return result;
}

// Builds the result in a work copy of the destination through a one-bit mask of the key pixels,
// then copies it back in one blit.
void BlitTransparent(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
                     int ySource, COLORREF key, HPALETTE palette) {
  const HDC display = CreateDisplayDc();
  UniqueGdiObject<HPALETTE> halftone(palette ? nullptr : CreateHalftonePalette(display));
  const HPALETTE used = palette ? palette : halftone.get();
  const COLORREF resolvedKey = ResolveKey(key, used);

  UniqueGdiObject<HBITMAP> workBitmap(CreateCompatibleBitmap(display, width, height));
  {
    PaletteDc work(display, workBitmap.get(), used, FALSE);
    BitBlt(work.get(), 0, 0, width, height, dest, xDest, yDest, SRCCOPY);

    UniqueGdiObject<HBITMAP> copyBitmap(CreateCompatibleBitmap(display, width, height));
    UniqueGdiObject<HBITMAP> maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    PaletteDc copy(display, copyBitmap.get(), used, TRUE);
    SetBkColor(copy.get(), GetBkColor(source));
    SetTextColor(copy.get(), GetTextColor(source));
    BitBlt(copy.get(), 0, 0, width, height, source, xSource, ySource, SRCCOPY);
    PaletteDc mask(display, maskBitmap.get(), nullptr, FALSE);

    // Colour to monochrome: pixels of the background colour (the key) become 1, all others 0.
    SetBkColor(copy.get(), resolvedKey);
    SetTextColor(copy.get(), White);
    BitBlt(mask.get(), 0, 0, width, height, copy.get(), 0, 0, SRCCOPY);
    SetTextColor(copy.get(), Black);
    SetBkColor(copy.get(), White);
    BitBlt(copy.get(), 0, 0, width, height, mask.get(), 0, 0, DestinationAndNotSource);
    BitBlt(work.get(), 0, 0, width, height, mask.get(), 0, 0, SRCAND);
    BitBlt(work.get(), 0, 0, width, height, copy.get(), 0, 0, SRCPAINT);
    BitBlt(dest, xDest, yDest, width, height, work.get(), 0, 0, SRCCOPY);
  }
  DeleteDC(display);
}

}  // namespace skin
