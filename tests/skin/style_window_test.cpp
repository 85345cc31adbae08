// A whole window on a dressed thread in a visual style: Wine's light style, where the caption
// buttons show exactly the style's images in every state and the caption, frame, menu bar, popup
// and scroll bar its colours; and a style the test writes itself, worn, switched with the others
// twenty times without a leak, and drawn from its 144-dpi images at 144 dpi.
#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/look/look.h"
#include "skin/styles/styles.h"
#include "tests/support/desktop.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;
namespace styles = skin::styles;

constexpr UINT NewCommand = 101, ExitCommand = 102;
HMENU fileMenu = nullptr;

RECT Shifted(RECT r, int dx) {
  OffsetRect(&r, dx, 0);
  return r;
}

// The first pixel of `area` of a window that differs from `expected` (drawn in window
// coordinates), as text; empty when none does.
std::string Difference(HWND window, const Dib& expected, const RECT& area) {
  Dib shown(expected.width(), expected.height());
  CaptureWindow(window, shown);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (shown.at(x, y) == expected.at(x, y)) continue;
      char text[120];
      wsprintfA(text, "pixel (%d,%d) is %06X, the style's %06X", x, y, shown.at(x, y), expected.at(x, y));
      return text;
    }
  }
  return {};
}

class StyleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});
    WNDCLASSW c = {};
    c.lpfnWndProc = &DefWindowProcW;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = L"StyleWindowMain";
    RegisterClassW(&c);
    HMENU bar = CreateMenu();
    fileMenu = CreatePopupMenu();
    AppendMenuW(fileMenu, MF_STRING, NewCommand, L"&New");
    AppendMenuW(fileMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(fileMenu, MF_STRING, ExitCommand, L"E&xit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fileMenu), L"&File");
    main_ = CreateWindowW(L"StyleWindowMain", L"Styled", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 60, 60,
                          420, 300, nullptr, bar, c.hInstance, nullptr);
    SCROLLINFO scroll = {sizeof scroll, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
    SetScrollInfo(main_, SB_VERT, &scroll, TRUE);
    other_ = CreateWindowW(L"StyleWindowMain", L"Other", WS_OVERLAPPEDWINDOW, 560, 60, 200, 150, nullptr, nullptr,
                           c.hInstance, nullptr);
    SetForegroundWindow(main_);
    ASSERT_EQ(skin::SkinAttachThread(), 1);
    ASSERT_EQ(skin::SkinSetTheme(LightStyle().c_str()), 1);
    std::wstring problem;
    ASSERT_TRUE(styles::OpenStyle(LightStyle(), L"", L"", &style_, &problem));
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Measure();
  }
  void TearDown() override {
    styles::CloseStyle(style_);
    skin::SkinSetTheme(L"light");
    skin::SkinDetachThread();
    DestroyWindow(other_);
    DestroyWindow(main_);
  }
  void Measure() {
    GetWindowRect(main_, &bounds_);
    const int frame = GetSystemMetrics(SM_CXFRAME), cx = GetSystemMetrics(SM_CXSIZE);
    // The system's places: the close button 2 pixels in from the frame, maximise and minimise
    // side by side left of it.
    close_ = {Width() - frame - cx, frame + 2, Width() - frame - 2, frame + GetSystemMetrics(SM_CYSIZE) - 2};
    maximise_ = Shifted(close_, -cx);
    minimise_ = Shifted(maximise_, -(cx - 2));
    captionBottom_ = frame + GetSystemMetrics(SM_CYCAPTION);
  }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  POINT ScreenCentre(const RECT& r) const {
    return {bounds_.left + (r.left + r.right) / 2, bounds_.top + (r.top + r.bottom) / 2};
  }
  // Whether a caption button of `window` shows what the style draws for it in that state (the
  // inactive ones in the second four images) over the caption the style draws from its top.
  ::testing::AssertionResult ButtonShows(HWND window, int caption, int captionBottom, const RECT& button, int part,
                                         int state, bool active) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    Dib expected(bounds.right - bounds.left, bounds.bottom - bounds.top);
    styles::DrawPartBackground(style_, nullptr, L"Window", caption, active ? FS_ACTIVE : FS_INACTIVE, expected.dc(),
                               {0, 0, expected.width(), captionBottom}, nullptr);
    styles::DrawPartBackground(style_, nullptr, L"Window", part, active ? state : state + 4, expected.dc(), button,
                               nullptr);
    std::string difference;
    if (WaitUntil([&] { return (difference = Difference(window, expected, button)).empty(); }, 2000)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "part " << part << " state " << state << ": " << difference;
  }
  ::testing::AssertionResult ButtonShows(const RECT& button, int part, int state, bool active, bool maximised = false) {
    return ButtonShows(main_, maximised ? WP_MAXCAPTION : WP_CAPTION, captionBottom_, button, part, state, active);
  }
  COLORREF At(int x, int y) const { return WindowPixel(main_, x, y); }

  HWND main_ = nullptr;
  HWND other_ = nullptr;
  styles::StyleHandle style_ = 0;
  RECT bounds_ = {};
  RECT close_ = {}, maximise_ = {}, minimise_ = {};
  int captionBottom_ = 0;
};

// The main window's buttons active, hot, held, inactive and maximised; a tool window's small close
// button active and hot.
TEST_F(StyleWindowTest, CaptionButtonsAreTheStylesImagesActiveInactiveHotPressedAndMaximised) {
  EXPECT_TRUE(ButtonShows(close_, WP_CLOSEBUTTON, CBS_NORMAL, true));
  EXPECT_TRUE(ButtonShows(maximise_, WP_MAXBUTTON, MAXBS_NORMAL, true));
  EXPECT_TRUE(ButtonShows(minimise_, WP_MINBUTTON, MINBS_NORMAL, true));

  MovePointer(ScreenCentre(close_));
  EXPECT_TRUE(ButtonShows(close_, WP_CLOSEBUTTON, CBS_HOT, true));
  MovePointer({bounds_.left + Width() / 2, bounds_.top + Height() / 2});
  EXPECT_TRUE(ButtonShows(close_, WP_CLOSEBUTTON, CBS_NORMAL, true));

  ::testing::AssertionResult pressed = ::testing::AssertionFailure();
  const POINT held = ScreenCentre(minimise_);
  WhileModal([&] {
    SendPointer(MOUSEEVENTF_MOVE, held);
    SendPointer(MOUSEEVENTF_LEFTDOWN, held);
    pressed = ButtonShows(minimise_, WP_MINBUTTON, MINBS_PUSHED, true);
    SendPointer(MOUSEEVENTF_MOVE, {held.x, held.y + 60});
    SendPointer(MOUSEEVENTF_LEFTUP, {held.x, held.y + 60});
  });
  EXPECT_TRUE(pressed);

  ShowWindow(other_, SW_SHOW);
  SetForegroundWindow(other_);
  EXPECT_TRUE(ButtonShows(close_, WP_CLOSEBUTTON, CBS_NORMAL, false));
  EXPECT_TRUE(ButtonShows(maximise_, WP_MAXBUTTON, MAXBS_NORMAL, false));
  EXPECT_TRUE(ButtonShows(minimise_, WP_MINBUTTON, MINBS_NORMAL, false));
  ShowWindow(other_, SW_HIDE);

  SetForegroundWindow(main_);
  ShowWindow(main_, SW_MAXIMIZE);
  Measure();
  EXPECT_TRUE(ButtonShows(maximise_, WP_RESTOREBUTTON, RBS_NORMAL, true, true));
  EXPECT_TRUE(ButtonShows(close_, WP_CLOSEBUTTON, CBS_NORMAL, true, true));
  ShowWindow(main_, SW_RESTORE);

  const HWND tool = CreateWindowExW(WS_EX_TOOLWINDOW, L"StyleWindowMain", L"Tools", WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                    620, 380, 160, 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(tool);
  RECT place = {};
  GetWindowRect(tool, &place);
  const int edge = GetSystemMetrics(SM_CXDLGFRAME), width = place.right - place.left;
  const RECT close = {width - edge - GetSystemMetrics(SM_CXSMSIZE), edge + 2, width - edge - 2,
                      edge + GetSystemMetrics(SM_CYSMSIZE) - 2};
  const int bottom = edge + GetSystemMetrics(SM_CYSMCAPTION);
  EXPECT_TRUE(ButtonShows(tool, WP_SMALLCAPTION, bottom, close, WP_SMALLCLOSEBUTTON, CBS_NORMAL, true));
  MovePointer({place.left + (close.left + close.right) / 2, place.top + (close.top + close.bottom) / 2});
  EXPECT_TRUE(ButtonShows(tool, WP_SMALLCAPTION, bottom, close, WP_SMALLCLOSEBUTTON, CBS_HOT, true));
  DestroyWindow(tool);
}

HWND mdiClient = nullptr;
LRESULT CALLBACK MdiFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcW(window, mdiClient, message, wParam, lParam);
}
LRESULT CALLBACK MdiChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcW(window, message, wParam, lParam);
}

