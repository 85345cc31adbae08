// The parts drawn from the visual style the theme wears: each look part and state as the style's
// class, part and state, drawn by the style reader. A part the style does not give is left to the
// built-in drawing, in the style's colours.
#include "skin/look/style_parts.h"

#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "skin/engine.h"
#include "skin/styles/styles.h"

namespace skin::look {
namespace {

// Caption buttons whose image holds twice their four states show an inactive window's buttons in
// the second four.
constexpr int CaptionButtonStates = 4;
// A control frame is the border and the ring of fill inside it.
constexpr int ControlFrameWidth = 2;
// The square a part's content margins are measured in.
constexpr int MarginProbe = 100;

struct Address {
  const wchar_t* className;
  int part;
  int state;
};

bool Has(PartState state, PartState flag) { return (state & flag) != 0; }

// Normal, hot, pressed, disabled as the style's first four states.
int FourStates(PartState state) { return static_cast<int>(LookOf(state)) + 1; }

int ToggleState(PartState state, int unchecked, int checked, int mixed) {
  const int first = Has(state, Mixed) ? mixed : Has(state, Checked) ? checked : unchecked;
  return first + static_cast<int>(LookOf(state));
}

// Normal, hot, pressed, focused, disabled: a track bar thumb's states.
int ThumbState(PartState state) {
  switch (LookOf(state)) {
    case Hot: return TUS_HOT;
    case Pressed: return TUS_PRESSED;
    case Disabled: return TUS_DISABLED;
    default: return Has(state, Focused) ? TUS_FOCUSED : TUS_NORMAL;
  }
}

int ThumbPart(PartState state) {
  const bool upright = Has(state, Vertical);
  if (Has(state, PointsBoth)) return upright ? TKP_THUMBVERT : TKP_THUMB;
  if (Has(state, PointsBefore)) return upright ? TKP_THUMBLEFT : TKP_THUMBTOP;
  return upright ? TKP_THUMBRIGHT : TKP_THUMBBOTTOM;
}

int WindowState(PartState state) { return Has(state, Inactive) ? FS_INACTIVE : FS_ACTIVE; }

int CaptionPart(Part part, PartState state) {
  if (part == PartSmallCaption || Has(state, Small)) return WP_SMALLCAPTION;
  return Has(state, Maximised) ? WP_MAXCAPTION : WP_CAPTION;
}

int CaptionButtonPart(Part part, PartState state) {
  switch (part) {
    case PartCaptionClose: return Has(state, Small) ? WP_SMALLCLOSEBUTTON : WP_CLOSEBUTTON;
    case PartCaptionMaximise: return WP_MAXBUTTON;
    case PartCaptionRestore: return WP_RESTOREBUTTON;
    case PartCaptionMinimise: return WP_MINBUTTON;
    default: return WP_HELPBUTTON;
  }
}

int FramePart(Part part, PartState state) {
  const bool small = Has(state, Small);
  switch (part) {
    case PartFrameLeft: return small ? WP_SMALLFRAMELEFT : WP_FRAMELEFT;
    case PartFrameRight: return small ? WP_SMALLFRAMERIGHT : WP_FRAMERIGHT;
    // A frame's top, under no caption, looks as its bottom does.
    default: return small ? WP_SMALLFRAMEBOTTOM : WP_FRAMEBOTTOM;
  }
}

int ScrollArrowState(Part part, PartState state) {
  static constexpr int First[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL, ABS_RIGHTNORMAL};
  return First[part - PartScrollArrowUp] + static_cast<int>(LookOf(state));
}

int MenuBarItemState(PartState state) {
  switch (LookOf(state)) {
    case Hot: return MBI_HOT;
    case Pressed: return MBI_PUSHED;
    case Disabled: return MBI_DISABLED;
    default: return MBI_NORMAL;
  }
}

int MenuItemState(PartState state) {
  switch (LookOf(state)) {
    case Hot:
    case Pressed: return MPI_HOT;
    case Disabled: return MPI_DISABLED;
    default: return MPI_NORMAL;
  }
}

int MenuCheckState(PartState state) {
  const bool disabled = LookOf(state) == Disabled;
  if (Has(state, Radio)) return disabled ? MC_BULLETDISABLED : MC_BULLETNORMAL;
  return disabled ? MC_CHECKMARKDISABLED : MC_CHECKMARKNORMAL;
}

int TabItemState(PartState state) {
  switch (LookOf(state)) {
    case Hot: return TIS_HOT;
    case Pressed: return TIS_SELECTED;
    case Disabled: return TIS_DISABLED;
    default: return TIS_NORMAL;
  }
}

// A tab at the start or the end of its row has parts of its own, selected or not; the tab in the
// middle's part follows each's.
int TabPart(PartState state) {
  const int first = LookOf(state) == Pressed ? TABP_TOPTABITEM : TABP_TABITEM;
  return first + (Has(state, RowStart) ? 1 : 0) + (Has(state, RowEnd) ? 2 : 0);
}

int ToolbarState(PartState state) {
  if (Has(state, Checked)) return LookOf(state) == Hot ? TS_HOTCHECKED : TS_CHECKED;
  return FourStates(state);
}

// Where the style keeps a part: its class, part and state numbers. False for the parts it has no
// counterpart for.
bool AddressOf(Part part, PartState state, Address* a) {
  const PartState look = LookOf(state);
  const bool upright = Has(state, Vertical);
  switch (part) {
    case PartPushButton:
      *a = {L"Button", BP_PUSHBUTTON, look == Normal && Has(state, Defaulted) ? PBS_DEFAULTED : FourStates(state)};
      return true;
    case PartCheckBox:
      *a = {L"Button", BP_CHECKBOX, ToggleState(state, CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL)};
      return true;
    case PartRadioButton:
      *a = {L"Button", BP_RADIOBUTTON, ToggleState(state, RBS_UNCHECKEDNORMAL, RBS_CHECKEDNORMAL, RBS_CHECKEDNORMAL)};
      return true;
    case PartGroupBox: *a = {L"Button", BP_GROUPBOX, look == Disabled ? GBS_DISABLED : GBS_NORMAL}; return true;
    case PartComboBox: *a = {L"ComboBox", 0, FourStates(state)}; return true;
    case PartComboDropButton: *a = {L"ComboBox", CP_DROPDOWNBUTTON, FourStates(state)}; return true;
    // A list-style combo box's and its list's frame: the combo box's border and the ring inside it.
    case PartControlFrame: *a = {L"ComboBox", 0, FourStates(state)}; return true;
    case PartContentBorder: *a = {L"Edit", EP_EDITTEXT, look == Disabled ? ETS_DISABLED : ETS_NORMAL}; return true;
    case PartHeaderItem:
      *a = {L"Header", HP_HEADERITEM, look == Hot ? HIS_HOT : look == Pressed ? HIS_PRESSED : HIS_NORMAL};
      return true;
    // A header beyond its last item is drawn as an item at rest.
    case PartHeaderBackground: *a = {L"Header", HP_HEADERITEM, HIS_NORMAL}; return true;
    case PartReBarBackground: *a = {L"Rebar", 0, 0}; return true;
    case PartTabItem: *a = {L"Tab", TabPart(state), TabItemState(state)}; return true;
    case PartTabPane: *a = {L"Tab", TABP_PANE, 0}; return true;
    case PartProgressBar: *a = {L"Progress", upright ? PP_BARVERT : PP_BAR, 0}; return true;
    case PartProgressChunk: *a = {L"Progress", upright ? PP_CHUNKVERT : PP_CHUNK, 0}; return true;
    case PartTrackBarTrack: *a = {L"TrackBar", upright ? TKP_TRACKVERT : TKP_TRACK, TRS_NORMAL}; return true;
    case PartTrackBarThumb: *a = {L"TrackBar", ThumbPart(state), ThumbState(state)}; return true;
    case PartSpinUp: *a = {L"Spin", SPNP_UP, FourStates(state)}; return true;
    case PartSpinDown: *a = {L"Spin", SPNP_DOWN, FourStates(state)}; return true;
    case PartSpinLeft: *a = {L"Spin", SPNP_DOWNHORZ, FourStates(state)}; return true;
    case PartSpinRight: *a = {L"Spin", SPNP_UPHORZ, FourStates(state)}; return true;
    case PartStatusBar: *a = {L"Status", 0, 0}; return true;
    // Each pane draws the line at its end.
    case PartStatusPane:
    case PartStatusSeparator: *a = {L"Status", SP_PANE, 0}; return true;
    case PartToolbarButton: *a = {L"Toolbar", TP_BUTTON, ToolbarState(state)}; return true;
    case PartSortArrowUp: *a = {L"Header", HP_HEADERSORTARROW, HSAS_SORTEDUP}; return true;
    case PartSortArrowDown: *a = {L"Header", HP_HEADERSORTARROW, HSAS_SORTEDDOWN}; return true;
    case PartScrollTrack:
      *a = {L"ScrollBar", upright ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, FourStates(state)};
      return true;
    case PartScrollTrackLower:
      *a = {L"ScrollBar", upright ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, FourStates(state)};
      return true;
    case PartScrollArrowUp:
    case PartScrollArrowDown:
    case PartScrollArrowLeft:
    case PartScrollArrowRight: *a = {L"ScrollBar", SBP_ARROWBTN, ScrollArrowState(part, state)}; return true;
    case PartScrollThumb:
      *a = {L"ScrollBar", upright ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, FourStates(state)};
      return true;
    case PartScrollGripper: *a = {L"ScrollBar", SBP_SIZEBOX, SZB_RIGHTALIGN}; return true;
    case PartCaption:
    case PartSmallCaption: *a = {L"Window", CaptionPart(part, state), WindowState(state)}; return true;
    case PartFrameLeft:
    case PartFrameRight:
    case PartFrameTop:
    case PartFrameBottom: *a = {L"Window", FramePart(part, state), WindowState(state)}; return true;
    case PartCaptionClose:
    case PartCaptionMaximise:
    case PartCaptionRestore:
    case PartCaptionMinimise:
    case PartCaptionHelp: *a = {L"Window", CaptionButtonPart(part, state), FourStates(state)}; return true;
    case PartMdiClose: *a = {L"Window", WP_MDICLOSEBUTTON, FourStates(state)}; return true;
    case PartMdiRestore: *a = {L"Window", WP_MDIRESTOREBUTTON, FourStates(state)}; return true;
    case PartMdiMinimise: *a = {L"Window", WP_MDIMINBUTTON, FourStates(state)}; return true;
    case PartMenuBarBackground:
      *a = {L"Menu", MENU_BARBACKGROUND, Has(state, Inactive) ? MB_INACTIVE : MB_ACTIVE};
      return true;
    case PartMenuBarItem: *a = {L"Menu", MENU_BARITEM, MenuBarItemState(state)}; return true;
    case PartMenuPopupBackground: *a = {L"Menu", MENU_POPUPBACKGROUND, 0}; return true;
    case PartMenuPopupBorder: *a = {L"Menu", MENU_POPUPBORDERS, 0}; return true;
    case PartMenuPopupItem: *a = {L"Menu", MENU_POPUPITEM, MenuItemState(state)}; return true;
    case PartMenuPopupSeparator: *a = {L"Menu", MENU_POPUPSEPARATOR, 0}; return true;
    case PartMenuPopupCheck: *a = {L"Menu", MENU_POPUPCHECK, MenuCheckState(state)}; return true;
    case PartMenuPopupSubmenu:
      *a = {L"Menu", MENU_POPUPSUBMENU, look == Disabled ? MSM_DISABLED : MSM_NORMAL};
      return true;
    default:
      return false;
  }
}

// Whether the style in use gives the part, and where. A style without a row's end tabs draws them
// as the tabs in the middle.
bool Given(Part part, PartState state, Address* a) {
  const styles::StyleHandle style = StyleInUse();
  if (!style || !AddressOf(part, state, a)) return false;
  if (part == PartTabItem && !styles::HasPart(style, nullptr, a->className, a->part, 0)) {
    a->part = TabPart(state & ~(RowStart | RowEnd));
  }
  return styles::HasPart(style, nullptr, a->className, a->part, 0);
}

void Fill(HDC dc, const RECT& r, Role role) {
  FillSolid(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, Colour(role));
}

// What a part's image is laid over where it lets the ground show (its corners, its transparent
// pixels): what the built-in look has under the same part, since the painters draw these parts on
// surfaces of their own or over the system's own drawing.
void DrawGround(Part part, PartState state, HDC dc, const RECT& r) {
  switch (part) {
    case PartPushButton:
    case PartCheckBox:
    case PartRadioButton:
      Fill(dc, r, RoleDialog);
      break;
    case PartCaption:
    case PartSmallCaption:
    case PartFrameLeft:
    case PartFrameRight:
    case PartFrameTop:
    case PartFrameBottom:
      Fill(dc, r, Has(state, Inactive) ? RoleFrameInactive : RoleFrame);
      break;
    case PartScrollTrack:
    case PartScrollTrackLower:
    case PartScrollArrowUp:
    case PartScrollArrowDown:
    case PartScrollArrowLeft:
    case PartScrollArrowRight:
    case PartScrollThumb:
      Fill(dc, r, RoleScrollTrack);
      break;
    case PartMenuBarItem:
      DrawStylePart(PartMenuBarBackground, state & Inactive, dc, r);
      break;
    case PartMenuPopupItem:
      DrawStylePart(PartMenuPopupBackground, Normal, dc, r);
      break;
    default:
      break;
  }
}

// A scroll bar's thumb, and its gripper over it where the gripper fits inside the thumb's content
// margins along the bar, as the system's themed scroll bars draw it.
bool DrawThumbWithGripper(const Address& thumb, PartState state, HDC dc, const RECT& r) {
  const styles::StyleHandle style = StyleInUse();
  if (!styles::DrawPartBackground(style, nullptr, thumb.className, thumb.part, thumb.state, dc, r, nullptr)) {
    return false;
  }
  const bool upright = Has(state, Vertical);
  const int gripper = upright ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ;
  SIZE size = {};
  MARGINS content = {};
  if (!styles::HasPart(style, nullptr, thumb.className, gripper, 0) ||
      !styles::PartTrueSize(style, nullptr, thumb.className, gripper, thumb.state, nullptr, TS_DRAW, &size) ||
      !styles::PartMargins(style, nullptr, thumb.className, thumb.part, thumb.state, TMT_CONTENTMARGINS, &content)) {
    return true;
  }
  const int room = upright ? (r.bottom - r.top) - content.cyTopHeight - content.cyBottomHeight
                           : (r.right - r.left) - content.cxLeftWidth - content.cxRightWidth;
  if ((upright ? size.cy : size.cx) <= room) {
    styles::DrawPartBackground(style, nullptr, thumb.className, gripper, thumb.state, dc, r, nullptr);
  }
  return true;
}

bool IsCaptionButton(Part part) { return part >= PartCaptionClose && part <= PartCaptionHelp; }

}  // namespace

bool DrawStylePart(Part part, PartState state, HDC dc, const RECT& r) {
  Address a = {};
  if (!Given(part, state, &a)) return false;
  const styles::StyleHandle style = StyleInUse();
  if (IsCaptionButton(part) && Has(state, Inactive) &&
      styles::PartImageCount(style, nullptr, a.className, a.part, a.state) >= 2 * CaptionButtonStates) {
    a.state += CaptionButtonStates;
  }
  if (part == PartStatusSeparator) return true;  // the panes draw it
  DrawGround(part, state, dc, r);
  if (part == PartScrollThumb) return DrawThumbWithGripper(a, state, dc, r);
  if (part != PartMenuPopupBorder && part != PartControlFrame) {
    return styles::DrawPartBackground(style, nullptr, a.className, a.part, a.state, dc, r, nullptr);
  }
  // The popup's border is its outer line only: its image's inside would cover the items. A control
  // frame leaves the control's inside too.
  MARGINS line = {ControlFrameWidth, ControlFrameWidth, ControlFrameWidth, ControlFrameWidth};
  if (part == PartMenuPopupBorder) {
    line = {1, 1, 1, 1};
    styles::PartMargins(style, nullptr, a.className, a.part, a.state, TMT_SIZINGMARGINS, &line);
  }
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, r.left + line.cxLeftWidth, r.top + line.cyTopHeight, r.right - line.cxRightWidth,
                  r.bottom - line.cyBottomHeight);
  const bool drawn = styles::DrawPartBackground(style, nullptr, a.className, a.part, a.state, dc, r, nullptr);
  RestoreDC(dc, saved);
  return drawn;
}

