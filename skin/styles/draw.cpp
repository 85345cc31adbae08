// Drawing a part as the system's theme engine draws it: the image chosen for the dpi or the size,
// the state's frame of it, nine pieces stretched or tiled around the sizing margins (or the whole
// frame at its true size), then the glyph. The GDI calls, their order and their arguments are the
// ones the system's engine makes, so that the pixels come out the same.
//
// Those calls are slow under Wine (a stretch in halftone mode or a colour-keyed copy takes 0.1 to
// 1 ms), while a skin draws the same part at the same size over the same ground again and again.
// So an image part is drawn into a kept 32-bit DIB section over a copy of what its rectangle holds,
// and what it came out as is kept with that ground; drawn again over the same ground, it is put
// down in one copy. Same ground, same calls, same pixels.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <iterator>
#include <string>
#include <vector>

#include "skin/gdi/guards.h"
#include "skin/styles/internal.h"

namespace skin::styles {
namespace {

constexpr int ImageChoices = 7;
constexpr int MinDpiProperties[ImageChoices] = {TMT_MINDPI1, TMT_MINDPI2, TMT_MINDPI3, TMT_MINDPI4,
                                                TMT_MINDPI5, TMT_MINDPI6, TMT_MINDPI7};
constexpr int MinSizeProperties[ImageChoices] = {TMT_MINSIZE1, TMT_MINSIZE2, TMT_MINSIZE3, TMT_MINSIZE4,
                                                 TMT_MINSIZE5, TMT_MINSIZE6, TMT_MINSIZE7};
constexpr int ImageFileProperties[ImageChoices] = {TMT_IMAGEFILE1, TMT_IMAGEFILE2, TMT_IMAGEFILE3, TMT_IMAGEFILE4,
                                                   TMT_IMAGEFILE5, TMT_IMAGEFILE6, TMT_IMAGEFILE7};
constexpr int ImageBaseDpi = 96;
// What a style that leaves a colour out means by it, as the system's theme engine reads the format:
// these are the file format's defaults, not a look of the skin's.
constexpr COLORREF DefaultTransparentColour = RGB(255, 0, 255);
constexpr COLORREF DefaultBorderColour = RGB(0, 0, 0);
constexpr COLORREF DefaultFillColour = RGB(255, 255, 255);
constexpr COLORREF DefaultGlyphTextColour = RGB(0, 0, 0);
constexpr COLORREF DefaultGradientStart = RGB(0, 0, 0);
constexpr COLORREF DefaultGradientEnd = RGB(255, 255, 255);
constexpr int DefaultBorderSize = 1;
constexpr int Percent = 100;
constexpr USHORT OpaqueGradientAlpha = 0xFF00;
// Drawings kept (DrawKept): parts up to this size, drawn into DCs of this depth, and at most this
// many of them in this many bytes; their DIB section grows to at most four times the largest.
constexpr int KeptLargestSide = 4096;
constexpr int KeptLargestArea = 256 * 256;
constexpr int ScratchLargestArea = 4 * KeptLargestArea;
constexpr int ScratchBand = 64;  // the height of the wide section, the width of the tall one
constexpr int ScratchStep = 64;
constexpr size_t KeptMostDrawings = 256;
constexpr size_t KeptMostBytes = 8u << 20;
constexpr int KeptBitsPerPixel = 32;
constexpr DWORD KeptRedMask = 0xFF0000, KeptGreenMask = 0xFF00, KeptBlueMask = 0xFF;

// How an image is put down: copied, with its transparent colour left out, or blended by its alpha.
enum class Blend { Copy, ColourKey, Alpha };

// The style's memory DC for its images, made at its first use and kept until the style closes,
// with one image selected for the guard's lifetime: making a DC for each image put down cost more
// than the copy.
struct SourceDc {
  SourceDc(const Style& style, HBITMAP bitmap)
      : dc(style.kept.sourceDc ? style.kept.sourceDc : (style.kept.sourceDc = CreateCompatibleDC(nullptr))),
        previous(dc ? SelectObject(dc, bitmap) : nullptr) {}
  ~SourceDc() {
    if (dc) SelectObject(dc, previous);
  }
  SourceDc(const SourceDc&) = delete;
  SourceDc& operator=(const SourceDc&) = delete;
  HDC dc;
  HGDIOBJ previous;
};

struct Frame {
  HBITMAP bitmap = nullptr;
  RECT source = {};
  bool hasAlpha = false;
};

const Value* FileName(const Lookup& lookup, int part, int state, int property) {
  return FindValue(lookup, part, state, property, TMT_FILENAME);
}

// The image a file name names, decoded at its first use and kept (a cache behind the const style);
// a decoding GDI had no room for is tried again at the next use.
Image* ImageOf(const Lookup& lookup, const Value* fileName) {
  if (!fileName) return nullptr;
  const auto found = lookup.style->images.find(Lower(fileName->text));
  if (found == lookup.style->images.end()) return nullptr;
  Image* image = found->second.get();
  if (!image->bitmap) image->bitmap = DecodeDib(image->data, image->layout, &image->hasAlpha);
  return image->bitmap ? image : nullptr;
}

// The part of the image for `state`: frame state - 1 of ImageCount, the last one past the end.
RECT FrameOf(const Lookup& lookup, int part, int state, const Image& image) {
  int layout = IL_HORIZONTAL, count = 1;
  FindEnum(lookup, part, state, TMT_IMAGELAYOUT, &layout);
  FindInt(lookup, part, state, TMT_IMAGECOUNT, &count);
  const int index = std::max(std::min(count, state), 1) - 1;
  if (count < 1) count = 1;
  const int width = image.layout.width;
  const int height = std::abs(image.layout.height);
  if (layout == IL_VERTICAL) {
    const int each = height / count;
    return {0, index * each, width, index * each + each};
  }
  const int each = width / count;
  return {index * each, 0, index * each + each, height};
}

// Which image file draws the background or the glyph: for a part with an image glyph its ImageFile
// is the background; otherwise ImageFile1..7 chosen by dpi or by size, then ImageFile (or
// GlyphImageFile for the glyph). `imageDpi` gets the dpi the chosen image is drawn for.
const Value* SelectImage(const Lookup& lookup, int part, int state, const RECT& rect, bool glyph, int* imageDpi) {
  *imageDpi = ImageBaseDpi;
  if (!glyph) {
    int glyphType = GT_NONE;
    FindEnum(lookup, part, state, TMT_GLYPHTYPE, &glyphType);
    const Value* background = FileName(lookup, part, state, TMT_IMAGEFILE);
    if (glyphType == GT_IMAGEGLYPH && background) return background;
  }
  int selectType = IST_NONE;
  FindEnum(lookup, part, state, TMT_IMAGESELECTTYPE, &selectType);
  const Value* chosen = nullptr;
  if (selectType == IST_DPI) {
    const int dpi = lookup.style->dpi;
    for (int i = ImageChoices - 1; i >= 0; --i) {
      int wanted = 0;
      if (FindInt(lookup, part, state, MinDpiProperties[i], &wanted) && wanted != 0 && dpi >= wanted) {
        *imageDpi = wanted;
        return FileName(lookup, part, state, ImageFileProperties[i]);
      }
    }
    chosen = FileName(lookup, part, state, TMT_IMAGEFILE1);
  } else if (selectType == IST_SIZE) {
    const POINT size = {rect.right - rect.left, rect.bottom - rect.top};
    for (int i = ImageChoices - 1; i >= 0; --i) {
      const Value* file = FileName(lookup, part, state, ImageFileProperties[i]);
      if (!file) continue;
      POINT wanted;
      if (!FindPosition(lookup, part, state, MinSizeProperties[i], &wanted)) {
        // Without MinSizeN the image's own frame is the size it needs.
        const auto known = lookup.style->images.find(Lower(file->text));
        if (known == lookup.style->images.end()) continue;
        const Image* image = known->second.get();
        int layout = IL_HORIZONTAL, count = 1;
        FindEnum(lookup, part, state, TMT_IMAGELAYOUT, &layout);
        FindInt(lookup, part, state, TMT_IMAGECOUNT, &count);
        count = std::max(count, 1);
        const int width = image->layout.width, height = std::abs(image->layout.height);
        wanted = layout == IL_VERTICAL ? POINT{width, height / count} : POINT{width / count, height};
      }
      if (wanted.x <= size.x && wanted.y <= size.y) return file;
    }
    chosen = FileName(lookup, part, state, TMT_IMAGEFILE1);
  }
  if (!chosen) chosen = FileName(lookup, part, state, glyph ? TMT_GLYPHIMAGEFILE : TMT_IMAGEFILE);
  return chosen;
}

bool LoadFrame(const Lookup& lookup, int part, int state, const RECT& rect, bool glyph, Frame* frame,
               int* imageDpi = nullptr) {
  int dpi = ImageBaseDpi;
  const Image* image = ImageOf(lookup, SelectImage(lookup, part, state, rect, glyph, &dpi));
  if (!image) return false;
  frame->bitmap = image->bitmap;
  frame->hasAlpha = image->hasAlpha;
  frame->source = FrameOf(lookup, part, state, *image);
  if (imageDpi) *imageDpi = dpi;
  return true;
}

void TransparencyOf(const Lookup& lookup, int part, int state, bool hasAlpha, bool glyph, Blend* blend,
                    COLORREF* colour) {
  *colour = DefaultTransparentColour;
  if (hasAlpha) {
    *blend = Blend::Alpha;
    return;
  }
  bool transparent = false;
  FindBool(lookup, part, state, glyph ? TMT_GLYPHTRANSPARENT : TMT_TRANSPARENT, &transparent);
  *blend = transparent ? Blend::ColourKey : Blend::Copy;
  if (transparent) FindColour(lookup, part, state, glyph ? TMT_GLYPHTRANSPARENTCOLOR : TMT_TRANSPARENTCOLOR, colour);
}

// Set while a part is drawn into the kept drawings' DIB section (DrawKept).
bool DrawingKept = false;

bool OnlyRepeats(int length, int sourceLength) { return length > 0 && (sourceLength == length || sourceLength == 1); }

bool PutImage(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
              int sourceHeight, Blend blend, COLORREF colour) {
  const int oldMode = SetStretchBltMode(target, HALFTONE);
  POINT oldOrigin;
  SetBrushOrgEx(target, x, y, &oldOrigin);
  BOOL done;
  if (blend == Blend::ColourKey) {
    done = TransparentBlt(target, x, y, std::abs(width), std::abs(height), source, sourceX, sourceY,
                          std::abs(sourceWidth), std::abs(sourceHeight), colour);
  } else {
    const BLENDFUNCTION byAlpha = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    done = blend == Blend::Alpha && AlphaBlend(target, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                                               sourceHeight, byAlpha);
    if (!done) {
      // Into the kept drawings' 32-bit DIB section, a stretch that only repeats pixels (one source
      // pixel drawn across many, or none stretched) comes out the same in either mode, and halftone
      // is the slow one under Wine.
      if (DrawingKept && OnlyRepeats(width, sourceWidth) && OnlyRepeats(height, sourceHeight)) {
        SetStretchBltMode(target, COLORONCOLOR);
      }
      done = StretchBlt(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY);
    }
  }
  SetBrushOrgEx(target, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(target, oldMode);
  return done != FALSE;
}

bool PutSameSize(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, Blend blend,
                 COLORREF colour) {
  return PutImage(target, x, y, width, height, source, sourceX, sourceY, width, height, blend, colour);
}

// A piece stretched, or tiled: the source repeated into a bitmap of whole tiles first, which is
// then put down in one call.
bool PutSized(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
              int sourceHeight, int sizingType, Blend blend, COLORREF colour) {
  if (sizingType != ST_TILE) {
    return PutImage(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend, colour);
  }
  if (!sourceWidth || !sourceHeight) return true;
  if (sourceWidth >= width && sourceHeight >= height) {
    return PutSameSize(target, x, y, std::min(width, sourceWidth), std::min(height, sourceHeight), source, sourceX, sourceY,
                       blend, colour);
  }
  const HDC tiles = CreateCompatibleDC(source);
  if (!tiles) return false;
  bool done = false;
  const int tilesWidth = ((width + sourceWidth - 1) / sourceWidth) * sourceWidth;
  const int tilesHeight = ((height + sourceHeight - 1) / sourceHeight) * sourceHeight;
  UniqueGdiObject<HBITMAP> tileBitmap(CreateCompatibleBitmap(source, tilesWidth, tilesHeight));
  {
    ScopedSelection selected(tiles, tileBitmap.get());
    BitBlt(tiles, 0, 0, sourceWidth, sourceHeight, source, sourceX, sourceY, SRCCOPY);
    // Doubling the filled width, then height, at each step.
    for (int filled = sourceWidth, step = sourceWidth; filled < tilesWidth; filled += step, step *= 2) {
      step = std::min(step, tilesWidth - filled);
      BitBlt(tiles, filled, 0, step, sourceHeight, tiles, 0, 0, SRCCOPY);
    }
    for (int filled = sourceHeight, step = sourceHeight; filled < tilesHeight; filled += step, step *= 2) {
      step = std::min(step, tilesHeight - filled);
      BitBlt(tiles, 0, filled, tilesWidth, step, tiles, 0, 0, SRCCOPY);
    }
    done = PutSameSize(target, x, y, width, height, tiles, 0, 0, blend, colour);
  }
  DeleteDC(tiles);
  return done;
}

// GetThemePartSize of an image part.
bool ImagePartSize(const Lookup& lookup, int part, int state, const RECT* bounds, THEMESIZE which, POINT* size) {
  Frame frame;
  int imageDpi = ImageBaseDpi;
  const RECT none = {};
  if (!LoadFrame(lookup, part, state, bounds ? *bounds : none, false, &frame, &imageDpi)) return false;
  POINT source = {frame.source.right - frame.source.left, frame.source.bottom - frame.source.top};
  if (which != TS_DRAW) {
    *size = source;
    return true;
  }
  int sizingType = ST_STRETCH, scalingType = TSST_NONE, stretchMark = 0;
  FindEnum(lookup, part, state, TMT_SIZINGTYPE, &sizingType);
  if (sizingType == ST_TRUESIZE) {
    FindEnum(lookup, part, state, TMT_TRUESIZESCALINGTYPE, &scalingType);
    FindInt(lookup, part, state, TMT_TRUESIZESTRETCHMARK, &stretchMark);
    // Scaled for the dpi only when it exceeds the image's by the stretch mark, in percent.
    const int dpi = lookup.style->dpi;
    if (scalingType == TSST_DPI && dpi != imageDpi && MulDiv(Percent, dpi, imageDpi) >= stretchMark + Percent) {
      source.x = MulDiv(source.x, dpi, imageDpi);
      source.y = MulDiv(source.y, dpi, imageDpi);
    }
  }
  *size = source;
  if (!bounds) return true;
  POINT target = {bounds->right - bounds->left, bounds->bottom - bounds->top};
  bool uniform = false;
  FindBool(lookup, part, state, TMT_UNIFORMSIZING, &uniform);
  if (uniform) {
    if (target.x * source.y < target.y * source.x) target.y = MulDiv(source.y, target.x, source.x);
    else target.x = MulDiv(source.x, target.y, source.y);
  }
  if (sizingType == ST_TRUESIZE) {
    if (target.x < 0 || target.y < 0 || (target.x < source.x && target.y < source.y) ||
        (scalingType == TSST_SIZE && MulDiv(Percent, target.x, source.x) >= stretchMark + Percent &&
         MulDiv(Percent, target.y, source.y) >= stretchMark + Percent)) {
      *size = target;
    }
  } else {
    *size = {std::abs(target.x), std::abs(target.y)};
  }
  return true;
}

bool DrawImageBackground(const Lookup& lookup, int part, int state, HDC dc, RECT* rect) {
  Frame frame;
  if (!LoadFrame(lookup, part, state, *rect, false, &frame)) return false;
  SourceDc source(*lookup.style, frame.bitmap);
  if (!source.dc) return false;
  RECT target = *rect;
  Blend blend;
  COLORREF colour;
  TransparencyOf(lookup, part, state, frame.hasAlpha, false, &blend, &colour);
  POINT targetSize = {target.right - target.left, target.bottom - target.top};
  const POINT sourceSize = {frame.source.right - frame.source.left, frame.source.bottom - frame.source.top};
  const RECT& from = frame.source;
  int sizingType = ST_STRETCH;
  FindEnum(lookup, part, state, TMT_SIZINGTYPE, &sizingType);
  bool done = true;
  if (sizingType == ST_TRUESIZE) {
    int vertical = VA_CENTER, horizontal = HA_CENTER;
    POINT drawSize = {};
    ImagePartSize(lookup, part, state, rect, TS_DRAW, &drawSize);
    FindEnum(lookup, part, state, TMT_VALIGN, &vertical);
    FindEnum(lookup, part, state, TMT_HALIGN, &horizontal);
    if (horizontal == HA_CENTER) target.left += targetSize.x / 2 - drawSize.x / 2;
    else if (horizontal == HA_RIGHT) target.left = target.right - drawSize.x;
    if (vertical == VA_CENTER) target.top += targetSize.y / 2 - drawSize.y / 2;
    else if (vertical == VA_BOTTOM) target.top = target.bottom - drawSize.y;
    target.right = target.left + drawSize.x;
    target.bottom = target.top + drawSize.y;
    done = PutImage(dc, target.left, target.top, drawSize.x, drawSize.y, source.dc, from.left, from.top, sourceSize.x,
                    sourceSize.y, blend, colour);
  } else {
    targetSize = {std::abs(targetSize.x), std::abs(targetSize.y)};
    MARGINS margins = {};
    FindMargins(lookup, part, state, TMT_SIZINGMARGINS, &margins);
    // Margins wider or taller than the target shrink in the image's proportion.
    if (margins.cyTopHeight + margins.cyBottomHeight > targetSize.y) {
      margins.cyTopHeight = MulDiv(margins.cyTopHeight, targetSize.y, sourceSize.y);
      margins.cyBottomHeight = targetSize.y - margins.cyTopHeight;
    }
    if (margins.cxLeftWidth + margins.cxRightWidth > targetSize.x) {
      margins.cxLeftWidth = MulDiv(margins.cxLeftWidth, targetSize.x, sourceSize.x);
      margins.cxRightWidth = targetSize.x - margins.cxLeftWidth;
    }
    const int left = margins.cxLeftWidth, right = margins.cxRightWidth;
    const int top = margins.cyTopHeight, bottom = margins.cyBottomHeight;
    POINT origin;
    OffsetViewportOrgEx(dc, target.left, target.top, &origin);
    const HDC sourceDc = source.dc;
    // The four corners at their own size, then the edges and the middle sized.
    done = PutSameSize(dc, 0, 0, left, top, sourceDc, from.left, from.top, blend, colour) &&
           PutSameSize(dc, targetSize.x - right, 0, right, top, sourceDc, from.right - right, from.top, blend, colour) &&
           PutSameSize(dc, 0, targetSize.y - bottom, left, bottom, sourceDc, from.left, from.bottom - bottom, blend,
                       colour) &&
           PutSameSize(dc, targetSize.x - right, targetSize.y - bottom, right, bottom, sourceDc, from.right - right,
                       from.bottom - bottom, blend, colour);
    const int middleWidth = targetSize.x - (left + right), sourceMiddleWidth = sourceSize.x - (left + right);
    const int middleHeight = targetSize.y - (top + bottom), sourceMiddleHeight = sourceSize.y - (top + bottom);
    if (done && middleWidth > 0) {
      done = PutSized(dc, left, 0, middleWidth, top, sourceDc, from.left + left, from.top, sourceMiddleWidth, top,
                      sizingType, blend, colour) &&
             PutSized(dc, left, targetSize.y - bottom, middleWidth, bottom, sourceDc, from.left + left,
                      from.bottom - bottom, sourceMiddleWidth, bottom, sizingType, blend, colour);
    }
    if (done && middleHeight > 0) {
      done = PutSized(dc, 0, top, left, middleHeight, sourceDc, from.left, from.top + top, left, sourceMiddleHeight,
                      sizingType, blend, colour) &&
             PutSized(dc, targetSize.x - right, top, right, middleHeight, sourceDc, from.right - right, from.top + top,
                      right, sourceMiddleHeight, sizingType, blend, colour);
    }
    if (done && middleWidth > 0 && middleHeight > 0) {
      bool borderOnly = false;
      FindBool(lookup, part, state, TMT_BORDERONLY, &borderOnly);
      if (!borderOnly) {
        done = PutSized(dc, left, top, middleWidth, middleHeight, sourceDc, from.left + left, from.top + top,
                        sourceMiddleWidth, sourceMiddleHeight, sizingType, blend, colour);
      }
    }
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
  *rect = target;
  return done;
}

// An opaque background keeps an opaque destination when a glyph with alpha was blended onto it.
void MakeOpaque(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect) {
  // The kept drawings' DIB section is 32-bit; asking the driver costs 20 us under Wine.
  if (!DrawingKept && GetDeviceCaps(dc, BITSPIXEL) != KeptBitsPerPixel) return;
  int backgroundType = BT_BORDERFILL;
  if (!FindEnum(lookup, part, state, TMT_BGTYPE, &backgroundType) || backgroundType != BT_IMAGEFILE) return;
  Frame frame;
  if (!LoadFrame(lookup, part, state, rect, false, &frame) || frame.hasAlpha) return;
  const RGBQUAD alphaOnly = {0, 0, 0, 0xFF};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = 1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, rect.left, rect.top, std::abs(rect.right - rect.left), std::abs(rect.bottom - rect.top), 0, 0, 1,
                1, &alphaOnly, &info, DIB_RGB_COLORS, SRCPAINT);
}

bool DrawImageGlyph(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect) {
  Frame frame;
  if (!LoadFrame(lookup, part, state, rect, true, &frame)) return false;
  bool done;
  {
    SourceDc source(*lookup.style, frame.bitmap);
    if (!source.dc) return false;
    const POINT targetSize = {rect.right - rect.left, rect.bottom - rect.top};
    const POINT sourceSize = {frame.source.right - frame.source.left, frame.source.bottom - frame.source.top};
    Blend blend;
    COLORREF colour;
    TransparencyOf(lookup, part, state, frame.hasAlpha, true, &blend, &colour);
    int vertical = VA_CENTER, horizontal = HA_CENTER;
    FindEnum(lookup, part, state, TMT_VALIGN, &vertical);
    FindEnum(lookup, part, state, TMT_HALIGN, &horizontal);
    POINT at = {rect.left, rect.top};
    if (horizontal == HA_CENTER) at.x += targetSize.x / 2 - sourceSize.x / 2;
    else if (horizontal == HA_RIGHT) at.x += targetSize.x - sourceSize.x;
    if (vertical == VA_CENTER) at.y += targetSize.y / 2 - sourceSize.y / 2;
    else if (vertical == VA_BOTTOM) at.y += targetSize.y - sourceSize.y;
    done = PutSameSize(dc, at.x, at.y, sourceSize.x, sourceSize.y, source.dc, frame.source.left, frame.source.top,
                       blend, colour);
  }
  if (done && frame.hasAlpha) MakeOpaque(lookup, part, state, dc, rect);
  return done;
}

// A glyph that is a character of a font (GlyphIndex in GlyphFont, GlyphTextColor), aligned in the
// content as HAlign and VAlign say.
bool DrawFontGlyph(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect) {
  int index = 0;
  if (!FindInt(lookup, part, state, TMT_GLYPHINDEX, &index) || index <= 0 || index > 0xFFFF) return true;
  const Value* fontValue = FindValue(lookup, part, state, TMT_GLYPHFONT, TMT_FONT);
  UniqueGdiObject<HFONT> font;
  if (fontValue) {
    const LOGFONTW logFont = FontFromValue(*fontValue, lookup.style->dpi);
    font.reset(CreateFontIndirectW(&logFont));
  }
  COLORREF colour = DefaultGlyphTextColour;
  FindColour(lookup, part, state, TMT_GLYPHTEXTCOLOR, &colour);
  int vertical = VA_CENTER, horizontal = HA_CENTER;
  FindEnum(lookup, part, state, TMT_VALIGN, &vertical);
  FindEnum(lookup, part, state, TMT_HALIGN, &horizontal);
  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
  format |= horizontal == HA_LEFT ? DT_LEFT : horizontal == HA_RIGHT ? DT_RIGHT : DT_CENTER;
  format |= vertical == VA_TOP ? DT_TOP : vertical == VA_BOTTOM ? DT_BOTTOM : DT_VCENTER;
  wchar_t glyph[2] = {static_cast<wchar_t>(index), 0};
  RECT area = rect;
  ScopedSelection selected(dc, font.get());
  const COLORREF oldColour = SetTextColor(dc, colour);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const bool done = DrawTextW(dc, glyph, 1, &area, format) != 0;
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  return done;
}

bool DrawGlyph(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect) {
  int glyphType = GT_NONE;
  FindEnum(lookup, part, state, TMT_GLYPHTYPE, &glyphType);
  if (glyphType == GT_IMAGEGLYPH) return DrawImageGlyph(lookup, part, state, dc, rect);
  if (glyphType == GT_FONTGLYPH) return DrawFontGlyph(lookup, part, state, dc, rect);
  return true;
}

bool DrawBorderBackground(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect) {
  RECT inside = rect;
  int borderSize = DefaultBorderSize;
  FindInt(lookup, part, state, TMT_BORDERSIZE, &borderSize);
  if (borderSize > 0) {
    const POINT corners[] = {{rect.left, rect.top}, {rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1},
                             {rect.left, rect.bottom - 1}, {rect.left, rect.top}};
    InflateRect(&inside, -borderSize, -borderSize);
    COLORREF borderColour = DefaultBorderColour;
    FindColour(lookup, part, state, TMT_BORDERCOLOR, &borderColour);
    UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, borderSize, borderColour));
    if (!pen) return false;
    ScopedSelection selected(dc, pen.get());
    if (!Polyline(dc, corners, 5)) return false;
  }
  int fillType = FT_SOLID;
  FindEnum(lookup, part, state, TMT_FILLTYPE, &fillType);
  if (fillType == FT_SOLID) {
    COLORREF fillColour = DefaultFillColour;
    FindColour(lookup, part, state, TMT_FILLCOLOR, &fillColour);
    UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(fillColour));
    return brush && FillRect(dc, &inside, brush.get());
  }
  if (fillType == FT_VERTGRADIENT || fillType == FT_HORZGRADIENT) {
    COLORREF from = DefaultGradientStart, to = DefaultGradientEnd;
    FindColour(lookup, part, state, TMT_GRADIENTCOLOR1, &from);
    FindColour(lookup, part, state, TMT_GRADIENTCOLOR2, &to);
    TRIVERTEX ends[2] = {
        {inside.left, inside.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
         static_cast<COLOR16>(GetBValue(from) << 8), OpaqueGradientAlpha},
        {inside.right, inside.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
         static_cast<COLOR16>(GetBValue(to) << 8), OpaqueGradientAlpha}};
    GRADIENT_RECT span = {0, 1};
    GradientFill(dc, ends, 2, &span, 1, fillType == FT_HORZGRADIENT ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
  }
  return true;
}

std::wstring SectionLabel(const std::wstring& className, const PartState& partState) {
  return L"[" + className + L" part " + std::to_wstring(partState.first) + L" state " +
         std::to_wstring(partState.second) + L"]";
}

}  // namespace

