// The visual-style reader and renderer against the system's own theme engine: Wine's light style,
// which every test prefix has active, drawn by both into the same DIBs; styles the tests make by
// unpacking it and changing it; files refused; the GDI headroom over opening and closing.
#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "skin/look/style_parts.h"
#include "skin/styles/styles.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"

namespace {

using namespace testing_support;
namespace styles = skin::styles;

// The parts a skin draws, with the states each has.
struct Row {
  const wchar_t* className;
  int part;
  int firstState;
  int lastState;
};

const Row Rows[] = {
    {L"Button", BP_PUSHBUTTON, 1, 5}, {L"Button", BP_RADIOBUTTON, 1, 8}, {L"Button", BP_CHECKBOX, 1, 20},
    {L"Button", BP_GROUPBOX, 1, 2},
    {L"Edit", EP_EDITTEXT, 1, 8}, {L"Edit", EP_BACKGROUND, 1, 6}, {L"Edit", EP_BACKGROUNDWITHBORDER, 1, 4},
    {L"Edit", EP_EDITBORDER_NOSCROLL, 1, 4}, {L"Edit", EP_EDITBORDER_HSCROLL, 1, 4},
    {L"Edit", EP_EDITBORDER_VSCROLL, 1, 4}, {L"Edit", EP_EDITBORDER_HVSCROLL, 1, 4},
    {L"ComboBox", CP_DROPDOWNBUTTON, 1, 4}, {L"ComboBox", CP_BORDER, 1, 4}, {L"ComboBox", CP_READONLY, 1, 4},
    {L"ComboBox", CP_DROPDOWNBUTTONRIGHT, 1, 4}, {L"ComboBox", CP_DROPDOWNBUTTONLEFT, 1, 4},
    {L"Tab", TABP_TABITEM, 1, 5}, {L"Tab", TABP_TABITEMLEFTEDGE, 1, 5}, {L"Tab", TABP_TABITEMRIGHTEDGE, 1, 5},
    {L"Tab", TABP_TABITEMBOTHEDGE, 1, 5}, {L"Tab", TABP_TOPTABITEM, 1, 5}, {L"Tab", TABP_TOPTABITEMLEFTEDGE, 1, 5},
    {L"Tab", TABP_TOPTABITEMRIGHTEDGE, 1, 5}, {L"Tab", TABP_TOPTABITEMBOTHEDGE, 1, 5}, {L"Tab", TABP_PANE, 0, 0},
    {L"Tab", TABP_BODY, 0, 0},
    {L"Header", 0, 0, 0}, {L"Header", HP_HEADERITEM, 1, 12}, {L"Header", HP_HEADERSORTARROW, 1, 2},
    {L"Header", HP_HEADERDROPDOWN, 1, 3},
    {L"Progress", PP_BAR, 0, 0}, {L"Progress", PP_BARVERT, 0, 0}, {L"Progress", PP_CHUNK, 0, 0},
    {L"Progress", PP_CHUNKVERT, 0, 0}, {L"Progress", PP_FILL, 1, 4}, {L"Progress", PP_FILLVERT, 1, 4},
    {L"TrackBar", TKP_TRACK, 1, 1}, {L"TrackBar", TKP_TRACKVERT, 1, 1}, {L"TrackBar", TKP_THUMB, 1, 5},
    {L"TrackBar", TKP_THUMBBOTTOM, 1, 5}, {L"TrackBar", TKP_THUMBTOP, 1, 5}, {L"TrackBar", TKP_THUMBVERT, 1, 5},
    {L"TrackBar", TKP_THUMBLEFT, 1, 5}, {L"TrackBar", TKP_THUMBRIGHT, 1, 5},
    {L"Spin", SPNP_UP, 1, 4}, {L"Spin", SPNP_DOWN, 1, 4}, {L"Spin", SPNP_UPHORZ, 1, 4}, {L"Spin", SPNP_DOWNHORZ, 1, 4},
    {L"Status", 0, 0, 0}, {L"Status", SP_PANE, 0, 0}, {L"Status", SP_GRIPPERPANE, 0, 0}, {L"Status", SP_GRIPPER, 0, 0},
    {L"Toolbar", TP_BUTTON, 1, 8}, {L"Toolbar", TP_DROPDOWNBUTTON, 1, 8}, {L"Toolbar", TP_SPLITBUTTON, 1, 8},
    {L"Toolbar", TP_SPLITBUTTONDROPDOWN, 1, 8}, {L"Toolbar", TP_SEPARATOR, 1, 1}, {L"Toolbar", TP_SEPARATORVERT, 1, 1},
    {L"Rebar", 0, 0, 0}, {L"Rebar", RP_GRIPPER, 0, 0}, {L"Rebar", RP_GRIPPERVERT, 0, 0}, {L"Rebar", RP_BAND, 0, 0},
    {L"Rebar", RP_CHEVRON, 1, 3}, {L"Rebar", RP_CHEVRONVERT, 1, 3}, {L"Rebar", RP_SPLITTER, 1, 3},
    {L"ListView", LVP_LISTITEM, 1, 6}, {L"ListView", LVP_EXPANDBUTTON, 1, 3}, {L"ListView", LVP_COLLAPSEBUTTON, 1, 3},
    {L"ListView", LVP_GROUPHEADER, 1, 16}, {L"ListView", LVP_GROUPHEADERLINE, 1, 16},
    {L"TreeView", TVP_TREEITEM, 1, 6}, {L"TreeView", TVP_GLYPH, 1, 2}, {L"TreeView", TVP_HOTGLYPH, 1, 2},
    {L"Tooltip", TTP_STANDARD, 1, 2}, {L"Tooltip", TTP_STANDARDTITLE, 1, 2}, {L"Tooltip", TTP_CLOSE, 1, 3},
    {L"ScrollBar", SBP_ARROWBTN, 1, 20}, {L"ScrollBar", SBP_THUMBBTNHORZ, 1, 5}, {L"ScrollBar", SBP_THUMBBTNVERT, 1, 5},
    {L"ScrollBar", SBP_GRIPPERHORZ, 1, 5}, {L"ScrollBar", SBP_GRIPPERVERT, 1, 5},
    {L"ScrollBar", SBP_LOWERTRACKHORZ, 1, 5}, {L"ScrollBar", SBP_UPPERTRACKHORZ, 1, 5},
    {L"ScrollBar", SBP_LOWERTRACKVERT, 1, 5}, {L"ScrollBar", SBP_UPPERTRACKVERT, 1, 5},
    {L"ScrollBar", SBP_SIZEBOX, 1, 8},
    {L"Window", WP_CAPTION, 1, 3}, {L"Window", WP_SMALLCAPTION, 1, 3}, {L"Window", WP_MINCAPTION, 1, 3},
    {L"Window", WP_MAXCAPTION, 1, 3}, {L"Window", WP_FRAMELEFT, 1, 2}, {L"Window", WP_FRAMERIGHT, 1, 2},
    {L"Window", WP_FRAMEBOTTOM, 1, 2}, {L"Window", WP_SMALLFRAMELEFT, 1, 2}, {L"Window", WP_SMALLFRAMERIGHT, 1, 2},
    {L"Window", WP_SMALLFRAMEBOTTOM, 1, 2}, {L"Window", WP_CLOSEBUTTON, 1, 8}, {L"Window", WP_MAXBUTTON, 1, 8},
    {L"Window", WP_RESTOREBUTTON, 1, 8}, {L"Window", WP_MINBUTTON, 1, 8}, {L"Window", WP_HELPBUTTON, 1, 8},
    {L"Window", WP_SMALLCLOSEBUTTON, 1, 8}, {L"Window", WP_MDICLOSEBUTTON, 1, 4},
    {L"Window", WP_MDIMINBUTTON, 1, 4}, {L"Window", WP_MDIRESTOREBUTTON, 1, 4}, {L"Window", WP_DIALOG, 0, 0},
    {L"Menu", MENU_BARBACKGROUND, 1, 2}, {L"Menu", MENU_BARITEM, 1, 6}, {L"Menu", MENU_POPUPBACKGROUND, 0, 0},
    {L"Menu", MENU_POPUPBORDERS, 0, 0}, {L"Menu", MENU_POPUPCHECK, 1, 4}, {L"Menu", MENU_POPUPCHECKBACKGROUND, 1, 3},
    {L"Menu", MENU_POPUPGUTTER, 0, 0}, {L"Menu", MENU_POPUPITEM, 1, 4}, {L"Menu", MENU_POPUPSEPARATOR, 0, 0},
    {L"Menu", MENU_POPUPSUBMENU, 1, 2}, {L"Menu", MENU_SYSTEMCLOSE, 1, 2}, {L"Menu", MENU_SYSTEMMAXIMIZE, 1, 2},
};

// Properties of each type, read by both.
struct Property {
  int type, id;
};
const Property Properties[] = {
    {TMT_INT, TMT_IMAGECOUNT}, {TMT_INT, TMT_BORDERSIZE}, {TMT_INT, TMT_MINDPI1}, {TMT_INT, TMT_ALPHATHRESHOLD},
    {TMT_INT, TMT_GLYPHINDEX}, {TMT_INT, TMT_PROGRESSCHUNKSIZE}, {TMT_BOOL, TMT_TRANSPARENT},
    {TMT_BOOL, TMT_BORDERONLY}, {TMT_BOOL, TMT_UNIFORMSIZING}, {TMT_BOOL, TMT_MIRRORIMAGE},
    {TMT_BOOL, TMT_GLYPHTRANSPARENT}, {TMT_ENUM, TMT_BGTYPE}, {TMT_ENUM, TMT_SIZINGTYPE}, {TMT_ENUM, TMT_IMAGELAYOUT},
    {TMT_ENUM, TMT_GLYPHTYPE}, {TMT_ENUM, TMT_IMAGESELECTTYPE}, {TMT_ENUM, TMT_TRUESIZESCALINGTYPE},
    {TMT_ENUM, TMT_VALIGN}, {TMT_ENUM, TMT_FILLTYPE}, {TMT_MARGINS, TMT_SIZINGMARGINS},
    {TMT_MARGINS, TMT_CONTENTMARGINS}, {TMT_MARGINS, TMT_CAPTIONMARGINS}, {TMT_COLOR, TMT_FILLCOLOR},
    {TMT_COLOR, TMT_BORDERCOLOR}, {TMT_COLOR, TMT_EDGESHADOWCOLOR}, {TMT_POSITION, TMT_MINSIZE},
    {TMT_POSITION, TMT_MINSIZE1}};

bool SameProperty(HTHEME theme, styles::StyleHandle style, const wchar_t* app, const Row& row, int state,
                  const Property& property) {
  const wchar_t* c = row.className;
  int systemInt = -1, ourInt = -1;
  BOOL systemBool = -1;
  bool ourBool = false;
  MARGINS systemMargins = {}, ourMargins = {};
  COLORREF systemColour = 1, ourColour = 1;
  POINT systemPoint = {}, ourPoint = {};
  switch (property.type) {
    case TMT_INT:
      return SUCCEEDED(GetThemeInt(theme, row.part, state, property.id, &systemInt)) ==
                 styles::PartInt(style, app, c, row.part, state, property.id, &ourInt) && systemInt == ourInt;
    case TMT_BOOL:
      return SUCCEEDED(GetThemeBool(theme, row.part, state, property.id, &systemBool)) ==
                 styles::PartBool(style, app, c, row.part, state, property.id, &ourBool) &&
             (systemBool == -1 || (systemBool != FALSE) == ourBool);
    case TMT_ENUM:
      return SUCCEEDED(GetThemeEnumValue(theme, row.part, state, property.id, &systemInt)) ==
                 styles::PartEnum(style, app, c, row.part, state, property.id, &ourInt) && systemInt == ourInt;
    case TMT_MARGINS:
      return SUCCEEDED(GetThemeMargins(theme, nullptr, row.part, state, property.id, nullptr, &systemMargins)) ==
                 styles::PartMargins(style, app, c, row.part, state, property.id, &ourMargins) &&
             memcmp(&systemMargins, &ourMargins, sizeof ourMargins) == 0;
    case TMT_COLOR:
      return SUCCEEDED(GetThemeColor(theme, row.part, state, property.id, &systemColour)) ==
                 styles::PartColour(style, app, c, row.part, state, property.id, &ourColour) &&
             systemColour == ourColour;
    default:
      return SUCCEEDED(GetThemePosition(theme, row.part, state, property.id, &systemPoint)) ==
                 styles::PartPosition(style, app, c, row.part, state, property.id, &ourPoint) &&
             systemPoint.x == ourPoint.x && systemPoint.y == ourPoint.y;
  }
}

constexpr int Border = 5;  // around the part's rectangle in the DIB, to catch drawing outside it

// The first way our drawing, text colour, content rectangle or size of one state differs from the
// system's; empty when none does.
std::string CompareState(HTHEME theme, styles::StyleHandle style, const wchar_t* app, const Row& row, int state) {
  char name[160];
  wsprintfA(name, "%ls%ls%ls part %d state %d", app ? app : L"", app ? L"::" : L"", row.className, row.part, state);
  SIZE own = {};
  const bool sized = SUCCEEDED(GetThemePartSize(theme, nullptr, row.part, state, nullptr, TS_TRUE, &own));
  const SIZE sizes[] = {own, {own.cx * 2 + 7, own.cy * 2 + 3}, {3, 2}, {37, 23}, {1, 40}, {90, 9}};
  for (size_t i = 0; i < std::size(sizes); ++i) {
    const SIZE size = sizes[i];
    if (size.cx <= 0 || size.cy <= 0 || size.cx > 600 || size.cy > 600) continue;
    Dib system(size.cx + 2 * Border, size.cy + 2 * Border), ours(size.cx + 2 * Border, size.cy + 2 * Border);
    system.FillPattern(state);
    ours.FillPattern(state);
    RECT rect = {Border, Border, Border + size.cx, Border + size.cy};
    // Every other size clipped short of its left and right columns.
    const RECT clip = {rect.left + 1, 0, rect.right - 1, system.height()};
    const RECT* clipping = i % 2 ? &clip : nullptr;
    DrawThemeBackground(theme, system.dc(), row.part, state, &rect, clipping);
    styles::DrawPartBackground(style, app, row.className, row.part, state, ours.dc(), rect, clipping);
    if (!system.SameAs(ours)) {
      for (int y = 0; y < system.height(); ++y) {
        for (int x = 0; x < system.width(); ++x) {
          if (system.at(x, y) == ours.at(x, y)) continue;
          char text[240];
          wsprintfA(text, "%s at %dx%d: pixel (%d,%d) is %06X, the system's %06X", name, size.cx, size.cy, x, y,
                    ours.at(x, y), system.at(x, y));
          return text;
        }
      }
      return std::string(name) + ": the alpha bytes differ";
    }
    // Unclipped, a part is drawn once and kept: drawn twice more over the same ground, it comes
    // out as the system draws it each time.
    Dib whole(system.width(), system.height());
    whole.FillPattern(state);
    DrawThemeBackground(theme, whole.dc(), row.part, state, &rect, nullptr);
    for (int time = 1; time <= 2; ++time) {
      Dib again(system.width(), system.height());
      again.FillPattern(state);
      styles::DrawPartBackground(style, app, row.className, row.part, state, again.dc(), rect, nullptr);
      if (!again.SameAs(whole)) {
        char text[200];
        wsprintfA(text, "%s at %dx%d unclipped: drawing %d differs", name, size.cx, size.cy, time);
        return text;
      }
    }
    SIZE systemSize = {}, ourSize = {};
    const bool systemSized = SUCCEEDED(GetThemePartSize(theme, nullptr, row.part, state, &rect, TS_DRAW, &systemSize));
    const bool ourSized = styles::PartTrueSize(style, app, row.className, row.part, state, &rect, TS_DRAW, &ourSize);
    if (ourSized != systemSized || (ourSized && (systemSize.cx != ourSize.cx || systemSize.cy != ourSize.cy))) {
      return std::string(name) + ": drawn size";
    }
  }
  SIZE ourTrue = {};
  if (styles::PartTrueSize(style, app, row.className, row.part, state, nullptr, TS_TRUE, &ourTrue) != sized ||
      (sized && (own.cx != ourTrue.cx || own.cy != ourTrue.cy))) {
    return std::string(name) + ": true size";
  }
  COLORREF systemColour = CLR_INVALID, ourColour = CLR_INVALID;
  GetThemeColor(theme, row.part, state, TMT_TEXTCOLOR, &systemColour);
  styles::PartColour(style, app, row.className, row.part, state, TMT_TEXTCOLOR, &ourColour);
  if (ourColour != systemColour) return std::string(name) + ": text colour";
  for (const Property& property : Properties) {
    if (!SameProperty(theme, style, app, row, state, property)) {
      return std::string(name) + ": property " + std::to_string(property.id);
    }
  }
  const RECT bounds = {3, 4, 103, 54};
  RECT systemContent = {}, ourContent = {};
  GetThemeBackgroundContentRect(theme, nullptr, row.part, state, &bounds, &systemContent);
  styles::PartContentRect(style, app, row.className, row.part, state, bounds, &ourContent);
  if (!EqualRect(&systemContent, &ourContent)) return std::string(name) + ": content rectangle";
  return {};
}

// Every row against the system's engine, for windows of `app` (SetWindowTheme) when given; one
// failure for each row that differs.
void CompareRows(styles::StyleHandle style, const wchar_t* app, const Row* rows, size_t count) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  if (app) SetWindowTheme(window, app, nullptr);
  for (size_t i = 0; i < count; ++i) {
    const Row& row = rows[i];
    const HTHEME theme = OpenThemeData(window, row.className);
    if (!theme) {
      ADD_FAILURE() << "the system's engine has no class " << row.className;
      continue;
    }
    for (int state = row.firstState; state <= row.lastState; ++state) {
      const std::string difference = CompareState(theme, style, app, row, state);
      if (!difference.empty()) {
        ADD_FAILURE() << difference;
        break;
      }
    }
    CloseThemeData(theme);
  }
  DestroyWindow(window);
}

