// Form1 and Form2 created in the test's own process from the real classes, checked through the
// window system and the pixels on the screen.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/instructions_window.h"
#include "app/main_window.h"
#include "skin/skin.h"
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
    const char* caption;
    RECT place;
  };
  const Expected controls[] = {
      {app::Frame1Id, 0, app::FrameClassName, "", {280, 8, 385, 121}},
      {app::Command4Id, app::Frame1Id, "Button", "使用说明", {8, 16, 97, 105}},
      {app::Frame2Id, 0, app::FrameClassName, "操作功能", {8, 8, 281, 121}},
      {app::Command1Id, app::Frame2Id, "Button", "刷新后马上生效", {8, 80, 265, 105}},
      {app::Command3Id, app::Frame2Id, "Button", "还原内存优化", {8, 48, 265, 73}},
      {app::Command2Id, app::Frame2Id, "Button", "优化虚拟内存", {8, 16, 265, 41}},
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
  EXPECT_EQ(TextOf(form2), "使用说明");
  EXPECT_EQ(GetWindow(form2, GW_OWNER), nullptr);
  RECT client = {};
  GetClientRect(form2, &client);
  EXPECT_EQ(client.right, 392);
  EXPECT_EQ(client.bottom, 135);

  const HWND text1 = GetDlgItem(form2, app::Text1Id);
  EXPECT_EQ(ClassOf(text1), "Edit");
  const std::string instructions =
      "    有些老电脑由于内存或者虚拟内存太小\r\n，玩游戏时间过久或者运行大型软件的时候\r\n"
      "，就会出现提示虚拟内存太小等虚拟内存出\r\n错问题，然后系统运行很缓慢。\r\n"
      "    试用这个工具优化看，有可能会得到意\r\n想不到的好效果。\r\n";
  EXPECT_EQ(instructions.size(), 208u);  // in code page 936
  EXPECT_EQ(TextOf(text1), instructions);
  const RECT place = RectInParent(text1);
  const RECT expected = {0, 0, 393, 137};
  EXPECT_TRUE(EqualRect(&place, &expected));

  SendMessageA(form_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form_));
  EXPECT_FALSE(IsWindow(form2));
  EXPECT_EQ(app::InstructionsWindow(), nullptr);
}

}  // namespace
