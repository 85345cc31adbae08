// The theme in use, the two built-in themes, and the atlas parts the painters draw with.
#include <iterator>
#include <utility>

#include "skin/atlas/atlas_pixels.h"
#include "skin/atlas/dark_atlas_pixels.h"
#include "skin/engine.h"
#include "skin/look/items.h"

namespace skin::look {
namespace {

// Where each part lies in its image: x, y, width, height, the step to its next cell, its
// nine-slice margins, and whether its key-coloured pixels are left out.
struct PieceEntry {
  PieceGeometry geometry;
  bool keyed;
};

constexpr PieceEntry Pieces[PieceCount] = {
    {{ImageButtonFaces, 0, 0, 7, 21, 0, 21, 3, 3, 3, 3}, false},    // PieceButtonFace
    {{ImageComboParts, 0, 0, 4, 18, 4, 0, 2, 1, 1, 1}, false},      // PieceComboFace
    {{ImageComboParts, 8, 0, 7, 4, 0, 4, 0, 0, 0, 0}, true},        // PieceComboArrow
    {{ImageCheckGlyphs, 0, 0, 9, 8, 9, 0, 0, 0, 0, 0}, true},       // PieceCheckTick
    {{ImageCheckGlyphs, 1, 9, 7, 7, 9, 0, 0, 0, 0, 0}, true},       // PieceCheckSquare
    {{ImageCheckGlyphs, 2, 18, 5, 5, 9, 0, 0, 0, 0, 0}, true},      // PieceOptionDot
    {{ImageOptionCircles, 0, 0, 13, 13, 0, 13, 5, 5, 5, 5}, true},  // PieceOptionCircle
    {{ImageOptionCircles, 1, 17, 11, 5, 0, 13, 0, 0, 0, 0}, false}, // PieceCheckFill
    {{ImageHeaderFaces, 0, 0, 3, 20, 3, 0, 1, 1, 1, 1}, false},     // PieceHeaderFace
    {{ImageHeaderFaces, 1, 0, 1, 20, 0, 0, 0, 0, 0, 0}, false},     // PieceHeaderBackground
};

std::vector<COLORREF> PixelsOf(const AtlasImage& image) {
  return std::vector<COLORREF>(image.pixels, image.pixels + image.width * image.height);
}

// A built-in theme: its colours, sizes and switch from the table of theme items, its images from
// the atlas pixels. The light look: light-blue rounded faces, blue one-pixel borders, green marks,
// light blue-white title bars and frames (its content colours are never applied; they are what a
// theme folder that colours content falls back to). The dark look: dark grey faces, content, title
// bars and frames, muted blue borders, light text and marks.
Theme Make(const wchar_t* name, bool dark, const AtlasImage* const (&images)[ImageCount]) {
  Theme theme;
  theme.Name = name;
  for (size_t i = 0; i < ThemeItemCount; ++i) {
    const ThemeItem& item = ThemeItems[i];
    const COLORREF value = dark ? item.Dark : item.Light;
    switch (item.Kind) {
      case ItemColour: theme.Colours[item.Index] = value; break;
      case ItemSize: theme.Sizes[item.Index] = static_cast<int>(value); break;
      case ItemSwitch: theme.ColoursContent = value != 0; break;
      default: break;
    }
  }
  for (int i = 0; i < ImageCount; ++i) theme.Images[i] = PixelsOf(*images[i]);
  return theme;
}

Theme& Current() {
  static Theme current = LightTheme();
  return current;
}

}  // namespace

Theme LightTheme() {
  static const AtlasImage* const images[ImageCount] = {
      &ButtonFaceStripImage, &ComboButtonPartsImage, &CheckGlyphsImage, &OptionCircleStripImage,
      &HeaderFaceStripImage};
  return Make(L"light", false, images);
}

Theme DarkTheme() {
  static const AtlasImage* const images[ImageCount] = {
      &DarkButtonFaceStripImage, &DarkComboButtonPartsImage, &DarkCheckGlyphsImage,
      &DarkOptionCircleStripImage, &DarkHeaderFaceStripImage};
  return Make(L"dark", true, images);
}

const Theme& CurrentTheme() { return Current(); }

void UseTheme(Theme theme) { Current() = std::move(theme); }

COLORREF Colour(Role role) { return Current().Colours[role]; }

int Size(SizeRole role) { return Current().Sizes[role]; }

const PieceGeometry& GeometryOf(Piece piece) { return Pieces[piece].geometry; }

SIZE ImageSize(Image image) {
  static const AtlasImage* const light[ImageCount] = {
      &ButtonFaceStripImage, &ComboButtonPartsImage, &CheckGlyphsImage, &OptionCircleStripImage,
      &HeaderFaceStripImage};
  return {light[image]->width, light[image]->height};
}

SIZE PieceSize(Piece piece) { return {Pieces[piece].geometry.Width, Pieces[piece].geometry.Height}; }

HDC ImageSurface(Image image) {
  switch (image) {
    case ImageButtonFaces: return SkinAtlas.ButtonFaceStrip;
    case ImageComboParts: return SkinAtlas.ComboButtonParts;
    case ImageCheckGlyphs: return SkinAtlas.CheckGlyphs;
    case ImageOptionCircles: return SkinAtlas.OptionCircleStrip;
    case ImageHeaderFaces: return SkinAtlas.HeaderFaceStrip;
    default: return nullptr;
  }
}

int DrawSlicedPiece(HDC dc, int x, int y, int width, int height, Piece piece, int index) {
  const PieceEntry& entry = Pieces[piece];
  const PieceGeometry& g = entry.geometry;
  return BlitSliced(dc, x, y, width, height, ImageSurface(g.Source), g.X + g.StepX * index,
                    g.Y + g.StepY * index, g.Width, g.Height, g.SliceLeft, g.SliceTop, g.SliceRight,
                    g.SliceBottom, entry.keyed ? std::optional<COLORREF>(KeyColour) : std::nullopt);
}

void DrawStretchedPiece(HDC dc, int x, int y, int width, int height, Piece piece, int index) {
  const PieceGeometry& g = Pieces[piece].geometry;
  StretchBlt(dc, x, y, width, height, ImageSurface(g.Source), g.X + g.StepX * index,
             g.Y + g.StepY * index, g.Width, g.Height, SRCCOPY);
}

void DrawKeyedPiece(HDC dc, int x, int y, Piece piece, int index) {
  const PieceGeometry& g = Pieces[piece].geometry;
  BlitTransparent(dc, x, y, g.Width, g.Height, ImageSurface(g.Source), g.X + g.StepX * index,
                  g.Y + g.StepY * index, KeyColour);
}

bool ColoursContent() { return Current().ColoursContent; }

COLORREF ContentColour(Role role, int systemColour) {
  return ColoursContent() ? Colour(role) : SystemColour(systemColour);
}

}  // namespace skin::look
