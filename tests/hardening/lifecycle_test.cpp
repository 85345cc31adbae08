// The skin's lifecycle under faults: windows destroyed or detached while their fade runs, detach
// from inside a modal loop and from inside another window's activation, properties taken away by
// someone else, and windows that must never join the skin.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/engine.h"
#include "tests/hardening/tree_state.h"
#include "tests/support/desktop.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace hardening;
using testing_support::Dib;
using testing_support::GdiObjectsLeakedBy;
using testing_support::Pump;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(window, message, wParam, lParam);
}

intptr_t Prop(HWND window, const char* name) { return skin::GetProperty(window, name); }

// A hover fade that has run for a few ticks and is still running. A paint ends a fade, so any
// pending one comes first.
void StartFadeAndLetItRun(HWND button) {
  UpdateWindow(button);
  Send(button, WM_MOUSELEAVE);
  Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Pump(60);
  ASSERT_NE(Prop(button, skin::TimerIdProperty), 0);
  ASSERT_GT(Prop(button, skin::AlphaLevelProperty), 0);
}

HWND NewButton(HWND parent, int y) {
  return CreateWindowA("Button", "extra", WS_CHILD | WS_VISIBLE, 300, y, 120, 28, parent, nullptr, nullptr, nullptr);
}

class LifecycleTest : public ::testing::Test {
 protected:
  RecordedGallery g_;
};

TEST_F(LifecycleTest, AButtonDestroyedMidFadeTakesItsTimerAndItsCountWithIt) {
  const HWND extra = NewButton(g_->form, 240);
  skin::SkinAttach(extra);
  const int32_t count = skin::SkinnedWindowCount;
  StartFadeAndLetItRun(extra);
  {
    PostedMessageLog timers(WM_TIMER);
    DestroyWindow(extra);
    EXPECT_EQ(skin::SkinnedWindowCount, count - 1);
    Pump(500);
    EXPECT_EQ(timers.CountFor(extra), 0);
    EXPECT_EQ(skin::SkinnedWindowCount, SkinnedWindowsOfThread());
  }
  // Attach, fade, destroy mid-fade: nothing of the button's four faces may stay behind.
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    const HWND button = NewButton(g_->form, 240);
    skin::SkinAttach(button);
    Send(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Send(button, WM_TIMER, skin::FadeTimerId);
    DestroyWindow(button);
  }, 50), 0);
  EXPECT_EQ(skin::SkinnedWindowCount, count - 1);

  // The whole form destroyed while both its push buttons fade.
  StartFadeAndLetItRun(g_->push);
  StartFadeAndLetItRun(g_->pushDisabled);
  PostedMessageLog timers(WM_TIMER);
  DestroyWindow(g_->form);
  Pump(500);
  EXPECT_EQ(timers.CountFor(g_->push) + timers.CountFor(g_->pushDisabled), 0);
  ExpectSkinReleased();
}