bool CheckPartImages(const Style& style, const std::wstring& label, std::wstring* problem) {
  for (const auto& named : style.ini.classes) {
    const std::wstring& key = named.first;
    const size_t colons = key.find(L"::");
    const std::wstring app = colons == std::wstring::npos ? L"" : key.substr(0, colons);
    const std::wstring className = colons == std::wstring::npos ? key : key.substr(colons + 2);
    Lookup lookup;
    if (!MakeLookup(&style, app.c_str(), className.c_str(), &lookup)) continue;
    for (const auto& section : named.second) {
      const int part = section.first.first, state = section.first.second;
      int glyphType = GT_NONE, sizingType = ST_STRETCH;
      FindEnum(lookup, part, state, TMT_GLYPHTYPE, &glyphType);
      FindEnum(lookup, part, state, TMT_SIZINGTYPE, &sizingType);
      MARGINS margins = {};
      FindMargins(lookup, part, state, TMT_SIZINGMARGINS, &margins);
      // The images the part's background and glyph can be drawn from, as SelectImage picks them.
      int selectType = IST_NONE;
      FindEnum(lookup, part, state, TMT_IMAGESELECTTYPE, &selectType);
      auto candidates = [&](int fallback) {
        std::vector<int> files;
        if (selectType == IST_DPI || selectType == IST_SIZE) {
          files.assign(std::begin(ImageFileProperties), std::end(ImageFileProperties));
          if (!FileName(lookup, part, state, TMT_IMAGEFILE1)) files.push_back(fallback);
        } else {
          files.push_back(fallback);
        }
        return files;
      };
      const bool ownBackground = glyphType == GT_IMAGEGLYPH && FileName(lookup, part, state, TMT_IMAGEFILE);
      std::vector<std::pair<int, bool>> files;  // property, whether a glyph
      for (int property : ownBackground ? std::vector<int>{TMT_IMAGEFILE} : candidates(TMT_IMAGEFILE)) {
        files.emplace_back(property, false);
      }
      if (glyphType == GT_IMAGEGLYPH) {
        for (int property : candidates(TMT_GLYPHIMAGEFILE)) files.emplace_back(property, true);
      }
      for (const auto& candidate : files) {
        const Value* file = FileName(lookup, part, state, candidate.first);
        const auto found = file ? style.images.find(Lower(file->text)) : style.images.end();
        if (found == style.images.end()) continue;
        const Image& image = *found->second;
        const RECT frame = FrameOf(lookup, part, state, image);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        const std::wstring where = label + L": " + SectionLabel(className, section.first) + L" ";
        if (width <= 0 || height <= 0) {
          *problem = where + L"cuts " + file->text + L" (" + std::to_wstring(image.layout.width) + L" x " +
                     std::to_wstring(std::abs(image.layout.height)) + L" pixels) into more images than it has pixels";
          return false;
        }
        if (!candidate.second && sizingType != ST_TRUESIZE &&
            (margins.cxLeftWidth + margins.cxRightWidth > width || margins.cyTopHeight + margins.cyBottomHeight > height)) {
          *problem = where + L"has sizing margins " + std::to_wstring(margins.cxLeftWidth) + L", " +
                     std::to_wstring(margins.cxRightWidth) + L", " + std::to_wstring(margins.cyTopHeight) + L", " +
                     std::to_wstring(margins.cyBottomHeight) + L" larger than the " + std::to_wstring(width) +
                     L" x " + std::to_wstring(height) + L" images of " + file->text;
          return false;
        }
      }
    }
  }
  return true;
}