// A maximised MDI child's minimise, restore and close buttons in its frame's menu bar are the
// style's Window.MdiMinButton, MdiRestoreButton and MdiCloseButton where the system draws its
// pictures (each item less a pixel round), in their places, close pressed while held; back in the
// built-in look, the system's own again.
TEST_F(StyleWindowTest, MaximisedMdiChildsButtonsInTheMenuBarAreTheStyles) {
  ASSERT_EQ(skin::SkinSetTheme(L"light"), 1);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW c = {};
  c.hInstance = instance;
  c.lpfnWndProc = &MdiFrameProc;
  c.lpszClassName = L"StyleWindowMdiFrame";
  RegisterClassW(&c);
  c.lpfnWndProc = &MdiChildProc;
  c.lpszClassName = L"StyleWindowMdiChild";
  RegisterClassW(&c);
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, 300, L"&Tile");
  const HWND frame = CreateWindowW(L"StyleWindowMdiFrame", L"MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 380, 500, 300,
                                   nullptr, bar, instance, nullptr);
  CLIENTCREATESTRUCT client = {nullptr, 1000};
  mdiClient = CreateWindowW(L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 480, 250, frame, nullptr, instance, &client);
  MDICREATESTRUCTW create = {L"StyleWindowMdiChild", L"Child", instance, 10, 10, 140, 120, WS_OVERLAPPEDWINDOW, 0};
  const auto child = reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  SendMessageW(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  SetForegroundWindow(frame);
  RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  RECT place = {};
  GetWindowRect(frame, &place);
  const auto itemRect = [&](int position) {
    RECT r = {};
    GetMenuItemRect(frame, bar, position, &r);
    OffsetRect(&r, -place.left, -place.top);
    return r;
  };
  const int count = GetMenuItemCount(bar), parts[] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
  ASSERT_EQ(GetMenuItemID(bar, count - 1), static_cast<UINT>(SC_CLOSE));
  ASSERT_EQ(GetMenuItemID(bar, count - 3), static_cast<UINT>(SC_MINIMIZE));
  RECT buttons[3] = {}, row = {};
  for (int i = 0; i < 3; ++i) UnionRect(&row, &row, &(buttons[i] = itemRect(count - 3 + i)));
  Dib plain(place.right - place.left, place.bottom - place.top);
  CaptureWindow(frame, plain);
  const UINT plainType = GetMenuState(bar, count - 1, MF_BYPOSITION);
  const auto shows = [&](int button, int state) {
    Dib expected(plain.width(), plain.height());
    RECT picture = buttons[button];
    InflateRect(&picture, -1, -1);
    styles::DrawPartBackground(style_, nullptr, L"Window", parts[button], state, expected.dc(), picture, nullptr);
    std::string difference;
    WaitUntil([&] { return (difference = Difference(frame, expected, picture)).empty(); }, 2000);
    return difference;
  };

  ASSERT_EQ(skin::SkinSetTheme(LightStyle().c_str()), 1);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(shows(i, CBS_NORMAL), "") << "part " << parts[i];
    const RECT now = itemRect(count - 3 + i);
    EXPECT_TRUE(EqualRect(&now, &buttons[i])) << "part " << parts[i] << " moved to " << now.left;
  }
  std::string held = "not held";
  const POINT centre = {place.left + (buttons[2].left + buttons[2].right) / 2, place.top + (buttons[2].top + buttons[2].bottom) / 2};
  WhileModal([&] {
    SendPointer(MOUSEEVENTF_MOVE, centre);
    SendPointer(MOUSEEVENTF_LEFTDOWN, centre);
    held = shows(2, CBS_PUSHED);
    TypeKey(VK_ESCAPE);
    TypeKey(VK_ESCAPE);
    SendPointer(MOUSEEVENTF_LEFTUP, {centre.x, centre.y + 80});
  });
  EXPECT_EQ(held, "");
  EXPECT_TRUE(IsZoomed(child));
  ASSERT_EQ(skin::SkinSetTheme(L"light"), 1);
  EXPECT_TRUE(WaitUntil([&] { return Difference(frame, plain, row).empty(); })) << Difference(frame, plain, row);
  EXPECT_EQ(GetMenuState(bar, count - 1, MF_BYPOSITION), plainType);
  DestroyWindow(frame);
}

