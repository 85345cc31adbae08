// The visual-style reader and renderer against the system's own theme engine: Wine's light style,
// which every test prefix has active, drawn by both into the same DIBs; styles the tests make by
// unpacking it and changing it; files refused; the GDI headroom over opening and closing.
#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <iterator>
#include <string>
#include <vector>

#include "skin/styles/styles.h"
#include "tests/support/dib.h"

namespace {

using namespace testing_support;
namespace styles = skin::styles;

std::wstring LightStyle() {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\resources\\themes\\light\\light.msstyles";
}

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

}  // namespace
