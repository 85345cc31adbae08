// The painter of a window's frame and title bar: the frame as an outer line and a band, the
// caption with the icon, the title and the caption buttons, every colour from the theme. The
// caption is composed off screen and copied in one piece, so that nothing under it shows while
// it is drawn.
#include <algorithm>

#include "skin/frame/frame.h"
#include "skin/gdi/guards.h"

namespace skin::frame {
namespace {

using look::Colour;

constexpr UINT TitleFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr int GlyphThickness = 2;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

void PaintFrameBand(HDC dc, const Layout& l, bool active) {
  const COLORREF band = Colour(active ? look::RoleFrame : look::RoleFrameInactive);
  FillSolid(dc, 0, 0, l.Width, l.FrameY, band);
  FillSolid(dc, 0, l.Height - l.FrameY, l.Width, l.FrameY, band);
  FillSolid(dc, 0, 0, l.FrameX, l.Height, band);
  FillSolid(dc, l.Width - l.FrameX, 0, l.FrameX, l.Height, band);
  FrameSolid(dc, 0, 0, l.Width, l.Height,
             Colour(active ? look::RoleFrameBorder : look::RoleFrameBorderInactive));
}

// The square a button's mark is drawn in: half the button's shorter side, centred.
RECT GlyphBox(const RECT& button) {
  const int side = std::max<int>(4, std::min<int>(button.right - button.left, button.bottom - button.top) / 2);
  const int x = (button.left + button.right - side) / 2;
  const int y = (button.top + button.bottom - side) / 2;
  return {x, y, x + side, y + side};
}

void DrawClose(HDC dc, const RECT& g, COLORREF ink) {
  const int side = g.right - g.left;
  for (int i = 0; i < side; ++i) {
    FillSolid(dc, g.left + i, g.top + i, 1, 1, ink);
    FillSolid(dc, g.right - 1 - i, g.top + i, 1, 1, ink);
    if (i + 1 < side) {
      FillSolid(dc, g.left + i + 1, g.top + i, 1, 1, ink);
      FillSolid(dc, g.right - 2 - i, g.top + i, 1, 1, ink);
    }
  }
}

void DrawWindowBox(HDC dc, int x, int y, int side, COLORREF ink) {
  FrameSolid(dc, x, y, side, side, ink);
  FillSolid(dc, x, y, side, GlyphThickness, ink);
}

void DrawMark(HDC dc, HWND window, int hit, const RECT& button, COLORREF ink, COLORREF back, HFONT font) {
  const RECT g = GlyphBox(button);
  const int side = g.right - g.left;
  switch (hit) {
    case HTCLOSE:
      DrawClose(dc, g, ink);
      break;
    case HTMAXBUTTON:
      if (IsZoomed(window)) {
        const int small = side - 2;
        DrawWindowBox(dc, g.left + 2, g.top, small, ink);
        FillSolid(dc, g.left, g.top + 2, small, small, back);
        DrawWindowBox(dc, g.left, g.top + 2, small, ink);
      } else {
        DrawWindowBox(dc, g.left, g.top, side, ink);
      }
      break;
    case HTMINBUTTON:
      FillSolid(dc, g.left, g.bottom - GlyphThickness, side, GlyphThickness, ink);
      break;
    case HTHELP: {
      const ScopedSelection selected(dc, font);
      SetTextColor(dc, ink);
      DrawTextIn(dc, L"?", button.left, button.top, button.right - button.left,
                 button.bottom - button.top, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      break;
    }
    default:
      break;
  }
}

void DrawButton(HDC dc, HWND window, int hit, const RECT& button, bool active, COLORREF caption, HFONT font) {
  if (IsEmpty(button)) return;
  const auto hot = static_cast<int>(GetProperty(window, NcHotProperty));
  const auto pressed = static_cast<int>(GetProperty(window, NcPressedProperty));
  const bool enabled = ButtonEnabled(window, hit);
  COLORREF back = caption;
  if (enabled && pressed == hit) {
    back = Colour(look::RoleCaptionButtonPressed);
  } else if (enabled && hot == hit && pressed == 0) {
    back = Colour(look::RoleCaptionButtonHot);
  }
  FillSolid(dc, button.left, button.top, button.right - button.left, button.bottom - button.top, back);
  const COLORREF ink = !enabled ? Colour(look::RoleCaptionButtonDisabled)
                                : Colour(active ? look::RoleCaptionText : look::RoleCaptionTextInactive);
  DrawMark(dc, window, hit, button, ink, back, font);
}

HFONT KeptFonts[2] = {};

// The caption into `dc`, whose origin is the caption's top-left corner.
void ComposeCaption(HDC dc, HWND window, const Layout& l, bool active) {
  const COLORREF caption = Colour(active ? look::RoleCaptionActive : look::RoleCaptionInactive);
  FillSolid(dc, 0, 0, l.Caption.right - l.Caption.left, l.Caption.bottom - l.Caption.top, caption);
  SetViewportOrgEx(dc, -l.Caption.left, -l.Caption.top, nullptr);
  if (l.Icon) {
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    DrawIconEx(dc, l.IconAt.x, l.IconAt.y, l.Icon, cx, cy, 0, nullptr, DI_NORMAL);
  }
  const HFONT font = CaptionFont(l.Small);
  {
    const ScopedSelection selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Colour(active ? look::RoleCaptionText : look::RoleCaptionTextInactive));
    DrawTextIn(dc, WindowText(window), l.TextLeft, l.Caption.top, l.TextRight - l.TextLeft,
               l.Caption.bottom - l.Caption.top - 1, TitleFormat);
  }
  DrawButton(dc, window, HTCLOSE, l.Close, active, caption, font);
  DrawButton(dc, window, HTMAXBUTTON, l.Maximise, active, caption, font);
  DrawButton(dc, window, HTMINBUTTON, l.Minimise, active, caption, font);
  DrawButton(dc, window, HTHELP, l.Help, active, caption, font);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

}  // namespace

HFONT CaptionFont(bool small) {
  HFONT& kept = KeptFonts[small ? 1 : 0];
  if (kept) return kept;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  kept = CreateFontIndirectW(small ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
  return kept;
}

void ReleaseCaptionFonts() {
  for (HFONT& kept : KeptFonts) {
    if (kept) DeleteObject(kept);
    kept = nullptr;
  }
}

void PaintFrame(HWND window) {
  if (!IsWindowVisible(window) || IsIconic(window)) return;
  PaintFrame(window, LayoutOf(window));
}

void PaintFrame(HWND window, const Layout& l) {
  if (!IsWindowVisible(window) || IsIconic(window)) return;
  const bool active = CaptionActive(window);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  if (!dc.get()) return;
  PaintFrameBand(dc.get(), l, active);
  const int width = l.Caption.right - l.Caption.left;
  const int height = l.Caption.bottom - l.Caption.top;
  if (width <= 0 || height <= 0) return;
  const ScopedSurface surface(width, height);
  if (!surface.get()) return;
  ComposeCaption(surface.get(), window, l, active);
  BitBlt(dc.get(), l.Caption.left, l.Caption.top, width, height, surface.get(), 0, 0, SRCCOPY);
}

}  // namespace skin::frame
