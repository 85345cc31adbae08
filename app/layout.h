// The stored layout of the two windows, in twips as designed (15 twips are one pixel at 96 dpi).
#pragma once

#include <windows.h>

namespace app {

inline constexpr int TwipsPerPixel = 15;

struct TwipsRect {
  int left, top, width, height;
};

inline constexpr int TwipsToPixels(int twips) { return twips / TwipsPerPixel; }

inline RECT ToPixels(const TwipsRect& twips) {
  const int left = TwipsToPixels(twips.left);
  const int top = TwipsToPixels(twips.top);
  return RECT{left, top, left + TwipsToPixels(twips.width), top + TwipsToPixels(twips.height)};
}

// A font as the layout names it: face, size in hundredths of a point, weight, underline. Every
// font of the program uses the GB2312 character set.
struct FontDesign {
  const char* face;
  int centiPoints;
  int weight;
  bool underline;
};

// Creates the font for a 96-dpi-designed layout; the caller deletes it.
HFONT CreateLayoutFont(const FontDesign& font);

// Client area of Form1 and Form2.
inline constexpr TwipsRect MainClientArea{0, 0, 5895, 2205};
inline constexpr TwipsRect InstructionsClientArea{0, 0, 5880, 2025};

}  // namespace app