namespace {

bool DrawDirect(const Lookup& lookup, int part, int state, int backgroundType, HDC dc, const RECT& rect,
                const RECT* clip) {
  // The clip region is narrowed for the drawing and given back as it was.
  UniqueGdiObject<HRGN> savedClip;
  int hadClip = -1;
  if (clip) {
    savedClip.reset(CreateRectRgn(0, 0, 1, 1));
    hadClip = GetClipRgn(dc, savedClip.get());
    if (hadClip != -1) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
  }
  // In a right-to-left DC GDI mirrors images; a part with MirrorImage = False keeps its own.
  const DWORD layout = GetLayout(dc);
  bool mirror = true;
  FindBool(lookup, part, state, TMT_MIRRORIMAGE, &mirror);
  const bool keepOrientation = layout != GDI_ERROR && (layout & LAYOUT_RTL) && !mirror;
  if (keepOrientation) SetLayout(dc, layout | LAYOUT_BITMAPORIENTATIONPRESERVED);
  RECT drawn = rect;
  bool done = false;
  if (backgroundType == BT_IMAGEFILE) done = DrawImageBackground(lookup, part, state, dc, &drawn);
  else if (backgroundType == BT_BORDERFILL) done = DrawBorderBackground(lookup, part, state, dc, rect);
  if (done) done = DrawGlyph(lookup, part, state, dc, drawn);
  if (keepOrientation) SetLayout(dc, layout);
  if (clip) {
    if (hadClip == 0) SelectClipRgn(dc, nullptr);
    else if (hadClip == 1) SelectClipRgn(dc, savedClip.get());
  }
  return done;
}

// Whether all the part draws stays inside `rect`: an image of its true size or a glyph larger than
// the rectangle spills over it, and a font glyph is drawn in the DC's own font when the part names
// none.
bool DrawnInside(const Lookup& lookup, int part, int state, const RECT& rect) {
  POINT size = {rect.right - rect.left, rect.bottom - rect.top};
  int sizingType = ST_STRETCH;
  FindEnum(lookup, part, state, TMT_SIZINGTYPE, &sizingType);
  if (sizingType == ST_TRUESIZE) {
    POINT drawn = {};
    if (!ImagePartSize(lookup, part, state, &rect, TS_DRAW, &drawn) || drawn.x < 0 || drawn.y < 0 ||
        drawn.x > size.x || drawn.y > size.y) {
      return false;
    }
    size = drawn;
  }
  int glyphType = GT_NONE;
  FindEnum(lookup, part, state, TMT_GLYPHTYPE, &glyphType);
  if (glyphType == GT_FONTGLYPH) return false;
  Frame glyph;
  const RECT background = {0, 0, size.x, size.y};
  if (glyphType != GT_IMAGEGLYPH || !LoadFrame(lookup, part, state, background, true, &glyph)) return true;
  return glyph.source.right - glyph.source.left <= size.x && glyph.source.bottom - glyph.source.top <= size.y;
}

// A DC whose pixels are 32-bit and whose coordinates are plain pixels: its rectangle can be copied
// out and back without a pixel changing. GetDeviceCaps asks the display driver (20 us under Wine),
// so a window DC's depth is the screen's, asked once.
bool PlainThirtyTwoBitDc(KeptDrawings& kept, HDC dc) {
  if (GetLayout(dc) != 0 || GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE) return false;
  const DWORD type = GetObjectType(dc);
  if (type == OBJ_DC) {
    if (kept.screenBits == 0) {
      const HDC screen = GetDC(nullptr);
      kept.screenBits = GetDeviceCaps(screen, BITSPIXEL);
      ReleaseDC(nullptr, screen);
    }
    return kept.screenBits == KeptBitsPerPixel;
  }
  if (type != OBJ_MEMDC) return false;
  DIBSECTION section = {};
  const int size = GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  if (size < static_cast<int>(sizeof(BITMAP)) || section.dsBm.bmBitsPixel != KeptBitsPerPixel) return false;
  // A DIB section with colour masks of its own is not the kept drawings' format.
  return size != static_cast<int>(sizeof section) || section.dsBmih.biCompression != BI_BITFIELDS ||
         (section.dsBitfields[0] == KeptRedMask && section.dsBitfields[1] == KeptGreenMask &&
          section.dsBitfields[2] == KeptBlueMask);
}

// The DIB section a width x height part is drawn in, selected into the kept DC and at least that
// large; its size is rounded up, so that a window growing a little does not make it again.
Scratch* ReadyScratch(KeptDrawings& kept, int width, int height) {
  const int shape = height <= ScratchBand ? 0 : width <= ScratchBand ? 1 : 2;
  Scratch& scratch = kept.scratches[shape];
  if (width > scratch.width || height > scratch.height) {
    const auto roundUp = [](int length) { return (length + ScratchStep - 1) / ScratchStep * ScratchStep; };
    int scratchWidth = shape == 1 ? ScratchBand : roundUp(std::max(width, scratch.width));
    int scratchHeight = shape == 0 ? ScratchBand : roundUp(std::max(height, scratch.height));
    if (scratchWidth * scratchHeight > ScratchLargestArea) {
      scratchWidth = width;
      scratchHeight = height;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = scratchWidth;
    info.bmiHeader.biHeight = -scratchHeight;  // top-down: row y starts at y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = KeptBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
      if (bitmap) DeleteObject(bitmap);
      return nullptr;
    }
    if (!kept.dc) kept.dc = CreateCompatibleDC(nullptr);
    if (!kept.dc) {
      DeleteObject(bitmap);
      return nullptr;
    }
    if (kept.selected == shape) {
      SelectObject(kept.dc, kept.previous);
      kept.selected = -1;
    }
    if (scratch.bitmap) DeleteObject(scratch.bitmap);
    scratch = {bitmap, static_cast<uint32_t*>(bits), scratchWidth, scratchHeight};
  }
  if (kept.selected != shape) {
    const HGDIOBJ replaced = SelectObject(kept.dc, scratch.bitmap);
    if (kept.selected < 0) kept.previous = replaced;
    kept.selected = shape;
  }
  return &scratch;
}

void CopyOut(const Scratch& scratch, int width, int height, std::vector<uint32_t>* pixels) {
  pixels->resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(pixels->data() + static_cast<size_t>(y) * width, scratch.bits + static_cast<size_t>(y) * scratch.width,
                width * sizeof(uint32_t));
  }
}

