// Scroll bars on a dressed thread: every kind, in both looks, at rest, after keys and the wheel,
// with an arrow held and in the middle of a thumb drag; the same scroll positions and
// notifications as the plain program after the same real input; everything given back at undress.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "gallery/gallery.h"
#include "skin/skin.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"

namespace {

using namespace testing_support;

// The colours a bar may show in each look: track, thumb, thumb under the pointer, thumb held,
// track held, arrow cell under the pointer, arrow cell held, arrow, disabled arrow.
struct Look {
  const wchar_t* name;
  COLORREF track, thumb, thumbHot, thumbHeld, trackHeld, arrowHot, arrowHeld, arrow, arrowDisabled;
};
constexpr Look Light = {L"light", 0x00F5F0EC, 0x00E2CDB8, 0x00E6BE96, 0x00D5A554, 0x00E9CFA4,
                        0x00F2D8BC, 0x00E6BE96, 0x005F5519, 0x00ACA584};
constexpr Look Dark = {L"dark", 0x002B2928, 0x00585450, 0x00706B67, 0x00996E3D, 0x00413F3C,
                       0x00504B48, 0x00784F26, 0x00D2CCC8, 0x006E6864};

struct Shown {
  HWND window;
  LONG object;  // OBJID_VSCROLL, OBJID_HSCROLL or OBJID_CLIENT
};

SCROLLBARINFO InfoOf(const Shown& bar) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof info;
  GetScrollBarInfo(bar.window, bar.object, &info);
  return info;
}

// The pixels of a bar on the screen that no look of the skin has.
int ForeignPixels(const Shown& bar, const Look& look) {
  const std::set<COLORREF> allowed = {look.track, look.thumb, look.thumbHot, look.thumbHeld, look.trackHeld,
                                      look.arrowHot, look.arrowHeld, look.arrow, look.arrowDisabled};
  const Capture capture = CaptureScreen(InfoOf(bar).rcScrollBar);
  int foreign = 0;
  for (const COLORREF pixel : capture.pixels) foreign += allowed.count(pixel) ? 0 : 1;
  return foreign;
}

// The point of a bar on the screen `along` from its start, in the middle across it, and its pixel.
POINT ScreenAlong(const Shown& bar, int along) {
  const RECT r = InfoOf(bar).rcScrollBar;
  const bool vertical = bar.object == OBJID_VSCROLL || (r.bottom - r.top > r.right - r.left);
  return vertical ? POINT{(r.left + r.right) / 2, r.top + along} : POINT{r.left + along, (r.top + r.bottom) / 2};
}

COLORREF Along(const Shown& bar, int along) {
  const POINT at = ScreenAlong(bar, along);
  return CaptureScreen({at.x, at.y, at.x + 1, at.y + 1}).at(0, 0);
}

int Thumb(const Shown& bar) {
  const SCROLLBARINFO info = InfoOf(bar);
  return (info.xyThumbTop + info.xyThumbBottom) / 2;
}

int LastArrow(const Shown& bar) {
  const RECT r = InfoOf(bar).rcScrollBar;
  return std::max(r.bottom - r.top, r.right - r.left) - 8;
}

// What the window of scroll bars and its list box were told, in order, below the skin.
struct Told {
  int who;  // 0 the window, 1 the list box
  UINT message;
  WPARAM wParam;
  bool operator==(const Told& o) const { return who == o.who && message == o.message && wParam == o.wParam; }
};
std::vector<Told> told;
std::map<HWND, std::pair<WNDPROC, int>> recorded;

LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto [previous, who] = recorded[window];
  if (message == WM_VSCROLL || message == WM_HSCROLL) told.push_back({who, message, wParam});
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

