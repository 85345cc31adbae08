// The state machine: what the pointer, the left button, the space bar, the focus and enabling do
// to each kind's properties and look.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "gallery/gallery.h"
#include "skin/joining.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  intptr_t oldState;  // the skin's state when the control's own procedure got the message
};
std::vector<Seen> seen;
WNDPROC realPrevious = nullptr;
HWND recorded = nullptr;

LRESULT CALLBACK RecordingPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_MOUSEFIRST || message == WM_KEYDOWN || message == WM_KEYUP || message == WM_TIMER) {
    seen.push_back({message, wParam, lParam, skin::GetProperty(window, skin::OldStateProperty)});
  }
  return CallWindowProcA(realPrevious, window, message, wParam, lParam);
}

class StatesTest : public ::testing::Test {
 protected:
  LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
  }
  intptr_t Prop(HWND window, const char* name) { return skin::GetProperty(window, name); }
  // Puts a recorder between the skin and the control's own procedure.
  void Record(HWND window) {
    seen.clear();
    recorded = window;
    realPrevious = reinterpret_cast<WNDPROC>(Prop(window, skin::ProcAddrProperty));
    skin::SetProperty(window, skin::ProcAddrProperty, reinterpret_cast<intptr_t>(&RecordingPrevious));
  }
  void TearDown() override {
    if (recorded) skin::SetProperty(recorded, skin::ProcAddrProperty, reinterpret_cast<intptr_t>(realPrevious));
    recorded = nullptr;
  }
  SkinnedGallery g_;
};

TEST_F(StatesTest, PushButtonCycleEnterPressReleaseMoveLeave) {
  const HWND push = g_->push;
  MovePointer(CentreOf(push));  // the real cursor is over the button
  // The real pointer's arrival may have begun a hover fade: start again from rest.
  skin::StopFadeTimer(push);
  skin::SetProperty(push, skin::MouseFlagProperty, 0);
  skin::SetProperty(push, skin::OldStateProperty, skin::StateNormal);
  Record(push);
  Send(push, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(push, skin::MouseFlagProperty), 1);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateHot);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);
  EXPECT_EQ(Prop(push, skin::TimerIdProperty), 1);
  Send(push, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));  // a second move inside changes nothing
  EXPECT_EQ(Prop(push, skin::TimerIdProperty), 1);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);

  Send(push, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StatePressed);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);
  EXPECT_EQ(Prop(push, skin::TimerIdProperty), 0);
  EXPECT_EQ(WindowPixel(push, 4, 1), 0x00FBBC39u);  // row 1 of the pressed face's middle

  Send(push, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(push, skin::MouseFlagProperty), 0);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateNormal);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 60);
  const intptr_t timer = Prop(push, skin::TimerIdProperty);
  EXPECT_NE(timer, 0);
  Send(push, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // the hot fade takes over the running timer
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateHot);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);
  EXPECT_EQ(Prop(push, skin::TimerIdProperty), timer);

  Send(push, WM_MOUSELEAVE);
  EXPECT_EQ(Prop(push, skin::MouseFlagProperty), 0);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateNormal);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);

  // The control's own procedure got every message first and unchanged.
  const std::vector<UINT> expected = {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MOUSELEAVE};
  ASSERT_GE(seen.size(), expected.size());
  std::vector<UINT> messages;
  for (const Seen& s : seen) {
    // Capture and IME notifications come from the control's own handling of the press.
    if ((s.message >= WM_MOUSEFIRST && s.message <= WM_MOUSELAST) || s.message == WM_MOUSELEAVE) {
      messages.push_back(s.message);
    }
  }
  EXPECT_EQ(messages, expected);
  EXPECT_EQ(seen[2].oldState, skin::StateHot);  // before the press step
  EXPECT_EQ(seen[2].lParam, MAKELPARAM(5, 5));
}

TEST_F(StatesTest, DoubleClickAndSpaceBarPressOtherKeysDoNothing) {
  const HWND push = g_->push;
  Record(push);
  Send(push, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StatePressed);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().message, static_cast<UINT>(WM_LBUTTONDBLCLK));
  Send(push, WM_LBUTTONUP);

  Send(push, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateNormal);
  for (int repeat = 0; repeat < 2; ++repeat) {  // auto-repeat repeats the press step
    skin::SetProperty(push, skin::AlphaLevelProperty, 99);
    Send(push, WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StatePressed);
    EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);
  }
  Send(push, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateNormal);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);
  EXPECT_NE(Prop(push, skin::TimerIdProperty), 0);

  Send(g_->check, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(Prop(g_->check, skin::OldStateProperty), skin::StatePressed);
  Send(g_->check, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Prop(g_->check, skin::OldStateProperty), skin::StateNormal);
}

