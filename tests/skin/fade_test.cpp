// The hover fade, driven by the real 15 ms timer, and the blend it is made of.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "skin/joining.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

// Records "ALPHALEVEL" of a button, and the time, each time one of its WM_TIMER messages is taken
// from the queue, that is, just before the fade step that blends with it.
class TickRecorder {
 public:
  explicit TickRecorder(HWND button) {
    button_ = button;
    alphas_.clear();
    times_.clear();
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, &OnMessage, nullptr, GetCurrentThreadId());
  }
  ~TickRecorder() { UnhookWindowsHookEx(hook_); }
  static const std::vector<intptr_t>& alphas() { return alphas_; }
  static const std::vector<DWORD>& times() { return times_; }

 private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->hwnd == button_ && message->message == WM_TIMER) {
      alphas_.push_back(skin::GetProperty(button_, skin::AlphaLevelProperty));
      times_.push_back(GetTickCount());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static HWND button_;
  static std::vector<intptr_t> alphas_;
  static std::vector<DWORD> times_;
  HHOOK hook_;
};
HWND TickRecorder::button_ = nullptr;
std::vector<intptr_t> TickRecorder::alphas_;
std::vector<DWORD> TickRecorder::times_;

class FadeTest : public ::testing::Test {
 protected:
  // Starts a fade of `state` from `alpha` and lets the real timer run it to its end.
  std::vector<intptr_t> RunFade(int state, intptr_t alpha) {
    const HWND push = g_->push;
    skin::SetProperty(push, skin::OldStateProperty, state);
    skin::SetProperty(push, skin::AlphaLevelProperty, alpha);
    TickRecorder recorder(push);
    EXPECT_NE(skin::StartFadeTimer(push), 0u);
    WaitUntil([&] { return skin::GetProperty(push, skin::TimerIdProperty) == 0; }, 10000);
    return TickRecorder::alphas();
  }

  SkinnedGallery g_;
};

TEST_F(FadeTest, FadesFromZeroInEightySixBlendsAndFromSixtyInSixtySix) {
  for (const intptr_t start : {0, 60}) {
    const std::vector<intptr_t> alphas = RunFade(skin::StateHot, start);
    ASSERT_EQ(alphas.size(), start == 0 ? 86u : 66u);
    for (size_t i = 0; i < alphas.size(); ++i) EXPECT_EQ(alphas[i], start + 3 * static_cast<intptr_t>(i));
    EXPECT_EQ(alphas.back(), 255);
    EXPECT_EQ(skin::GetProperty(g_->push, skin::AlphaLevelProperty), 0);
    EXPECT_EQ(skin::GetProperty(g_->push, skin::TimerIdProperty), 0);
    // Ticks come every 15 ms. The machine may be busy, so only the typical gap is looked at,
    // within bounds wide enough for load and narrow enough to catch a wrong period.
    std::vector<DWORD> gaps;
    const std::vector<DWORD>& times = TickRecorder::times();
    for (size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    std::sort(gaps.begin(), gaps.end());
    ASSERT_FALSE(gaps.empty());
    EXPECT_GE(gaps[gaps.size() / 2], 10u);
    EXPECT_LE(gaps[gaps.size() / 2], 25u);
  }
  // After the last blend at 255 the window shows exactly the hot face: row 1 of its middle.
  EXPECT_EQ(WindowPixel(g_->push, 4, 1), 0x00FBC34Cu);
}

TEST_F(FadeTest, OneTimerAtMostAndStoppingNothingCallsNothing) {
  const HWND push = g_->push;
  const UINT_PTR timer = skin::StartFadeTimer(push);
  EXPECT_EQ(timer, 1u);
  EXPECT_EQ(skin::StartFadeTimer(push), 0u);
  EXPECT_EQ(skin::GetProperty(push, skin::TimerIdProperty), static_cast<intptr_t>(timer));
  EXPECT_NE(skin::StopFadeTimer(push), 0);
  EXPECT_EQ(skin::StopFadeTimer(push), 0);
  EXPECT_EQ(skin::GetProperty(push, skin::TimerIdProperty), 0);
}

TEST_F(FadeTest, BlendIsAConstantAlphaMixAndZeroChangesNothing) {
  const HWND push = g_->push;
  const skin::WindowBounds b = BoundsOf(push);
  skin::SetProperty(push, skin::OldStateProperty, skin::StateNormal);
  skin::SetProperty(push, skin::AlphaLevelProperty, 255);
  skin::BlendStateFace(push, nullptr);
  Dib before(b.Width, b.Height);
  CaptureWindow(push, before);

  skin::SetProperty(push, skin::OldStateProperty, skin::StatePressed);
  skin::SetProperty(push, skin::AlphaLevelProperty, 0);
  skin::BlendStateFace(push, nullptr);
  Dib unchanged(b.Width, b.Height);
  CaptureWindow(push, unchanged);
  EXPECT_TRUE(unchanged.SameAs(before));

  skin::SetProperty(push, skin::AlphaLevelProperty, 100);
  skin::BlendStateFace(push, nullptr);
  Dib blended(b.Width, b.Height);
  CaptureWindow(push, blended);
  const HDC pressed = skin::StateSurface(push, skin::StatePressed);
  for (const POINT p : {POINT{1, b.Height / 2}, POINT{b.Width / 2, 1}, POINT{3, b.Height - 3}}) {
    const COLORREF face = GetPixel(pressed, p.x, p.y);
    const COLORREF old = before.at(p.x, p.y);
    const COLORREF now = blended.at(p.x, p.y);
    auto mix = [](int f, int o) { return (f * 100 + o * 155) / 255; };
    EXPECT_NEAR(GetRValue(now), mix(GetRValue(face), GetRValue(old)), 1);
    EXPECT_NEAR(GetGValue(now), mix(GetGValue(face), GetGValue(old)), 1);
    EXPECT_NEAR(GetBValue(now), mix(GetBValue(face), GetBValue(old)), 1);
  }
}

TEST_F(FadeTest, ADisabledButtonShowsItsDisabledFaceAndANonPushButtonIsNeverBlended) {
  const HWND disabled = g_->pushDisabled;
  skin::SetProperty(disabled, skin::OldStateProperty, skin::StateHot);
  skin::SetProperty(disabled, skin::AlphaLevelProperty, 255);
  SendMessageA(disabled, WM_TIMER, skin::FadeTimerId, 0);
  EXPECT_EQ(skin::GetProperty(disabled, skin::OldStateProperty), skin::StateDisabled);
  const skin::WindowBounds b = BoundsOf(disabled);
  EXPECT_EQ(WindowPixel(disabled, b.Width / 2, 0), 0x00E8C387u);

  // A check box of the class "Button" is a KindButton that keeps its own look.
  const HWND check = CreateWindowA("Button", "x", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 300, 240,
                                   100, 20, g_->form, nullptr, nullptr, nullptr);
  skin::SkinAttachWindow(check);
  UpdateWindow(check);
  Dib before(100, 20);
  CaptureWindow(check, before);
  skin::SetProperty(check, skin::AlphaLevelProperty, 255);
  SendMessageA(check, WM_TIMER, skin::FadeTimerId, 0);
  Dib after(100, 20);
  CaptureWindow(check, after);
  EXPECT_TRUE(after.SameAs(before));
  EXPECT_EQ(skin::GetProperty(check, skin::AlphaLevelProperty), 0);  // it stepped all the same
}

TEST_F(FadeTest, AskedLeaveNoticeArrivesOnceWhenRealInputMovesThePointerOut) {
  for (const bool userEntry : {true, false}) {
    SCOPED_TRACE(userEntry ? "TrackMouseEvent" : "_TrackMouseEvent");
    skin::TrackMouseEventAvailable = userEntry;
    const HWND push = g_->push;
    MovePointer(CentreOf(push));
    Pump(100);
    skin::SetProperty(push, skin::MouseFlagProperty, 1);  // as after an entry
    int leaves = 0;
    MSG message;
    skin::controls::RequestMouseLeave(push);
    MovePointer(ClientToScreenPoint(g_->form, 420, 280));
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1200) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        leaves += message.hwnd == push && message.message == WM_MOUSELEAVE;
        DispatchMessageA(&message);
      }
      Sleep(10);
    }
    EXPECT_EQ(leaves, 1);
  }
}