// Colours of the light style's images: blue_window_caption.bmp's and blue_window_frame_*.bmp's
// outer lines (144 active, 174 inactive) round white; blue_menu_bar_background.bmp white over a
// last row of 245; blue_menu_bar_item.bmp's hot outline and blue_menu_popup_item.bmp's hot fill
// (48, 150, 250); blue_menu_popup_borders.bmp 174 round 245; blue_menu_popup_separator.bmp's line
// 166; the scroll bar's track 245, its thumb and arrow cells 174 round white.
TEST_F(StyleWindowTest, CaptionFrameMenuBarPopupAndScrollBarShowTheStylesColours) {
  constexpr COLORREF White = RGB(255, 255, 255), Line = RGB(144, 144, 144), LineInactive = RGB(174, 174, 174);
  constexpr COLORREF Ground = RGB(245, 245, 245), Blue = RGB(48, 150, 250), Separator = RGB(166, 166, 166);
  EXPECT_EQ(At(Width() / 2, 0), Line);
  EXPECT_EQ(At(Width() / 2, captionBottom_ - 4), White);
  EXPECT_EQ(At(0, Height() / 2), Line);
  EXPECT_EQ(At(1, Height() / 2), White);
  EXPECT_EQ(At(Width() - 1, Height() / 2), Line);
  EXPECT_EQ(At(Width() / 2, Height() - 1), Line);
  EXPECT_EQ(At(Width() / 2, Height() - 2), White);

  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuBarInfo(main_, OBJID_MENU, 0, &bar));
  const POINT client = ClientToScreenPoint(main_, 0, 0);
  EXPECT_EQ(At(Width() - 20, bar.rcBar.top - bounds_.top + 3), White);
  EXPECT_EQ(At(Width() - 20, client.y - bounds_.top - 1), Ground);

  SCROLLBARINFO scroll = {};
  scroll.cbSize = sizeof scroll;
  ASSERT_TRUE(GetScrollBarInfo(main_, OBJID_VSCROLL, &scroll));
  const int barLeft = scroll.rcScrollBar.left - bounds_.left, barTop = scroll.rcScrollBar.top - bounds_.top;
  const int thumbMiddle = barTop + (scroll.xyThumbTop + scroll.xyThumbBottom) / 2;
  EXPECT_EQ(At(barLeft + 8, scroll.rcScrollBar.bottom - bounds_.top - 30), Ground);
  EXPECT_EQ(At(barLeft, thumbMiddle), LineInactive);
  EXPECT_EQ(At(barLeft + 8, thumbMiddle), White);
  EXPECT_EQ(At(barLeft, barTop + 8), LineInactive);

  COLORREF openItem = 0, border = 0, inside = 0, hot = 0, separator = 0;
  WhileModal([&] {
    TypeKey('F', VK_MENU);
    HWND popup = nullptr;
    WaitUntil([&] { return (popup = FindWindowA("#32768", nullptr)) && IsWindowVisible(popup); });
    RECT item = {}, line = {}, place = {};
    GetMenuItemRect(main_, GetMenu(main_), 0, &item);
    openItem = At(item.left - bounds_.left, (item.top + item.bottom) / 2 - bounds_.top);
    GetWindowRect(popup, &place);
    border = WindowPixel(popup, 0, (place.bottom - place.top) / 2);
    inside = WindowPixel(popup, 2, 2);
    GetMenuItemRect(main_, fileMenu, 0, &item);
    SendPointer(MOUSEEVENTF_MOVE, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    WaitUntil([&] { return (hot = WindowPixel(popup, item.left - place.left + 4, item.top - place.top + 2)) == Blue; });
    GetMenuItemRect(main_, fileMenu, 1, &line);
    separator = WindowPixel(popup, 40, (line.top + line.bottom) / 2 - place.top);
    for (int i = 0; i < 3; ++i) TypeKey(VK_ESCAPE);
  });
  EXPECT_EQ(openItem, Blue);
  EXPECT_EQ(border, LineInactive);
  EXPECT_EQ(inside, Ground);
  EXPECT_EQ(hot, Blue);
  EXPECT_EQ(separator, Separator);

  ShowWindow(other_, SW_SHOW);
  SetForegroundWindow(other_);
  EXPECT_TRUE(WaitUntil([&] { return At(Width() / 2, 0) == LineInactive; }));
  EXPECT_EQ(At(0, Height() / 2), LineInactive);
  EXPECT_EQ(At(Width() / 2, Height() - 1), LineInactive);
}

