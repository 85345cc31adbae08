// The kept objects and their one release.
#include "skin/gdi/kept.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "skin/engine.h"

namespace skin {
namespace {

HFONT Fonts[KeptFontCount] = {};
std::vector<std::pair<COLORREF, HBRUSH>> Brushes;

}  // namespace

HFONT KeptFontOf(KeptFont font) {
  HFONT& kept = Fonts[font];
  if (kept) return kept;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  const LOGFONTW& logical = font == KeptMenuFont      ? metrics.lfMenuFont
                            : font == KeptCaptionFont ? metrics.lfCaptionFont
                                                    : metrics.lfSmCaptionFont;
  kept = CreateFontIndirectW(&logical);
  return kept;
}

HBRUSH KeptBrushOf(COLORREF colour) {
  const auto found = std::find_if(Brushes.begin(), Brushes.end(),
                                  [&](const std::pair<COLORREF, HBRUSH>& b) { return b.first == colour; });
  if (found != Brushes.end()) return found->second;
  const HBRUSH brush = CreateSolidBrush(colour);
  if (brush) Brushes.emplace_back(colour, brush);
  return brush;
}

void ReleaseKeptObjects() {
  for (HFONT& font : Fonts) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
  for (const auto& kept : Brushes) DeleteObject(kept.second);
  Brushes.clear();
  ShrinkWorkSurfaces();
}

}  // namespace skin
