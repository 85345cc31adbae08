// The shipped Tavrin.exe, started as a user starts it and driven with real mouse and keyboard
// input; what it shows is read from the screen and what it changes from the registry.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <set>

#include "app/commands.h"
#include "app/instructions_window.h"
#include "app/main_window.h"
#include "tests/e2e/tavrin_process.h"
#include "tests/support/message_boxes.h"
#include "tests/support/system_state.h"

namespace {

using namespace testing_support;

std::set<DWORD> ProcessesNamed(const char* exeName) {
  std::set<DWORD> found;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) found.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

class TavrinE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(tavrin_.form1(), nullptr) << "Tavrin.exe did not open its main window";
  }
  // Clicks a bare spot of Form1's client area, which activates it without touching a control.
  void ActivateForm1() {
    Click(ClientToScreenPoint(tavrin_.form1(), 2, 2));
    WaitUntil([&] { return GetForegroundWindow() == tavrin_.form1(); });
  }

  TavrinProcess tavrin_;
};

TEST_F(TavrinE2eTest, OpensCentredWithCommand2FocusedAndTabFollowsTheButtons) {
  const HWND form1 = tavrin_.form1();
  RECT client = {};
  GetClientRect(form1, &client);
  EXPECT_EQ(client.right, 393);
  EXPECT_EQ(client.bottom, 147);
  RECT window = {};
  GetWindowRect(form1, &window);
  EXPECT_NEAR(window.left + window.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(window.top + window.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

  const HWND order[] = {tavrin_.Button(L"优化虚拟内存"), tavrin_.Button(L"还原内存优化"),
                        tavrin_.Button(L"刷新后马上生效"),
                        tavrin_.Button(L"使用说明")};
  EXPECT_EQ(FocusOfThread(form1), order[0]);
  for (size_t i = 1; i <= std::size(order); ++i) {
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOfThread(form1) == order[i % std::size(order)]; }, 2000))
        << "after " << i << " Tab presses";
  }
}

TEST_F(TavrinE2eTest, TheTuningButtonsChangeTheRegistryAndSaySo) {
  SetPagedPoolSize(0x1234);
  struct Step {
    const wchar_t* button;
    const wchar_t* message;
    DWORD value;
    const char* file;
  };
  const Step steps[] = {
      {L"优化虚拟内存", L"优化虚拟内存成功，刷新后即可生效！", 0xFFFFFFFF, "Ykpz.reg"},
      {L"还原内存优化", L"还原内存优化成功，刷新后即可生效！", 0, "Nkpz.reg"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.file);
    Click(CentreOf(tavrin_.Button(step.button)));
    const HWND box = tavrin_.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    const SeenMessageBox seen = ReadMessageBox(box);
    EXPECT_EQ(seen.title, L"提示");
    EXPECT_EQ(seen.text, step.message);
    EXPECT_EQ(PagedPoolSizeOr(0xDEADBEEF), step.value);
    PressKey(VK_RETURN);
    ASSERT_TRUE(tavrin_.WaitForNoMessageBox());
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(app::PayloadPath(step.file)); }, 2000));
  }
  EXPECT_TRUE(tavrin_.running());
}