TEST_F(LifecycleTest, DetachWhileFadesRunStopsTheirTimersAndLeavesThePixelsAlone) {
  StartFadeAndLetItRun(g_->push);
  StartFadeAndLetItRun(g_->pushDisabled);
  const int32_t count = skin::SkinnedWindowCount;
  PostedMessageLog timers(WM_TIMER);
  EXPECT_EQ(skin::SkinDetach(g_->push), 1);  // one button alone, the rest stays skinned
  EXPECT_EQ(skin::SkinnedWindowCount, count - 1);
  EXPECT_NE(Prop(g_->pushDisabled, skin::TimerIdProperty), 0);
  Send(g_->pushDisabled, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // a release fade as well
  g_.DetachAndExpectRestored();

  const skin::WindowBounds b = testing_support::BoundsOf(g_->push);
  Pump(100);
  Dib settled(b.Width, b.Height);
  testing_support::CaptureWindow(g_->push, settled);
  Pump(500);
  Dib later(b.Width, b.Height);
  testing_support::CaptureWindow(g_->push, later);
  EXPECT_EQ(timers.CountFor(g_->push), 0);
  EXPECT_EQ(timers.CountFor(g_->pushDisabled), 0);
  EXPECT_TRUE(later.SameAs(settled));
}

// The application's own procedure of the form, under the skin: a click on the push button opens a
// message box, as the program's commands do, and something inside the box's modal loop (here a
// timer) takes the skin off the form and off the box, then answers the box. The box is skinned
// as it comes up (the form names it in WM_ACTIVATE); left skinned, it would name the form in its
// own WM_ACTIVATE as it closes, and the skin would take the form again.
struct ModalDetach {
  WNDPROC galleryProc = nullptr;
  HWND form = nullptr;
  bool boxWasSkinned = false;
  int boxes = 0;
};
ModalDetach modal;

void CALLBACK DetachInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND box = FindWindowA("#32770", "hardening");
  modal.boxWasSkinned = box && skin::GetProperty(box, skin::ProcAddrProperty) != 0;
  skin::SkinDetach(modal.form);
  skin::SkinDetach(box);
  if (box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

LRESULT CALLBACK FormOpeningABox(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    ++modal.boxes;
    SetTimer(nullptr, 0, 100, &DetachInsideModalLoop);
    MessageBoxA(form, "modal", "hardening", MB_OK);
    return 0;
  }
  return CallWindowProcA(modal.galleryProc, form, message, wParam, lParam);
}

TEST(ModalLoopTest, DetachFromInsideAMessageBoxOpenedByAClickLeavesNoTimerOrStateBehind) {
  RecordedGallery g([](const gallery::Controls& c) {
    modal = ModalDetach{};
    modal.form = c.form;
    modal.galleryProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(c.form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormOpeningABox)));
  });
  const HWND push = g->push;
  struct Click {
    const char* how;
    UINT down, up;
    WPARAM wParam;
  };
  for (const Click click : {Click{"mouse", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},
                            Click{"space bar", WM_KEYDOWN, WM_KEYUP, VK_SPACE}}) {
    SCOPED_TRACE(click.how);
    skin::SkinAttach(g->form);
    SetActiveWindow(g->form);  // so that the box's activation reaches the form and skins the box
    const int boxes = modal.boxes;
    PostedMessageLog timers(WM_TIMER);
    Send(push, click.down, click.wParam, MAKELPARAM(5, 5));
    Send(push, click.up, click.wParam == VK_SPACE ? VK_SPACE : 0, MAKELPARAM(5, 5));  // the box opens here
    EXPECT_EQ(modal.boxes, boxes + 1);
    EXPECT_TRUE(modal.boxWasSkinned);
    Pump(300);
    EXPECT_EQ(timers.CountFor(push), 0) << "a fade timer runs on the detached button";
    EXPECT_EQ(SkinPropertiesOf(push), std::vector<std::string>{});
    ExpectRestored(g.before());
    ExpectSkinReleased();
  }
}