void CopyIn(const Scratch& scratch, int width, int height, const std::vector<uint32_t>& pixels) {
  for (int y = 0; y < height; ++y) {
    std::memcpy(scratch.bits + static_cast<size_t>(y) * scratch.width, pixels.data() + static_cast<size_t>(y) * width,
                width * sizeof(uint32_t));
  }
}

bool SameDrawing(const KeptDrawing& drawing, const Lookup& lookup, int part, int state, int width, int height) {
  return drawing.part == part && drawing.state == state && drawing.width == width && drawing.height == height &&
         drawing.dpi == lookup.style->dpi && std::equal(std::begin(drawing.chain), std::end(drawing.chain),
                                                        std::begin(lookup.chain));
}

// Keeps a drawing, forgetting the least recently used ones beyond the count or the bytes allowed.
void Keep(KeptDrawings& kept, KeptDrawing drawing) {
  const size_t bytes = (drawing.ground.size() + drawing.drawn.size()) * sizeof(uint32_t);
  while (!kept.drawings.empty() &&
         (kept.drawings.size() >= KeptMostDrawings || kept.bytes + bytes > KeptMostBytes)) {
    const auto earlier = [](const KeptDrawing& a, const KeptDrawing& b) { return a.lastUse < b.lastUse; };
    const auto oldest = std::min_element(kept.drawings.begin(), kept.drawings.end(), earlier);
    kept.bytes -= (oldest->ground.size() + oldest->drawn.size()) * sizeof(uint32_t);
    *oldest = std::move(kept.drawings.back());
    kept.drawings.pop_back();
  }
  kept.bytes += bytes;
  kept.drawings.push_back(std::move(drawing));
}

