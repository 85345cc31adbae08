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

void PrepareKeyed(HDC surface, const AtlasImage& image) {
  PrepareKeyedImage(surface, image.width, image.height);
}

}  // namespace

void BuildSkinAtlas() {
  // A second build replaces the surfaces of the first instead of leaving them behind.
  ReleaseSkinAtlas();
  // First, so that the images are made from the kept display DC.
  KeepDrawingObjects();
  SkinAtlas.ButtonFaceStrip = BuildImage(ButtonFaceStripImage);
  SkinAtlas.ComboButtonParts = BuildImage(ComboButtonPartsImage);
  SkinAtlas.CheckGlyphs = BuildImage(CheckGlyphsImage);
  SkinAtlas.OptionCircleStrip = BuildImage(OptionCircleStripImage);
  SkinAtlas.HeaderFaceStrip = BuildImage(HeaderFaceStripImage);
  // The images drawn on magenta, which reach the controls through colour-keyed copies.
  PrepareKeyed(SkinAtlas.ComboButtonParts, ComboButtonPartsImage);
  PrepareKeyed(SkinAtlas.CheckGlyphs, CheckGlyphsImage);
  PrepareKeyed(SkinAtlas.OptionCircleStrip, OptionCircleStripImage);
}

void ReleaseSkinAtlas() {
  for (HDC* surface : {&SkinAtlas.ButtonFaceStrip, &SkinAtlas.ComboButtonParts,
                       &SkinAtlas.CheckGlyphs, &SkinAtlas.OptionCircleStrip,
                       &SkinAtlas.HeaderFaceStrip}) {
    ReleaseSurface(*surface);
    *surface = nullptr;
  }
  ReleaseDrawingObjects();
}

}  // namespace skin
