// Windows visual styles of the Windows XP form, read and drawn without the system's theme engine:
// a .msstyles file (a resource-only PE, 32- or 64-bit, read as data) or a folder it was unpacked
// into. The file is never trusted: every offset, count, size and margin is checked before it is
// read, drawn or allocated, and a style that is not sound is refused whole, in one line.
//
// Parts are addressed as the style's INI writes them: a class name ("Button", "Window",
// "ScrollBar", ...), optionally an application name for [App::Class] sections (null or empty for
// none), and the part and state numbers of <vssym32.h> (BP_PUSHBUTTON, PBS_HOT, ...). Properties
// are the TMT_* numbers. A property is looked up in the state's section, then the part's, then the
// class's, then [Globals]; with an application name its App::Class sections come first at each step.
//
// Images are decoded when first drawn and kept until the style is closed; CloseStyle gives back
// every GDI object and all memory. Call the functions from one thread at a time.
//
// Images per state: a part's image holds ImageCount frames and state N draws frame N, a state past
// the last frame the last one. Some styles hold more frames than the part has states: Wine's caption
// buttons ([Window.CloseButton], ...) have eight frames for the four states, the second four being
// the looks for an inactive window; pass state + 4 (up to PartImageCount) to draw those.
#pragma once

#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <cstdint>
#include <string>
#include <vector>

// Numbers of properties newer than the SDK headers this project builds with.
#ifndef TMT_MINDPI6
#define TMT_MINDPI6 2433
#define TMT_MINDPI7 2434
#define TMT_IMAGEFILE6 3009
#define TMT_IMAGEFILE7 3010
#define TMT_MINSIZE6 3410
#define TMT_MINSIZE7 3411
#endif

namespace skin::styles {

// An open style; 0 is none.
using StyleHandle = uintptr_t;

// Opens a style: `path` is a .msstyles file or a folder written by UnpackStyle. `scheme` and `size`
// name a colour scheme and a size, without regard to case; empty picks the style's first. The
// images are chosen for the screen's dpi (see SetStyleDpi). On failure `problem` gets one line that
// names the file or resource and what is wrong, and `*handle` is 0.
bool OpenStyle(const std::wstring& path, const std::wstring& scheme, const std::wstring& size,
               StyleHandle* handle, std::wstring* problem);
// Frees everything the style holds. 0 and handles already closed are ignored.
void CloseStyle(StyleHandle handle);

struct StyleNames {
  std::vector<std::wstring> schemes;  // in the style's order; the first is the default
  std::vector<std::wstring> sizes;
};
// The colour schemes and sizes of a style file or unpacked folder.
bool ListStyle(const std::wstring& path, StyleNames* names, std::wstring* problem);

// Writes a style file out as a folder (made if missing; its parent must exist) that OpenStyle reads
// as it reads the file:
//   style.index   UTF-8 text naming the schemes, the sizes and which INI belongs to each pair
//   *.ini         the style's INI texts as UTF-8 (a byte-order mark is tolerated when read back,
//                 and so is UTF-16 with its mark); the INI of scheme S and size Z is
//                 [Files] S.Z in style.index, counting from 1
//   images        BMP files with a file header, at the path the INI names them by (below the
//                 folder); images no INI names are written as RESOURCE_NAME.bmp
// Every INI and image is checked as OpenStyle checks it; the first fault refuses the whole file.
bool UnpackStyle(const std::wstring& file, const std::wstring& folder, std::wstring* problem);

// The dpi images are chosen for (ImageSelectType = Dpi, TrueSizeScalingType = Dpi): the screen's
// when the style was opened, or what SetStyleDpi set.
int StyleDpi(StyleHandle handle);
void SetStyleDpi(StyleHandle handle, int dpi);

// Whether the style has a section for the part (state 0: any of its states; otherwise that
// state's or the part's own section).
bool HasPart(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state);

// Draws the part's background, and its glyph where it has one, into `rect` of `dc` (clipped to
// `clip` when given), as the system's DrawThemeBackground draws it. False when the style has no
// such class or the part's image cannot be drawn.
bool DrawPartBackground(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                        int state, HDC dc, const RECT& rect, const RECT* clip);

// Properties. Each is false, leaving its output alone, when the style does not give it.
bool PartColour(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                int state, int property, COLORREF* colour);
bool PartInt(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
             int property, int* value);
bool PartBool(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
              int property, bool* value);
// An enumerated property as its number (BT_IMAGEFILE, ST_TILE, IL_VERTICAL, ...).
bool PartEnum(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
              int property, int* value);
bool PartPosition(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                  int state, int property, POINT* value);
bool PartMargins(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                 int state, int property, MARGINS* margins);
bool PartString(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                int state, int property, std::wstring* value);
// A font property as a LOGFONTW for `dpi`: sizes in points; a negative size is a height in pixels
// at 96 dpi.
bool PartFont(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part, int state,
              int property, int dpi, LOGFONTW* font);

// The rectangle inside `bounds` that content goes in (ContentMargins; else the border of a
// BorderFill part, or the SizingMargins of an image part), as GetThemeBackgroundContentRect.
bool PartContentRect(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                     int state, const RECT& bounds, RECT* content);
// The part's size as GetThemePartSize gives it: TS_TRUE the image frame's own size, TS_DRAW the size
// drawn into `bounds` (null: the frame's size, scaled for the dpi), TS_MIN as TS_TRUE.
bool PartTrueSize(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                  int state, const RECT* bounds, THEMESIZE which, SIZE* size);
// How many frames the image drawn for the part holds (ImageCount, at least 1).
int PartImageCount(StyleHandle handle, const wchar_t* app, const wchar_t* className, int part,
                   int state);

// [SysMetrics]: a system colour by its COLOR_* index, a font (TMT_CAPTIONFONT, ...), a size
// (TMT_SCROLLBARWIDTH, ...) and FlatMenus (TMT_FLATMENUS).
bool SystemColour(StyleHandle handle, int colourIndex, COLORREF* colour);
bool SystemFont(StyleHandle handle, int property, int dpi, LOGFONTW* font);
bool SystemSize(StyleHandle handle, int property, int* value);
bool SystemBool(StyleHandle handle, int property, bool* value);

}  // namespace skin::styles
