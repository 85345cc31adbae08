// The skin engine's own declarations: window kinds and properties, the process-wide state, the
// handlers and painters. The application and the library's users call skin/skin.h instead.
//
// All per-window state lives in window properties (named, pointer-sized integers that the window
// system keeps on each window); the kind of a window is worked out from its class name whenever
// it is needed. The process-wide state is a handful of globals used on the user-interface thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/atlas/atlas.h"
#include "skin/gdi/toolkit.h"
#include "skin/look/look.h"
#include "skin/skin.h"

namespace skin {

// ---------------------------------------------------------------- kinds and properties

enum WindowKind {
  KindContainer,
  KindButton,
  KindCombo,
  KindDriveList,
  KindCheck,
  KindOption,
  KindProgress,
  KindHeader,
  KindDropList,
  KindDataList,
  KindGrid,
  KindOther,
};

enum VisualState : int {
  StateNormal = 0,
  StateHot = 1,
  StatePressed = 2,
  StateDisabled = 3,
};
inline constexpr int VisualStateCount = 4;

// The window's class name: at most 254 characters, empty when it cannot be read.
std::string WindowClassName(HWND window);
// The window's title or caption in UTF-16, as long as the window system says it is.
std::wstring WindowText(HWND window);
WindowKind ClassifyWindow(HWND window);
// A KindButton window counts as a push button, and is painted by the skin, when its type before
// skinning is BS_PUSHBUTTON, BS_DEFPUSHBUTTON or BS_USERBUTTON.
bool IsPushButtonStyle(LONG style);

inline constexpr char ProcAddrProperty[] = "PROCADDR";
inline constexpr char OldStyleProperty[] = "OLDSTYLE";
inline constexpr char MouseFlagProperty[] = "MOUSEFLAG";
inline constexpr char TimerIdProperty[] = "TIMERID";
inline constexpr char OldStateProperty[] = "OLDSTATE";
inline constexpr char AlphaLevelProperty[] = "ALPHALEVEL";
inline constexpr char HdIndexProperty[] = "HDINDEX";
inline constexpr char HmIndexProperty[] = "HMINDEX";
// Set on a window that was an ANSI window when it joined the skin, whose procedure is Unicode.
inline constexpr char AnsiWindowProperty[] = "ANSIWINDOW";
// Which copy of the skin took the window: the address of that copy's SkinWindowProc. A program
// that links the skin and runs dressed by the DLL has two copies; each one leaves the other's
// windows alone.
inline constexpr char SkinCopyProperty[] = "SKINCOPY";
// The previous procedure of a window in whose chain SkinWindowProc stays without skinning it:
// one that is being created and joins when its WM_CREATE ends, or one that was subclassed again
// above the skin, whose procedure cannot be put back without cutting that subclass off. Every
// message goes straight on to it.
inline constexpr char PassProcProperty[] = "PASSPROC";
// Content colours on a dressed thread. A list view's, tree view's, rich edit's or tooltip's own
// colours that the theme replaced: background, text, text background (list views) and lines
// (tree views), each a COLORREF as the control gave it ("default" and "none" included), and
// "KEPTCOLOURS", bit 0 to 3 saying which of the four are kept (bit 4: a rich edit's default text
// colour was automatic). A rich edit's background is given back as the system's colour.
inline constexpr char OldBkColourProperty[] = "OLDBKCOLOR";
inline constexpr char OldTextColourProperty[] = "OLDTEXTCOLOR";
inline constexpr char OldTextBkColourProperty[] = "OLDTEXTBKCOLOR";
inline constexpr char OldLineColourProperty[] = "OLDLINECOLOR";
inline constexpr char KeptColoursProperty[] = "KEPTCOLOURS";
// Set on a dialog whose visual-style texture (a property sheet page's) the theme turned off.
inline constexpr char OldDialogTextureProperty[] = "OLDDIALOGTEXTURE";
// A list view's or tree view's own state image list (its check boxes) and the skin's that
// replaces it, an HIMAGELIST each.
inline constexpr char OldStateImagesProperty[] = "OLDSTATEIMAGES";
inline constexpr char StateImagesProperty[] = "STATEIMAGES";

// A property of a window as a signed, pointer-sized integer; a missing one reads as 0.
intptr_t GetProperty(HWND window, const char* name);
void SetProperty(HWND window, const char* name, intptr_t value);
void RemoveProperty(HWND window, const char* name);
// Names of a push button's per-state face surface and its bitmap: "0HDC" .. "3HDC", "0BMP" ..
// "3BMP".
std::string StateSurfaceProperty(int state);
std::string StateBitmapProperty(int state);
HDC StateSurface(HWND window, int state);
// Whether the skin came off the window while its previous procedure handled a message: a click's
// notification can open a message box in whose modal loop the application detaches. Handlers
// that run after the previous procedure leave such a window alone.
bool DetachedMeanwhile(HWND window);
// Whether this copy of the skin has the window.
bool IsSkinnedHere(HWND window);

// ---------------------------------------------------------------- process-wide state

extern bool SkinInitialised;
// The thread that initialised the skin, whose windows wear it (0 while none does).
extern DWORD SkinThreadId;
// Whether the theme in use was chosen as "auto" and follows the system's app mode.
extern bool ThemeFollowsSystem;
// The thread that wears the skin through SkinAttachThread (0: none) and its creation hook.
extern DWORD DressedThreadId;
extern HHOOK DressHook;
extern bool TrackMouseEventAvailable;
extern int32_t SkinnedWindowCount;
// The check square and the option circle are SM_CXMENUCHECK x SM_CYMENUCHECK. Under Wine every
// read of these measures the menu font, so they are read when the skin starts and again when the
// system's settings change; 0 x 0 until then.
extern SIZE CheckMarkSize;
void ReadCheckSize();
// The kept size, read first if it never was (drawing without the skin started, as in tests).
SIZE CheckSize();

// ---------------------------------------------------------------- control faces

// Renders a push button's four faces, one per state, into its "0HDC" .. "3HDC" surfaces.
void RenderButtonFaces(HWND window);
// The drop button of a combo box, into `dc` (0: the window's own DC). An open list is drawn
// pressed whatever `state` asks. Draws only when the state differs from "OLDSTATE" or `force`.
void PaintComboButton(HWND window, HDC dc, int state, bool force);
// The check square and the option circle over what the control drew. 1 when drawn, 0 when the
// state was already shown and `force` was not set.
int PaintCheckBox(HWND window, int state, bool force);
int PaintOptionButton(HWND window, int state, bool force);
// The check square (SM_CXMENUCHECK x SM_CYMENUCHECK) and the option circle with their marks, at
// (x, y) of `target`, for a state 0 to 2; a disabled control shows the pale look whatever the
// state.
void DrawCheckSquare(HDC target, int x, int y, int state, int check, bool enabled);
void DrawOptionCircle(HDC target, int x, int y, int state, int check, bool enabled);
// One header item's face and caption, into `dc` (0: the window's own DC). Nothing for index < 0.
void PaintHeaderItem(HWND window, HDC dc, int index, int state);
// The caption of a header item, as HDM_GETITEMW gives it into a buffer of 256 characters.
std::wstring HeaderItemCaption(HWND header, int index);

// Where the system's header puts an item's parts inside the item's rectangle, for the item's
// format (HDF_RTLREADING is reading order and moves nothing): the caption, drawn there with
// HeaderCaptionFormat so that an ellipsis cuts it at its right end; the image or bitmap; the sort
// arrow, which takes the place of any picture. Parts the item lacks get empty rectangles. `dc` has
// the header's font: the caption and the arrow are measured in it. `picture` is the size of the
// image or bitmap shown, {0, 0} for none.
struct HeaderItemPlaces {
  RECT Caption;
  RECT Picture;
  RECT Arrow;
};
inline constexpr UINT HeaderCaptionFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
HeaderItemPlaces PlaceHeaderItem(HWND header, HDC dc, RECT item, int format, const std::wstring& caption,
                                 SIZE picture);
// Whether the header's items are laid out as the system lays them out: on the dressed thread.
// Headers skinned through SkinAttach keep every caption centred in its item.
bool PlacesHeaderItemsAsSystem(HWND header);
// A header item's caption into `dc`, `item` being the item's rectangle there: placed as the system
// places it on the dressed thread, centred elsewhere. The font is the caller's.
void DrawHeaderCaption(HWND header, HDC dc, int index, const RECT& item);
// A caption in the place PlaceHeaderItem gave it; nothing when that place has no width.
void DrawHeaderCaptionAt(HDC dc, const std::wstring& caption, const RECT& place);

// ---------------------------------------------------------------- hover fade

// Every handler of the skin has this shape: the window's previous procedure, then the message.
using SkinHandler = LRESULT (*)(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);

inline constexpr UINT_PTR FadeTimerId = 1;
inline constexpr UINT FadePeriodMs = 15;
inline constexpr int FadeStep = 3;
inline constexpr int OpaqueAlpha = 255;

// Lays the face of "OLDSTATE" over the window at the constant opacity "ALPHALEVEL", into `dc` (0:
// the window's own DC). A disabled window shows its disabled face.
LRESULT BlendStateFace(HWND window, HDC dc);
// The state whose face a push button shows: "OLDSTATE", or StateDisabled, recorded, while the
// window is disabled.
int ShownFaceState(HWND window);
// Lays `face` over the whole window at a constant opacity, into `dc` (0: the window's own DC).
void LayFace(HWND window, HDC dc, HDC face, intptr_t alpha);
// One fade step per WM_TIMER of a button, then the message goes on to the previous procedure.
LRESULT SkinOnTimer(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// SetTimer's result, or 0 when a fade timer already runs.
UINT_PTR StartFadeTimer(HWND window);
// KillTimer's result, or 0 when no fade timer runs.
BOOL StopFadeTimer(HWND window);
// Asks the window system for one WM_MOUSELEAVE when the pointer leaves the window.
void RequestMouseLeave(HWND window);

// ---------------------------------------------------------------- attach and detach

int SkinAttachWindow(HWND window);
int SkinDetachWindow(HWND window);
BOOL CALLBACK AttachChildCallback(HWND child, LPARAM unused);
BOOL CALLBACK DetachChildCallback(HWND child, LPARAM unused);
// Whether the library is loaded or can be loaded and exports the function.
bool ProbeExport(const char* function, const char* library);
// The one-time initialisation: the mouse-tracking probe and the atlas, unless already done.
void InitialiseSkin();
// Releases the atlas; the next attach initialises again.
void ReleaseSkin();
// Whether the window may join: a live window of this thread that no copy of the skin has yet and
// that, on a dressed thread, is not left out.
bool CanJoinSkin(HWND window);
// A window that is being created takes SkinWindowProc now, passing every message on, and joins
// the skin when its WM_CREATE has ended (FinishJoining).
void StartJoining(HWND window);
void FinishJoining(HWND window);
// Whether the button holds faces and the rounded outline: every button joined through SkinAttach
// (Tavrin's look depends on their outline); on the dressed thread only those that show a face,
// push buttons and push-like check boxes and radio buttons.
bool WantsFaces(HWND button);
// On the dressed thread, makes or releases a button's faces and outline as its type now asks.
void FitFacesToType(HWND button);
// A push button's four face surfaces at its current size, made together or not at all, and
// rendered. False when they cannot be made: the button then paints itself until they can.
bool MakeButtonFaces(HWND window);
// New bitmaps of the current size for the four faces, all or none, rendered. False, with the old
// faces untouched, when the button has none or they cannot all be made.
bool ResizeButtonFaces(HWND window);
void ReleaseButtonFaces(HWND window);
// A button's rounded outline: a window region whose 3 x 3 corner ellipses leave the corner
// pixels outside. The window system owns the region.
void SetButtonOutline(HWND window, const WindowBounds& bounds);

// ---------------------------------------------------------------- thread-wide dressing

// Windows that never join a dressed thread: those that must not be subclassed.
bool IsLeftOut(HWND window);

// ---------------------------------------------------------------- window procedure

// The one procedure of every skinned window: routes the messages the skin handles and passes all
// others to the window's previous procedure, kept in "PROCADDR".
LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnActivate(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnSize(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnWindowPosChanging(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);

// ---------------------------------------------------------------- push buttons' own behaviour

LRESULT SkinOnGetDlgCode(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnSetStyle(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnDrawItem(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnEraseBackground(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam);
LRESULT SkinOnButtonLookChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam);
// A push button without faces gets back its own type and paints itself; once it has faces again
// it becomes owner-drawn again. Other buttons are left as they are.
void LetButtonPaintItself(WNDPROC previous, HWND window);
void OwnerDrawAgain(WNDPROC previous, HWND window, BOOL redraw);

// ---------------------------------------------------------------- client and frame painting

// A progress bar's position is read against this scale, whatever range the control has.
inline constexpr float ProgressScale = 30000.0f;

LRESULT SkinOnPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnNcPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The width of the window's frame on one side, horizontally and vertically, scroll bars taken
// off. Always 1.
int GetBorderInsets(HWND window, int* horizontal, int* vertical);
// The blue outer frame (pale when disabled) and a white one inside it.
void DrawControlBorder(HDC dc, int width, int height, bool enabled);

// ---------------------------------------------------------------- pointer, keyboard, focus

LRESULT SkinOnLButtonDown(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnLButtonUp(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnLButtonDblClk(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnMouseMove(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnMouseLeave(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnKeyDown(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnKeyUp(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnEnable(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnSetFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SkinOnKillFocus(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// BM_SETCHECK and BM_SETSTATE: a check box or option button draws its own box again when its mark
// or its pushed state changes, over the skin's; the skin's square or circle goes back on top.
LRESULT SkinOnToggleChange(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------- standard controls

// On the dressed thread, the handler that gives a standard control of the system the skin's look
// for this message; nullptr elsewhere, for other classes and for messages the look needs not.
SkinHandler StandardHandlerFor(HWND window, UINT message);
// Takes back the properties a standard control's look kept (its hover), on detach.
void ForgetStandardState(HWND window);

// ---------------------------------------------------------------- high contrast

// Whether the system's high-contrast mode is on. The default asks SystemParametersInfoW; tests put
// in their own answer.
using HighContrastQuery = bool (*)();
bool SystemHighContrast();
// nullptr puts the system's answer back.
void SetHighContrastQuery(HighContrastQuery query);
// True while high contrast is on: every skinned window keeps SkinWindowProc and its properties,
// but the skin draws nothing and its windows show the system's colours. Read at initialisation
// and whenever a skinned window hears WM_SETTINGCHANGE or WM_SYSCOLORCHANGE.
extern bool StandingAside;
// Asks the mode again. When it changed, every skinned window of this thread is handed over:
// push buttons get their own type back and lose their outline (or get both again, with faces of
// their current size), and every window is redrawn, frame included.
void FollowHighContrast();
// Calls `each` for every window of this thread, descendants before their top-level window, then
// redraws each top-level window whole, frames included.
void HandOverEveryWindow(WNDENUMPROC each);

// ---------------------------------------------------------------- title bars and frames

// On a dressed thread every window with a caption has its frame, caption and caption buttons
// drawn by the skin ("NCFRAME" set while it does). The caption button under the pointer and the
// one held down, as hit-test codes (HTCLOSE, ...; missing: none).
inline constexpr char NcFrameProperty[] = "NCFRAME";
inline constexpr char NcHotProperty[] = "NCHOT";
inline constexpr char NcPressedProperty[] = "NCPRESSED";
// The caption's state as the last WM_NCACTIVATE gave it: 1 inactive, 2 active (missing: not yet
// told, the system is asked).
inline constexpr char NcActiveProperty[] = "NCACTIVE";
// The handler that draws the title bar and frame for this message of a window the skin took the
// frame of; nullptr for other windows and messages.
SkinHandler FrameHandlerFor(HWND window, UINT message);
// At joining a dressed thread: takes the frame of a window with a caption (the compositor's
// drawing of it turned off). At leaving: gives it back (the compositor's drawing as the window's
// style says). Neither changes the window's style, region or geometry.
void TakeFrame(HWND window);
void GiveBackFrame(HWND window);
// Sets the compositor's non-client rendering policy of a window (DWMNCRP_* values). The default
// asks dwmapi.dll's DwmSetWindowAttribute, when the system has it; tests put in their own.
using NcRenderingPolicySetter = void (*)(HWND window, int policy);
void SystemSetNcRenderingPolicy(HWND window, int policy);
// nullptr puts the system's back.
void SetNcRenderingPolicySetter(NcRenderingPolicySetter setter);

// ---------------------------------------------------------------- menus

// On a dressed thread every popup menu the thread shows (the program's, its controls' context
// menus, the system menu) and the menu bar of every window whose frame the skin draws have their
// text items and separators drawn by the skin: they are made owner-drawn (a popup's when its
// window is made and again after the program's WM_INITMENUPOPUP, until its window goes; a bar's
// when its window joins), and the owner's WM_MEASUREITEM and WM_DRAWITEM for them are answered by
// the skin. Which items are the skin's is kept outside the menus, by position (skin/menus/);
// only the owner-drawn bit of their types is changed. Popup windows (#32768) have the frame
// around their items painted after their own WM_PAINT and WM_NCPAINT.
// The handler for this message of a window on the dressed thread, or nullptr.
SkinHandler MenuHandlerFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// At the creation of a window on the dressed thread: a popup menu's window (#32768) converts its
// menu, which lpCreateParams names, before the system measures it. At its destruction the menu
// gets its own types back.
void JoinPopupMenu(HWND popup, const CREATESTRUCTW& creation);
void LeavePopupMenu(HWND popup);
// Whether the popup window shows a menu whose items the skin draws.
bool IsConvertedPopupWindow(HWND popup);
// Gives every converted item its own type back (menus destroyed meanwhile are skipped), and the
// menu bars their own layout.
void GiveBackMenus();
// The menu bar of a window whose frame the skin draws: its text items converted as a popup's are
// (measured to the places the system gives text items), once the window has joined.
void TakeMenuBar(HWND window);
// Whether the menu is a bar the skin draws.
bool IsConvertedBar(HMENU menu);
// The previous procedure for a message through which the system lays out or paints the window's
// bar (WM_NCCALCSIZE, WM_NCPAINT): the bar the window has now is taken, or read and converted
// again when the program changed it, and the system's measuring of its items is followed.
LRESULT PassWithMenuBar(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Gives a window's bar its own types and layout back, when the window leaves the skin.
void GiveBackMenuBar(HWND window);
// The bar's background outside its items and the line under it, from the caption's bottom (in
// window coordinates), through the window's DC.
void PaintMenuBarBackground(HWND window, int captionBottom);
// A screen reader reads menu items' names only from items that are not owner-drawn: while the
// system's screen-reader flag is on, and while high contrast is on, every menu is the system's.
// The flag is read when the thread is dressed; Wine reads it once per process, so at
// WM_SETTINGCHANGE for SPI_SETSCREENREADER it is read from the user's settings in the registry.
bool MenusStayPlain();
void ReadScreenReader();
void FollowScreenReader(WPARAM setting);
// After the screen-reader flag or high contrast changed: menus given back, or the bars taken
// again (popups follow at their next show).
void FollowMenusPlain(bool wasPlain);
// The menu font, made when first asked for; released with the skin and at a settings change.
void ReleaseMenuFont();

// ---------------------------------------------------------------- themes

// Puts a theme on every window the skin has: the atlas built from its images, push buttons'
// faces rendered again, content colours set again, every window redrawn, frames included.
void ApplyTheme(look::Theme theme);
// At WM_SETTINGCHANGE: a theme chosen as "auto" follows a change of the system's app mode.
void FollowSystemTheme(LPARAM setting);
// The answer to a WM_CTLCOLOR* message in the content colours of the theme, from the answer of
// the window's previous procedure (see skin/look/content.cpp).
LRESULT RecolourAnswer(HWND window, UINT message, WPARAM wParam, LRESULT answer);
// On the dressed thread, the handler of a message that content colours need: the WM_CTLCOLOR*
// answers, erasing in the theme's colour, a program setting a control's colours; else nullptr.
SkinHandler ContentHandlerFor(HWND window, UINT message);
// Sends each line to the debugger's output.
void ReportThemeLines(const std::wstring& problem, const std::vector<std::wstring>& warnings);

}  // namespace skin