TEST_F(LifecycleTest, PropertiesTakenAwayBySomeoneElseCrashNothingAndDetachStillRestores) {
  const HWND push = g_->push;
  const std::vector<UINT> routed = {WM_ENTERIDLE, WM_CTLCOLORLISTBOX, WM_SIZE, WM_ACTIVATE, WM_SETFOCUS,
                                    WM_KILLFOCUS, WM_ENABLE, WM_PAINT, WM_NCPAINT, WM_KEYDOWN, WM_KEYUP,
                                    WM_TIMER, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                    WM_LBUTTONDBLCLK, WM_MOUSELEAVE};
  auto sendAll = [&](HWND window) {
    for (UINT message : routed) Send(window, message, message == WM_TIMER ? skin::FadeTimerId : 0, MAKELPARAM(5, 5));
    Send(window, WM_KEYDOWN, VK_SPACE);
    Send(window, WM_KEYUP, VK_SPACE);
    Pump(100);
  };
  // The state properties of a push button in the middle of a fade, its face surfaces kept aside
  // so that the test can free them.
  StartFadeAndLetItRun(push);
  std::vector<HANDLE> surfaces, bitmaps;
  for (const std::string& name : SkinPropertiesOf(push)) {
    if (name == skin::ProcAddrProperty) continue;
    const HANDLE value = RemovePropA(push, name.c_str());
    if (name.find("HDC") != std::string::npos) surfaces.push_back(value);
    if (name.find("BMP") != std::string::npos) bitmaps.push_back(value);
  }
  PostedMessageLog timers(WM_TIMER);
  EXPECT_EQ(skin::SkinDetach(push), 1);
  Pump(300);
  EXPECT_EQ(timers.CountFor(push), 0) << "the fade timer outlives the detach";
  for (HANDLE surface : surfaces) DeleteDC(static_cast<HDC>(surface));
  for (HANDLE bitmap : bitmaps) DeleteObject(bitmap);
  skin::SkinAttach(push);

  // The same with messages in between, and for the other kinds that keep state.
  for (HWND window : {push, g_->check, g_->option, g_->comboDropList, g_->header}) {
    SCOPED_TRACE(skin::WindowClassName(window));
    for (const char* name : {skin::MouseFlagProperty, skin::OldStateProperty, skin::TimerIdProperty,
                             skin::AlphaLevelProperty, skin::OldStyleProperty, skin::HdIndexProperty,
                             skin::HmIndexProperty}) {
      RemovePropA(window, name);
    }
    sendAll(window);
  }

  // Without "PROCADDR" the skin cannot know the window's own procedure: the window is answered by
  // DefWindowProc and cannot be detached until the property is back.
  const HANDLE procedure = RemovePropA(g_->check, skin::ProcAddrProperty);
  const int32_t count = skin::SkinnedWindowCount;
  sendAll(g_->check);
  EXPECT_EQ(skin::SkinDetach(g_->check), 0);
  EXPECT_EQ(skin::SkinnedWindowCount, count);
  EXPECT_EQ(GetWindowLongPtrW(g_->check, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::SkinWindowProc));
  SetPropA(g_->check, skin::ProcAddrProperty, procedure);
  g_.DetachAndExpectRestored();
}

TEST(NeverAttachedTest, DetachOfAWindowNeverAttachedReturnsZeroAndChangesNothing) {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  const gallery::Controls plain = gallery::CreateGallery(GetModuleHandleA(nullptr), 20, 20);
  const HWND dead = NewButton(plain.form, 240);
  DestroyWindow(dead);
  const TreeState before = StateOfTree(plain.form);
  for (HWND window : {plain.form, plain.push, plain.check, plain.header, dead, HWND{}}) {
    EXPECT_EQ(skin::SkinDetach(window), 0);
  }
  // A refused attach builds no atlas that nothing would ever release.
  for (HWND refused : {HWND{}, dead, GetDesktopWindow()}) EXPECT_EQ(skin::SkinAttach(refused), 0);
  ExpectRestored(before);
  ExpectSkinReleased();
  DestroyWindow(plain.form);
  Pump(20);

  // A button added to a skinned form after the attach is not skinned until attached itself.
  RecordedGallery g;
  const HWND late = NewButton(g->form, 240);
  const WindowState lateBefore = StateOf(late);
  const int32_t count = skin::SkinnedWindowCount;
  EXPECT_EQ(skin::SkinDetach(late), 0);
  EXPECT_EQ(StateOf(late), lateBefore);
  EXPECT_EQ(skin::SkinnedWindowCount, count);
  EXPECT_NE(Prop(g->push, skin::ProcAddrProperty), 0);
  g.DetachAndExpectRestored();
}

// Procedures an application put on its controls before skinning them, which take the skin off
// while they handle one message: what the skin does after the control's own procedure must then
// leave the window alone (no face, state or outline put back on it).
constexpr char OwnProcedureProperty[] = "TESTOWNPROC";
UINT detachOnMessage = 0;