// The part drawn over a copy of what `rect` of `dc` holds, or the pixels it came out as the last
// time over the same ground, and put down in one copy.
bool DrawKept(const Lookup& lookup, int part, int state, int backgroundType, HDC dc, const RECT& rect) {
  KeptDrawings& kept = lookup.style->kept;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const Scratch* scratch = ReadyScratch(kept, width, height);
  if (!scratch || !BitBlt(kept.dc, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY)) {
    return DrawDirect(lookup, part, state, backgroundType, dc, rect, nullptr);
  }
  GdiFlush();
  CopyOut(*scratch, width, height, &kept.ground);
  KeptDrawing* found = nullptr;
  for (KeptDrawing& drawing : kept.drawings) {
    if (SameDrawing(drawing, lookup, part, state, width, height) && drawing.ground == kept.ground) {
      found = &drawing;
      break;
    }
  }
  bool done;
  if (found) {
    CopyIn(*scratch, width, height, found->drawn);
    found->lastUse = ++kept.clock;
    done = found->done;
  } else {
    const RECT inScratch = {0, 0, width, height};
    const int saved = SaveDC(kept.dc);
    DrawingKept = true;
    done = DrawDirect(lookup, part, state, backgroundType, kept.dc, inScratch, nullptr);
    DrawingKept = false;
    RestoreDC(kept.dc, saved);
    GdiFlush();
    KeptDrawing drawing;
    std::copy(std::begin(lookup.chain), std::end(lookup.chain), std::begin(drawing.chain));
    drawing.part = part;
    drawing.state = state;
    drawing.width = width;
    drawing.height = height;
    drawing.dpi = lookup.style->dpi;
    drawing.ground = kept.ground;
    CopyOut(*scratch, width, height, &drawing.drawn);
    drawing.done = done;
    drawing.lastUse = ++kept.clock;
    Keep(kept, std::move(drawing));
  }
  BitBlt(dc, rect.left, rect.top, width, height, kept.dc, 0, 0, SRCCOPY);
  return done;
}

}  // namespace

