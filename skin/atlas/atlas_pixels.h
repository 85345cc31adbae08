// The constant pixels of the five skin images, row by row from the top, each row from left to
// right, as COLORREF values 0x00BBGGRR. Magenta marks the pixels that are not part of a glyph or
// circle; the painters copy those images with it as the key colour.
#pragma once

#include <windows.h>

namespace skin {

inline constexpr COLORREF AtlasKeyColour = 0x00FF00FF;

struct AtlasImage {
  int width;
  int height;
  const COLORREF* pixels;  // width * height values, row-major
};

extern const AtlasImage ButtonFaceStripImage;    // 7 x 84: four 7 x 21 faces, one per state
extern const AtlasImage ComboButtonPartsImage;   // 15 x 18: hot and pressed drop faces, arrows
extern const AtlasImage CheckGlyphsImage;        // 18 x 24: tick, square, dot; enabled, disabled
extern const AtlasImage OptionCircleStripImage;  // 13 x 52: four 13 x 13 circles, one per state
extern const AtlasImage HeaderFaceStripImage;    // 9 x 20: normal, hot, pressed item faces

}  // namespace skin