// On a 144-dpi screen (the test script's second Wine prefix) parts chosen by MinDpi take their
// 144-dpi images: the system's engine picks them for the window's dpi, so the process declares
// itself dpi-aware.
TEST(StylesAt144DpiTest, ImagesChosenByDpiAreTheSystemsOnes) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (dpi != 144) GTEST_SKIP() << "the screen has " << dpi << " dpi";
  using DpiAwareFunction = BOOL(WINAPI*)();
  const auto makeAware = reinterpret_cast<DpiAwareFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware")));
  ASSERT_NE(makeAware, nullptr);
  makeAware();
  styles::StyleHandle style = 0;
  std::wstring problem;
  ASSERT_TRUE(styles::OpenStyle(LightStyle(), L"", L"", &style, &problem)) << problem;
  EXPECT_EQ(styles::StyleDpi(style), 144);
  SIZE check = {};
  EXPECT_TRUE(styles::PartTrueSize(style, nullptr, L"Button", BP_CHECKBOX, CBS_CHECKEDNORMAL, nullptr, TS_TRUE, &check));
  EXPECT_EQ(check.cx, 20);  // blue_checkbox_20px.bmp, MinDpi3 = 144
  CompareRows(style, nullptr, Rows, std::size(Rows));
  styles::CloseStyle(style);
}

class StylesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::wstring problem;
    ASSERT_TRUE(styles::OpenStyle(LightStyle(), L"", L"", &style_, &problem)) << problem;
  }
  void TearDown() override { styles::CloseStyle(style_); }
  styles::StyleHandle style_ = 0;
};

TEST_F(StylesTest, EveryPartDrawsAsTheSystemsThemeEngineDrawsIt) {
  CompareRows(style_, nullptr, Rows, std::size(Rows));
  // [Explorer::TreeView.Glyph] leaves UniformSizing to [TreeView.Glyph]. Wine's engine looks an
  // App::Class section up in [Globals] instead of in its class, so its glyph differs; ours inherits.
  const Row explorer[] = {{L"TreeView", TVP_TREEITEM, 1, 6}, {L"TreeView", TVP_HOTGLYPH, 1, 2}};
  CompareRows(style_, L"Explorer", explorer, std::size(explorer));
  bool uniform = false;
  EXPECT_TRUE(styles::PartBool(style_, L"Explorer", L"TreeView", TVP_GLYPH, GLPS_OPENED, TMT_UNIFORMSIZING, &uniform));
  EXPECT_TRUE(uniform);
}

// Every style address the look asks for, over every visual state and each flag that changes the
// address, drawn as the system's engine draws it wherever the light style has the part.
TEST_F(StylesTest, EveryPartTheLookAsksForDrawsAsTheSystemsThemeEngineDrawsIt) {
  namespace look = skin::look;
  const look::PartState flags[] = {0, look::Checked, look::Mixed, look::Defaulted, look::Vertical, look::Inactive,
                                   look::Small, look::Maximised, look::PointsBefore, look::PointsBoth,
                                   look::PointsBefore | look::Vertical, look::PointsBoth | look::Vertical,
                                   look::Radio, look::Focused, look::RowStart, look::RowEnd,
                                   look::RowStart | look::RowEnd};
  std::set<std::pair<std::wstring, std::pair<int, int>>> seen;
  std::vector<Row> given;
  for (int part = 0; part < look::PartCount; ++part) {
    for (look::PartState flag : flags) {
      for (look::PartState visual = look::Normal; visual <= look::Disabled; ++visual) {
        const wchar_t* className = nullptr;
        int partId = 0, stateId = 0;
        if (!look::StyleAddressOf(static_cast<look::Part>(part), flag | visual, &className, &partId, &stateId) ||
            !styles::HasPart(style_, nullptr, className, partId, 0) ||
            !seen.insert({className, {partId, stateId}}).second) {
          continue;
        }
        given.push_back({className, partId, stateId, stateId});
      }
    }
  }
  EXPECT_GT(given.size(), 100u);
  CompareRows(style_, nullptr, given.data(), given.size());
}

