// The skin of the shipped Tavrin.exe as a user sees it: blue rounded buttons that light up under
// the pointer, press at once, and the same look on the message boxes the program shows.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/e2e/tavrin_process.h"
#include "tests/support/system_state.h"

namespace {

using namespace testing_support;

constexpr COLORREF ButtonBorder = 0x00D58F1B;

// The inner line of a face, one pixel inside the left border: near white at rest, bright blue
// when hot or pressed. Its red component tells the two apart.
BYTE InnerLineRed(HWND button) {
  const Capture face = CaptureClient(button);
  return GetRValue(face.at(1, face.height / 2));
}

// Whether the first button of a message box wears the skin's border.
bool ShowsSkinnedButton(HWND box) {
  const HWND button = FindWindowExA(box, nullptr, "Button", nullptr);
  return button && WaitUntil([&] {
    const Capture face = CaptureClient(button);
    return face.at(0, face.height / 2) == ButtonBorder && face.at(face.width / 2, 0) == ButtonBorder;
  }, 3000);
}

class SkinE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(tavrin_.form1(), nullptr) << "Tavrin.exe did not open its main window";
    ParkPointer();
  }
  // A bare spot of the form, away from every button.
  void ParkPointer() { MovePointer(ClientToScreenPoint(tavrin_.form1(), 2, 140)); }

  TavrinProcess tavrin_;
};

void PressLeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

TEST_F(SkinE2eTest, Command2ShowsHotPressedAndNormalFacesUnderRealInput) {
  SetPagedPoolSize(0);
  const HWND button = tavrin_.Button(L"优化虚拟内存");
  ASSERT_TRUE(WaitUntil([&] { return InnerLineRed(button) > 0xC0; }, 3000));
  const Capture rest = CaptureClient(button);
  EXPECT_EQ(rest.at(0, rest.height / 2), ButtonBorder);
  EXPECT_EQ(rest.at(rest.width / 2, 0), ButtonBorder);
  EXPECT_EQ(rest.at(rest.width - 1, rest.height / 2), ButtonBorder);
  // The rounded outline leaves the corner pixel to the frame behind it.
  EXPECT_NE(rest.at(0, 0), ButtonBorder);
  EXPECT_NE(rest.at(0, 0), rest.at(1, 1));

  MovePointer(CentreOf(button));
  EXPECT_TRUE(WaitUntil([&] { return InnerLineRed(button) < 0x80; }, 5000)) << "no hot face";
  PressLeftButton(true);
  EXPECT_TRUE(WaitUntil([&] { return InnerLineRed(button) < 0x80; }, 1000)) << "no pressed face";
  PressLeftButton(false);
  // The click runs the command. The pointer still rests on the button, which stays lit until
  // the pointer leaves it, message box or not.
  const HWND box = tavrin_.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(ShowsSkinnedButton(box)) << "the OK button of the success message";
  ParkPointer();
  EXPECT_TRUE(WaitUntil([&] { return InnerLineRed(button) > 0xC0; }, 5000)) << "no normal face";
  PressKey(VK_RETURN);
  EXPECT_TRUE(tavrin_.WaitForNoMessageBox());
  EXPECT_EQ(PagedPoolSizeOr(0xDEADBEEF), 0xFFFFFFFFu);
}

TEST_F(SkinE2eTest, APressDraggedOffAButtonAndReleasedOutsideClicksNothing) {
  const HWND button = tavrin_.Button(L"使用说明");
  MovePointer(CentreOf(button));
  Pump(100);
  PressLeftButton(true);
  EXPECT_TRUE(WaitUntil([&] { return InnerLineRed(button) < 0x80; }, 1000)) << "no pressed face";
  ParkPointer();
  PressLeftButton(false);
  Pump(500);
  EXPECT_TRUE(TopLevelWindows(tavrin_.id(), "Form", L"使用说明").empty());
  EXPECT_TRUE(WaitUntil([&] { return InnerLineRed(button) > 0xC0; }, 5000));
}

TEST_F(SkinE2eTest, TheRestartConfirmationWearsTheSkinToo) {
  Click(CentreOf(tavrin_.Button(L"刷新后马上生效")));
  const HWND box = tavrin_.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(ShowsSkinnedButton(box));
  PressKey(VK_RETURN);  // "否", the default answer
  EXPECT_TRUE(tavrin_.WaitForNoMessageBox());
  EXPECT_TRUE(tavrin_.running());
}

}  // namespace
