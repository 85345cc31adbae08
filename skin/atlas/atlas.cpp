// Builds the five skin images into off-screen surfaces from their constant pixels.
#include "skin/atlas/atlas_pixels.h"
#include "skin/skin.h"

namespace skin {
namespace {

HDC BuildImage(const AtlasImage& image) {
  const HDC surface = CreateSurface(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) SetPixel(surface, x, y, image.pixels[y * image.width + x]);
  }
  return surface;
}

}  // namespace

void BuildSkinAtlas() {
  // A second build replaces the surfaces of the first instead of leaving them behind.
  ReleaseSkinAtlas();
  SkinAtlas.ButtonFaceStrip = BuildImage(ButtonFaceStripImage);
  SkinAtlas.ComboButtonParts = BuildImage(ComboButtonPartsImage);
  SkinAtlas.CheckGlyphs = BuildImage(CheckGlyphsImage);
  SkinAtlas.OptionCircleStrip = BuildImage(OptionCircleStripImage);
  SkinAtlas.HeaderFaceStrip = BuildImage(HeaderFaceStripImage);
}

void ReleaseSkinAtlas() {
  for (HDC* surface : {&SkinAtlas.ButtonFaceStrip, &SkinAtlas.ComboButtonParts,
                       &SkinAtlas.CheckGlyphs, &SkinAtlas.OptionCircleStrip,
                       &SkinAtlas.HeaderFaceStrip}) {
    ReleaseSurface(*surface);
    *surface = nullptr;
  }
}

}  // namespace skin