class ScrollBarsTest : public ::testing::Test {
 protected:
  void Open(const Look* look) {
    gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
    c_ = gallery::CreateScrollGallery(GetModuleHandleA(nullptr), 40, 40);
    told.clear();
    for (const HWND window : {c_.form, c_.list}) {
      const auto previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record));
      recorded[window] = {reinterpret_cast<WNDPROC>(previous), window == c_.list ? 1 : 0};
    }
    if (look) {
      skin::SkinSetTheme(look->name);
      ASSERT_EQ(skin::SkinAttachThread(), 1);
    }
    SetForegroundWindow(c_.form);
    MovePointer({1000, 700});
    Pump(200);
  }
  void Close() {
    skin::SkinDetachThread();
    skin::SkinSetTheme(L"light");
    DestroyWindow(c_.form);
    Pump(20);
  }
  void TearDown() override {
    if (c_.form && IsWindow(c_.form)) Close();
  }
  std::vector<Shown> Bars() const {
    return {{c_.list, OBJID_VSCROLL},     {c_.edit, OBJID_VSCROLL},        {c_.edit, OBJID_HSCROLL},
            {c_.listView, OBJID_VSCROLL}, {c_.listView, OBJID_HSCROLL},    {c_.barVertical, OBJID_CLIENT},
            {c_.barHorizontal, OBJID_CLIENT}};
  }
  // A press on a bar, moved along it by `moveBy` in one step, and released.
  static void Press(POINT at, int moveBy = 0, bool vertical = true) {
    Drag(at, vertical ? 0 : moveBy, vertical ? moveBy : 0, moveBy ? 1 : 0);
  }
  // The same discrete input: arrow clicks, a click on the track, wheel notches, keys, a drag.
  std::vector<int> Drive() {
    const std::vector<Shown> bars = Bars();
    for (int i = 0; i < 3; ++i) Press(ScreenAlong(bars[0], LastArrow(bars[0])));
    Press(ScreenAlong(bars[0], LastArrow(bars[0]) - 10));
    Wheel(CentreOf(c_.list), 2);
    Wheel(CentreOf(c_.listView), 3);
    SetFocus(c_.edit);
    for (const WORD key : {VK_NEXT, VK_NEXT, VK_DOWN}) PressKey(key);
    Press(ScreenAlong(bars[5], Thumb(bars[5])), 40);
    for (int i = 0; i < 2; ++i) Press(ScreenAlong(bars[6], LastArrow(bars[6])), 0, false);
    Press(ScreenAlong(bars[2], Thumb(bars[2])), 30, false);
    Pump(100);
    std::vector<int> positions;
    for (const Shown& bar : bars) {
      const int which = bar.object == OBJID_VSCROLL ? SB_VERT : bar.object == OBJID_HSCROLL ? SB_HORZ : SB_CTL;
      positions.push_back(GetScrollPos(bar.window, which));
    }
    return positions;
  }
  gallery::ScrollControls c_ = {};
};

TEST_F(ScrollBarsTest, EveryBarWearsTheThemeInBothLooksAtRestAfterKeysAndTheWheel) {
  for (const Look* look : {&Light, &Dark}) {
    SCOPED_TRACE(testing::Message() << (look == &Light ? "light" : "dark"));
    Open(look);
    for (const Shown& bar : Bars()) {
      EXPECT_EQ(ForeignPixels(bar, *look), 0) << bar.window << " " << bar.object;
      EXPECT_EQ(Along(bar, Thumb(bar)), look->thumb);
      EXPECT_EQ(Along(bar, LastArrow(bar) - 12), look->track);
    }
    SetFocus(c_.edit);
    PressKey(VK_END, VK_CONTROL);
    Wheel(CentreOf(c_.list), 5);
    for (const Shown& bar : Bars()) EXPECT_EQ(ForeignPixels(bar, *look), 0) << bar.window << " " << bar.object;
    EXPECT_EQ(Along(Bars()[1], Thumb(Bars()[1])), look->thumb);
    EXPECT_GT(GetScrollPos(c_.list, SB_VERT), 0);
    Close();
  }
}