LRESULT CALLBACK DetachingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropA(window, OwnProcedureProperty));
  if (message == detachOnMessage) skin::SkinDetach(window);
  return CallWindowProcA(own, window, message, wParam, lParam);
}

TEST(DetachedMeanwhileTest, SizePositionAndPaintLeaveAWindowDetachedByItsOwnProcedureAlone) {
  RecordedGallery g([](const gallery::Controls& c) {
    for (HWND w : {c.push, c.check, c.option, c.comboDropList, c.driveList}) {
      SetPropA(w, OwnProcedureProperty,
               reinterpret_cast<HANDLE>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DetachingProc))));
    }
  });
  auto resize = [](HWND w) { SetWindowPos(w, nullptr, 0, 0, 131, 29, SWP_NOMOVE | SWP_NOZORDER); };
  auto reposition = [](HWND w) {
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  };
  auto repaint = [](HWND w) { RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
  struct Case {
    HWND window;
    UINT message;
    void (*trigger)(HWND);
  };
  const Case cases[] = {{g->push, WM_SIZE, resize},        {g->comboDropList, WM_WINDOWPOSCHANGING, reposition},
                        {g->driveList, WM_PAINT, repaint}, {g->check, WM_PAINT, repaint},
                        {g->option, WM_PAINT, repaint}};
  const int headroom = testing_support::GdiHeadroom();
  for (const Case& c : cases) {
    SCOPED_TRACE(skin::WindowClassName(c.window));
    detachOnMessage = c.message;
    c.trigger(c.window);
    detachOnMessage = 0;
    EXPECT_EQ(Prop(c.window, skin::ProcAddrProperty), 0);
    EXPECT_EQ(SkinPropertiesOf(c.window), std::vector<std::string>{});
    EXPECT_EQ(StateOf(c.window).regionType, ERROR);  // no outline
  }
  // The push button's four faces gave back a surface and a bitmap each; nothing new was made.
  EXPECT_EQ(testing_support::GdiHeadroom() - headroom, 8);
  EXPECT_EQ(skin::SkinnedWindowCount, SkinnedWindowsOfThread());
  g.DetachAndExpectRestored();
}