// ---- A style of the test's own -------------------------------------------------------------------

constexpr COLORREF CaptionA = RGB(200, 40, 40), CaptionB = RGB(40, 200, 40);  // active, tiled
constexpr COLORREF InactiveA = RGB(90, 90, 160), InactiveB = RGB(160, 90, 90);
constexpr COLORREF FrameLine = RGB(10, 60, 110), FrameFill = RGB(120, 180, 240);
constexpr COLORREF BarFill = RGB(230, 220, 140);
constexpr COLORREF Close96 = RGB(250, 250, 10), Close144 = RGB(10, 250, 250);

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

const wchar_t* const OwnStyleFiles[] = {L"style.index", L"own.ini", L"caption.bmp", L"close96.bmp", L"close144.bmp"};

// The caption tiled from a horizontal strip of two frames, the frame's sides filled with a border,
// the close button at its own size from a 96-dpi image with alpha or a 144-dpi one, and system
// colours of its own.
std::wstring WriteOwnStyle() {
  wchar_t temporary[MAX_PATH];
  GetTempPathW(MAX_PATH, temporary);
  const std::wstring folder = std::wstring(temporary) + L"style-window-test";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::string contents[] = {
      "[Style]\r\nVersion = 1\r\n[Schemes]\r\n1 = Own\r\n[Sizes]\r\n1 = Normal\r\n[Files]\r\n1.1 = own.ini\r\n",
      "[SysMetrics]\r\nWindow = 251 240 230\r\nBtnFace = 210 220 200\r\nMenu = 230 220 140\r\n"
      "[Window.Caption]\r\nBgType = ImageFile\r\nImageFile = caption.bmp\r\nImageLayout = Horizontal\r\n"
      "ImageCount = 2\r\nSizingType = Tile\r\nSizingMargins = 0, 0, 0, 0\r\nTextColor = 0 0 0\r\n"
      "[Window.FrameLeft]\r\nBgType = BorderFill\r\nBorderSize = 1\r\nBorderColor = 10 60 110\r\n"
      "FillColor = 120 180 240\r\n"
      "[Window.FrameRight]\r\nBgType = BorderFill\r\nBorderSize = 1\r\nBorderColor = 10 60 110\r\n"
      "FillColor = 120 180 240\r\n"
      "[Window.FrameBottom]\r\nBgType = BorderFill\r\nBorderSize = 1\r\nBorderColor = 10 60 110\r\n"
      "FillColor = 120 180 240\r\n"
      "[Window.CloseButton]\r\nBgType = ImageFile\r\nSizingType = TrueSize\r\nImageSelectType = Dpi\r\n"
      "ImageFile1 = close96.bmp\r\nMinDpi1 = 96\r\nImageFile2 = close144.bmp\r\nMinDpi2 = 144\r\n"
      "[Menu.BarBackground]\r\nBgType = BorderFill\r\nBorderSize = 0\r\nFillColor = 230 220 140\r\n",
      Bmp(1, {CaptionA, CaptionB, InactiveA, InactiveB}),
      Bmp(8, std::vector<COLORREF>(8, Close96), {0, 128, 255, 255, 255, 255, 128, 0}),
      Bmp(12, std::vector<COLORREF>(12, Close144))};
  for (size_t i = 0; i < std::size(contents); ++i) WriteBytes(folder + L"\\" + OwnStyleFiles[i], contents[i]);
  return folder;
}

