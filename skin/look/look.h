// The look: everything the skin draws with, as data. A theme is a set of colour roles, a few
// sizes and the five atlas images; painters ask the current theme for a role or an image part and
// never name a colour, an atlas surface or an atlas coordinate themselves.
//
// Two themes are built in, "light" (the skin's own look) and "dark"; a theme folder holds a
// theme.ini and the five images as BMP files (see docs/themes.md and skin/look/items.cpp, the one
// table of theme items that the loader, the exporter and the documentation follow).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skin::look {

enum Role : int {
  // The skin's own controls.
  RoleBorder,                 // one-pixel borders of controls and frames
  RoleBorderDisabled,
  RoleCheckFrame,             // the check square's frame
  RoleCheckFramePressed,
  RoleCheckFrameDisabled,
  RoleControlFill,            // inside boxes, troughs, channels and drop buttons at rest
  RoleFaceText,               // captions on faces, headers, tabs and status bars
  RoleDisabledText,           // disabled captions
  RoleProgressFill,
  RoleArrow,                  // drawn arrows: up-down controls and sort arrows
  RoleArrowDisabled,
  // Content colours: used only by a theme that colours content (dressed threads only).
  RoleWindow,                 // edit boxes, lists, list and tree views, rich edits
  RoleWindowText,
  RoleDialog,                 // dialogs, static text, button backgrounds
  RoleDialogText,
  RoleSelection,
  RoleSelectionText,
  RoleGrayText,               // disabled text in content
  RoleTooltip,
  RoleTooltipText,
  // Title bars and frames of windows with a caption (dressed threads only).
  RoleCaptionActive,          // the caption of the active window
  RoleCaptionInactive,
  RoleCaptionText,
  RoleCaptionTextInactive,
  RoleCaptionButtonHot,       // a caption button under the pointer
  RoleCaptionButtonPressed,   // a caption button held down
  RoleCaptionButtonDisabled,  // the mark of a caption button that does nothing
  RoleFrame,                  // the sizing frame of the active window
  RoleFrameInactive,
  RoleFrameBorder,            // the frame's outer line
  RoleFrameBorderInactive,
  // Popup menus (dressed threads only).
  RoleMenu,                   // a popup menu's background
  RoleMenuText,
  RoleMenuHot,                // the item under the pointer or the keyboard
  RoleMenuHotText,
  RoleMenuDisabledText,
  RoleMenuSeparator,
  RoleMenuBorder,             // a popup menu's outer line
  RoleMenuBar,                // the menu bar under a caption, its bottom line included
  // Scroll bars (dressed threads only); their arrows take RoleArrow and RoleArrowDisabled.
  RoleScrollTrack,            // the track, the arrow cells at rest and the size box
  RoleScrollTrackPressed,     // the part of the track held down
  RoleScrollThumb,
  RoleScrollThumbHot,
  RoleScrollThumbPressed,     // the thumb being dragged
  RoleScrollArrowHot,         // an arrow cell under the pointer
  RoleScrollArrowPressed,     // an arrow cell held down
  // The rest of the system's colours, as a dressed thread's GetSysColor answers them while the
  // theme colours content.
  RoleEdgeShadow,             // the shadow of 3-D edges (COLOR_BTNSHADOW)
  RoleEdgeHighlight,          // the lit side of 3-D edges (COLOR_BTNHIGHLIGHT)
  RoleEdgeDarkShadow,         // COLOR_3DDKSHADOW
  RoleEdgeLight,              // COLOR_3DLIGHT
  RoleWorkspace,              // an MDI frame's background (COLOR_APPWORKSPACE)
  RoleLink,                   // links and hot-tracked items (COLOR_HOTLIGHT)
  RoleCount
};

enum SizeRole : int {
  SizeCaptionInset,           // between a face's edge and its caption or focus frame
  SizeStatusTextInset,        // left of a status bar pane's text
  SizeTabImageGap,            // before a tab's image
  SizeGroupCaptionIndent,     // a group box caption's start, at 96 dpi
  SizeGroupCaptionPadding,    // the band around a group box caption, at 96 dpi
  SizeCount
};

enum Image : int {
  ImageButtonFaces,           // 7 x 84: four 7 x 21 faces, one per state
  ImageComboParts,            // 15 x 18: hot and pressed drop faces, the arrow enabled and disabled
  ImageCheckGlyphs,           // 18 x 24: tick, square and dot, enabled and disabled
  ImageOptionCircles,         // 13 x 52: four 13 x 13 circles, one per state
  ImageHeaderFaces,           // 9 x 20: normal, hot and pressed item faces
  ImageCount
};

// A named piece of an atlas image. `Index` picks one of a strip's cells (a state, or enabled and
// disabled), each `StepX`, `StepY` from the first. Only the look draws pieces (skin/look/parts.h).
enum Piece : int {
  PieceButtonFace,            // index: visual state 0-3
  PieceComboFace,             // index: 0 hot, 1 pressed
  PieceComboArrow,            // index: 0 enabled, 1 disabled
  PieceCheckTick,             // index: 0 enabled, 1 disabled
  PieceCheckSquare,           // the indeterminate mark; index as the tick
  PieceOptionDot,             // index as the tick
  PieceOptionCircle,          // index: visual state 0-3
  PieceCheckFill,             // the check square's inside; index: 0 hot, 1 pressed
  PieceHeaderFace,            // index: 0 normal, 1 hot, 2 pressed
  PieceHeaderBackground,      // one column of the normal header face
  PieceCount
};

