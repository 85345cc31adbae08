// The built-in looks' parts: each part drawn from the theme's atlas pieces, colour roles and sizes,
// the only place that knows which piece, role or size a part is made of.
#include "skin/look/parts.h"

#include <windows.h>

#include <algorithm>

#include "skin/engine.h"
#include "skin/gdi/guards.h"
#include "skin/look/style_parts.h"

namespace skin::look {
namespace {

constexpr int ArrowBase = 7;   // an arrow's rows: 7, 5, 3 and 1 pixels
constexpr int ArrowRows = 4;
constexpr int ThumbInset = 2;  // a scroll thumb stands this far inside the track across it
constexpr int GripDots = 3;
constexpr int GripStep = 3;
constexpr int GlyphThickness = 2;
constexpr int MenuArrowRows = 4;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
int Centre(int outer, int inner) { return RoundHalfEven((outer - inner) / 2.0); }
bool IsDisabled(PartState state) { return LookOf(state) == Disabled; }

void Fill(HDC dc, const RECT& r, Role role) { FillSolid(dc, r.left, r.top, Width(r), Height(r), Colour(role)); }
void Frame(HDC dc, const RECT& r, Role role) { FrameSolid(dc, r.left, r.top, Width(r), Height(r), Colour(role)); }
Role BorderRole(PartState state) { return IsDisabled(state) ? RoleBorderDisabled : RoleBorder; }

enum Direction { Up, Down, Left, Right };

// The arrow (7, 5, 3 and 1 pixels) pointing the given way, centred in `place`.
void DrawArrow(HDC dc, const RECT& place, Direction direction, bool enabled) {
  const bool upright = direction == Up || direction == Down;
  const int across = upright ? ArrowBase : ArrowRows;
  const int along = upright ? ArrowRows : ArrowBase;
  const int x0 = place.left + Centre(Width(place), across);
  const int y0 = place.top + Centre(Height(place), along);
  const COLORREF colour = Colour(enabled ? RoleArrow : RoleArrowDisabled);
  for (int row = 0; row < ArrowRows; ++row) {
    const int line = direction == Down || direction == Right ? row : ArrowRows - 1 - row;
    const int length = ArrowBase - 2 * row;
    if (upright) {
      FillSolid(dc, x0 + row, y0 + line, length, 1, colour);
    } else {
      FillSolid(dc, x0 + line, y0 + row, 1, length, colour);
    }
  }
}

void Sliced(HDC dc, const RECT& r, Piece piece, int index) {
  DrawSlicedPiece(dc, r.left, r.top, Width(r), Height(r), piece, index);
}

// A drop button, or an up-down arrow's half: white at rest, the combo face when hot or pressed.
void DrawDropFace(HDC dc, const RECT& r, PartState state) {
  const PartState look = LookOf(state);
  if (look == Hot || look == Pressed) {
    Sliced(dc, r, PieceComboFace, look == Pressed ? 1 : 0);
  } else {
    Fill(dc, r, RoleControlFill);
  }
}

void DrawComboDropButton(HDC dc, const RECT& r, PartState state) {
  DrawDropFace(dc, r, state);
  const SIZE arrow = PieceSize(PieceComboArrow);
  DrawKeyedPiece(dc, r.left + Centre(Width(r), arrow.cx), r.top + Centre(Height(r), arrow.cy), PieceComboArrow,
                 IsDisabled(state) ? 1 : 0);
}

void DrawCheckBox(HDC target, const RECT& r, PartState state) {
  const int cx = Width(r);
  const int cy = Height(r);
  const ScopedSurface square(cx, cy);
  const bool enabled = !IsDisabled(state);
  const PartState look = LookOf(state);
  FillSolid(square.get(), 0, 0, cx, cy, Colour(RoleControlFill));
  if (enabled) {
    FrameSolid(square.get(), 0, 0, cx, cy, Colour(look == Pressed ? RoleCheckFramePressed : RoleCheckFrame));
    if (look == Hot || look == Pressed) {
      DrawStretchedPiece(square.get(), 1, 1, cx - 2, cy - 2, PieceCheckFill, look == Hot ? 0 : 1);
    }
  } else {
    FrameSolid(square.get(), 0, 0, cx, cy, Colour(RoleCheckFrameDisabled));
  }
  if (state & (Checked | Mixed)) {
    const Piece mark = (state & Checked) ? PieceCheckTick : PieceCheckSquare;
    const SIZE size = PieceSize(mark);
    DrawKeyedPiece(square.get(), Centre(cx, size.cx), Centre(cy, size.cy), mark, enabled ? 0 : 1);
  }
  BitBlt(target, r.left, r.top, cx, cy, square.get(), 0, 0, SRCCOPY);
}

void DrawRadioButton(HDC dc, const RECT& r, PartState state) {
  Sliced(dc, r, PieceOptionCircle, static_cast<int>(LookOf(state)));
  if (!(state & Checked)) return;
  const SIZE dot = PieceSize(PieceOptionDot);
  DrawKeyedPiece(dc, r.left + Centre(Width(r), dot.cx), RoundHalfEven(r.top + (Height(r) - dot.cy) / 2.0),
                 PieceOptionDot, IsDisabled(state) ? 1 : 0);
}

// A header item's face: normal, hot or pressed.
int HeaderFace(PartState state) {
  const PartState look = LookOf(state);
  return look == Hot || look == Pressed ? static_cast<int>(look) : 0;
}

void DrawScrollArrow(HDC dc, const RECT& r, PartState state, Direction direction) {
  const PartState look = LookOf(state);
  Fill(dc, r, look == Pressed ? RoleScrollArrowPressed : look == Hot ? RoleScrollArrowHot : RoleScrollTrack);
  DrawArrow(dc, r, direction, look != Disabled);
}

// The thumb stands a little inside the track across it, the track showing beside it.
void DrawScrollThumb(HDC dc, const RECT& across, PartState state) {
  Fill(dc, across, RoleScrollTrack);
  RECT r = across;
  if (state & Vertical) {
    InflateRect(&r, -ThumbInset, 0);
  } else {
    InflateRect(&r, 0, -ThumbInset);
  }
  if (IsRectEmpty(&r)) return;
  const PartState look = LookOf(state);
  Fill(dc, r, look == Pressed ? RoleScrollThumbPressed : look == Hot ? RoleScrollThumbHot : RoleScrollThumb);
  if (state & Focused) {
    FrameSolid(dc, r.left + 1, r.top + 1, Width(r) - 2, Height(r) - 2, Colour(RoleArrow));
  }
  // The corners cut, for a rounded thumb.
  const COLORREF track = Colour(RoleScrollTrack);
  SetPixelV(dc, r.left, r.top, track);
  SetPixelV(dc, r.right - 1, r.top, track);
  SetPixelV(dc, r.left, r.bottom - 1, track);
  SetPixelV(dc, r.right - 1, r.bottom - 1, track);
}

// Dots along the diagonal of the corner: one, then two, then three.
void DrawGripper(HDC dc, const RECT& r) {
  const COLORREF colour = Colour(RoleArrow);
  for (int row = 0; row < GripDots; ++row) {
    for (int column = GripDots - 1 - row; column < GripDots; ++column) {
      FillSolid(dc, r.right - GripStep * (GripDots - column), r.bottom - GripStep * (GripDots - row), 2, 2, colour);
    }
  }
}

// A side of the sizing frame: the band, and the outer line along the sides of `r` that lie on the
// window's outside.
void DrawFrameSide(HDC dc, const RECT& r, PartState state, bool left, bool top, bool right, bool bottom) {
  const bool inactive = (state & Inactive) != 0;
  Fill(dc, r, inactive ? RoleFrameInactive : RoleFrame);
  const COLORREF line = Colour(inactive ? RoleFrameBorderInactive : RoleFrameBorder);
  if (left) FillSolid(dc, r.left, r.top, 1, Height(r), line);
  if (right) FillSolid(dc, r.right - 1, r.top, 1, Height(r), line);
  if (top) FillSolid(dc, r.left, r.top, Width(r), 1, line);
  if (bottom) FillSolid(dc, r.left, r.bottom - 1, Width(r), 1, line);
}

// The square a caption button's mark is drawn in: half the button's shorter side, centred.
RECT GlyphBox(const RECT& button) {
  const int side = std::max<int>(4, std::min<int>(Width(button), Height(button)) / 2);
  const int x = (button.left + button.right - side) / 2;
  const int y = (button.top + button.bottom - side) / 2;
  return {x, y, x + side, y + side};
}

void DrawCloseMark(HDC dc, const RECT& g, COLORREF ink) {
  const int side = Width(g);
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

COLORREF CaptionBack(PartState state) { return Colour((state & Inactive) ? RoleCaptionInactive : RoleCaptionActive); }

void DrawCaptionButton(HDC dc, Part part, const RECT& button, PartState state) {
  const PartState look = LookOf(state);
  COLORREF back = CaptionBack(state);
  if (look == Pressed) back = Colour(RoleCaptionButtonPressed);
  if (look == Hot) back = Colour(RoleCaptionButtonHot);
  FillSolid(dc, button.left, button.top, Width(button), Height(button), back);
  const COLORREF ink = look == Disabled ? Colour(RoleCaptionButtonDisabled) : PartTextColour(PartCaption, state);
  const RECT g = GlyphBox(button);
  const int side = Width(g);
  switch (part) {
    case PartCaptionClose:
      DrawCloseMark(dc, g, ink);
      break;
    case PartCaptionMaximise:
      DrawWindowBox(dc, g.left, g.top, side, ink);
      break;
    case PartCaptionRestore: {
      const int small = side - 2;
      DrawWindowBox(dc, g.left + 2, g.top, small, ink);
      FillSolid(dc, g.left, g.top + 2, small, small, back);
      DrawWindowBox(dc, g.left, g.top + 2, small, ink);
      break;
    }
    case PartCaptionMinimise:
      FillSolid(dc, g.left, g.bottom - GlyphThickness, side, GlyphThickness, ink);
      break;
    case PartCaptionHelp:
      SetTextColor(dc, ink);
      DrawTextIn(dc, L"?", button.left, button.top, Width(button), Height(button),
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      break;
    default:
      break;
  }
}

// A popup item's check mark or radio bullet, centred on `r`.
void DrawMenuCheck(HDC dc, const RECT& r, PartState state) {
  const Piece piece = (state & Radio) ? PieceOptionDot : PieceCheckTick;
  const SIZE size = PieceSize(piece);
  DrawKeyedPiece(dc, r.left + (Width(r) - size.cx) / 2, r.top + (Height(r) - size.cy) / 2, piece,
                 IsDisabled(state) ? 1 : 0);
}

// A submenu's arrow: rows of 7, 5, 3 and 1 pixels pointing right, from the left of `r`, centred
// on its middle.
void DrawMenuSubmenu(HDC dc, const RECT& r, PartState state) {
  const COLORREF ink = PartTextColour(PartMenuPopupItem, state);
  const int y = (r.top + r.bottom) / 2 - (MenuArrowRows - 1);
  for (int column = 0; column < MenuArrowRows; ++column) {
    FillSolid(dc, r.left + column, y + column, 1, 2 * (MenuArrowRows - column) - 1, ink);
  }
}

}  // namespace

void DrawPart(Part part, PartState state, HDC dc, const RECT& r) {
  if (DrawStylePart(part, state, dc, r)) return;
  const PartState look = LookOf(state);
  switch (part) {
    case PartPushButton:
    case PartToolbarButton:
    case PartTrackBarThumb:
      Sliced(dc, r, PieceButtonFace, static_cast<int>(look));
      break;
    case PartCheckBox:
      DrawCheckBox(dc, r, state);
      break;
    case PartRadioButton:
      DrawRadioButton(dc, r, state);
      break;
    case PartGroupBox:
    case PartControlBorder:
      Frame(dc, r, BorderRole(state));
      break;
    case PartControlFrame:
      Frame(dc, r, BorderRole(state));
      FrameSolid(dc, r.left + 1, r.top + 1, Width(r) - 2, Height(r) - 2, Colour(RoleControlFill));
      break;
    case PartContentBorder:
      FillSolid(dc, r.left + 1, r.top + 1, Width(r) - 2, Height(r) - 2, ContentColour(RoleWindow, COLOR_WINDOW));
      Frame(dc, r, BorderRole(state));
      break;
    case PartBarBorder:
      FillSolid(dc, r.left + 1, r.top + 1, Width(r) - 2, Height(r) - 2, Colour(RoleControlFill));
      Frame(dc, r, BorderRole(state));
      break;
    case PartStatusBar:
      DrawStretchedPiece(dc, r.left, r.top, Width(r), Height(r), PieceHeaderBackground, 0);
      FillSolid(dc, r.left, r.top, Width(r), 1, Colour(BorderRole(state)));
      break;
    case PartComboBox:
      Fill(dc, r, RoleControlFill);
      Frame(dc, r, BorderRole(state));
      break;
    case PartComboField:
      Frame(dc, r, RoleWindow);
      break;
    case PartComboDropButton:
      DrawComboDropButton(dc, r, state);
      break;
    case PartHeaderItem:
    case PartTabItem:
      Sliced(dc, r, PieceHeaderFace, HeaderFace(state));
      break;
    case PartHeaderBackground:
    case PartReBarBackground:
      DrawStretchedPiece(dc, r.left, r.top, Width(r), Height(r), PieceHeaderBackground, 0);
      break;
    case PartTabPane:
      if (ColoursContent()) {
        FillSolid(dc, r.left + 1, r.top + 1, Width(r) - 2, Height(r) - 2, Colour(RoleDialog));
      }
      Frame(dc, r, BorderRole(state));
      break;
    case PartProgressBar:
      Fill(dc, r, RoleControlFill);
      break;
    case PartProgressChunk:
      Fill(dc, r, RoleProgressFill);
      break;
    case PartTrackBarTrack:
      Fill(dc, r, RoleControlFill);
      Frame(dc, r, BorderRole(state));
      break;
    case PartSpinUp:
    case PartSpinDown:
    case PartSpinLeft:
    case PartSpinRight:
      DrawDropFace(dc, r, state);
      DrawArrow(dc, r, static_cast<Direction>(part - PartSpinUp), look != Disabled);
      break;
    case PartStatusSeparator:
      Fill(dc, r, BorderRole(state));
      break;
    case PartSortArrowUp:
    case PartSortArrowDown:
      DrawArrow(dc, r, part == PartSortArrowUp ? Up : Down, look != Disabled);
      break;
    case PartScrollTrack:
    case PartScrollTrackLower:
      Fill(dc, r, look == Pressed ? RoleScrollTrackPressed : RoleScrollTrack);
      break;
    case PartScrollArrowUp:
    case PartScrollArrowDown:
    case PartScrollArrowLeft:
    case PartScrollArrowRight:
      DrawScrollArrow(dc, r, state, static_cast<Direction>(part - PartScrollArrowUp));
      break;
    case PartScrollThumb:
      DrawScrollThumb(dc, r, state);
      break;
    case PartScrollSizeBox:
      Fill(dc, r, RoleScrollTrack);
      break;
    case PartScrollGripper:
      DrawGripper(dc, r);
      break;
    case PartCaption:
    case PartSmallCaption:
      FillSolid(dc, r.left, r.top, Width(r), Height(r), CaptionBack(state));
      break;
    case PartFrameLeft:
      DrawFrameSide(dc, r, state, true, true, false, true);
      break;
    case PartFrameRight:
      DrawFrameSide(dc, r, state, false, true, true, true);
      break;
    case PartFrameTop:
      DrawFrameSide(dc, r, state, true, true, true, false);
      break;
    case PartFrameBottom:
      DrawFrameSide(dc, r, state, true, false, true, true);
      break;
    case PartCaptionClose:
    case PartCaptionMaximise:
    case PartCaptionRestore:
    case PartCaptionMinimise:
    case PartCaptionHelp:
      DrawCaptionButton(dc, part, r, state);
      break;
    case PartMenuBarBackground:
      Fill(dc, r, RoleMenuBar);
      break;
    case PartMenuBarItem:
      Fill(dc, r, look == Hot ? RoleMenuHot : RoleMenuBar);
      break;
    case PartMenuPopupBackground:
      Fill(dc, r, RoleMenu);
      break;
    case PartMenuPopupBorder:
      Frame(dc, r, RoleMenuBorder);
      break;
    case PartMenuPopupItem:
      Fill(dc, r, look == Hot ? RoleMenuHot : RoleMenu);
      break;
    case PartMenuPopupSeparator:
      Fill(dc, r, RoleMenuSeparator);
      break;
    case PartMenuPopupCheck:
      DrawMenuCheck(dc, r, state);
      break;
    case PartMenuPopupSubmenu:
      DrawMenuSubmenu(dc, r, state);
      break;
    default:
      break;
  }
}

COLORREF PartTextColour(Part part, PartState state) {
  if (COLORREF given = CLR_INVALID; StyleTextColour(part, state, &given)) return given;
  const PartState look = LookOf(state);
  switch (part) {
    case PartGroupBox:
      // An enabled group box's caption keeps the colour its parent gives.
      return look == Disabled ? Colour(RoleDisabledText) : CLR_INVALID;
    case PartHeaderItem:
      return Colour(RoleFaceText);
    case PartCaption:
    case PartSmallCaption:
      return Colour((state & Inactive) ? RoleCaptionTextInactive : RoleCaptionText);
    case PartMenuBarItem:
    case PartMenuPopupItem:
    case PartMenuPopupSubmenu:
      return Colour(look == Disabled ? RoleMenuDisabledText : look == Hot ? RoleMenuHotText : RoleMenuText);
    default:
      return Colour(look == Disabled ? RoleDisabledText : RoleFaceText);
  }
}

RECT PartContentMargins(Part part, PartState state) {
  if (RECT given = {}; StyleContentMargins(part, state, &given)) return given;
  switch (part) {
    case PartPushButton: {
      const int inset = Size(SizeCaptionInset);
      return {inset, inset, inset, inset};
    }
    case PartStatusPane: {
      const int inset = Size(SizeStatusTextInset);
      return {inset, 0, inset, 0};
    }
    case PartTabItem:
      return {Size(SizeTabImageGap), 0, 0, 0};
    case PartGroupBox:
      return {Size(SizeGroupCaptionIndent), 0, Size(SizeGroupCaptionPadding), 0};
    default:
      return {0, 0, 0, 0};
  }
}

SIZE PartNaturalSize(Part part) {
  if (SIZE given = {}; StyleNaturalSize(part, &given)) return given;
  switch (part) {
    case PartSortArrowUp:
    case PartSortArrowDown:
      return {ArrowBase, ArrowRows};
    case PartMenuPopupCheck:
      return PieceSize(PieceCheckTick);
    default:
      return {0, 0};
  }
}

bool PartDrawn(Part part) {
  switch (part) {
    case PartMdiClose:
    case PartMdiRestore:
    case PartMdiMinimise:
      return StyleGivesPart(part);
    default:
      return true;
  }
}

bool CaptionCoversTopFrame() { return StyleCoversTopFrame(); }

bool PlacesPartsAsThemedControls() { return StyleInUse() != 0; }

}  // namespace skin::look
