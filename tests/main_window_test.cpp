// Form1 and Form2 created in the test's own process from the real classes, checked through the
// window system and the pixels on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "app/commands.h"
#include "app/frame.h"
#include "app/instructions_window.h"
#include "app/main_window.h"
#include "skin/engine.h"
#include "skin/high_contrast.h"
#include "tests/support/desktop.h"
#include "tests/support/message_boxes.h"
#include "tests/support/system_state.h"

namespace {

using namespace testing_support;

RECT RectInParent(HWND control) {
  RECT place = {};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

RECT LinkInkArea() {
  RECT area = app::ToPixels(app::Label3.place);
  area.bottom = 147;
  return area;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app::RegisterWindowClasses(GetModuleHandleA(nullptr)));
    form_ = app::CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(form_, nullptr);
    ShowWindow(form_, SW_SHOWNORMAL);
    UpdateWindow(form_);
    Pump(100);
  }
  void TearDown() override {
    if (IsWindow(form_)) SendMessageA(form_, WM_CLOSE, 0, 0);
    Pump(50);
  }

  HWND Control(int id) const {
    for (HWND frame = GetWindow(form_, GW_CHILD); frame; frame = GetWindow(frame, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(frame) == id) return frame;
      if (const HWND inner = GetDlgItem(frame, id)) return inner;
    }
    return nullptr;
  }

  // Pixels of the link's text colour in and just below its rectangle, where the underline is.
  // Wine copies what a window drew to the screen when the thread next waits for messages.
  int LinkPixels() const {
    UpdateWindow(form_);
    Pump(100);
    return CaptureClient(form_).CountInRect(LinkInkArea(), 0x00FF0000);
  }

  HWND form_ = nullptr;
};

