// The theme in use, the two built-in themes, and the atlas parts the painters draw with.
#include <iterator>
#include <utility>

#include "skin/atlas/atlas_pixels.h"
#include "skin/atlas/dark_atlas_pixels.h"
#include "skin/engine.h"

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

Theme Make(const wchar_t* name, bool content, const COLORREF (&colours)[RoleCount],
           const AtlasImage* const (&images)[ImageCount]) {
  Theme theme;
  theme.Name = name;
  theme.ColoursContent = content;
  std::copy(std::begin(colours), std::end(colours), theme.Colours);
  // The sizes are the same in both built-in themes.
  const int sizes[SizeCount] = {2, 4, 4, 8, 2};
  std::copy(std::begin(sizes), std::end(sizes), theme.Sizes);
  for (int i = 0; i < ImageCount; ++i) theme.Images[i] = PixelsOf(*images[i]);
  return theme;
}

// The light look: light-blue rounded faces, blue one-pixel borders, green marks, light blue-white
// title bars and frames. Its content
// colours are never applied; they are what a theme folder that colours content falls back to.
constexpr COLORREF LightColours[] = {
    0x00D5A554, 0x00E9CFA4, 0x00D5A554, 0x00C48639, 0x00E9CFA4, 0x00FFFFFF, 0x00000000,
    0x00968A79, 0x00F6D64C, 0x005F5519, 0x00ACA584,
    0x00FFFFFF, 0x00000000, 0x00F0F0F0, 0x00000000, 0x00D47600, 0x00FFFFFF, 0x006D6D6D,
    0x00E1FFFF, 0x00000000,
    0x00F8E8D6, 0x00F7F2EE, 0x00503018, 0x009B8C80, 0x00F2D8BC, 0x00E6BE96, 0x00C0B4AA,
    0x00F8E8D6, 0x00F7F2EE, 0x00D5A554, 0x00E9CFA4,
    0x00FFFCFA, 0x00503018, 0x00F7E4CC, 0x00503018, 0x00A09890, 0x00E8DED6, 0x00D5A554,
    0x00FCF6F0,
    0x00F5F0EC, 0x00E9CFA4, 0x00E2CDB8, 0x00E6BE96, 0x00D5A554, 0x00F2D8BC, 0x00E6BE96,
    0x00A0A0A0, 0x00FFFFFF, 0x00696969, 0x00E3E3E3, 0x00ABABAB, 0x00CC6600,
};

// The dark look: dark grey faces, content, title bars and frames, muted blue borders, light text
// and marks.
constexpr COLORREF DarkColours[] = {
    0x00996E3D, 0x004E4946, 0x00BE8C5A, 0x00DCAA78, 0x004E4946, 0x00221F1E, 0x00E6E6E6,
    0x00888380, 0x00D68434, 0x00D2CCC8, 0x006E6864,
    0x00221F1E, 0x00E6E6E6, 0x00302D2B, 0x00E6E6E6, 0x00784F26, 0x00FFFFFF, 0x00888380,
    0x00413F3C, 0x00E6E6E6,
    0x00302D2B, 0x00262424, 0x00E6E6E6, 0x00888380, 0x00504B48, 0x00784F26, 0x006E6864,
    0x00302D2B, 0x00262424, 0x00996E3D, 0x004E4946,
    0x00282626, 0x00E6E6E6, 0x00784F26, 0x00FFFFFF, 0x006E6864, 0x004E4946, 0x00996E3D,
    0x002B2928,
    0x002B2928, 0x00413F3C, 0x00585450, 0x00706B67, 0x00996E3D, 0x00504B48, 0x00784F26,
    0x004E4946, 0x005E5955, 0x001A1817, 0x003A3735, 0x001E1C1B, 0x00F0B070,
};

// One colour for every role, in the order of the roles.
static_assert(std::size(LightColours) == RoleCount && std::size(DarkColours) == RoleCount);

Theme& Current() {
  static Theme current = LightTheme();
  return current;
}

}  // namespace

Theme LightTheme() {
  static const AtlasImage* const images[ImageCount] = {
      &ButtonFaceStripImage, &ComboButtonPartsImage, &CheckGlyphsImage, &OptionCircleStripImage,
      &HeaderFaceStripImage};
  return Make(L"light", false, LightColours, images);
}

Theme DarkTheme() {
  static const AtlasImage* const images[ImageCount] = {
      &DarkButtonFaceStripImage, &DarkComboButtonPartsImage, &DarkCheckGlyphsImage,
      &DarkOptionCircleStripImage, &DarkHeaderFaceStripImage};
  return Make(L"dark", true, DarkColours, images);
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