TEST_F(StatesTest, DraggingOutOfAPressedButtonShowsItsFaceOpaque) {
  const HWND push = g_->push;
  skin::SetProperty(push, skin::MouseFlagProperty, 1);
  skin::SetProperty(push, skin::OldStateProperty, skin::StatePressed);
  skin::StartFadeTimer(push);
  MovePointer(ClientToScreenPoint(g_->form, 420, 280));  // the real cursor is elsewhere
  Send(push, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-40, 5));
  EXPECT_EQ(Prop(push, skin::TimerIdProperty), 0);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 255);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StatePressed);
}

TEST_F(StatesTest, EditableComboPressesOnlyInsideTheDropZoneBoundsIncluded) {
  const HWND combo = g_->comboDropDown;
  const skin::WindowBounds b = BoundsOf(combo);
  const int left = b.Width - GetSystemMetrics(SM_CXVSCROLL) - 2;
  struct Point {
    int x, y;
    bool inZone;
  };
  for (const Point p : {Point{left, 2, true}, Point{b.Width - 2, b.Height - 2, true}, Point{left - 1, 5, false},
                        Point{left + 3, 1, false}, Point{5, 5, false}}) {
    skin::SetProperty(combo, skin::OldStateProperty, skin::StateNormal);
    Send(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(Prop(combo, skin::OldStateProperty), p.inZone ? skin::StatePressed : skin::StateNormal) << p.x << "," << p.y;
    Send(combo, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Send(combo, CB_SHOWDROPDOWN, FALSE);
  }
  skin::SetProperty(g_->comboDropList, skin::OldStateProperty, skin::StateNormal);
  Send(g_->comboDropList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(g_->comboDropList, skin::OldStateProperty), skin::StatePressed);
  Send(g_->comboDropList, CB_SHOWDROPDOWN, FALSE);
}

TEST_F(StatesTest, HeaderHitTestTracksItemsAndSharedEdgesHitTheLowerIndex) {
  const HWND header = g_->header;
  RECT first = {};
  SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  // Presses on a divider start the control's own resize drag: each is released where it began,
  // so that no column changes width.
  auto click = [&](int x) {
    Send(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    const intptr_t pressed = Prop(header, skin::HdIndexProperty);
    Send(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    return pressed;
  };
  EXPECT_EQ(click(first.right), 0);
  EXPECT_EQ(Prop(header, skin::HdIndexProperty), -1);
  EXPECT_EQ(click(first.right + 1), 1);
  EXPECT_EQ(click(1000), -1);  // right of the last item

  Send(header, WM_MOUSEMOVE, 0, MAKELPARAM(first.right + 10, 5));
  EXPECT_EQ(Prop(header, skin::HmIndexProperty), 1);
  Send(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));  // held: the hot item stays
  EXPECT_EQ(Prop(header, skin::HmIndexProperty), 1);
  Send(header, WM_MOUSELEAVE);
  EXPECT_EQ(Prop(header, skin::HmIndexProperty), -1);
  EXPECT_EQ(Prop(header, skin::MouseFlagProperty), 0);

  while (Send(header, HDM_GETITEMCOUNT) > 0) Send(header, HDM_DELETEITEM, 0);
  skin::SetProperty(header, skin::HdIndexProperty, 7);
  Send(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(header, skin::HdIndexProperty), 7);  // no items: left as it was
}

TEST_F(StatesTest, TogglesRedrawPressedOnEveryHeldMoveAndWhenTheirOwnMarkOrStateChanges) {
  const HWND check = g_->check;
  const int top = skin::RoundHalfEven((BoundsOf(check).Height - GetSystemMetrics(SM_CYMENUCHECK)) / 2.0);
  Send(check, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(Prop(check, skin::OldStateProperty), skin::StatePressed);
  const HDC dc = GetWindowDC(check);
  skin::FillSolid(dc, 0, top, 13, 13, 0x00123456);
  ReleaseDC(check, dc);
  Send(check, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 3));  // same state, drawn again
  EXPECT_EQ(WindowPixel(check, 0, top), 0x00C48639u);

  // The program's pushed state, mark and enabling draw the square again over the box the control
  // drew: its frame 4 down in the 20-pixel box, the tick's first pixel at (10, 6).
  Send(check, BM_SETSTATE, FALSE);
  EXPECT_EQ(WindowPixel(check, 0, 10), 0x00D5A554u);
  Send(check, BM_SETCHECK, BST_UNCHECKED);
  Send(check, BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(WindowPixel(check, 10, 6), 0x001DB754u);
  Send(check, BM_SETSTATE, TRUE);
  EXPECT_EQ(WindowPixel(check, 0, 10), 0x00C48639u);
  EnableWindow(check, FALSE);
  EXPECT_EQ(WindowPixel(check, 0, 10), 0x00E9CFA4u);

  // A release elsewhere redraws no toggle: a hot one stays hot until its pointer leaves.
  skin::SetProperty(g_->option, skin::OldStateProperty, skin::StateHot);
  Send(g_->push, WM_LBUTTONUP);
  EXPECT_EQ(Prop(g_->option, skin::OldStateProperty), skin::StateHot);
}

// Three option buttons clicked through with real input: after each click every one of them shows
// its own mark (the dot's middle) in the normal look, as it is painted afresh.
TEST_F(StatesTest, ARadioGroupClickedThroughShowsEveryMarkInTheNormalLook) {
  std::vector<HWND> group;
  for (DWORD style : {WS_GROUP, 0L, 0L, WS_GROUP}) {  // the last one only closes the group
    group.push_back(CreateWindowA("ThunderRT6OptionButton", "o", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | style,
                                  222, 228 + 20 * static_cast<int>(group.size()), 54, 20, g_->form, nullptr, nullptr, nullptr));
    skin::SkinAttachWindow(group.back());
  }
  group.pop_back();
  for (size_t chosen : {1u, 2u, 0u, 2u}) {
    Click(CentreOf(group[chosen]));
    Pump(200);
    MovePointer({0, 0});
    Pump(900);
    for (size_t i = 0; i < group.size(); ++i) {
      EXPECT_EQ(WindowPixel(group[i], 6, 10), i == chosen ? 0x0012A847u : 0x00FFFFFFu) << chosen << i;
      Dib shown(13, 20), fresh(13, 20);
      CaptureWindow(group[i], shown);
      skin::PaintOptionButton(group[i], skin::StateNormal, true);
      CaptureWindow(group[i], fresh);
      EXPECT_TRUE(shown.SameAs(fresh)) << chosen << i;
    }
  }
}

TEST_F(StatesTest, FocusRedrawsOptionButtonsButNotCheckBoxesAndEnablingPicksTheFace) {
  skin::SetProperty(g_->option, skin::OldStateProperty, skin::StateHot);
  skin::SetProperty(g_->check, skin::OldStateProperty, skin::StateHot);
  Send(g_->option, WM_SETFOCUS);
  Send(g_->check, WM_SETFOCUS);
  EXPECT_EQ(Prop(g_->option, skin::OldStateProperty), skin::StateNormal);
  EXPECT_EQ(Prop(g_->check, skin::OldStateProperty), skin::StateHot);

  EnableWindow(g_->push, FALSE);
  EXPECT_EQ(Prop(g_->push, skin::OldStateProperty), skin::StateDisabled);
  EnableWindow(g_->push, TRUE);
  EXPECT_EQ(Prop(g_->push, skin::OldStateProperty), skin::StateNormal);
}

// The drop button under the pointer, the left button and leave, read where the face's corner and
// its middle column's top and bottom rows land: white at rest, light when hot, deeper when pressed.
TEST_F(StatesTest, DropButtonsOfComboAndDriveListFollowHoverPressReleaseAndLeave) {
  const std::vector<COLORREF> normal = {0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};
  const std::vector<COLORREF> hot = {0x00FFF9E8, 0x00FFF9E8, 0x00F3E1C0};
  const std::vector<COLORREF> pressed = {0x00F3E1BE, 0x00F3E1BE, 0x00FEF8E6};
  for (const HWND combo : {g_->comboDropList, g_->driveList}) {
    SCOPED_TRACE(skin::WindowClassName(combo));
    const skin::WindowBounds b = BoundsOf(combo);
    const int left = b.Width - 18 - 1;
    auto face = [&] {
      return std::vector<COLORREF>{WindowPixel(combo, left + 1, 1), WindowPixel(combo, left + 9, 1),
                                   WindowPixel(combo, left + 9, b.Height - 2)};
    };
    auto pressAndRelease = [&] {
      Send(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      EXPECT_EQ(face(), pressed);
      Send(combo, CB_SHOWDROPDOWN, FALSE);  // the list a press opens is not what is tested here
      Send(combo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    MovePointer(ClientToScreenPoint(g_->form, 420, 280));  // the real cursor is elsewhere
    Send(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(face(), hot);
    pressAndRelease();
    EXPECT_EQ(face(), normal);  // released with the cursor elsewhere
    MovePointer(CentreOf(combo));
    pressAndRelease();
    EXPECT_EQ(face(), hot);  // released over it
    Send(combo, WM_MOUSELEAVE);
    EXPECT_EQ(face(), normal);
  }
}

// Leaving a push button lays one hot frame over it at 140 of 255, then fades the normal face in.
TEST_F(StatesTest, LeavingAPushButtonBlendsOneHotFrameAt140ThenFadesToNormal) {
  const HWND push = g_->push;
  MovePointer(ClientToScreenPoint(g_->form, 420, 280));
  skin::StopFadeTimer(push);
  skin::SetProperty(push, skin::OldStateProperty, skin::StateNormal);
  RedrawWindow(push, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // Row 1 of the faces' middle: white in the normal face, 0x00FBC34C in the hot one.
  ASSERT_EQ(WindowPixel(push, 4, 1), 0x00FFFFFFu);
  skin::SetProperty(push, skin::MouseFlagProperty, 1);
  Send(push, WM_MOUSELEAVE);
  const COLORREF mixed = WindowPixel(push, 4, 1);
  EXPECT_NEAR(GetRValue(mixed), (0x4C * 140 + 0xFF * 115) / 255, 1);
  EXPECT_NEAR(GetGValue(mixed), (0xC3 * 140 + 0xFF * 115) / 255, 1);
  EXPECT_NEAR(GetBValue(mixed), (0xFB * 140 + 0xFF * 115) / 255, 1);
  EXPECT_EQ(Prop(push, skin::OldStateProperty), skin::StateNormal);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 0);
  EXPECT_NE(Prop(push, skin::TimerIdProperty), 0);
  EXPECT_TRUE(WaitUntil([&] { return Prop(push, skin::TimerIdProperty) == 0; }, 10000));
  EXPECT_EQ(WindowPixel(push, 4, 1), 0x00FFFFFFu);
}

// A WM_TIMER of another identifier reaches the button's own procedure unchanged. The fade does
// not look at the identifier: the tick steps it all the same.
TEST_F(StatesTest, AnotherTimerOnAPushButtonIsPassedOnUnchanged) {
  const HWND push = g_->push;
  skin::StopFadeTimer(push);
  skin::SetProperty(push, skin::AlphaLevelProperty, 30);
  Record(push);
  Send(push, WM_TIMER, 7, 0x1234);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(seen[0].wParam, 7u);
  EXPECT_EQ(seen[0].lParam, 0x1234);
  EXPECT_EQ(Prop(push, skin::AlphaLevelProperty), 33);
}

// A lone button on its own form, so that each release refreshes no sibling and the cycles are
// many.
TEST(StatesLeakTest, TenThousandHoverPressReleaseLeaveCyclesWithFadesLeaveNoGdiObjectBehind) {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  const HWND form = CreateWindowA("Form", "cycles", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 120,
                                  nullptr, nullptr, nullptr, nullptr);
  const HWND push = CreateWindowA("Button", "cycle", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 257,
                                  25, form, nullptr, nullptr, nullptr);
  skin::SkinAttach(form);
  auto send = [&](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { SendMessageA(push, message, wParam, lParam); };
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    send(WM_TIMER, skin::FadeTimerId);
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    send(WM_TIMER, skin::FadeTimerId);
    send(WM_MOUSELEAVE);
    send(WM_TIMER, skin::FadeTimerId);
  }, 10000), 0);
  skin::SkinDetach(form);
  DestroyWindow(form);
  EXPECT_EQ(skin::SkinnedWindowCount, 0);
}

}  // namespace