// A kept drawing is put down only over the ground it was drawn over, and drawings forgotten to make
// room (more than are kept) are drawn again as the system draws them.
TEST_F(StylesTest, KeptDrawingsFollowTheirGroundAndOutliveBeingForgotten) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const auto same = [&](const wchar_t* className, int part, int state, SIZE size, int ground) {
    const HTHEME theme = OpenThemeData(window, className);
    Dib system(size.cx, size.cy), ours(size.cx, size.cy);
    system.FillPattern(ground);
    ours.FillPattern(ground);
    const RECT rect = {0, 0, size.cx, size.cy};
    DrawThemeBackground(theme, system.dc(), part, state, &rect, nullptr);
    styles::DrawPartBackground(style_, nullptr, className, part, state, ours.dc(), rect, nullptr);
    CloseThemeData(theme);
    return system.SameAs(ours);
  };
  // A round option button, whose corners show the ground, over three grounds, twice each.
  for (int time = 0; time < 2; ++time) {
    for (int ground = 1; ground <= 3; ++ground) {
      EXPECT_TRUE(same(L"Button", BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, {13, 13}, ground)) << time << " " << ground;
    }
  }
  // Three hundred sizes of a track, more than are kept; then the first ones again.
  constexpr int Sizes = 300;
  const auto track = [&](int height) { return same(L"ScrollBar", SBP_LOWERTRACKVERT, 1, {17, height}, 1); };
  for (int height = 20; height < 20 + Sizes; ++height) ASSERT_TRUE(track(height)) << height;
  for (int height = 20; height < 30; ++height) EXPECT_TRUE(track(height)) << height;
  DestroyWindow(window);
}