// A user goes on with the skinned gallery while the process's GDI handle table is full: hovers,
// presses, releases, a resize, a repaint, a button that joins. Nothing crashes, no control shows a
// black block, nothing is lost once the table is freed, and the skin draws as before afterwards.
TEST(FullGdiTableTest, TheSkinDrawsNoGarbageAndLosesNothingWhileNoObjectCanBeMade) {
  RecordedGallery g;
  const HWND late = NewButton(g->form, 240);
  RECT pushPlace = {};
  GetWindowRect(g->push, &pushPlace);
  MapWindowPoints(nullptr, g->form, reinterpret_cast<POINT*>(&pushPlace), 2);
  auto use = [&] {
    for (HWND w : {g->push, g->check, g->option, g->header}) {
      Send(w, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
      for (int click = 0; click < 2; ++click) {  // two clicks leave the check box as it was
        Send(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
        Send(w, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
      }
      Send(w, WM_MOUSELEAVE);
    }
    for (HWND w : {g->comboDropList, g->driveList}) {
      Send(w, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
      Send(w, WM_MOUSELEAVE);
    }
    SetWindowPos(g->push, nullptr, 0, 0, 150, 31, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(g->form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(1500);  // every fade runs to its end
  };
  auto restore = [&] {
    SetWindowPos(g->push, nullptr, 0, 0, pushPlace.right - pushPlace.left, pushPlace.bottom - pushPlace.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(g->form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(300);
  };
  use();  // Wine's controls settle what they keep for good
  restore();
  const testing_support::Capture atRest = testing_support::CaptureClient(g->form);
  const int headroom = testing_support::GdiHeadroom();
  {
    std::vector<HBRUSH> filler;
    while (const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) filler.push_back(brush);
    ASSERT_GT(filler.size(), 60000u);
    EXPECT_EQ(skin::SkinAttach(late), 1);
    use();
    // Two objects for reading the screen.
    for (int i = 0; i < 2; ++i, filler.pop_back()) DeleteObject(filler.back());
    const testing_support::Capture full = testing_support::CaptureClient(g->form);
    for (HWND button : {g->push, late}) {
      SCOPED_TRACE(skin::WindowText(button));
      RECT area = {};
      GetWindowRect(button, &area);
      MapWindowPoints(nullptr, g->form, reinterpret_cast<POINT*>(&area), 2);
      const int pixels = (area.right - area.left) * (area.bottom - area.top);
      EXPECT_LT(full.CountInRect(area, 0x000000), pixels / 4);
    }
    // Grown once more, the push button lets its faces go; with their room taken at once, it
    // cannot make new ones. It and the button that joined paint themselves, caption included
    // (black text on the system's grey).
    SetWindowPos(g->push, nullptr, 0, 0, 160, 33, SWP_NOMOVE | SWP_NOZORDER);
    while (const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) filler.push_back(brush);
    for (int i = 0; i < 2; ++i, filler.pop_back()) DeleteObject(filler.back());
    RedrawWindow(g->form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const testing_support::Capture plain = testing_support::CaptureClient(g->form);
    for (HWND button : {late, g->push}) {
      EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
      RECT area = {};
      GetWindowRect(button, &area);
      MapWindowPoints(nullptr, g->form, reinterpret_cast<POINT*>(&area), 2);
      EXPECT_GT(plain.CountInRect(area, 0x000000), 10) << "no caption on " << skin::WindowText(button);
    }
    for (HBRUSH brush : filler) DeleteObject(brush);
  }
  // Their next paint makes the faces, at the grown size, and owner-draws them again.
  RedrawWindow(g->form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  BITMAP face = {};
  GetObjectA(GetPropA(g->push, "0BMP"), sizeof face, &face);
  EXPECT_EQ(face.bmWidth, 160);
  EXPECT_EQ(face.bmHeight, 33);
  for (HWND button : {late, g->push}) EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  skin::SkinDetach(late);
  EXPECT_EQ(testing_support::GdiHeadroom(), headroom);
  restore();
  const testing_support::Capture after = testing_support::CaptureClient(g->form);
  int differing = 0;
  RECT where = {after.width, after.height, 0, 0};
  for (int y = 0; y < after.height; ++y) {
    for (int x = 0; x < after.width; ++x) {
      if (after.at(x, y) == atRest.at(x, y)) continue;
      ++differing;
      where = {std::min<LONG>(where.left, x), std::min<LONG>(where.top, y), std::max<LONG>(where.right, x + 1),
               std::max<LONG>(where.bottom, y + 1)};
    }
  }
  EXPECT_EQ(differing, 0) << "in " << where.left << "," << where.top << " - " << where.right << "," << where.bottom;
  DestroyWindow(late);
  g.DetachAndExpectRestored();
}

// A container window of its own whose activation takes the skin off the gallery and whose
// deactivation puts it back: the skin itself attaches this window too, when the skinned gallery
// loses activation to it, so attach and detach nest inside the skin's own WM_ACTIVATE.
HWND activationTarget = nullptr;

LRESULT CALLBACK TogglingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && activationTarget) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      skin::SkinAttach(activationTarget);
    } else {
      skin::SkinDetach(activationTarget);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(LifecycleTest, AttachAndDetachFromInsideAnotherWindowsActivation) {
  WNDCLASSA cls = {};
  cls.lpfnWndProc = &TogglingHostProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "ThunderFormDC";
  RegisterClassA(&cls);
  const HWND host = CreateWindowA("ThunderFormDC", "host", WS_POPUP, 500, 400, 200, 80, nullptr, nullptr,
                                  nullptr, nullptr);
  const HWND hostButton = NewButton(host, 10);
  ShowWindow(host, SW_SHOWNA);
  const int treeSize = SkinnedWindowsOfThread();
  activationTarget = g_->form;
  SetActiveWindow(g_->form);

  auto cycle = [&] {
    SetActiveWindow(host);  // the gallery, skinned, names the host: the skin takes it; then it detaches the gallery
    EXPECT_EQ(GetActiveWindow(), host);
    EXPECT_EQ(Prop(g_->form, skin::ProcAddrProperty), 0);
    EXPECT_NE(Prop(hostButton, skin::ProcAddrProperty), 0);
    EXPECT_EQ(skin::SkinnedWindowCount, SkinnedWindowsOfThread());
    SetActiveWindow(g_->form);  // the host, skinned, names the gallery: the skin takes it back
    EXPECT_NE(Prop(g_->push, skin::ProcAddrProperty), 0);
    EXPECT_EQ(skin::SkinnedWindowCount, SkinnedWindowsOfThread());
    EXPECT_EQ(skin::SkinnedWindowCount, treeSize + 2);
  };
  cycle();
  EXPECT_EQ(GdiObjectsLeakedBy(cycle, 30), 0);

  activationTarget = nullptr;
  DestroyWindow(host);
  EXPECT_EQ(skin::SkinnedWindowCount, treeSize);
  g_.DetachAndExpectRestored();
}

// Windows that a message names but that the skin must not take: a destroyed one, a stray
// number, a window of another process (the desktop), and a dialog box of another thread.
struct ForeignDialog {
  HWND dialog = nullptr;
  HWND button = nullptr;
  HANDLE ready = nullptr;
};

DWORD WINAPI RunForeignDialog(void* context) {
  auto& foreign = *static_cast<ForeignDialog*>(context);
  foreign.dialog = CreateWindowA("#32770", "foreign", WS_POPUP | WS_VISIBLE, 600, 500, 160, 60, nullptr,
                                 nullptr, nullptr, nullptr);
  foreign.button = NewButton(foreign.dialog, 10);
  SetEvent(foreign.ready);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  DestroyWindow(foreign.dialog);
  return 0;
}

TEST_F(LifecycleTest, WindowsThatAreNotThisThreadsLiveWindowsNeverJoin) {
  ForeignDialog foreign;
  foreign.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD threadId = 0;
  const HANDLE thread = CreateThread(nullptr, 0, &RunForeignDialog, &foreign, 0, &threadId);
  WaitForSingleObject(foreign.ready, 5000);
  const WindowState dialogBefore = StateOf(foreign.dialog);
  const WindowState buttonBefore = StateOf(foreign.button);
  const HWND dead = NewButton(g_->form, 240);
  DestroyWindow(dead);
  const int32_t count = skin::SkinnedWindowCount;

  const HDC dc = GetDC(g_->form);
  const auto stray = reinterpret_cast<HWND>(0x7FFE1234);
  for (HWND named : {dead, stray, GetDesktopWindow(), foreign.dialog, foreign.button}) {
    SCOPED_TRACE(skin::WindowClassName(named));
    Send(g_->form, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(named));
    Send(g_->form, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(named));
    Send(g_->form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(named));
    EXPECT_EQ(skin::SkinAttach(named), 0);
    EXPECT_EQ(skin::SkinnedWindowCount, count);
    EXPECT_EQ(Prop(named, skin::ProcAddrProperty), 0);
  }
  ReleaseDC(g_->form, dc);
  EXPECT_EQ(StateOf(foreign.dialog), dialogBefore);
  EXPECT_EQ(StateOf(foreign.button), buttonBefore);
  EXPECT_EQ(SkinPropertiesOf(foreign.button), std::vector<std::string>{});
  EXPECT_EQ(SkinPropertiesOf(GetDesktopWindow()), std::vector<std::string>{});

  PostThreadMessageA(threadId, WM_QUIT, 0, 0);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(foreign.ready);
  g_.DetachAndExpectRestored();
}

}  // namespace
