#include "app/layout.h"

namespace app {

namespace {
constexpr int DesignDpi = 96;
constexpr int CentiPointsPerInch = 7200;
constexpr BYTE Gb2312Charset = GB2312_CHARSET;
}  // namespace

HFONT CreateLayoutFont(const FontDesign& font) {
  // A negative height asks for the character height (the em size) rather than the cell height.
  const int height = -MulDiv(font.centiPoints, DesignDpi, CentiPointsPerInch);
  return CreateFontA(height, 0, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE, FALSE,
                     Gb2312Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, font.face);
}

}  // namespace app
