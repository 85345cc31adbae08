// Title bars and frames on a dressed thread: a main window with a menu shows its caption, caption
// buttons and frame in the theme's colours, active and inactive, in both built-in looks; every
// caption button, moving, sizing, double-click and the system menu work under real input; the
// system never paints its caption in between; undress gives the frame back as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "skin/frame/frame.h"
#include "tests/support/desktop.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

struct Seen {
  std::vector<WPARAM> commands;
  int systemMenus = 0;
  COLORREF captionAfterDefault = CLR_INVALID;  // read right after the default procedure ran
};
Seen seen;
POINT captionProbe;  // a point of the caption clear of text and buttons, in window coordinates

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      seen.commands.push_back(wParam & 0xFFF0);
      if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam)) ++seen.systemMenus;
      break;
    case WM_SETTEXT:
    case WM_NCACTIVATE: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      seen.captionAfterDefault = WindowPixel(window, captionProbe.x, captionProbe.y);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ClickAt(POINT screen) { Drag(screen, 0, 0, 0); }

struct Colours {
  const wchar_t* theme;
  COLORREF caption, captionInactive, hot, pressed, frame, frameInactive, border, borderInactive;
};
constexpr Colours Light = {L"light", 0xF8E8D6, 0xF7F2EE, 0xF2D8BC, 0xE6BE96,
                           0xF8E8D6, 0xF7F2EE, 0xD5A554, 0xE9CFA4};
constexpr Colours Dark = {L"dark", 0x302D2B, 0x262424, 0x504B48, 0x784F26,
                          0x302D2B, 0x262424, 0x996E3D, 0x4E4946};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});
    seen = Seen();
    WNDCLASSW c = {};
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = &MainProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = L"FrameTestMain";
    RegisterClassW(&c);
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"&New");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    main_ = CreateWindowW(L"FrameTestMain", L"Frames", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 300,
                          nullptr, bar, c.hInstance, nullptr);
    other_ = CreateWindowW(L"FrameTestMain", L"Other", WS_OVERLAPPEDWINDOW, 560, 60, 200, 150, nullptr,
                           nullptr, c.hInstance, nullptr);
    SetForegroundWindow(main_);
    Pump(150);
    ASSERT_EQ(skin::SkinAttachThread(), 1);
    Pump(150);
    Measure();
  }
  void TearDown() override {
    skin::SkinSetTheme(L"light");
    skin::SkinDetachThread();
    DestroyWindow(other_);
    DestroyWindow(main_);
    Pump(50);
  }
  // The system's layout at 96 dpi: frame SM_CXFRAME wide, caption SM_CYCAPTION high, buttons
  // SM_CXSIZE apart from the right, with a gap of 2 after the close button.
  void Measure() {
    GetWindowRect(main_, &bounds_);
    frame_ = GetSystemMetrics(SM_CXFRAME);
    size_ = GetSystemMetrics(SM_CXSIZE);
    captionProbe = {Width() - frame_ - 3 * size_ - 4, frame_ + 1};
  }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  // The top-left inner pixel of a caption button (0 close, 1 maximise, 2 minimise) and its centre.
  POINT ButtonCorner(int index) const {
    return {Width() - frame_ - size_ * (index + 1) + 2 * index + 1, frame_ + 3};
  }
  POINT ButtonCentre(int index) const {
    const POINT corner = ButtonCorner(index);
    return {bounds_.left + corner.x + size_ / 2 - 2, bounds_.top + corner.y + size_ / 2 - 2};
  }
  COLORREF At(POINT p) const { return WindowPixel(main_, p.x, p.y); }
  bool Commanded(WPARAM command) const {
    for (WPARAM c : seen.commands) {
      if (c == command) return true;
    }
    return false;
  }

  void ExpectLook(const Colours& c) {
    ASSERT_EQ(skin::SkinSetTheme(c.theme), 1);
    SetForegroundWindow(main_);
    Pump(150);
    EXPECT_EQ(At(captionProbe), c.caption);
    EXPECT_EQ(At({0, Height() / 2}), c.border);
    EXPECT_EQ(At({1, Height() / 2}), c.frame);
    EXPECT_EQ(At({Width() / 2, Height() - 2}), c.frame);

    MovePointer(ButtonCentre(0));
    Pump(150);
    EXPECT_EQ(At(ButtonCorner(0)), c.hot);
    MovePointer({bounds_.left + Width() / 2, bounds_.top + Height() / 2});
    Pump(150);
    EXPECT_EQ(At(ButtonCorner(0)), c.caption);

    // Held on maximise it shows pressed; taken off the button and released, nothing happens.
    COLORREF held = 0, left = 0;
    const POINT away = {bounds_.left + captionProbe.x, bounds_.top + captionProbe.y + 4};
    WhileModal([&] {
      SendPointer(MOUSEEVENTF_MOVE, ButtonCentre(1));
      SendPointer(MOUSEEVENTF_LEFTDOWN, ButtonCentre(1));
      Sleep(150);
      held = At(ButtonCorner(1));
      SendPointer(MOUSEEVENTF_MOVE, away);
      Sleep(150);
      left = At(ButtonCorner(1));
      SendPointer(MOUSEEVENTF_LEFTUP, away);
    });
    EXPECT_EQ(held, c.pressed);
    EXPECT_EQ(left, c.caption);
    EXPECT_FALSE(IsZoomed(main_));
    EXPECT_FALSE(Commanded(SC_MAXIMIZE));

    ShowWindow(other_, SW_SHOW);
    SetForegroundWindow(other_);
    Pump(150);
    EXPECT_EQ(At(captionProbe), c.captionInactive);
    EXPECT_EQ(At({0, Height() / 2}), c.borderInactive);
    EXPECT_EQ(At({1, Height() / 2}), c.frameInactive);
    // The default procedure did not paint its inactive caption before the skin did.
    EXPECT_NE(seen.captionAfterDefault, GetSysColor(COLOR_INACTIVECAPTION));
    ShowWindow(other_, SW_HIDE);
  }

  HWND main_ = nullptr;
  HWND other_ = nullptr;
  RECT bounds_ = {};
  int frame_ = 0;
  int size_ = 0;
};

