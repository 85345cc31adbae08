#include "app/layout.h"

namespace app {

namespace {
constexpr int CentiPointsPerInch = 7200;
constexpr BYTE Gb2312Charset = GB2312_CHARSET;

// value * numerator / denominator for non-negative values, to the nearest integer, halves to even.
int ScaleHalfEven(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long quotient = product / denominator;
  const long long twiceRemainder = 2 * (product % denominator);
  const bool up = twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0);
  return static_cast<int>(up ? quotient + 1 : quotient);
}
}  // namespace

Dpi ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  if (!screen) return Dpi{DesignDpi, DesignDpi};
  const Dpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return dpi.x > 0 && dpi.y > 0 ? dpi : Dpi{DesignDpi, DesignDpi};
}

int TwipsToPixels(int twips, int dpi) { return ScaleHalfEven(twips, dpi, TwipsPerInch); }

RECT ToPixels(const TwipsRect& twips, Dpi dpi) {
  const int left = TwipsToPixels(twips.left, dpi.x);
  const int top = TwipsToPixels(twips.top, dpi.y);
  return RECT{left, top, left + TwipsToPixels(twips.width, dpi.x),
              top + TwipsToPixels(twips.height, dpi.y)};
}

RECT ToPixels(const TwipsRect& twips) { return ToPixels(twips, ScreenDpi()); }

int ScaleFromDesign(int pixels) { return ScaleHalfEven(pixels, ScreenDpi().y, DesignDpi); }

int FontPixelHeight(int centiPoints, int dpi) {
  return ScaleHalfEven(centiPoints, dpi, CentiPointsPerInch);
}

HFONT CreateLayoutFont(const FontDesign& font) {
  // A negative height asks for the character height (the em size) rather than the cell height.
  const int height = -FontPixelHeight(font.centiPoints, ScreenDpi().y);
  return CreateFontA(height, 0, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE, FALSE,
                     Gb2312Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, font.face);
}

}  // namespace app
