// The GDI objects the skin keeps between calls that are neither a window's nor the atlas's: the
// menu and caption fonts, solid brushes of the content colours, and the drawing toolkit's work
// surfaces. Each is made when first asked for; ReleaseKeptObjects frees them all at once.
#pragma once

#include <windows.h>

namespace skin {

enum KeptFont { KeptMenuFont, KeptCaptionFont, KeptSmallCaptionFont, KeptFontCount };

// The font as the system's non-client metrics give it now; 0 when they cannot be read.
HFONT KeptFontOf(KeptFont font);
// A solid brush of the colour, kept until the next release.
HBRUSH KeptBrushOf(COLORREF colour);
// Frees every kept object: at undress, at a theme switch and at a change of the system's settings.
// Each is made again when next needed.
void ReleaseKeptObjects();

}  // namespace skin
