// The skinned gallery used as a person uses it, with real input, for about a minute, then a
// thousand focus changes, enable flips and resizes. Nothing may be leaked, every control must end
// in its resting state, and detach must still give every window back.
#include <gtest/gtest.h>

#include <cstdio>

#include "skin/engine.h"
#include "tests/hardening/tree_state.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace hardening;
using namespace testing_support;

// One minute of real input per pass; scripts/soak.sh asks for more passes (TAVRIN_SOAK_MINUTES).
constexpr DWORD SoakPassMs = 60000;
constexpr int Repetitions = 1000;

intptr_t Prop(HWND window, const char* name) { return skin::GetProperty(window, name); }

class SoakTest : public ::testing::Test {
 protected:
  // The pointer on the bare client area of the form, every leave noticed (Wine polls for it) and
  // every fade ended; the focus on the form.
  void Rest() {
    MovePointer(ClientToScreenPoint(g_->form, 420, 280));
    Pump(900);
    SetFocus(g_->form);
    WaitUntil([&] {
      return Prop(g_->push, skin::TimerIdProperty) == 0 && Prop(g_->pushDisabled, skin::TimerIdProperty) == 0;
    }, 5000);
  }

  // Hover, press, release, leave: the pointer moves onto the control, clicks it, moves off.
  void Cycle(HWND control) {
    Click(CentreOf(control));
    MovePointer(ClientToScreenPoint(g_->form, 420, 280));
  }

  RecordedGallery g_;
};

TEST_F(SoakTest, RealInputFocusEnableAndResizeLeakNothingAndEndAtRest) {
  const HWND controls[] = {g_->push, g_->check, g_->option};
  for (HWND control : controls) Cycle(control);  // the warm-up
  Rest();
  const LRESULT checkedAtStart = SendMessageA(g_->check, BM_GETCHECK, 0, 0);
  int cycles = 0;
  int checkClicks = 0;
  const int headroomBefore = GdiHeadroom();
  const int passes = SettingOr("TAVRIN_SOAK_MINUTES", 1);
  const DWORD start = GetTickCount();
  int headroom = headroomBefore;
  for (int pass = 1; pass <= passes; ++pass) {
    const DWORD passStart = GetTickCount();
    while (GetTickCount() - passStart < SoakPassMs) {
      const HWND control = controls[cycles % 3];
      Cycle(control);
      checkClicks += control == g_->check;
      ++cycles;
    }
    Rest();
    headroom = GdiHeadroom();
    std::printf("soak: minute %d of %d, %d cycles, GDI headroom %d (%d before)\n", pass, passes, cycles,
                headroom, headroomBefore);
    std::fflush(stdout);
  }
  const DWORD elapsed = GetTickCount() - start;
  const int leaked = headroomBefore - headroom;
  std::printf("soak: %d hover/press/release/leave cycles with real input in %lu ms, %d GDI objects leaked\n",
              cycles, static_cast<unsigned long>(elapsed), leaked);
  RecordProperty("input_cycles", cycles);
  RecordProperty("input_gdi_objects_leaked", leaked);
  EXPECT_EQ(leaked, 0);
  EXPECT_EQ(SendMessageA(g_->check, BM_GETCHECK, 0, 0), checkClicks % 2 ? !checkedAtStart : checkedAtStart)
      << "a click was lost or doubled";
  EXPECT_EQ(SendMessageA(g_->option, BM_GETCHECK, 0, 0), BST_CHECKED);
  for (HWND control : controls) {
    EXPECT_EQ(Prop(control, skin::MouseFlagProperty), 0) << skin::WindowClassName(control);
    EXPECT_EQ(Prop(control, skin::OldStateProperty), skin::StateNormal) << skin::WindowClassName(control);
  }
  EXPECT_EQ(Prop(g_->push, skin::TimerIdProperty), 0);

  // Focus round the form: push buttons render new faces and fade on each change.
  const HWND focusRing[] = {g_->push, g_->check, g_->option, g_->edit};
  int step = 0;
  const int focusLeak = GdiObjectsLeakedBy([&] {
    SetFocus(focusRing[step++ % 4]);
    if (step % 50 == 0) Pump(1);
  }, Repetitions);
  // Enable flips in pairs, disabled then enabled again, on a push button and a check box in turn.
  const HWND flipped[] = {g_->push, g_->check};
  step = 0;
  const int enableLeak = GdiObjectsLeakedBy([&] {
    const HWND window = flipped[step++ % 2];
    EnableWindow(window, FALSE);
    EnableWindow(window, TRUE);
  }, Repetitions / 2);
  // Resizes of both push buttons: new faces and a new outline each time.
  step = 0;
  const int resizeLeak = GdiObjectsLeakedBy([&] {
    const HWND window = step % 2 ? g_->pushDisabled : g_->push;
    SetWindowPos(window, nullptr, 0, 0, 100 + step % 61, 24 + step % 17, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ++step;
  }, Repetitions);
  Rest();
  std::printf("soak: %d focus changes, %d enable flips, %d resizes: %d, %d, %d GDI objects leaked\n", Repetitions,
              Repetitions, Repetitions, focusLeak, enableLeak, resizeLeak);
  RecordProperty("focus_gdi_objects_leaked", focusLeak);
  RecordProperty("enable_gdi_objects_leaked", enableLeak);
  RecordProperty("resize_gdi_objects_leaked", resizeLeak);
  EXPECT_EQ(focusLeak, 0);
  EXPECT_EQ(enableLeak, 0);
  EXPECT_EQ(resizeLeak, 0);
  EXPECT_TRUE(IsWindowEnabled(g_->push));
  EXPECT_TRUE(IsWindowEnabled(g_->check));
  // The faces follow the last size.
  for (HWND push : {g_->push, g_->pushDisabled}) {
    const skin::WindowBounds b = BoundsOf(push);
    BITMAP face = {};
    GetObjectA(reinterpret_cast<HBITMAP>(Prop(push, skin::StateBitmapProperty(skin::StateNormal).c_str())), sizeof face, &face);
    EXPECT_EQ(face.bmWidth, b.Width);
    EXPECT_EQ(face.bmHeight, b.Height);
  }
  EXPECT_EQ(skin::SkinnedWindowCount, SkinnedWindowsOfThread());
  g_.DetachAndExpectRestored();
}

}  // namespace