void RemoveOwnStyle(const std::wstring& folder) {
  for (const wchar_t* file : OwnStyleFiles) DeleteFileW((folder + L"\\" + file).c_str());
  RemoveDirectoryW(folder.c_str());
}

class OwnStyleTest : public StyleWindowTest {
 protected:
  void SetUp() override {
    StyleWindowTest::SetUp();
    folder_ = WriteOwnStyle();
  }
  void TearDown() override {
    StyleWindowTest::TearDown();
    RemoveOwnStyle(folder_);
  }
  // The caption's tile at x: the first column of the frame at even x, the second at odd.
  COLORREF Tile(int x, bool active) const {
    return x % 2 ? (active ? CaptionB : InactiveB) : (active ? CaptionA : InactiveA);
  }
  COLORREF CloseCentre() const { return At((close_.left + close_.right) / 2, (close_.top + close_.bottom) / 2); }
  std::wstring folder_;
};

TEST_F(OwnStyleTest, ItsImagesAndColoursAreWornAndSwitchingTwentyTimesLeaksNothing) {
  ASSERT_EQ(skin::SkinSetTheme(folder_.c_str()), 1);
  const int x = Width() / 2;
  EXPECT_TRUE(WaitUntil([&] { return At(x, 1) == Tile(x, true); }));
  EXPECT_EQ(At(x + 1, 1), Tile(x + 1, true));
  EXPECT_EQ(At(0, Height() / 2), FrameLine);
  EXPECT_EQ(At(1, Height() / 2), FrameFill);
  EXPECT_EQ(At(Width() / 2, Height() - 1), FrameLine);
  EXPECT_EQ(At(Width() - 20, captionBottom_ + 3), BarFill);
  // The 8-pixel close image centred, opaque in the middle, its transparent edge showing the caption.
  const int left = (close_.left + close_.right) / 2 - 4, middle = (close_.top + close_.bottom) / 2;
  EXPECT_EQ(CloseCentre(), Close96);
  EXPECT_EQ(At(left, middle), Tile(left, true));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(251, 240, 230));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(210, 220, 200));
  EXPECT_EQ(GetSysColor(COLOR_MENU), RGB(230, 220, 140));

  ShowWindow(other_, SW_SHOW);
  SetForegroundWindow(other_);
  EXPECT_TRUE(WaitUntil([&] { return At(x, 1) == Tile(x, false); }));
  SetForegroundWindow(main_);

  // Chosen for 144 dpi, the close button shows its 144-dpi image.
  styles::SetStyleDpi(skin::look::StyleInUse(), 144);
  RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_TRUE(WaitUntil([&] { return CloseCentre() == Close144; }));

  const std::wstring themes[] = {folder_, LightStyle(), L"light", L"dark"};
  const auto round = [&] {
    for (const std::wstring& theme : themes) {
      skin::SkinSetTheme(theme.c_str());
      RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
  };
  round();
  const int before = GdiHeadroom();
  for (int i = 0; i < 20; ++i) round();
  const int after = GdiHeadroom();
  std::printf("[ headroom ] before the 20 switches %d, after %d\n", before, after);
  EXPECT_EQ(after, before);
  ASSERT_EQ(skin::SkinSetTheme(folder_.c_str()), 1);
  EXPECT_TRUE(WaitUntil([&] { return At(x, 1) == Tile(x, true) && CloseCentre() == Close96; }));
}

// On a 144-dpi screen (the test script's second Wine prefix) the caption buttons are the light
// style's 144-dpi images, and the own style's close button its 144-dpi one.
TEST_F(OwnStyleTest, At144DpiTheStylesImagesForThatDpiAreShown) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (dpi != 144) GTEST_SKIP() << "the screen has " << dpi << " dpi";
  EXPECT_TRUE(ButtonShows(close_, WP_CLOSEBUTTON, CBS_NORMAL, true));
  EXPECT_TRUE(ButtonShows(maximise_, WP_MAXBUTTON, MAXBS_NORMAL, true));
  EXPECT_TRUE(ButtonShows(minimise_, WP_MINBUTTON, MINBS_NORMAL, true));
  ASSERT_EQ(skin::SkinSetTheme(folder_.c_str()), 1);
  EXPECT_TRUE(WaitUntil([&] { return CloseCentre() == Close144; }));
}

}  // namespace
