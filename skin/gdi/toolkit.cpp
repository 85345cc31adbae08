// The drawing toolkit: fills, frames, text, off-screen surfaces, the nine-slice blit and the
// colour-keyed copy. What these need beyond their blits (a DC on the display, the halftone
// palette, work surfaces, the masks of the keyed atlas images) is kept in SkinDrawing while the
// skin is on; before that, or when it could not be made, each call makes and frees its own.
#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "skin/gdi/guards.h"
#include "skin/engine.h"

namespace skin {
namespace {

constexpr char DisplayDriver[] = "DISPLAY";
// Destination AND NOT source: turns the key pixels of the source copy black.
constexpr DWORD DestinationAndNotSource = 0x00220326;
constexpr COLORREF SystemColourFlag = 0x80000000;
constexpr COLORREF RgbMask = 0x00FFFFFF;
// The mask colours of a colour-keyed copy: 1 bits and 0 bits.
constexpr COLORREF White = 0x00FFFFFF;
constexpr COLORREF Black = 0x00000000;
// A kept work surface grows up to this many pixels (1 MB of colour); a larger copy makes a
// surface of its own for the call, so that the skin never holds on to a screen-sized bitmap.
constexpr long long MaxKeptWorkPixels = 512LL * 512;

enum class Depth { Colour, OneBit };

RECT RectOf(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

HDC CreateDisplayDc() { return CreateDCA(DisplayDriver, nullptr, nullptr, nullptr); }

// The key as a plain RGB value; a system colour (high bit set) is looked up.
COLORREF ResolveKey(COLORREF key, HPALETTE palette) {
  COLORREF resolved = key;
  if (key & SystemColourFlag) OleTranslateColor(key, palette, &resolved);
  return resolved & RgbMask;
}

// The DC new surfaces are made compatible with: the kept one, or a display DC opened for the
// call and deleted with this. 0 when neither is there.
class ReferenceDc {
 public:
  ReferenceDc()
      : owned_(SkinDrawing.ReferenceDc == nullptr), dc_(owned_ ? CreateDisplayDc() : SkinDrawing.ReferenceDc) {}
  ~ReferenceDc() {
    if (owned_ && dc_) DeleteDC(dc_);
  }
  ReferenceDc(const ReferenceDc&) = delete;
  ReferenceDc& operator=(const ReferenceDc&) = delete;

  HDC get() const { return dc_; }

 private:
  bool owned_;
  HDC dc_;
};

HBITMAP CreateWorkBitmap(HDC reference, int width, int height, Depth depth) {
  return depth == Depth::OneBit ? CreateBitmap(width, height, 1, 1, nullptr)
                                : CreateCompatibleBitmap(reference, width, height);
}

// Selects a new bitmap into a DC and deletes the one it replaces (a new DC's stock one-pixel
// bitmap is left alone by DeleteObject). False, with the new bitmap deleted, when it cannot.
bool ReplaceBitmap(HDC dc, HBITMAP bitmap) {
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  if (!previous) {
    DeleteObject(bitmap);
    return false;
  }
  DeleteObject(previous);
  return true;
}

// A memory DC holding a new bitmap; 0, with nothing left behind, when either cannot be made.
HDC MakeSurface(HDC reference, int width, int height, Depth depth) {
  if (!reference) return nullptr;
  const HDC surface = CreateCompatibleDC(reference);
  if (!surface) return nullptr;
  const HBITMAP bitmap = CreateWorkBitmap(reference, width, height, depth);
  if (!bitmap || !ReplaceBitmap(surface, bitmap)) {
    DeleteDC(surface);
    return nullptr;
  }
  return surface;
}

bool MayKeep(const WorkSurface& kept, int width, int height) {
  return static_cast<long long>(std::max(kept.Width, width)) * std::max(kept.Height, height) <=
         MaxKeptWorkPixels;
}

// Gives a kept work surface room for width x height; false, keeping what it had, when the larger
// bitmap cannot be made.
bool Grow(WorkSurface& kept, HDC reference, int width, int height, Depth depth) {
  if (kept.Width >= width && kept.Height >= height) return true;
  const int w = std::max(kept.Width, width);
  const int h = std::max(kept.Height, height);
  const HBITMAP bitmap = CreateWorkBitmap(reference, w, h, depth);
  if (!bitmap || !ReplaceBitmap(kept.Dc, bitmap)) return false;
  kept.Width = w;
  kept.Height = h;
  return true;
}

// A work surface of at least width x height for one call: the kept one when there is one and it
// may grow that far, otherwise one made for the call and released with this. get() is 0 when
// neither can be had. Its contents are whatever the last user left.
class Work {
 public:
  Work(WorkSurface& kept, HDC reference, int width, int height, Depth depth) {
    if (kept.Dc && MayKeep(kept, width, height) && Grow(kept, reference, width, height, depth)) {
      dc_ = kept.Dc;
    } else {
      dc_ = MakeSurface(reference, width, height, depth);
      owned_ = true;
    }
  }
  ~Work() {
    if (owned_) ReleaseSurface(dc_);
  }
  Work(const Work&) = delete;
  Work& operator=(const Work&) = delete;

  HDC get() const { return dc_; }
  bool kept() const { return !owned_; }

 private:
  HDC dc_ = nullptr;
  bool owned_ = false;
};

// Selects a palette into a DC in background mode and realises it for the scope; the previous one
// goes back in the mode given. Nothing happens for a null palette.
class PaletteSelection {
 public:
  PaletteSelection(HDC dc, HPALETTE palette, BOOL restoreInBackground)
      : dc_(dc), restoreInBackground_(restoreInBackground) {
    if (!dc || !palette) return;
    previous_ = SelectPalette(dc, palette, TRUE);
    RealizePalette(dc);
  }
  ~PaletteSelection() {
    if (!previous_) return;
    SelectPalette(dc_, previous_, restoreInBackground_);
    RealizePalette(dc_);
  }
  PaletteSelection(const PaletteSelection&) = delete;
  PaletteSelection& operator=(const PaletteSelection&) = delete;

 private:
  HDC dc_;
  BOOL restoreInBackground_;
  HPALETTE previous_ = nullptr;
};

std::array<WorkSurface*, 5> KeptWorkSurfaces(DrawingObjects& kept) {
  return {&kept.SliceCanvas, &kept.Backdrop, &kept.SourceCopy, &kept.MaskCopy, &kept.PaintSurface};
}

// The palette a work surface takes for one call: a given one always; otherwise the halftone
// palette, which the kept surfaces already hold.
HPALETTE CallPalette(const Work& work, HPALETTE given, HPALETTE halftone) {
  if (given) return given;
  return work.kept() ? nullptr : halftone;
}

// The prepared atlas image that a keyed copy of width x height at (x, y) of `source` can use:
// one made for the skin's key, with the rectangle inside it.
const KeyedImage* PreparedImage(HDC source, int x, int y, int width, int height, COLORREF key,
                                HPALETTE given) {
  if (!source || key != KeyColour || given) return nullptr;
  for (const KeyedImage& image : SkinDrawing.KeyedImages) {
    if (image.Image == source && image.Mask && image.Sprite && x >= 0 && y >= 0 &&
        x + width <= image.Width && y + height <= image.Height) {
      return &image;
    }
  }
  return nullptr;
}

// Splits a colour copy at the key: the one-bit mask gets 1 where the copy has the key colour (a
// colour-to-monochrome copy maps the background colour to 1) and 0 elsewhere, and the copy's key
// pixels become black, ready to be ORed over a destination the mask has cleared.
void SeparateKey(HDC colour, HDC mask, int width, int height, COLORREF key) {
  SetBkColor(colour, key);
  SetTextColor(colour, White);
  BitBlt(mask, 0, 0, width, height, colour, 0, 0, SRCCOPY);
  SetTextColor(colour, Black);
  SetBkColor(colour, White);
  BitBlt(colour, 0, 0, width, height, mask, 0, 0, DestinationAndNotSource);
}

// The colour-keyed copy; false when nothing was drawn. The result is built in a work copy of the
// destination through a one-bit mask of the key pixels and copied back in one blit, so that the
// destination only ever shows the finished result.
bool CopyTransparent(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
                     int ySource, COLORREF key, HPALETTE palette) {
  if (width <= 0 || height <= 0) return false;
  const ReferenceDc reference;
  if (!reference.get()) return false;
  UniqueGdiObject<HPALETTE> madeHere(palette || SkinDrawing.Halftone ? nullptr
                                                                      : CreateHalftonePalette(reference.get()));
  const HPALETTE halftone = SkinDrawing.Halftone ? SkinDrawing.Halftone : madeHere.get();
  const COLORREF resolvedKey = ResolveKey(key, palette ? palette : halftone);

  const Work backdrop(SkinDrawing.Backdrop, reference.get(), width, height, Depth::Colour);
  if (!backdrop.get()) return false;
  const PaletteSelection backdropPalette(backdrop.get(), CallPalette(backdrop, palette, halftone), FALSE);
  const HDC work = backdrop.get();

  if (const KeyedImage* image = PreparedImage(source, xSource, ySource, width, height, resolvedKey, palette)) {
    BitBlt(work, 0, 0, width, height, dest, xDest, yDest, SRCCOPY);
    BitBlt(work, 0, 0, width, height, image->Mask, xSource, ySource, SRCAND);
    BitBlt(work, 0, 0, width, height, image->Sprite, xSource, ySource, SRCPAINT);
    BitBlt(dest, xDest, yDest, width, height, work, 0, 0, SRCCOPY);
    return true;
  }

  const Work sourceCopy(SkinDrawing.SourceCopy, reference.get(), width, height, Depth::Colour);
  const Work maskCopy(SkinDrawing.MaskCopy, reference.get(), width, height, Depth::OneBit);
  if (!sourceCopy.get() || !maskCopy.get()) return false;
  const PaletteSelection copyPalette(sourceCopy.get(), CallPalette(sourceCopy, palette, halftone), TRUE);
  const HDC copy = sourceCopy.get();
  const HDC mask = maskCopy.get();

  BitBlt(work, 0, 0, width, height, dest, xDest, yDest, SRCCOPY);
  SetBkColor(copy, GetBkColor(source));
  SetTextColor(copy, GetTextColor(source));
  BitBlt(copy, 0, 0, width, height, source, xSource, ySource, SRCCOPY);
  SeparateKey(copy, mask, width, height, resolvedKey);
  BitBlt(work, 0, 0, width, height, mask, 0, 0, SRCAND);
  BitBlt(work, 0, 0, width, height, copy, 0, 0, SRCPAINT);
  BitBlt(dest, xDest, yDest, width, height, work, 0, 0, SRCCOPY);
  return true;
}

// Copied at its own size, with margins that fit, the nine pieces give back the source rectangle
// pixel for pixel.
bool SlicesReproduceSource(int width, int height, int sourceWidth, int sourceHeight, int left, int top,
                           int right, int bottom) {
  return width == sourceWidth && height == sourceHeight && left >= 0 && top >= 0 && right >= 0 &&
         bottom >= 0 && left + right <= sourceWidth && top + bottom <= sourceHeight;
}

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
  const ReferenceDc reference;
  return MakeSurface(reference.get(), width, height, Depth::Colour);
}

void ReleaseSurface(HDC surface) {
  if (!surface) return;
  const HGDIOBJ bitmap = GetCurrentObject(surface, OBJ_BITMAP);
  // The context goes first, so that the bitmap is no longer selected when it is deleted.
  DeleteDC(surface);
  DeleteObject(bitmap);
}

ScopedSurface::ScopedSurface(int width, int height) {
  WorkSurface& kept = SkinDrawing.PaintSurface;
  if (kept.Dc && !SkinDrawing.PaintSurfaceLent && width > 0 && height > 0 && MayKeep(kept, width, height) &&
      Grow(kept, SkinDrawing.ReferenceDc, width, height, Depth::Colour) && SaveDC(kept.Dc)) {
    SkinDrawing.PaintSurfaceLent = true;
    surface_ = kept.Dc;
    lent_ = true;
  } else {
    surface_ = CreateSurface(width, height);
  }
}

ScopedSurface::~ScopedSurface() {
  if (!lent_) {
    ReleaseSurface(surface_);
    return;
  }
  // The painter's fonts, colours and modes go with the saved state.
  RestoreDC(surface_, -1);
  if (SkinDrawing.PaintSurface.Dc == surface_) {
    SkinDrawing.PaintSurfaceLent = false;
  } else {
    // The skin was released while the surface was lent (a message the painter sent detached the
    // last window): it was left to this scope to release.
    ReleaseSurface(surface_);
  }
}

int BlitSliced(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
               int ySource, int sourceWidth, int sourceHeight, int left, int top, int right,
               int bottom, std::optional<COLORREF> key) {
  if (width <= 0 || height <= 0 || sourceWidth == 0 || sourceHeight == 0) return 0;
  if (key && SlicesReproduceSource(width, height, sourceWidth, sourceHeight, left, top, right, bottom)) {
    // The source itself can be keyed, through its prepared mask when it is an atlas image.
    return CopyTransparent(dest, xDest, yDest, width, height, source, xSource, ySource, *key, nullptr) ? 1 : 0;
  }
  const ReferenceDc reference;
  const Work canvas(SkinDrawing.SliceCanvas, reference.get(), width, height, Depth::Colour);
  const HDC work = canvas.get();
  if (!work) return 0;
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

  if (key) return CopyTransparent(dest, xDest, yDest, width, height, work, 0, 0, *key, nullptr) ? 1 : 0;
  return BitBlt(dest, xDest, yDest, width, height, work, 0, 0, SRCCOPY);
}

void BlitTransparent(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
                     int ySource, COLORREF key, HPALETTE palette) {
  CopyTransparent(dest, xDest, yDest, width, height, source, xSource, ySource, key, palette);
}

namespace {

// An empty work surface in place of `work`: a memory DC of the display without a bitmap of its own.
// The colour surfaces of the keyed copy hold the halftone palette, as ones made per call would.
void EmptyWorkSurface(DrawingObjects& kept, WorkSurface* work) {
  *work = WorkSurface{CreateCompatibleDC(kept.ReferenceDc), 0, 0};
  if (!work->Dc || !kept.Halftone || (work != &kept.Backdrop && work != &kept.SourceCopy)) return;
  SelectPalette(work->Dc, kept.Halftone, TRUE);
  RealizePalette(work->Dc);
}

void ReleaseWorkSurface(WorkSurface* work) {
  if (!work->Dc) return;
  // The palette goes back first, so that the halftone palette is selected nowhere when it is
  // deleted.
  SelectPalette(work->Dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  ReleaseSurface(work->Dc);
  *work = WorkSurface{};
}

}  // namespace

void KeepDrawingObjects() {
  ReleaseDrawingObjects();
  DrawingObjects& kept = SkinDrawing;
  kept.ReferenceDc = CreateDisplayDc();
  if (!kept.ReferenceDc) return;
  kept.Halftone = CreateHalftonePalette(kept.ReferenceDc);
  for (WorkSurface* work : KeptWorkSurfaces(kept)) EmptyWorkSurface(kept, work);
}

void ShrinkWorkSurfaces() {
  DrawingObjects& kept = SkinDrawing;
  if (!kept.ReferenceDc) return;
  for (WorkSurface* work : KeptWorkSurfaces(kept)) {
    // A paint surface lent out stays its borrower's until the scope ends.
    if (work == &kept.PaintSurface && kept.PaintSurfaceLent) continue;
    ReleaseWorkSurface(work);
    EmptyWorkSurface(kept, work);
  }
}

void PrepareKeyedImage(HDC image, int width, int height) {
  DrawingObjects& kept = SkinDrawing;
  KeyedImage* slot = std::find_if(std::begin(kept.KeyedImages), std::end(kept.KeyedImages),
                                  [](const KeyedImage& k) { return k.Image == nullptr; });
  if (slot == std::end(kept.KeyedImages) || !image || !kept.ReferenceDc) return;
  const HDC mask = MakeSurface(kept.ReferenceDc, width, height, Depth::OneBit);
  const HDC sprite = MakeSurface(kept.ReferenceDc, width, height, Depth::Colour);
  if (!mask || !sprite) {
    ReleaseSurface(mask);
    ReleaseSurface(sprite);
    return;
  }
  {
    const PaletteSelection palette(sprite, kept.Halftone, TRUE);
    BitBlt(sprite, 0, 0, width, height, image, 0, 0, SRCCOPY);
    SeparateKey(sprite, mask, width, height, KeyColour);
  }
  *slot = KeyedImage{image, mask, sprite, width, height};
}

void ReleaseDrawingObjects() {
  DrawingObjects& kept = SkinDrawing;
  for (const KeyedImage& image : kept.KeyedImages) {
    ReleaseSurface(image.Mask);
    ReleaseSurface(image.Sprite);
  }
  // A paint surface lent out is released by its borrower when the scope ends.
  if (kept.PaintSurfaceLent) kept.PaintSurface = WorkSurface{};
  for (WorkSurface* work : KeptWorkSurfaces(kept)) ReleaseWorkSurface(work);
  if (kept.Halftone) DeleteObject(kept.Halftone);
  if (kept.ReferenceDc) DeleteDC(kept.ReferenceDc);
  kept = DrawingObjects{};
}

}  // namespace skin