TEST_F(MainWindowTest, LaysOutTheStoredDesignInPixels) {
  RECT client = {};
  GetClientRect(form_, &client);
  EXPECT_EQ(client.right, 393);
  EXPECT_EQ(client.bottom, 147);
  RECT window = {};
  GetWindowRect(form_, &window);
  EXPECT_NEAR(window.left + window.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(window.top + window.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

  struct Expected {
    int id;
    int parentId;
    const char* className;
    const wchar_t* caption;
    RECT place;
  };
  const Expected controls[] = {
      {app::Frame1Id, 0, app::FrameClassName, L"", {280, 8, 385, 121}},
      {app::Command4Id, app::Frame1Id, "Button", L"使用说明", {8, 16, 97, 105}},
      {app::Frame2Id, 0, app::FrameClassName, L"操作功能", {8, 8, 281, 121}},
      {app::Command1Id, app::Frame2Id, "Button", L"刷新后马上生效", {8, 80, 265, 105}},
      {app::Command3Id, app::Frame2Id, "Button", L"还原内存优化", {8, 48, 265, 73}},
      {app::Command2Id, app::Frame2Id, "Button", L"优化虚拟内存", {8, 16, 265, 41}},
  };
  for (const Expected& e : controls) {
    SCOPED_TRACE(e.caption);
    const HWND control = Control(e.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), e.parentId ? Control(e.parentId) : form_);
    EXPECT_EQ(ClassOf(control), e.className);
    EXPECT_EQ(TextOf(control), e.caption);
    const RECT place = RectInParent(control);
    EXPECT_TRUE(EqualRect(&place, &e.place)) << place.left << "," << place.top << ","
                                             << place.right << "," << place.bottom;
  }
  // Push buttons, which the skin draws itself.
  EXPECT_EQ(skin::GetProperty(Control(app::Command2Id), skin::OldStyleProperty) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(Control(app::Command2Id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(MainWindowTest, FocusStartsOnCommand2AndTabFollowsTheTabIndex) {
  SetForegroundWindow(form_);
  Pump(50);
  EXPECT_EQ(GetFocus(), Control(app::Command2Id));
  const int order[] = {app::Command2Id, app::Command3Id, app::Command1Id, app::Command4Id,
                       app::Command2Id};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(GetNextDlgTabItem(form_, Control(order[i]), FALSE), Control(order[i + 1]));
  }
}

TEST_F(MainWindowTest, LabelsAreDrawnInTheirColoursAndTheLinkLosesItsUnderlineUnderThePointer) {
  const RECT name = app::ToPixels(app::Label2.place);
  EXPECT_GT(CaptureClient(form_).CountInRect(name, 0x00404000), 20);

  // Underlined, the link has a row of its colour about as long as its text.
  const RECT link = app::ToPixels(app::Label3.place);
  const int underlined = LinkPixels();
  auto moveTo = [&](int x, int y) { SendMessageA(form_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
  moveTo(link.left + 5, link.top + 5);
  EXPECT_TRUE(app::IsLinkHovered(form_));
  const int plain = LinkPixels();
  EXPECT_GT(underlined - plain, 60);
  moveTo(name.left + 5, name.top + 5);  // the other label changes nothing
  EXPECT_TRUE(app::IsLinkHovered(form_));
  moveTo(2, 2);  // bare client area
  EXPECT_FALSE(app::IsLinkHovered(form_));
  EXPECT_EQ(LinkPixels(), underlined);

  // Over the link the pointer is the hand.
  SetCursorPos(app::ToPixels(app::Label3.place).left + 10 + ClientToScreenPoint(form_, 0, 0).x,
               link.top + 8 + ClientToScreenPoint(form_, 0, 0).y);
  SendMessageA(form_, WM_SETCURSOR, reinterpret_cast<WPARAM>(form_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

bool contrastOn = false;
bool AnswerContrast() { return contrastOn; }

TEST_F(MainWindowTest, InHighContrastTheFrameCaptionAndTheLabelsTakeTheSystemsTextColour) {
  skin::SetHighContrastQuery(&AnswerContrast);
  const HWND frame2 = Control(app::Frame2Id);
  const RECT name = app::ToPixels(app::Label2.place);
  auto switchTo = [&](bool on) {
    contrastOn = on;
    SendMessageW(form_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    UpdateWindow(form_);
    Pump(150);
  };
  RECT whole = {};
  GetClientRect(frame2, &whole);
  switchTo(true);
  EXPECT_EQ(CaptureClient(frame2).CountInRect(whole, 0x00FF00FF), 0);
  EXPECT_EQ(CaptureClient(form_).CountInRect(name, 0x00404000), 0);
  EXPECT_GT(CaptureClient(form_).CountInRect(name, GetSysColor(COLOR_BTNTEXT)), 20);
  switchTo(false);
  EXPECT_GT(CaptureClient(frame2).CountInRect(whole, 0x00FF00FF), 10);
  EXPECT_GT(CaptureClient(form_).CountInRect(name, 0x00404000), 20);
  skin::SetHighContrastQuery(nullptr);
}

TEST_F(MainWindowTest, AClickOnTheLinkOpensTheForumOnlyWhenPressAndReleaseAreBothOnIt) {
  const RECT link = app::ToPixels(app::Label3.place);
  const LPARAM onLink = MAKELPARAM(link.left + 10, link.top + 8);
  const LPARAM offLink = MAKELPARAM(2, 2);
  ProcessRecorder recorder;
  SendMessageA(form_, WM_LBUTTONDOWN, MK_LBUTTON, onLink);
  SendMessageA(form_, WM_LBUTTONUP, 0, offLink);
  EXPECT_TRUE(recorder.started().empty());
  SendMessageA(form_, WM_LBUTTONDOWN, MK_LBUTTON, offLink);
  SendMessageA(form_, WM_LBUTTONUP, 0, onLink);
  EXPECT_TRUE(recorder.started().empty());
  SendMessageA(form_, WM_LBUTTONDOWN, MK_LBUTTON, onLink);
  SendMessageA(form_, WM_LBUTTONUP, 0, onLink);
  ASSERT_EQ(recorder.started().size(), 1u);
  EXPECT_NE(recorder.started()[0].commandLine.find("\"http://bbs.quillmere.cn/\""), std::string::npos);
}

TEST_F(MainWindowTest, Command4ShowsOneInstructionsWindowAndClosingForm1ClosesIt) {
  const HWND command4 = Control(app::Command4Id);
  SendMessageA(command4, BM_CLICK, 0, 0);
  const HWND form2 = app::InstructionsWindow();
  ASSERT_NE(form2, nullptr);
  SendMessageA(command4, BM_CLICK, 0, 0);
  EXPECT_EQ(app::InstructionsWindow(), form2);

  EXPECT_EQ(ClassOf(form2), "Form");
  EXPECT_EQ(TextOf(form2), L"使用说明");
  EXPECT_EQ(GetWindow(form2, GW_OWNER), nullptr);
  RECT client = {};
  GetClientRect(form2, &client);
  EXPECT_EQ(client.right, 392);
  EXPECT_EQ(client.bottom, 135);

  const HWND text1 = GetDlgItem(form2, app::Text1Id);
  EXPECT_EQ(ClassOf(text1), "Edit");
  const std::wstring instructions =
      L"    有些老电脑由于内存或者虚拟内存太小\r\n，玩游戏时间过久或者运行大型软件的时候\r\n"
      L"，就会出现提示虚拟内存太小等虚拟内存出\r\n错问题，然后系统运行很缓慢。\r\n"
      L"    试用这个工具优化看，有可能会得到意\r\n想不到的好效果。\r\n";
  // 208 bytes in code page 936, and the terminator.
  EXPECT_EQ(WideCharToMultiByte(936, 0, instructions.c_str(), -1, nullptr, 0, nullptr, nullptr), 209);
  EXPECT_EQ(TextOf(text1), instructions);
  const RECT place = RectInParent(text1);
  const RECT expected = {0, 0, 393, 137};
  EXPECT_TRUE(EqualRect(&place, &expected));

  SendMessageA(form_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form_));
  EXPECT_FALSE(IsWindow(form2));
  EXPECT_EQ(app::InstructionsWindow(), nullptr);
}

// During a slow import the window answers, repaints, moves the focus on Tab, starts no second
// command (not even on Enter) and closes only after the user has seen the outcome.
TEST_F(MainWindowTest, ASlowImportKeepsTheWindowAnsweringAndOneCommandAtATime) {
  SetPagedPoolSize(0xFFFFFFFF);
  SetForegroundWindow(form_);
  Pump(50);
  const HWND command1 = Control(app::Command1Id);
  const HWND command3 = Control(app::Command3Id);
  bool answered = false;
  bool repainted = false;
  bool waitCursor = false;
  HWND focusAfterTab = nullptr;
  std::thread user([&] {
    Sleep(1000);
    waitCursor = app::IsWaitingForCommand(form_);
    PressKey(VK_TAB);
    Sleep(200);
    focusAfterTab = FocusOfThread(form_);
    PressKey(VK_RETURN);
    DWORD_PTR ignored = 0;
    answered = SendMessageTimeoutA(form_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) != 0;
    InvalidateRect(form_, nullptr, TRUE);
    Sleep(500);
    repainted = !GetUpdateRect(form_, nullptr, FALSE);
    PostMessageA(form_, WM_COMMAND, MAKEWPARAM(app::Command3Id, BN_CLICKED), reinterpret_cast<LPARAM>(command3));
    PostMessageA(command1, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(command1, WM_KEYUP, VK_SPACE, 0);
    PostMessageA(form_, WM_CLOSE, 0, 0);
  });
  ProcessRecorder recorder(ProcessRecorder::Slow);
  std::vector<bool> formWhileOutcomeShown;
  {
    MessageBoxCatcher boxes(IDOK, [&](HWND) { formWhileOutcomeShown.push_back(IsWindow(form_) != FALSE); });
    const DWORD start = GetTickCount();
    SendMessageA(Control(app::Command2Id), BM_CLICK, 0, 0);
    EXPECT_GE(GetTickCount() - start, 4500u);
    user.join();
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"优化虚拟内存成功，刷新后即可生效！");
  }
  EXPECT_TRUE(answered);
  EXPECT_TRUE(repainted);
  EXPECT_TRUE(waitCursor);
  EXPECT_EQ(focusAfterTab, command3);
  EXPECT_EQ(recorder.started().size(), 1u);  // only the registry editor
  EXPECT_EQ(formWhileOutcomeShown, std::vector<bool>{true});
  Pump(200);
  EXPECT_FALSE(IsWindow(form_));
}

// Twips become pixels at the screen's density, rounded to the nearest, halves to the even pixel;
// points become pixels of font height the same way.
TEST(LayoutTest, ConvertsTwipsAndPointsAtTheDensityRoundingHalvesToEven) {
  const struct {
    int dpi, clientWidth, clientHeight, text1Height, labelFont, text1Font;
  } densities[] = {
      {96, 393, 147, 137, 16, 19},
      {120, 491, 184, 171, 20, 24},   // 491.25, 183.75, 171.25; 23.75
      {144, 590, 220, 206, 24, 28},   // 589.5, 220.5, 205.5; 28.5
  };
  for (const auto& d : densities) {
    SCOPED_TRACE(d.dpi);
    const RECT client = app::ToPixels(app::MainClientArea, app::Dpi{d.dpi, d.dpi});
    EXPECT_EQ(client.right, d.clientWidth);
    EXPECT_EQ(client.bottom, d.clientHeight);
    EXPECT_EQ(app::TwipsToPixels(2055, d.dpi), d.text1Height);
    EXPECT_EQ(app::FontPixelHeight(1200, d.dpi), d.labelFont);
    EXPECT_EQ(app::FontPixelHeight(1425, d.dpi), d.text1Font);
  }
  // Across and down each at its own density; position and size each rounded on their own.
  const RECT label = app::ToPixels(app::Label3.place, app::Dpi{144, 120});
  const RECT expected = {228, 160, 506, 180};  // 277.5 wide rounds to 278
  EXPECT_TRUE(EqualRect(&label, &expected));
}

// The rectangle holding every pixel of `colour` in a capture; empty when there is none.
RECT InkOf(const Capture& capture, COLORREF colour) {
  RECT ink = {capture.width, capture.height, 0, 0};
  for (int y = 0; y < capture.height; ++y) {
    for (int x = 0; x < capture.width; ++x) {
      if (capture.at(x, y) != colour) continue;
      ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
             std::max<LONG>(ink.bottom, y + 1)};
    }
  }
  return ink.right > ink.left ? ink : RECT{};
}

// Form1 and Form2 on a 144-dpi screen: these run only where the screen has that density (the
// test script's second Wine prefix).
class MainWindowAt144DpiTest : public MainWindowTest {
 protected:
  void SetUp() override {
    const HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpiX != 144 || dpiY != 144) GTEST_SKIP() << "the screen has " << dpiX << " x " << dpiY << " dpi";
    MainWindowTest::SetUp();
  }
};

TEST_F(MainWindowAt144DpiTest, BothWindowsAndEveryControlTakeTheirSizeInTwips) {
  RECT client = {};
  GetClientRect(form_, &client);
  EXPECT_EQ(client.right, 590);
  EXPECT_EQ(client.bottom, 220);
  const struct {
    int id;
    RECT place;
  } controls[] = {
      {app::Frame1Id, {420, 12, 578, 182}},  {app::Command4Id, {12, 24, 146, 158}},
      {app::Frame2Id, {12, 12, 422, 182}},   {app::Command1Id, {12, 120, 398, 158}},
      {app::Command3Id, {12, 72, 398, 110}}, {app::Command2Id, {12, 24, 398, 62}},
  };
  for (const auto& c : controls) {
    const RECT place = RectInParent(Control(c.id));
    EXPECT_TRUE(EqualRect(&place, &c.place)) << c.id << ": " << place.left << "," << place.top
                                             << "," << place.right << "," << place.bottom;
  }

  // The labels' text is drawn in their rectangles (60, 192, 190, 216) and (228, 192, 506, 216),
  // or below them down to the client's bottom where the Q's tail and the underline fall, at
  // 24-pixel fonts: ink taller than the 16-pixel fonts of a 96-dpi screen give.
  const Capture shown = CaptureClient(form_);
  const struct {
    COLORREF colour;
    RECT area;
  } labels[] = {{0x00404000, {60, 192, 190, 220}}, {0x00FF0000, {228, 192, 506, 220}}};
  for (const auto& label : labels) {
    const RECT ink = InkOf(shown, label.colour);
    RECT inside;
    IntersectRect(&inside, &ink, &label.area);
    EXPECT_TRUE(EqualRect(&inside, &ink)) << label.colour << ": " << ink.left << "," << ink.top
                                          << "," << ink.right << "," << ink.bottom;
    EXPECT_GT(ink.bottom - ink.top, 16) << label.colour;
  }

  SendMessageA(Control(app::Command4Id), BM_CLICK, 0, 0);
  const HWND form2 = app::InstructionsWindow();
  ASSERT_NE(form2, nullptr);
  GetClientRect(form2, &client);
  EXPECT_EQ(client.right, 588);
  EXPECT_EQ(client.bottom, 202);
  const HWND text1 = GetDlgItem(form2, app::Text1Id);
  const RECT place = RectInParent(text1);
  const RECT expected = {0, 0, 590, 206};
  EXPECT_TRUE(EqualRect(&place, &expected));
  // Six lines as the author broke them and the empty one after the last line break: none is
  // too wide for the box at the larger font.
  EXPECT_EQ(SendMessageA(text1, EM_GETLINECOUNT, 0, 0), 7);
}

TEST_F(MainWindowAt144DpiTest, NoCaptionIsWiderThanItsControl) {
  // A button's caption inside its face, which keeps two pixels clear all round.
  for (int id : {app::Command1Id, app::Command2Id, app::Command3Id, app::Command4Id}) {
    const HWND button = Control(id);
    const std::wstring caption = TextOf(button);
    RECT face = {};
    GetClientRect(button, &face);
    const HDC dc = GetDC(button);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    EXPECT_GT(extent.cy, 16) << caption;  // the dialog font at 144 dpi
    EXPECT_LE(extent.cx, face.right - 4) << caption;
    EXPECT_LE(extent.cy, face.bottom - 4) << caption;
  }
  // The frame's caption lies inside the frame, clear of its left and right edges.
  const HWND frame2 = Control(app::Frame2Id);
  const RECT ink = InkOf(CaptureClient(frame2), 0x00FF00FF);
  EXPECT_GT(ink.bottom - ink.top, 10);
  EXPECT_GE(ink.top, 0);
  EXPECT_GE(ink.left, 8);
  EXPECT_LE(ink.right, 410 - 8);
  // The labels' text within their rectangles' widths.
  for (const app::LabelDesign& label : {app::Label2, app::Label3}) {
    const HDC dc = GetDC(form_);
    const HFONT font = app::CreateLayoutFont(label.font);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, label.text, lstrlenW(label.text), &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(form_, dc);
    const RECT place = app::ToPixels(label.place);
    EXPECT_LE(extent.cx, place.right - place.left) << label.text;
  }
}

}  // namespace