TEST_F(FrameTest, CaptionButtonsAndFrameTakeBothLooks) {
  ExpectLook(Light);
  ExpectLook(Dark);
}

TEST_F(FrameTest, TitleChangedWhileShownIsPaintedOnlyByTheSkin) {
  SetForegroundWindow(main_);
  Pump(100);
  SetWindowTextW(main_, L"A new title, set while the window is shown");
  EXPECT_NE(seen.captionAfterDefault, GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(At(captionProbe), Light.caption);
  EXPECT_TRUE(IsWindowVisible(main_));
}

TEST_F(FrameTest, CaptionButtonsMoveSizeDoubleClickAndSystemMenuWork) {
  ClickAt(ButtonCentre(2));
  EXPECT_TRUE(Commanded(SC_MINIMIZE));
  EXPECT_TRUE(IsIconic(main_));
  ShowWindow(main_, SW_RESTORE);
  SetForegroundWindow(main_);
  Pump(150);

  ClickAt(ButtonCentre(1));
  EXPECT_TRUE(IsZoomed(main_));
  Measure();
  EXPECT_EQ(At(captionProbe), Light.caption);
  ClickAt(ButtonCentre(1));
  EXPECT_TRUE(Commanded(SC_RESTORE));
  EXPECT_FALSE(IsZoomed(main_));
  Measure();

  ClickAt(ButtonCentre(0));
  EXPECT_TRUE(Commanded(SC_CLOSE));

  const RECT before = bounds_;
  Drag({bounds_.left + Width() / 2, bounds_.top + frame_ + 6}, 40, 30);
  Measure();
  EXPECT_EQ(bounds_.left - before.left, 40);
  EXPECT_EQ(bounds_.top - before.top, 30);
  Drag({bounds_.right - 2, bounds_.bottom - 2}, 30, 20);
  Measure();
  EXPECT_EQ(Width(), 450);
  EXPECT_EQ(Height(), 320);
  EXPECT_EQ(At({1, Height() / 2}), Light.frame);

  const POINT caption = {bounds_.left + Width() / 2, bounds_.top + frame_ + 6};
  WhileModal([&] {
    SendPointer(MOUSEEVENTF_MOVE, caption);
    for (int i = 0; i < 2; ++i) {
      SendPointer(MOUSEEVENTF_LEFTDOWN, caption);
      SendPointer(MOUSEEVENTF_LEFTUP, caption);
    }
  });
  EXPECT_TRUE(IsZoomed(main_));
  ShowWindow(main_, SW_RESTORE);
  Pump(100);

  bool shown = false;
  WhileModal([&] {
    TypeKey(VK_SPACE, VK_MENU);
    Sleep(300);
    const HWND menu = FindWindowA("#32768", nullptr);
    shown = menu && IsWindowVisible(menu);
    TypeKey(VK_ESCAPE);
    TypeKey(VK_ESCAPE);
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(seen.systemMenus, 1);
}

HWND mdiClient = nullptr;
LRESULT CALLBACK MdiFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcW(window, mdiClient, message, wParam, lParam);
}
LRESULT CALLBACK MdiChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcW(window, message, wParam, lParam);
}

// MDI children take active and inactive captions as the client activates them; a tool window has
// the small caption, SM_CYSMCAPTION high, with its close button.
TEST_F(FrameTest, MdiChildrenAndToolWindowsWearTheCaptionsToo) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW c = {};
  c.hInstance = instance;
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  c.lpfnWndProc = &MdiFrameProc;
  c.lpszClassName = L"FrameTestMdiFrame";
  RegisterClassW(&c);
  c.lpfnWndProc = &MdiChildProc;
  c.lpszClassName = L"FrameTestMdiChild";
  RegisterClassW(&c);
  const HWND mdiFrame = CreateWindowW(L"FrameTestMdiFrame", L"MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 380,
                                      500, 360, nullptr, nullptr, instance, nullptr);
  CLIENTCREATESTRUCT client = {nullptr, 1000};
  mdiClient = CreateWindowW(L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 480, 300,
                            mdiFrame, nullptr, instance, &client);
  HWND children[2] = {};
  for (int i = 0; i < 2; ++i) {
    MDICREATESTRUCTW create = {L"FrameTestMdiChild", L"Child", instance, 10 + 150 * i, 10, 140, 120,
                               WS_OVERLAPPEDWINDOW, 0};
    children[i] = reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  }
  const HWND tool = CreateWindowExW(WS_EX_TOOLWINDOW, L"FrameTestMain", L"Tools", WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                    620, 380, 160, 120, nullptr, nullptr, instance, nullptr);
  SetForegroundWindow(mdiFrame);
  Pump(200);
  const POINT probe = {GetSystemMetrics(SM_CXFRAME) + 24, GetSystemMetrics(SM_CYFRAME) + 1};
  EXPECT_EQ(WindowPixel(children[1], probe.x, probe.y), Light.caption);
  EXPECT_EQ(WindowPixel(children[0], probe.x, probe.y), Light.captionInactive);
  SendMessageW(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[0]), 0);
  Pump(150);
  EXPECT_EQ(WindowPixel(children[0], probe.x, probe.y), Light.caption);
  EXPECT_EQ(WindowPixel(children[1], probe.x, probe.y), Light.captionInactive);

  SetForegroundWindow(tool);
  Pump(150);
  const int edge = GetSystemMetrics(SM_CXDLGFRAME);
  const int bottom = edge + GetSystemMetrics(SM_CYSMCAPTION) - 1;
  EXPECT_EQ(WindowPixel(tool, edge + 2, bottom), Light.caption);
  EXPECT_NE(WindowPixel(tool, edge + 2, bottom + 1), Light.caption);
  RECT toolBounds = {};
  GetWindowRect(tool, &toolBounds);
  const int closeCentre = toolBounds.right - edge - GetSystemMetrics(SM_CXSMSIZE) / 2;
  MovePointer({closeCentre, toolBounds.top + edge + GetSystemMetrics(SM_CYSMCAPTION) / 2});
  Pump(150);
  const int closeLeft = toolBounds.right - toolBounds.left - edge - GetSystemMetrics(SM_CXSMSIZE);
  EXPECT_EQ(WindowPixel(tool, closeLeft + 1, edge + 3), Light.hot);
  DestroyWindow(tool);
  DestroyWindow(mdiFrame);
}