// What the INI and [SysMetrics] of Wine's light style say, read back.
TEST_F(StylesTest, PartsAndSystemMetricsReadAsTheStyleWritesThem) {
  EXPECT_TRUE(styles::HasPart(style_, nullptr, L"window", WP_CLOSEBUTTON, CBS_HOT));  // [Window.CloseButton]
  EXPECT_TRUE(styles::HasPart(style_, L"Explorer", L"TreeView", TVP_TREEITEM, TREIS_HOT));
  EXPECT_FALSE(styles::HasPart(style_, nullptr, L"Window", WP_SMALLMINCAPTION, 0));
  EXPECT_FALSE(styles::HasPart(style_, nullptr, L"NoSuchClass", 1, 0));
  EXPECT_EQ(styles::PartImageCount(style_, nullptr, L"Window", WP_CLOSEBUTTON, CBS_NORMAL), 8);
  std::wstring image;
  EXPECT_TRUE(styles::PartString(style_, nullptr, L"Button", BP_PUSHBUTTON, PBS_HOT, TMT_IMAGEFILE, &image));
  EXPECT_EQ(image, L"blue_button.bmp");
  LOGFONTW font = {};
  EXPECT_TRUE(styles::PartFont(style_, nullptr, L"Edit", EP_PASSWORD, 0, TMT_GLYPHFONT, 96, &font));
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
  EXPECT_EQ(font.lfHeight, -12);  // 9 points
  COLORREF face = 0;
  int scrollWidth = 0;
  bool flat = false;
  EXPECT_TRUE(styles::SystemColour(style_, COLOR_BTNFACE, &face));
  EXPECT_EQ(face, RGB(245, 245, 245));
  EXPECT_FALSE(styles::SystemColour(style_, COLOR_MENUBAR + 1, &face));
  EXPECT_TRUE(styles::SystemSize(style_, TMT_SCROLLBARWIDTH, &scrollWidth));
  EXPECT_EQ(scrollWidth, 17);
  EXPECT_TRUE(styles::SystemBool(style_, TMT_FLATMENUS, &flat));
  EXPECT_TRUE(flat);
}

// Wine installs the same style as a 32-bit and a 64-bit PE; each reads and draws as the other,
// whatever the bitness of the reader.
TEST_F(StylesTest, StyleFilesOfEitherBitnessAreTheSameStyle) {
  int opened = 0;
  for (const wchar_t* path : {L"Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\light.msstyles",
                              L"Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows\\light.msstyles"}) {
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) continue;
    styles::StyleHandle other = 0;
    std::wstring problem;
    ASSERT_TRUE(styles::OpenStyle(path, L"", L"", &other, &problem)) << std::string(problem.begin(), problem.end());
    ++opened;
    for (const Row& row : Rows) {
      Dib ours(50, 30), theirs(50, 30);
      styles::DrawPartBackground(style_, nullptr, row.className, row.part, row.lastState, ours.dc(), {2, 1, 47, 28}, nullptr);
      styles::DrawPartBackground(other, nullptr, row.className, row.part, row.lastState, theirs.dc(), {2, 1, 47, 28}, nullptr);
      EXPECT_TRUE(ours.SameAs(theirs)) << "part " << row.part << " of " << std::string(row.className, row.className + wcslen(row.className));
    }
    styles::CloseStyle(other);
  }
  EXPECT_GE(opened, 1);
}

// Where the drawing departs from Wine's engine for what Windows does: a font glyph is drawn (Wine's
// engine draws none), and a part with MirrorImage = False keeps its image unmirrored in a
// right-to-left DC, while the others are mirrored by GDI there.
TEST_F(StylesTest, FontGlyphsAreDrawnAndMirrorImageIsKeptInRightToLeftDcs) {
  Dib password(20, 20);
  EXPECT_TRUE(styles::DrawPartBackground(style_, nullptr, L"Edit", EP_PASSWORD, 0, password.dc(), {0, 0, 20, 20}, nullptr));
  EXPECT_EQ(password.at(0, 0), RGB(174, 174, 174));  // [Edit]'s border
  EXPECT_EQ(password.at(2, 2), RGB(255, 255, 255));
  int black = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) black += password.at(x, y) == RGB(0, 0, 0);
  }
  EXPECT_GT(black, 4);  // the bullet, GlyphIndex 9679 in GlyphFont
  struct Case {
    int part, state;
    bool mirrored;
  };
  for (const Case& c : {Case{BP_CHECKBOX, CBS_CHECKEDNORMAL, false}, Case{BP_PUSHBUTTON, PBS_HOT, true}}) {
    Dib leftToRight(23, 13), rightToLeft(23, 13);
    SetLayout(rightToLeft.dc(), LAYOUT_RTL);
    styles::DrawPartBackground(style_, nullptr, L"Button", c.part, c.state, leftToRight.dc(), {5, 0, 18, 13}, nullptr);
    styles::DrawPartBackground(style_, nullptr, L"Button", c.part, c.state, rightToLeft.dc(), {5, 0, 18, 13}, nullptr);
    // Wine's GDI puts a blit that keeps its orientation one pixel further left in an RTL DC.
    auto matches = [&](bool mirrored, int shift) {
      for (int y = 0; y < 13; ++y) {
        for (int x = 0; x + shift < 23; ++x) {
          if (rightToLeft.at(x, y) != leftToRight.at(mirrored ? 22 - x : x + shift, y)) return false;
        }
      }
      return true;
    };
    EXPECT_EQ(matches(true, 0), c.mirrored) << "part " << c.part;
    if (!c.mirrored) {
      EXPECT_TRUE(matches(false, 0) || matches(false, 1)) << "part " << c.part;
    }
  }
}

