// Builds the current theme's five images into off-screen surfaces, and opens the visual style it
// wears.
#include "skin/engine.h"

namespace skin {
namespace {

HDC BuildImage(look::Image image) {
  const SIZE size = look::ImageSize(image);
  const std::vector<COLORREF>& pixels = look::CurrentTheme().Images[image];
  const HDC surface = CreateSurface(size.cx, size.cy);
  if (pixels.size() != static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy)) return surface;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) SetPixel(surface, x, y, pixels[static_cast<size_t>(y * size.cx + x)]);
  }
  return surface;
}

void PrepareKeyed(HDC surface, look::Image image) {
  const SIZE size = look::ImageSize(image);
  PrepareKeyedImage(surface, size.cx, size.cy);
}

}  // namespace

void BuildSkinAtlas() {
  // A second build replaces the surfaces of the first instead of leaving them behind.
  ReleaseSkinAtlas();
  // First, so that the images are made from the kept display DC.
  KeepDrawingObjects();
  SkinAtlas.ButtonFaceStrip = BuildImage(look::ImageButtonFaces);
  SkinAtlas.ComboButtonParts = BuildImage(look::ImageComboParts);
  SkinAtlas.CheckGlyphs = BuildImage(look::ImageCheckGlyphs);
  SkinAtlas.OptionCircleStrip = BuildImage(look::ImageOptionCircles);
  SkinAtlas.HeaderFaceStrip = BuildImage(look::ImageHeaderFaces);
  // The images drawn on magenta, which reach the controls through colour-keyed copies.
  PrepareKeyed(SkinAtlas.ComboButtonParts, look::ImageComboParts);
  PrepareKeyed(SkinAtlas.CheckGlyphs, look::ImageCheckGlyphs);
  PrepareKeyed(SkinAtlas.OptionCircleStrip, look::ImageOptionCircles);
  look::OpenStyleInUse();
}

void ReleaseSkinAtlas() {
  for (HDC* surface : {&SkinAtlas.ButtonFaceStrip, &SkinAtlas.ComboButtonParts,
                       &SkinAtlas.CheckGlyphs, &SkinAtlas.OptionCircleStrip,
                       &SkinAtlas.HeaderFaceStrip}) {
    ReleaseSurface(*surface);
    *surface = nullptr;
  }
  look::CloseStyleInUse();
  ReleaseDrawingObjects();
}

}  // namespace skin