bool DrawBackground(const Lookup& lookup, int part, int state, HDC dc, const RECT& rect, const RECT* clip) {
  int backgroundType = BT_BORDERFILL;
  FindEnum(lookup, part, state, TMT_BGTYPE, &backgroundType);
  if (backgroundType == BT_NONE) return true;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (backgroundType == BT_IMAGEFILE && !clip && width > 0 && height > 0 && width <= KeptLargestSide &&
      height <= KeptLargestSide && width * height <= KeptLargestArea && PlainThirtyTwoBitDc(lookup.style->kept, dc) &&
      DrawnInside(lookup, part, state, rect)) {
    try {
      return DrawKept(lookup, part, state, backgroundType, dc, rect);
    } catch (const std::bad_alloc&) {
      // No memory to keep it: drawn as it always was.
    }
  }
  return DrawDirect(lookup, part, state, backgroundType, dc, rect, clip);
}

void ReleaseKeptDrawings(const Style& style) {
  KeptDrawings& kept = style.kept;
  if (kept.sourceDc) DeleteDC(kept.sourceDc);
  if (kept.dc) {
    if (kept.selected >= 0) SelectObject(kept.dc, kept.previous);
    DeleteDC(kept.dc);
  }
  for (const Scratch& scratch : kept.scratches) {
    if (scratch.bitmap) DeleteObject(scratch.bitmap);
  }
  kept = KeptDrawings();
}