// ---- Styles the tests make ---------------------------------------------------------------------

std::wstring TempPath(const wchar_t* name) {
  wchar_t directory[MAX_PATH];
  GetTempPathW(MAX_PATH, directory);
  return std::wstring(directory) + name;
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path + L"\\" + name);
      else DeleteFileW((path + L"\\" + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
  DeleteFileW(path.c_str());
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

// Wine's light style unpacked into a fresh folder.
class UnpackedStyleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(folder_);
    std::wstring problem;
    ASSERT_TRUE(styles::UnpackStyle(LightStyle(), folder_, &problem)) << problem;
    ASSERT_TRUE(styles::OpenStyle(LightStyle(), L"", L"", &file_, &problem)) << problem;
  }
  void TearDown() override {
    styles::CloseStyle(file_);
    RemoveTree(folder_);
  }
  // Opens the folder; 0 and the problem reported when it is refused.
  styles::StyleHandle OpenFolder() {
    styles::StyleHandle style = 0;
    std::wstring problem;
    EXPECT_TRUE(styles::OpenStyle(folder_, L"Blue", L"normalsize", &style, &problem)) << problem;
    return style;
  }
  const std::wstring folder_ = TempPath(L"styles-test-light");
  const std::wstring ini_ = folder_ + L"\\blue.ini";
  styles::StyleHandle file_ = 0;
};

TEST_F(UnpackedStyleTest, TheFolderUnchangedIsTheSameStyleAsTheFile) {
  styles::StyleNames names;
  std::wstring problem;
  ASSERT_TRUE(styles::ListStyle(folder_, &names, &problem)) << problem;
  EXPECT_EQ(names.schemes, std::vector<std::wstring>{L"Blue"});
  EXPECT_EQ(names.sizes, std::vector<std::wstring>{L"NormalSize"});
  const styles::StyleHandle folder = OpenFolder();
  ASSERT_NE(folder, 0u);
  for (const Row& row : Rows) {
    for (int state = row.firstState; state <= row.lastState; ++state) {
      Dib fromFile(60, 40), fromFolder(60, 40);
      fromFile.FillPattern(state);
      fromFolder.FillPattern(state);
      const RECT rect = {3, 2, 55, 37};
      styles::DrawPartBackground(file_, nullptr, row.className, row.part, state, fromFile.dc(), rect, nullptr);
      styles::DrawPartBackground(folder, nullptr, row.className, row.part, state, fromFolder.dc(), rect, nullptr);
      ASSERT_TRUE(fromFile.SameAs(fromFolder)) << "part " << row.part << " state " << state << " of "
                                               << std::string(row.className, row.className + wcslen(row.className));
    }
  }
  for (int index = COLOR_SCROLLBAR; index <= COLOR_MENUBAR; ++index) {
    COLORREF fromFile = CLR_INVALID, fromFolder = CLR_INVALID;
    EXPECT_EQ(styles::SystemColour(file_, index, &fromFile), styles::SystemColour(folder, index, &fromFolder));
    EXPECT_EQ(fromFile, fromFolder) << "system colour " << index;
  }
  styles::CloseStyle(folder);
}

