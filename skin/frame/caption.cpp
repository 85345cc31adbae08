// The painter of a window's frame and title bar: the frame as an outer line and a band, the
// caption with the icon, the title and the caption buttons, every colour from the theme. The
// caption is composed off screen and copied in one piece, so that nothing under it shows while
// it is drawn.
#include <algorithm>

#include "skin/frame/frame.h"
#include "skin/gdi/guards.h"
#include "skin/gdi/kept.h"
#include "skin/look/parts.h"

namespace skin::frame {
namespace {

constexpr UINT TitleFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// The four sides of the sizing frame: the top one under the caption; or, where the caption
// covers the top of the frame, the sides below the caption and the bottom across the whole width.
void PaintFrameBand(HDC dc, const Layout& l, look::PartState state) {
  if (look::CaptionCoversTopFrame() && !IsEmpty(l.Caption)) {
    const int top = l.Caption.bottom;
    const int bottom = l.Height - l.FrameY;
    if (bottom > top) {
      look::DrawPart(look::PartFrameLeft, state, dc, {0, top, l.FrameX, bottom});
      look::DrawPart(look::PartFrameRight, state, dc, {l.Width - l.FrameX, top, l.Width, bottom});
    }
    look::DrawPart(look::PartFrameBottom, state, dc, {0, bottom, l.Width, l.Height});
    return;
  }
  look::DrawPart(look::PartFrameTop, state, dc, {0, 0, l.Width, l.FrameY});
  look::DrawPart(look::PartFrameBottom, state, dc, {0, l.Height - l.FrameY, l.Width, l.Height});
  look::DrawPart(look::PartFrameLeft, state, dc, {0, 0, l.FrameX, l.Height});
  look::DrawPart(look::PartFrameRight, state, dc, {l.Width - l.FrameX, 0, l.Width, l.Height});
}

// Where the caption is composed: the title bar, or the whole band from the window's top.
RECT CaptionBand(const Layout& l) {
  if (look::CaptionCoversTopFrame()) return {0, 0, l.Width, l.Caption.bottom};
  return l.Caption;
}

look::Part ButtonPart(HWND window, int hit) {
  switch (hit) {
    case HTCLOSE: return look::PartCaptionClose;
    case HTMAXBUTTON: return IsZoomed(window) ? look::PartCaptionRestore : look::PartCaptionMaximise;
    case HTMINBUTTON: return look::PartCaptionMinimise;
    default: return look::PartCaptionHelp;
  }
}

// Hot under the pointer while none is held, pressed while held, disabled when it does nothing.
void DrawButton(HDC dc, HWND window, int hit, const RECT& button, look::PartState caption) {
  if (IsEmpty(button)) return;
  const auto hot = static_cast<int>(GetProperty(window, NcHotProperty));
  const auto pressed = static_cast<int>(GetProperty(window, NcPressedProperty));
  look::PartState state = caption;
  if (!ButtonEnabled(window, hit)) {
    state |= look::Disabled;
  } else if (pressed == hit) {
    state |= look::Pressed;
  } else if (hot == hit && pressed == 0) {
    state |= look::Hot;
  }
  look::DrawPart(ButtonPart(window, hit), state, dc, button);
}

// The caption into `dc`, whose origin is the top-left corner of `band`.
void ComposeCaption(HDC dc, HWND window, const Layout& l, const RECT& band, look::PartState state) {
  const look::Part caption = l.Small ? look::PartSmallCaption : look::PartCaption;
  look::DrawPart(caption, state, dc, {0, 0, band.right - band.left, band.bottom - band.top});
  SetViewportOrgEx(dc, -band.left, -band.top, nullptr);
  if (l.Icon) {
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    DrawIconEx(dc, l.IconAt.x, l.IconAt.y, l.Icon, cx, cy, 0, nullptr, DI_NORMAL);
  }
  const ScopedSelection selected(dc, KeptFontOf(l.Small ? KeptSmallCaptionFont : KeptCaptionFont));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(caption, state));
  DrawTextIn(dc, WindowText(window), l.TextLeft, l.Caption.top, l.TextRight - l.TextLeft,
             l.Caption.bottom - l.Caption.top - 1, TitleFormat);
  DrawButton(dc, window, HTCLOSE, l.Close, state);
  DrawButton(dc, window, HTMAXBUTTON, l.Maximise, state);
  DrawButton(dc, window, HTMINBUTTON, l.Minimise, state);
  DrawButton(dc, window, HTHELP, l.Help, state);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

}  // namespace

void PaintFrame(HWND window) {
  if (!IsWindowVisible(window) || IsIconic(window)) return;
  PaintFrame(window, LayoutOf(window));
}

void PaintFrame(HWND window, const Layout& l) {
  if (!IsWindowVisible(window) || IsIconic(window)) return;
  look::PartState state = CaptionActive(window) ? look::Normal : look::Inactive;
  if (l.Small) state |= look::Small;
  if (IsZoomed(window)) state |= look::Maximised;
  const BorrowedDc dc(window, BorrowedDc::Whole);
  if (!dc.get()) return;
  PaintFrameBand(dc.get(), l, state);
  if (IsEmpty(l.Caption)) return;
  const RECT band = CaptionBand(l);
  const int width = band.right - band.left;
  const int height = band.bottom - band.top;
  const ScopedSurface surface(width, height);
  if (!surface.get()) return;
  ComposeCaption(surface.get(), window, l, band, state);
  BitBlt(dc.get(), band.left, band.top, width, height, surface.get(), 0, 0, SRCCOPY);
}

}  // namespace skin::frame
