// The stored layout of the two windows, in twips as designed, and its conversion to pixels at the
// screen's density: a twip is 1/1440 inch, so 15 twips make a pixel at 96 dpi, 12 at 120 dpi and
// 10 at 144 dpi.
#pragma once

#include <windows.h>

namespace app {

inline constexpr int TwipsPerInch = 1440;
inline constexpr int DesignDpi = 96;

struct TwipsRect {
  int left, top, width, height;
};

// Pixels per inch across and down.
struct Dpi {
  int x, y;
};

// The screen's density (LOGPIXELSX and LOGPIXELSY of the screen's device context).
Dpi ScreenDpi();

// Twips to pixels at `dpi` pixels per inch, rounded to the nearest pixel, halves to the even one:
// 5895 twips are 393 pixels at 96 dpi, 491 at 120 dpi (491.25) and 590 at 144 dpi (589.5).
int TwipsToPixels(int twips, int dpi);

// A rectangle's position and size, each converted on its own, so that controls of the same
// stored size keep the same size in pixels.
RECT ToPixels(const TwipsRect& twips, Dpi dpi);
RECT ToPixels(const TwipsRect& twips);  // at the screen's density

// A length drawn as `pixels` at 96 dpi, at the screen's vertical density, and one across, at
// its horizontal density.
int ScaleFromDesign(int pixels);
int ScaleAcrossFromDesign(int pixels);

// A font as the layout names it: face, size in hundredths of a point, weight, underline. Every
// font of the program uses the GB2312 character set. The face is the Chinese name; `englishFace`
// is the same font's English name, taken where the system knows no font by the Chinese one.
struct FontDesign {
  const wchar_t* face;
  const wchar_t* englishFace;
  int centiPoints;
  int weight;
  bool underline;
};

// The character height of a font of `centiPoints` at `dpi`, rounded like the layout.
int FontPixelHeight(int centiPoints, int dpi);

// Creates the font at the screen's density; the caller deletes it.
HFONT CreateLayoutFont(const FontDesign& font);

// The command buttons and the frames' captions are in the system's default GUI font, as a
// Simplified Chinese system has it (9 points, GB2312). Where the system's own is another (another
// ANSI code page gives another size and character set), this creates that font, of the same face,
// for the caller to delete; where it is that font already, it returns null.
HFONT CreateChineseGuiFont();

// Client area of Form1 and Form2.
inline constexpr TwipsRect MainClientArea{0, 0, 5895, 2205};
inline constexpr TwipsRect InstructionsClientArea{0, 0, 5880, 2025};

}  // namespace app
