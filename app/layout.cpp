#include "app/layout.h"

#include <cwchar>

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

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

// Whether the system knows a GB2312 font by this name. A system whose font names are not Chinese
// may know 宋体 only as SimSun.
bool HasGb2312Font(const wchar_t* face) {
  LOGFONTW wanted = {};
  wanted.lfCharSet = Gb2312Charset;
  std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, &NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
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

int ScaleAcrossFromDesign(int pixels) { return ScaleHalfEven(pixels, ScreenDpi().x, DesignDpi); }

int FontPixelHeight(int centiPoints, int dpi) {
  return ScaleHalfEven(centiPoints, dpi, CentiPointsPerInch);
}

HFONT CreateLayoutFont(const FontDesign& font) {
  // A negative height asks for the character height (the em size) rather than the cell height.
  LOGFONTW design = {};
  design.lfHeight = -FontPixelHeight(font.centiPoints, ScreenDpi().y);
  design.lfWeight = font.weight;
  design.lfUnderline = font.underline ? TRUE : FALSE;
  design.lfCharSet = Gb2312Charset;
  design.lfOutPrecision = OUT_DEFAULT_PRECIS;
  design.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  design.lfQuality = DEFAULT_QUALITY;
  design.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const wchar_t* face = HasGb2312Font(font.face) ? font.face : font.englishFace;
  std::wcsncpy(design.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectW(&design);
}

HFONT CreateChineseGuiFont() {
  constexpr int GuiFontCentiPoints = 900;
  LOGFONTW font = {};
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return nullptr;
  if (font.lfCharSet == Gb2312Charset) return nullptr;
  font.lfCharSet = Gb2312Charset;
  font.lfHeight = -FontPixelHeight(GuiFontCentiPoints, ScreenDpi().y);
  font.lfWidth = 0;
  return CreateFontIndirectW(&font);
}

}  // namespace app
