// What the painters draw, as the parts of the controls, title bars, menus and scroll bars and the
// states they show. A painter says which part it draws, in which state and where; the look in use
// draws it (the built-in looks from their images and colours), and answers the part's text colour
// and content margins. No painter names a colour, an image or a margin of its own.
#pragma once

#include <windows.h>

namespace skin::look {

enum Part : int {
  // Buttons.
  PartPushButton,          // a push button's face, also a push-like box's and a track bar's thumb
  PartCheckBox,            // the check square with its mark (Checked, Mixed)
  PartRadioButton,         // the option circle with its dot (Checked)
  PartGroupBox,            // a group box's frame line; its text colour, and its caption's indent
                           // (left margin) and band (right margin) at 96 dpi
  // Combo boxes, edits, lists.
  PartComboBox,            // an editable combo box behind its edit: the field and its border
  PartComboField,          // the edge of a list-style combo box's text field, which the control
                           // fills one pixel in
  PartComboDropButton,     // the drop button with its arrow
  PartControlBorder,       // the one-pixel border of a control
  PartControlFrame,        // that border with the ring of the control's fill inside it
  PartContentBorder,       // an edit's or a list's frame flattened: the border, and inside it the
                           // content's window colour (the painter clips it to the frame)
  PartBarBorder,           // a progress bar's or rebar's frame flattened: the border, the control's
                           // fill inside it (clipped the same way)
  // Headers, tabs, bars.
  PartHeaderItem,          // a header item's face
  PartHeaderBackground,    // a header behind its items
  PartReBarBackground,     // a rebar behind its bands
  PartTabItem,             // a tab (Pressed: selected)
  PartTabPane,             // the pane under the tabs: its border, and its inside where the theme
                           // colours content (Checked)
  PartProgressBar,         // a progress bar's trough
  PartProgressChunk,       // its filled part
  PartTrackBarTrack,       // a track bar's channel
  PartSpinUp,              // an up-down control's arrows in their halves
  PartSpinDown,
  PartSpinLeft,
  PartSpinRight,
  PartStatusBar,           // a status bar behind its panes, with its top line
  PartStatusPane,          // a status bar pane's text colour and margins
  PartStatusSeparator,     // the line between two panes
  PartToolbarButton,       // a toolbar button that is hot, pressed or checked
  PartTrackBarThumb,       // a track bar's thumb
  PartSortArrowUp,         // a header's sort arrows
  PartSortArrowDown,
  // Scroll bars.
  PartScrollTrack,         // the track before the thumb (Pressed: held down)
  PartScrollTrackLower,    // the track after the thumb
  PartScrollArrowUp,       // the arrow cells and their arrows
  PartScrollArrowDown,
  PartScrollArrowLeft,
  PartScrollArrowRight,
  PartScrollThumb,         // the thumb across the whole bar (Focused: with the focus frame inside)
  PartScrollSizeBox,       // the corner between two bars
  PartScrollGripper,       // a size grip's dots, over the size box
  // Title bars and frames (Inactive: of an inactive window).
  PartCaption,             // the title bar behind the icon and the title (Maximised: of a maximised
                           // window); its text colour
  PartSmallCaption,        // a tool window's
  PartFrameLeft,           // the sizing frame's sides, each with the outer line along its outside
                           // (Small: a tool window's)
  PartFrameRight,
  PartFrameTop,
  PartFrameBottom,
  PartCaptionClose,        // the caption buttons with their marks (Hot, Pressed, Disabled; Small:
                           // on a tool window's caption)
  PartCaptionMaximise,
  PartCaptionRestore,
  PartCaptionMinimise,
  PartCaptionHelp,         // its mark is "?" in the font selected into the DC
  PartMdiClose,            // a maximised MDI child's buttons in its frame's menu bar (Pressed,
  PartMdiRestore,          // Disabled): drawn only from a visual style that gives them (see
  PartMdiMinimise,         // PartDrawn)
  // Menus.
  PartMenuBarBackground,   // the menu bar beside its items
  PartMenuBarItem,         // a bar item (Hot: open or under the pointer, Disabled); its text colour
  PartMenuPopupBackground, // a popup's inside around its items
  PartMenuPopupBorder,     // a popup's outer line
  PartMenuPopupItem,       // a popup item (Hot, Disabled); its text colour
  PartMenuPopupSeparator,  // a separator's line
  PartMenuPopupCheck,      // an item's check mark (Checked: a radio item's bullet instead)
  PartMenuPopupSubmenu,    // the arrow of an item with a submenu
  PartCount
};

// The state a part is drawn in: how it looks (normal, hot, pressed, disabled: the visual states)
// and what else it shows.
using PartState = unsigned;
inline constexpr PartState LookMask = 0x3;
inline constexpr PartState Normal = 0, Hot = 1, Pressed = 2, Disabled = 3;
inline constexpr PartState Checked = 0x10;   // a box's tick, a radio's dot, a pane's content colour
inline constexpr PartState Mixed = 0x20;     // a three-state box's third state
inline constexpr PartState Focused = 0x40;
inline constexpr PartState Defaulted = 0x80;
inline constexpr PartState Inactive = 0x100; // of a window that is not active
inline constexpr PartState Radio = 0x200;    // a popup item's check drawn as a bullet
inline constexpr PartState Vertical = 0x400; // of an upright bar: scroll bar, progress or track bar
inline constexpr PartState Maximised = 0x800;
inline constexpr PartState Small = 0x1000;   // of a tool window's title bar and frame
// A track bar thumb's point: none is one pointing down (or right, upright); Before points up (or
// left); Both is a thumb with no point.
inline constexpr PartState PointsBefore = 0x2000;
inline constexpr PartState PointsBoth = 0x4000;
// A tab at the start or the end of its row (a visual style draws those ends apart).
inline constexpr PartState RowStart = 0x8000;
inline constexpr PartState RowEnd = 0x10000;

inline constexpr PartState LookOf(PartState state) { return state & LookMask; }

// Draws the part over `rect` of `dc`.
void DrawPart(Part part, PartState state, HDC dc, const RECT& rect);
// The colour of the text on the part in that state.
COLORREF PartTextColour(Part part, PartState state);
// Where the part's content lies inside its rectangle: pixels left, top, right and bottom (at 96
// dpi where the painter scales them). A progress bar's chunks lie inside its content.
RECT PartContentMargins(Part part, PartState state = Normal);
// The size the part is drawn at when it keeps its own size (the sort arrows, the menu's marks).
SIZE PartNaturalSize(Part part);
// Whether the look draws the part: every part but an MDI child's buttons in the menu bar, which
// the built-in looks leave to the system and a visual style draws when it gives them.
bool PartDrawn(Part part);
// Whether the title bar is drawn over the top of the sizing frame too, from the window's top edge
// and across its whole width, and the frame's sides only below it (a visual style's layout).
bool CaptionCoversTopFrame();
// Whether the painters place the parts where the system's own themed controls place them, the
// images of a visual style carrying their own edges (while the look wears one), rather than where
// the built-in looks put theirs.
bool PlacesPartsAsThemedControls();

}  // namespace skin::look