TEST_F(FadeTest, AThousandFadesLeaveNoGdiObjectBehind) {
  const HWND push = g_->push;
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    skin::SetProperty(push, skin::AlphaLevelProperty, 0);
    skin::StartFadeTimer(push);
    while (skin::GetProperty(push, skin::TimerIdProperty) != 0) SendMessageA(push, WM_TIMER, skin::FadeTimerId, 0);
  }, 1000), 0);
}

// Focus gained or lost renders the faces again, with or without the dotted frame two pixels
// inside the edge, and fades the face of the unchanged state in from 0.
TEST_F(FadeTest, FocusGainAndLossFadeTheDottedFrameInAndOut) {
  const HWND push = g_->push;
  const skin::WindowBounds b = BoundsOf(push);
  auto dots = [&] {  // black dots along row 2, where the frame inverts the white face
    Dib shot(b.Width, b.Height);
    CaptureWindow(push, shot);
    int black = 0;
    for (int x = 3; x < b.Width - 3; ++x) black += shot.at(x, 2) == 0x00000000u;
    return black;
  };
  SetFocus(g_->form);
  WaitUntil([&] { return skin::GetProperty(push, skin::TimerIdProperty) == 0; }, 10000);
  skin::SetProperty(push, skin::OldStateProperty, skin::StateNormal);
  RedrawWindow(push, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_EQ(dots(), 0);

  for (const bool gain : {true, false}) {
    SCOPED_TRACE(gain ? "focus gained" : "focus lost");
    const int before = dots();
    TickRecorder recorder(push);
    SetFocus(gain ? push : g_->form);
    EXPECT_EQ(skin::GetProperty(push, skin::OldStateProperty), skin::StateNormal);
    EXPECT_EQ(skin::GetProperty(push, skin::AlphaLevelProperty), 0);
    EXPECT_EQ(skin::GetProperty(push, skin::TimerIdProperty), 1);
    EXPECT_EQ(dots(), before);  // nothing shown before the first tick
    EXPECT_TRUE(WaitUntil([&] { return skin::GetProperty(push, skin::TimerIdProperty) == 0; }, 10000));
    if (gain) {
      EXPECT_EQ(TickRecorder::alphas().size(), 86u);
      EXPECT_GT(dots(), (b.Width - 6) / 3);
    } else {
      // The button's own procedure invalidates it on focus loss, and the paint that follows ends
      // the fade with the new face opaque.
      EXPECT_EQ(dots(), 0);
    }
    EXPECT_EQ(WindowPixel(push, 4, 1), 0x00FFFFFFu);
  }
}

}  // namespace
