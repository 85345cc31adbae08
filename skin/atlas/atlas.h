// The atlas: the current theme's five images, built into off-screen surfaces while any window
// wears the skin.
#pragma once

#include <windows.h>

namespace skin {

struct SkinAtlasSurfaces {
  HDC ButtonFaceStrip;
  HDC ComboButtonParts;
  HDC CheckGlyphs;
  HDC OptionCircleStrip;
  HDC HeaderFaceStrip;
};

extern SkinAtlasSurfaces SkinAtlas;

// Creates the five atlas surfaces in SkinAtlas and writes every pixel, with the toolkit's kept
// objects and the masks of the three keyed images.
void BuildSkinAtlas();
// Releases the five surfaces, in the order they were built, and clears their handles; then the
// toolkit's kept objects.
void ReleaseSkinAtlas();

}  // namespace skin