bool StyleTextColour(Part part, PartState state, COLORREF* colour) {
  Address a = {};
  if (part == PartStatusPane) part = PartStatusBar;
  return Given(part, state, &a) &&
         styles::PartColour(StyleInUse(), nullptr, a.className, a.part, a.state, TMT_TEXTCOLOR, colour);
}

bool StyleContentMargins(Part part, PartState state, RECT* margins) {
  Address a = {};
  if ((part != PartPushButton && part != PartProgressBar) || !Given(part, state, &a)) return false;
  const styles::StyleHandle style = StyleInUse();
  if (part == PartPushButton) {
    MARGINS given = {};
    if (!styles::PartMargins(style, nullptr, a.className, a.part, a.state, TMT_CONTENTMARGINS, &given)) return false;
    *margins = {given.cxLeftWidth, given.cyTopHeight, given.cxRightWidth, given.cyBottomHeight};
    return true;
  }
  // A bar's content rectangle, which the style may give by its sizing margins alone.
  RECT content = {};
  if (!styles::PartContentRect(style, nullptr, a.className, a.part, a.state, {0, 0, MarginProbe, MarginProbe},
                               &content)) {
    return false;
  }
  *margins = {content.left, content.top, MarginProbe - content.right, MarginProbe - content.bottom};
  return true;
}

bool StyleNaturalSize(Part part, SIZE* size) {
  Address a = {};
  return Given(part, Normal, &a) &&
         styles::PartTrueSize(StyleInUse(), nullptr, a.className, a.part, a.state, nullptr, TS_DRAW, size);
}

bool StyleAddressOf(Part part, PartState state, const wchar_t** className, int* partId, int* stateId) {
  Address a = {};
  if (!AddressOf(part, state, &a)) return false;
  *className = a.className;
  *partId = a.part;
  *stateId = a.state;
  return true;
}

bool StyleGivesPart(Part part) {
  Address a = {};
  return Given(part, Normal, &a);
}

bool StyleCoversTopFrame() {
  Address a = {};
  return Given(PartCaption, Normal, &a);
}

}  // namespace skin::look