bool ContentRect(const Lookup& lookup, int part, int state, const RECT& bounds, RECT* content) {
  MARGINS margins;
  if (FindMargins(lookup, part, state, TMT_CONTENTMARGINS, &margins)) {
    *content = {bounds.left + margins.cxLeftWidth, bounds.top + margins.cyTopHeight,
                bounds.right - margins.cxRightWidth, bounds.bottom - margins.cyBottomHeight};
    return true;
  }
  *content = bounds;
  int backgroundType = BT_BORDERFILL;
  FindEnum(lookup, part, state, TMT_BGTYPE, &backgroundType);
  if (backgroundType == BT_BORDERFILL) {
    int borderSize = DefaultBorderSize;
    FindInt(lookup, part, state, TMT_BORDERSIZE, &borderSize);
    InflateRect(content, -borderSize, -borderSize);
  } else if (backgroundType == BT_IMAGEFILE && FindMargins(lookup, part, state, TMT_SIZINGMARGINS, &margins)) {
    *content = {bounds.left + margins.cxLeftWidth, bounds.top + margins.cyTopHeight,
                bounds.right - margins.cxRightWidth, bounds.bottom - margins.cyBottomHeight};
  }
  return true;
}

bool PartSize(const Lookup& lookup, int part, int state, const RECT* bounds, THEMESIZE which, SIZE* size) {
  int backgroundType = BT_BORDERFILL;
  FindEnum(lookup, part, state, TMT_BGTYPE, &backgroundType);
  POINT found = {1, 1};
  bool done = true;
  if (backgroundType == BT_IMAGEFILE) {
    done = ImagePartSize(lookup, part, state, bounds, which, &found);
  } else if (backgroundType == BT_BORDERFILL) {
    int borderSize = DefaultBorderSize;
    done = FindInt(lookup, part, state, TMT_BORDERSIZE, &borderSize);
    if (done) found.x = found.y = 2 * borderSize + (which != TS_MIN ? 1 : 0);
  }
  if (done) *size = {found.x, found.y};
  return done;
}

int ImageCount(const Lookup& lookup, int part, int state) {
  int count = 1;
  FindInt(lookup, part, state, TMT_IMAGECOUNT, &count);
  return count < 1 ? 1 : count;
}

}  // namespace skin::styles