std::vector<std::pair<HWND, int>> policies;
void RecordPolicy(HWND window, int policy) { policies.emplace_back(window, policy); }

TEST_F(FrameTest, UndressGivesEveryFrameBackAndLeaksNothing) {
  skin::SkinDetachThread();
  Pump(150);
  Dib plain(Width(), Height());
  CaptureWindow(main_, plain);
  const LONG style = GetWindowLongA(main_, GWL_STYLE);
  skin::SetNcRenderingPolicySetter(&RecordPolicy);

  ASSERT_EQ(skin::SkinAttachThread(), 1);
  Pump(150);
  EXPECT_EQ(At(captionProbe), Light.caption);
  skin::SkinDetachThread();
  Pump(150);
  Dib back(Width(), Height());
  CaptureWindow(main_, back);
  EXPECT_TRUE(back.SameAs(plain));
  EXPECT_EQ(GetWindowLongA(main_, GWL_STYLE), style);
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(main_, region), ERROR);
  DeleteObject(region);
  const std::vector<std::pair<HWND, int>> dressedAndUndressed = {{main_, 1}, {other_, 1}, {main_, 0}, {other_, 0}};
  EXPECT_EQ(policies.size(), dressedAndUndressed.size());
  for (const auto& expected : dressedAndUndressed) {
    EXPECT_NE(std::find(policies.begin(), policies.end(), expected), policies.end());
  }
  skin::SetNcRenderingPolicySetter(nullptr);

  EXPECT_EQ(GdiObjectsLeakedBy([&] {
              skin::SkinAttachThread();
              RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
              skin::SkinDetachThread();
            }, 10),
            0);
  ASSERT_EQ(skin::SkinAttachThread(), 1);
}

}  // namespace
