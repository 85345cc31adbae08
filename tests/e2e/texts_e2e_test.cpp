// Tavrin.exe's own texts as a user reads them on any system: every caption, message and the
// instructions read back in UTF-16, and a button's caption drawn with the glyphs of its text.
// The test script runs these once more on a system whose ANSI code page is 1252.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/instructions_window.h"
#include "app/main_window.h"
#include "tests/e2e/tavrin_process.h"
#include "tests/support/dib.h"
#include "tests/support/message_boxes.h"
#include "tests/support/system_state.h"

namespace {

using namespace testing_support;

class TextsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(tavrin_.form1(), nullptr) << "Tavrin.exe did not open its main window";
  }
  HWND Control(int frameId, int id) const { return GetDlgItem(GetDlgItem(tavrin_.form1(), frameId), id); }
  // What the message box that a click brings up shows; Enter then gives the default answer.
  SeenMessageBox MessageAfterClicking(HWND button) {
    Click(CentreOf(button));
    const HWND box = tavrin_.WaitForMessageBox();
    if (!box) return {};
    const SeenMessageBox seen = ReadMessageBox(box);
    PressKey(VK_RETURN);
    EXPECT_TRUE(tavrin_.WaitForNoMessageBox());
    return seen;
  }

  TavrinProcess tavrin_;
};

TEST_F(TextsE2eTest, EveryCaptionMessageAndTheInstructionsReadExactly) {
  const HWND form1 = tavrin_.form1();
  EXPECT_EQ(TextOf(form1), L"Tavrin");
  EXPECT_EQ(TextOf(GetDlgItem(form1, app::Frame1Id)), L"");
  EXPECT_EQ(TextOf(GetDlgItem(form1, app::Frame2Id)), L"操作功能");
  const HWND command1 = Control(app::Frame2Id, app::Command1Id);
  const HWND command2 = Control(app::Frame2Id, app::Command2Id);
  const HWND command3 = Control(app::Frame2Id, app::Command3Id);
  const HWND command4 = Control(app::Frame1Id, app::Command4Id);
  EXPECT_EQ(TextOf(command2), L"优化虚拟内存");
  EXPECT_EQ(TextOf(command3), L"还原内存优化");
  EXPECT_EQ(TextOf(command1), L"刷新后马上生效");
  EXPECT_EQ(TextOf(command4), L"使用说明");

  SetPagedPoolSize(0x1234);
  SeenMessageBox seen = MessageAfterClicking(command2);
  EXPECT_EQ(seen.title, L"提示");
  EXPECT_EQ(seen.text, L"优化虚拟内存成功，刷新后即可生效！");
  seen = MessageAfterClicking(command3);
  EXPECT_EQ(seen.title, L"提示");
  EXPECT_EQ(seen.text, L"还原内存优化成功，刷新后即可生效！");
  seen = MessageAfterClicking(command1);
  EXPECT_EQ(seen.title, L"提示");
  EXPECT_EQ(seen.text, L"      刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！");

  Click(CentreOf(command4));
  ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(tavrin_.id(), "Form", L"使用说明").empty(); }));
  const HWND form2 = TopLevelWindows(tavrin_.id(), "Form", L"使用说明").front();
  EXPECT_EQ(TextOf(GetDlgItem(form2, app::Text1Id)),
            L"    有些老电脑由于内存或者虚拟内存太小\r\n"
            L"，玩游戏时间过久或者运行大型软件的时候\r\n"
            L"，就会出现提示虚拟内存太小等虚拟内存出\r\n"
            L"错问题，然后系统运行很缓慢。\r\n"
            L"    试用这个工具优化看，有可能会得到意\r\n"
            L"想不到的好效果。\r\n");
}

// The black pixels of Command3's face on the screen are exactly those of its caption drawn with
// DrawTextW in the default GUI font of a Simplified Chinese system (9 points, GB2312): the same
// glyphs at the same places at any code page. The comparison stays clear of the focus frame's
// line, two pixels inside the edge.
TEST_F(TextsE2eTest, AButtonsCaptionShowsTheGlyphsOfItsTextAsAtCodePage936) {
  const HWND command3 = Control(app::Frame2Id, app::Command3Id);
  MovePointer(ClientToScreenPoint(tavrin_.form1(), 2, 140));
  RECT face = {};
  GetClientRect(command3, &face);
  const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0,
                                 DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"MS Shell Dlg");
  Dib reference(face.right, face.bottom);
  DrawCaptionReference(reference, L"还原内存优化", font);
  DeleteObject(font);
  int ink = 0;
  for (int y = 3; y < face.bottom - 3; ++y) {
    for (int x = 3; x < face.right - 3; ++x) ink += reference.at(x, y) == 0;
  }
  ASSERT_GT(ink, 60) << "the reference caption drew next to nothing";

  int differing = -1;
  WaitUntil([&] {
    const Capture shown = CaptureClient(command3);
    differing = 0;
    for (int y = 3; y < face.bottom - 3; ++y) {
      for (int x = 3; x < face.right - 3; ++x) differing += (shown.at(x, y) == 0) != (reference.at(x, y) == 0);
    }
    return differing == 0;
  }, 3000);
  EXPECT_EQ(differing, 0) << "pixels of " << ink << " in the caption's ink";
}

// The scripts say which ANSI code page the Wine prefix was started with (TAVRIN_CODEPAGE); the
// checks above prove something at 1252 only if the system really has that code page.
TEST(TextsE2eCodePageTest, TheSystemHasTheCodePageTheScriptsAskedFor) {
  char asked[16] = {};
  if (GetEnvironmentVariableA("TAVRIN_CODEPAGE", asked, sizeof asked) == 0) {
    GTEST_SKIP() << "not started by the test scripts";
  }
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::strtoul(asked, nullptr, 10)));
}

}  // namespace