TEST_F(UnpackedStyleTest, AChangedFolderDrawsAndReadsItsChanges) {
  CreateDirectoryW((folder_ + L"\\test").c_str(), nullptr);
  constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), Thumb = RGB(10, 20, 30);
  WriteBytes(folder_ + L"\\test\\strip.bmp", Bmp(2, {Red, Red, Green, Green, Blue, Blue}));
  WriteBytes(folder_ + L"\\test\\tile.bmp", Bmp(1, {Red, Green, Blue}));
  WriteBytes(folder_ + L"\\test\\true.bmp", Bmp(4, {Thumb, Thumb, Thumb, Thumb}));
  WriteBytes(folder_ + L"\\test\\alpha.bmp", Bmp(1, {Red, Green, RGB(200, 100, 0)}, {0, 255, 128}));
  // Sections put first win: a property given twice keeps its first value.
  WriteBytes(ini_,
             "[SysMetrics]\r\nWindow = 1 2 3\r\n"
             "[Button.PushButton]\r\nImageFile = test\\strip.bmp\r\nImageLayout = Horizontal\r\nImageCount = 3\r\n"
             "SizingMargins = 0, 0, 0, 0\r\n"
             "[Progress.Bar]\r\nImageFile = test/tile.bmp\r\nSizingType = Tile\r\nSizingMargins = 0, 0, 0, 0\r\n"
             "[TrackBar.Thumb]\r\nImageFile = test\\true.bmp\r\nImageCount = 1\r\nSizingType = TrueSize\r\n"
             "[Status.Pane]\r\nBgType = BorderFill\r\nBorderSize = 1\r\nBorderColor = 10 20 30\r\n"
             "FillColor = 40 50 60\r\n"
             "[Header.HeaderItem]\r\nImageFile = test\\alpha.bmp\r\nImageCount = 1\r\nSizingMargins = 0, 0, 0, 0\r\n" +
                 ReadBytes(ini_));
  const styles::StyleHandle style = OpenFolder();
  ASSERT_NE(style, 0u);
  struct Probe {
    const wchar_t* className;
    int part, state;
    RECT rect;
    POINT at;
    COLORREF expected;
  };
  const COLORREF untouched = CLR_INVALID;  // the pattern under the part stays
  const Probe probes[] = {
      {L"Button", BP_PUSHBUTTON, PBS_NORMAL, {0, 0, 2, 2}, {1, 1}, Red},
      {L"Button", BP_PUSHBUTTON, PBS_HOT, {0, 0, 2, 2}, {0, 1}, Green},
      {L"Button", BP_PUSHBUTTON, PBS_DEFAULTED, {0, 0, 2, 2}, {1, 0}, Blue},  // past the last image
      {L"Progress", PP_BAR, 0, {0, 0, 8, 2}, {3, 1}, Red},
      {L"Progress", PP_BAR, 0, {0, 0, 8, 2}, {7, 0}, Green},
      {L"TrackBar", TKP_THUMB, TUS_NORMAL, {0, 0, 10, 10}, {3, 6}, Thumb},
      {L"TrackBar", TKP_THUMB, TUS_NORMAL, {0, 0, 10, 10}, {2, 3}, untouched},
      {L"TrackBar", TKP_THUMB, TUS_NORMAL, {0, 0, 10, 10}, {7, 3}, untouched},
      {L"Status", SP_PANE, 0, {0, 0, 10, 8}, {9, 4}, RGB(10, 20, 30)},
      {L"Status", SP_PANE, 0, {0, 0, 10, 8}, {1, 1}, RGB(40, 50, 60)},
      {L"Header", HP_HEADERITEM, HIS_NORMAL, {0, 0, 3, 1}, {1, 0}, Green},
  };
  for (const Probe& probe : probes) {
    Dib drawn(12, 12), pattern(12, 12);
    drawn.FillPattern(5);
    pattern.FillPattern(5);
    EXPECT_TRUE(styles::DrawPartBackground(style, nullptr, probe.className, probe.part, probe.state, drawn.dc(),
                                           probe.rect, nullptr));
    const COLORREF expected = probe.expected == untouched ? pattern.at(probe.at.x, probe.at.y) : probe.expected;
    EXPECT_EQ(drawn.at(probe.at.x, probe.at.y), expected)
        << "part " << probe.part << " state " << probe.state << " at " << probe.at.x << "," << probe.at.y;
  }
  // The alpha image over white: transparent, opaque, and half: premultiplied once, blended once.
  Dib white(3, 1);
  PatBlt(white.dc(), 0, 0, 3, 1, WHITENESS);
  styles::DrawPartBackground(style, nullptr, L"Header", HP_HEADERITEM, HIS_NORMAL, white.dc(), {0, 0, 3, 1}, nullptr);
  EXPECT_EQ(white.at(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(white.at(1, 0), Green);
  EXPECT_NEAR(GetRValue(white.at(2, 0)), 227, 1);
  EXPECT_NEAR(GetGValue(white.at(2, 0)), 177, 1);
  EXPECT_NEAR(GetBValue(white.at(2, 0)), 127, 1);
  COLORREF window = 0, face = 0;
  EXPECT_TRUE(styles::SystemColour(style, COLOR_WINDOW, &window));
  EXPECT_EQ(window, RGB(1, 2, 3));
  EXPECT_TRUE(styles::SystemColour(style, COLOR_BTNFACE, &face));
  EXPECT_EQ(face, RGB(245, 245, 245));
  int backgroundType = -1;
  EXPECT_TRUE(styles::PartEnum(style, nullptr, L"Status", SP_PANE, 0, TMT_BGTYPE, &backgroundType));
  EXPECT_EQ(backgroundType, BT_BORDERFILL);
  styles::CloseStyle(style);
}

// Each kind of unsound style is refused in one line that names the file and what is wrong.
TEST_F(UnpackedStyleTest, EachUnsoundStyleIsRefusedInOneLine) {
  const std::wstring notPe = TempPath(L"styles-test-text.msstyles");
  const std::wstring cut = TempPath(L"styles-test-cut.msstyles");
  const std::wstring badValue = TempPath(L"styles-test-value.msstyles");
  const std::string light = ReadBytes(LightStyle());
  WriteBytes(notPe, "[Globals]\r\nThis is text, not a style.\r\n");
  WriteBytes(cut, light.substr(0, light.size() / 2));
  std::string patched = light;
  const std::string value = std::string("B\0g\0T\0y\0p\0e\0 \0=\0 \0I\0m\0a\0g\0e\0F\0i\0l\0e\0", 36);
  const size_t at = patched.find(value);
  ASSERT_NE(at, std::string::npos);
  patched.replace(at + 30, 4, std::string("l\0i\0", 4));  // ImageFile -> ImageFlie
  WriteBytes(badValue, patched);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring dll = std::wstring(system) + L"\\comctl32.dll";
  struct Case {
    const char* what;
    std::wstring path, scheme, size;
    std::function<void()> breakFolder;
    std::wstring names;  // the file the line begins with
    const wchar_t* says;
  };
  const std::wstring ini = ini_, image = folder_ + L"\\blue_button.bmp";
  const Case cases[] = {
      {"no PE", notPe, L"", L"", nullptr, notPe, L" is not a visual style: it is no Windows PE file"},
      {"a DLL", dll, L"", L"", nullptr, dll, L" is not a visual style: it has no PACKTHEM_VERSION resource"},
      {"cut short", cut, L"", L"", nullptr, cut, L" is cut short: its section data runs to byte"},
      {"a bad value", badValue, L"", L"", nullptr, badValue,
       L": BLUE_INI: line 50: [Button.Pushbutton] BgType = \"ImageFlie\" is not one of ImageFile, BorderFill, None"},
      {"a bad line", folder_, L"", L"", [&] { WriteBytes(ini, ReadBytes(ini) + "Border #123\r\n"); }, ini,
       L"\"Border #123\" is neither a [section] nor a Name = Value"},
      {"a bad image", folder_, L"", L"", [&] { WriteBytes(image, ReadBytes(image).substr(0, 400)); }, image,
       L" is cut short in its pixels"},
      {"a way out", folder_, L"", L"", [&] { WriteBytes(ini, "[Edit]\r\nImageFile = ..\\out.bmp\r\n" + ReadBytes(ini)); },
       ini, L"line 2: [Edit] ImageFile = \"..\\out.bmp\" is not the name of a file inside the style"},
      {"no such scheme", LightStyle(), L"Olive", L"", nullptr, LightStyle(),
       L" has no colour scheme named \"Olive\" (it has Blue)"},
      {"no such size", LightStyle(), L"", L"Huge", nullptr, LightStyle(), L" has no size named \"Huge\" (it has NormalSize)"},
  };
  for (const Case& c : cases) {
    if (c.breakFolder) c.breakFolder();
    styles::StyleHandle style = 1;
    std::wstring problem;
    EXPECT_FALSE(styles::OpenStyle(c.path, c.scheme, c.size, &style, &problem)) << c.what;
    EXPECT_EQ(style, 0u) << c.what;
    EXPECT_NE(problem.find(c.says), std::wstring::npos) << c.what << ": " << std::string(problem.begin(), problem.end());
    EXPECT_EQ(problem.find_first_of(L"\r\n"), std::wstring::npos) << c.what;
    EXPECT_EQ(problem.find(c.names), 0u) << c.what << ": " << std::string(problem.begin(), problem.end());
    if (c.breakFolder) {
      RemoveTree(folder_);
      std::wstring again;
      ASSERT_TRUE(styles::UnpackStyle(LightStyle(), folder_, &again)) << std::string(again.begin(), again.end());
    }
  }
  for (const std::wstring& path : {notPe, cut, badValue}) DeleteFileW(path.c_str());
}

// A style whose INI resource is named like a path: unpacked, it stays inside the folder.
TEST_F(UnpackedStyleTest, ResourceNamesNeverTakeUnpackedFilesOutOfTheFolder) {
  std::string light = ReadBytes(LightStyle());
  const std::string blueIni("B\0L\0U\0E\0_\0I\0N\0I\0", 16), wayOut(".\0.\0\\\0.\0.\0\\\0I\0N\0", 16);
  for (size_t at = light.find(blueIni); at != std::string::npos; at = light.find(blueIni, at)) {
    light.replace(at, blueIni.size(), wayOut);  // in FILERESNAMES and the resource directory
  }
  const std::wstring copy = TempPath(L"styles-test-names.msstyles"), inner = folder_ + L"\\inner";
  WriteBytes(copy, light);
  RemoveTree(folder_);
  CreateDirectoryW(folder_.c_str(), nullptr);
  std::wstring problem;
  ASSERT_TRUE(styles::UnpackStyle(copy, inner, &problem)) << std::string(problem.begin(), problem.end());
  EXPECT_EQ(GetFileAttributesW(TempPath(L"IN.ini").c_str()), INVALID_FILE_ATTRIBUTES);  // where inner\..\..\IN.ini lies
  EXPECT_NE(GetFileAttributesW((inner + L"\\______in.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  styles::StyleHandle style = 0;
  EXPECT_TRUE(styles::OpenStyle(inner, L"", L"", &style, &problem)) << std::string(problem.begin(), problem.end());
  styles::CloseStyle(style);
  DeleteFileW(copy.c_str());
}

// Bytes of the resource directory, the INI and the first images changed at random: each copy opens
// and draws, or is refused in one line; none is read outside the file.
TEST_F(UnpackedStyleTest, StyleFilesWithBytesChangedAtRandomNeverReadOutsideThem) {
  const std::string light = ReadBytes(LightStyle());
  const std::wstring copy = TempPath(L"styles-test-changed.msstyles");
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  constexpr size_t Directory = 0x1000, Images = 0x40000;  // Wine's layout: resources from 0x1000
  int refused = 0;
  for (int round = 0; round < 60; ++round) {
    std::string changed = light;
    for (int i = 0; i < 6; ++i) changed[Directory + next() % (Images - Directory)] = static_cast<char>(next());
    WriteBytes(copy, changed);
    styles::StyleHandle style = 0;
    std::wstring problem;
    if (!styles::OpenStyle(copy, L"", L"", &style, &problem)) {
      ++refused;
      EXPECT_EQ(problem.find(copy), 0u) << std::string(problem.begin(), problem.end());
      EXPECT_EQ(problem.find_first_of(L"\r\n"), std::wstring::npos);
      continue;
    }
    Dib target(40, 30);
    for (const Row& row : Rows) {
      styles::DrawPartBackground(style, nullptr, row.className, row.part, row.lastState, target.dc(), {0, 0, 40, 30},
                                 nullptr);
    }
    styles::CloseStyle(style);
  }
  EXPECT_GT(refused, 0);
  DeleteFileW(copy.c_str());
}

// Opening, drawing (which decodes images) and closing leaves no GDI object behind.
TEST_F(UnpackedStyleTest, OpeningAndClosingTwentyTimesWhileDrawingKeepsTheGdiHeadroom) {
  Dib target(40, 30);
  const auto workload = [&] {
    styles::StyleHandle style = 0;
    std::wstring problem;
    ASSERT_TRUE(styles::OpenStyle(LightStyle(), L"", L"", &style, &problem));
    for (const Row& row : Rows) {
      styles::DrawPartBackground(style, nullptr, row.className, row.part, row.lastState, target.dc(), {0, 0, 40, 30},
                                 nullptr);
    }
    styles::CloseStyle(style);
  };
  EXPECT_EQ(GdiObjectsLeakedBy(workload, 20), 0);
}

}  // namespace
