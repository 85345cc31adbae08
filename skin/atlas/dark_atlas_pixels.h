// The dark look's skin images: the same sizes, layout and key pixels as the light images in
// atlas_pixels.h, derived from them by scripts/make-dark-atlas.py.
#pragma once

#include "skin/atlas/atlas_pixels.h"

namespace skin {

extern const AtlasImage DarkButtonFaceStripImage;    // 7 x 84: four 7 x 21 faces, one per state
extern const AtlasImage DarkComboButtonPartsImage;   // 15 x 18: hot and pressed drop faces, arrows
extern const AtlasImage DarkCheckGlyphsImage;        // 18 x 24: tick, square, dot; enabled, disabled
extern const AtlasImage DarkOptionCircleStripImage;  // 13 x 52: four 13 x 13 circles, one per state
extern const AtlasImage DarkHeaderFaceStripImage;    // 9 x 20: normal, hot, pressed item faces

}  // namespace skin