TEST_F(ScrollBarsTest, AHeldArrowAndADraggedThumbShowOnlyTheSkinsBar) {
  Open(&Dark);
  const Shown list = Bars()[0];
  const Shown control = Bars()[5];
  COLORREF heldArrow = 0, draggedThumb = 0;
  int foreignHeld = -1, foreignDragged = -1;
  const POINT arrow = ScreenAlong(list, LastArrow(list));
  const POINT thumb = ScreenAlong(control, Thumb(control));
  WhileModal([&] {
    SendPointer(MOUSEEVENTF_MOVE, arrow);
    SendPointer(MOUSEEVENTF_LEFTDOWN, arrow);
    Sleep(400);
    heldArrow = CaptureScreen({arrow.x, arrow.y - 6, arrow.x + 1, arrow.y - 5}).at(0, 0);
    foreignHeld = ForeignPixels(list, Dark);
    SendPointer(MOUSEEVENTF_LEFTUP, arrow);
    SendPointer(MOUSEEVENTF_MOVE, thumb);
    SendPointer(MOUSEEVENTF_LEFTDOWN, thumb);
    SendPointer(MOUSEEVENTF_MOVE, {thumb.x, thumb.y + 30});
    Sleep(200);
    draggedThumb = CaptureScreen({thumb.x, thumb.y + 30, thumb.x + 1, thumb.y + 31}).at(0, 0);
    foreignDragged = ForeignPixels(control, Dark);
    SendPointer(MOUSEEVENTF_LEFTUP, {thumb.x, thumb.y + 30});
  });
  EXPECT_EQ(heldArrow, Dark.arrowHeld);
  EXPECT_EQ(foreignHeld, 0);
  EXPECT_EQ(draggedThumb, Dark.thumbHeld);
  EXPECT_EQ(foreignDragged, 0);
  EXPECT_GT(GetScrollPos(c_.list, SB_VERT), 1);
  EXPECT_GT(GetScrollPos(c_.barVertical, SB_CTL), 0);
}

TEST_F(ScrollBarsTest, TheSameInputGivesThePlainProgramsPositionsAndNotifications) {
  Open(nullptr);
  const std::vector<int> plain = Drive();
  const std::vector<Told> plainTold = told;
  Close();
  Open(&Light);
  const std::vector<int> dressed = Drive();
  EXPECT_EQ(dressed, plain);
  EXPECT_TRUE(told == plainTold) << told.size() << " notifications against " << plainTold.size();
  EXPECT_GT(plain[0], 3);
  EXPECT_GT(plain[5], 0);
}

TEST_F(ScrollBarsTest, UndressGivesBackTheSystemsBarsStylesAndPositionsWithFlatHeadroom) {
  Open(nullptr);
  SendMessageA(c_.list, WM_VSCROLL, SB_PAGEDOWN, 0);
  Pump(200);
  std::vector<std::vector<COLORREF>> plain;
  for (const Shown& bar : Bars()) plain.push_back(CaptureScreen(InfoOf(bar).rcScrollBar).pixels);
  const LONG listStyle = GetWindowLongA(c_.list, GWL_STYLE);
  const int listPosition = GetScrollPos(c_.list, SB_VERT);
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    skin::SkinAttachThread();
    Pump(30);
    skin::SkinDetachThread();
  }, 5), 0);
  Pump(200);
  for (size_t i = 0; i < plain.size(); ++i) {
    const std::vector<COLORREF> now = CaptureScreen(InfoOf(Bars()[i]).rcScrollBar).pixels;
    int differ = 0;
    for (size_t p = 0; p < now.size() && p < plain[i].size(); ++p) differ += now[p] != plain[i][p];
    EXPECT_EQ(differ, 0) << i;
  }
  EXPECT_EQ(GetWindowLongA(c_.list, GWL_STYLE), listStyle);
  EXPECT_EQ(GetScrollPos(c_.list, SB_VERT), listPosition);
}

}  // namespace