TEST_F(TavrinE2eTest, EnterInTheRestartConfirmationAnswersNoAndStartsNothing) {
  const auto shellsBefore = ProcessesNamed("cmd.exe");
  Click(CentreOf(tavrin_.Button(L"刷新后马上生效")));
  const HWND box = tavrin_.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  const SeenMessageBox seen = ReadMessageBox(box);
  EXPECT_EQ(seen.text, L"      刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！");
  EXPECT_EQ(seen.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(seen.defaultButton, IDNO);
  PressKey(VK_RETURN);
  ASSERT_TRUE(tavrin_.WaitForNoMessageBox());
  Pump(1000);
  EXPECT_EQ(ProcessesNamed("cmd.exe"), shellsBefore);
  EXPECT_TRUE(ProcessesNamed("taskkill.exe").empty());
  EXPECT_TRUE(tavrin_.running());
}

TEST_F(TavrinE2eTest, Command4TwiceLeavesOneInstructionsWindowWithItsText) {
  const HWND command4 = tavrin_.Button(L"使用说明");
  Click(CentreOf(command4));
  ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(tavrin_.id(), "Form", L"使用说明").empty(); }));
  ActivateForm1();
  Click(CentreOf(command4));
  Pump(500);
  const auto forms2 = TopLevelWindows(tavrin_.id(), "Form", L"使用说明");
  ASSERT_EQ(forms2.size(), 1u);
  EXPECT_EQ(TextOf(GetDlgItem(forms2[0], app::Text1Id)), app::InstructionsText);
}

TEST_F(TavrinE2eTest, TheLinkLosesItsUnderlineUnderThePointerUntilItMovesOverTheBareForm) {
  const HWND form1 = tavrin_.form1();
  const RECT link = app::ToPixels(app::Label3.place);
  // The link's rectangle down to the bottom of the client area, where the underline falls.
  const RECT ink = {link.left, link.top, link.right, 147};
  auto linkPixels = [&] { return CaptureClient(form1).CountInRect(ink, 0x00FF0000); };
  // The underline is a row of the link's colour about as long as its text.
  const int atRest = linkPixels();
  auto underlined = [&] { return linkPixels() > atRest - 30; };

  MovePointer(ClientToScreenPoint(form1, link.left + 20, link.top + 8));
  EXPECT_TRUE(WaitUntil([&] { return linkPixels() < atRest - 60; }, 2000));
  // Straight out of the window below: the link stays without its underline.
  RECT window = {};
  GetWindowRect(form1, &window);
  MovePointer(POINT{window.left + 200, window.bottom + 40});
  Pump(300);
  EXPECT_FALSE(underlined());
  MovePointer(ClientToScreenPoint(form1, 2, 140));
  EXPECT_TRUE(WaitUntil([&] { return linkPixels() == atRest; }, 2000));
}

TEST_F(TavrinE2eTest, ClosingTheMainWindowClosesBothAndEndsTheProgram) {
  Click(CentreOf(tavrin_.Button(L"使用说明")));
  ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(tavrin_.id(), "Form", L"使用说明").empty(); }));
  const HWND form2 = TopLevelWindows(tavrin_.id(), "Form", L"使用说明").front();
  ActivateForm1();
  PressKey(VK_F4, VK_MENU);
  EXPECT_TRUE(tavrin_.WaitForExit(5000));
  EXPECT_FALSE(IsWindow(form2));
}

// The shipped program on a 144-dpi screen (the test script's second Wine prefix); elsewhere it
// is skipped before the program is started.
TEST(TavrinE2eAt144DpiTest, BothWindowsOpenAtTheScreenDensity) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi != 144) GTEST_SKIP() << "the screen has " << dpi << " dpi";
  TavrinProcess tavrin;
  const HWND form1 = tavrin.form1();
  ASSERT_NE(form1, nullptr);
  RECT client = {};
  GetClientRect(form1, &client);
  EXPECT_EQ(client.right, 590);
  EXPECT_EQ(client.bottom, 220);
  RECT button = {};
  GetWindowRect(tavrin.Button(app::OptimiseCaption), &button);
  EXPECT_EQ(button.right - button.left, 386);
  EXPECT_EQ(button.bottom - button.top, 38);

  Click(CentreOf(tavrin.Button(app::InstructionsButtonCaption)));
  ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(tavrin.id(), "Form", app::InstructionsCaption).empty(); }));
  const HWND form2 = TopLevelWindows(tavrin.id(), "Form", app::InstructionsCaption).front();
  GetClientRect(form2, &client);
  EXPECT_EQ(client.right, 588);
  EXPECT_EQ(client.bottom, 202);
}

}  // namespace