struct PieceGeometry {
  Image Source;
  int X, Y, Width, Height;
  int StepX, StepY;
  int SliceLeft, SliceTop, SliceRight, SliceBottom;  // nine-slice margins
};

// A theme as data: what a theme folder holds, and what the built-in themes are made of.
struct Theme {
  std::wstring Name;
  bool ColoursContent;  // answers WM_CTLCOLOR* and sets controls' colours on dressed threads
  COLORREF Colours[RoleCount];
  int Sizes[SizeCount];
  // Each image row by row from the top, COLORREF 0x00BBGGRR, in the size the item table gives.
  std::vector<COLORREF> Images[ImageCount];
  // A visual style worn as the theme (empty path: none): the file or unpacked folder, the colour
  // scheme and the size by name (empty: the style's first). Its parts are drawn from the style's
  // images (skin/look/style_parts.cpp); the colours above are read from its [SysMetrics].
  std::wstring StylePath, StyleScheme, StyleSize;
  // The style's [SysMetrics] colour for each COLOR_* index, CLR_INVALID where it gives none or the
  // theme is no style: a dressed thread's GetSysColor answers these first.
  std::vector<COLORREF> SystemColours;
};

// The built-in themes.
Theme LightTheme();
Theme DarkTheme();

// The theme in use: light until another is chosen.
const Theme& CurrentTheme();
// Makes `theme` the one in use; its images become the atlas the next time the atlas is built.
void UseTheme(Theme theme);

COLORREF Colour(Role role);
int Size(SizeRole role);
const PieceGeometry& GeometryOf(Piece piece);
// An image's width and height: the same in every theme.
SIZE ImageSize(Image image);
// A piece's width and height.
SIZE PieceSize(Piece piece);
// The atlas surface an image is built in (0 while the atlas is not built).
HDC ImageSurface(Image image);

// A piece nine-sliced over width x height (keyed pieces leave the destination under the key).
int DrawSlicedPiece(HDC dc, int x, int y, int width, int height, Piece piece, int index);
// A piece stretched over width x height.
void DrawStretchedPiece(HDC dc, int x, int y, int width, int height, Piece piece, int index);
// A piece at its own size, its key-coloured pixels left out.
void DrawKeyedPiece(HDC dc, int x, int y, Piece piece, int index);

// Whether the theme in use colours content: windows' backgrounds and texts on dressed threads.
bool ColoursContent();
// Whether the window shows content colours now: on the dressed thread, in a theme that colours
// content, outside high contrast.
bool ContentColouredHere(HWND window);
// A content colour: the theme's where it colours content, the system's colour otherwise.
COLORREF ContentColour(Role role, int systemColour);

// The theme's role for a system colour (a COLOR_* index), or -1 where the system's colour stays.
int RoleOfSystemColour(int index);

// The visual style the theme in use wears: opened when the atlas is built, closed (its images
// freed) when the atlas is released. 0 while there is none.
uintptr_t StyleInUse();
void OpenStyleInUse();
void CloseStyleInUse();

// The system's own colour of a GetSysColor index, whatever a dressed thread is answered.
COLORREF SystemColour(int index);
// Whether a colour is one of the system's own, or a control's "default" or "none", which stand
// for them.
bool IsSystemColour(COLORREF colour);
// While a thread is dressed, GetSysColor and GetSysColorBrush called from it answer with the
// theme's colours when it colours content (skin/look/system_colours.cpp). Taken at dressing,
// given back at undress; after a change of theme or of high contrast the common controls are told.
void TakeSystemColours();
void GiveBackSystemColours();
void SystemColoursChanged();

// Content colours, on a dressed thread while the theme colours content. A window's own colours
// that the skin replaces (a list view's, a rich edit's, ...) are kept in its properties and given
// back when the theme stops colouring content and when the window leaves the skin.
void TakeContentColours(HWND window);
void RetakeContentColours(HWND window);
void GiveBackContentColours(HWND window);
// The theme's solid brush for a content role, kept with the skin's kept objects.
HBRUSH ContentBrush(Role role);
// Before another theme is put on: the colours the windows wear are noted (each gives back what it
// took against them).
void LeaveContentTheme();

// The check boxes of list views (LVS_EX_CHECKBOXES) and tree views (TVS_CHECKBOXES) on a dressed
// thread, in every theme: their state image list drawn from the theme's check square.
void TakeStateImages(HWND window);
// Drawn again from the theme in use; taken when the skin has none yet.
void RenderStateImagesAgain(HWND window);
// Lets go of the skin's list when the control wears another one now.
void ForgetReplacedStateImages(HWND window);
void GiveBackStateImages(HWND window);

}  // namespace skin::look
