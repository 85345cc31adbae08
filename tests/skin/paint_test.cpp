// WM_PAINT and WM_NCPAINT of the skinned kinds, read back from the windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "skin/joining.h"
#include "tests/support/desktop.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

COLORREF ClientPixel(HWND window, int x, int y) {
  const HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE);
}

class PaintTest : public ::testing::Test {
 protected:
  // A skinned progress bar whose client area is exactly width x height.
  HWND Progress(int width, int height, DWORD style, int position) {
    // The system's progress bar may drop a client edge of its own accord; a plain border stays.
    const HWND bar = CreateWindowExA(0, "ProgressBar20WndClass", "", WS_CHILD | WS_VISIBLE | WS_BORDER | style,
                                     300, 230, width, height, g_->form, nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(bar, &client);
    SetWindowPos(bar, nullptr, 0, 0, 2 * width - client.right, 2 * height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(bar, PBM_SETRANGE32, 0, 30000);
    SendMessageA(bar, PBM_SETPOS, position, 0);
    skin::SkinAttachWindow(bar);
    Repaint(bar);
    return bar;
  }
  SkinnedGallery g_;
};

TEST_F(PaintTest, ProgressFillsItsShareOfThirtyThousandHalvesToEven) {
  const HWND half = Progress(101, 10, 0, 15000);
  EXPECT_EQ(ClientPixel(half, 49, 5), 0x00F6D64Cu);
  EXPECT_EQ(ClientPixel(half, 50, 5), 0x00FFFFFFu);
  EXPECT_EQ(WindowPixel(half, 0, 0), 0x00D5A554u);
  DestroyWindow(half);

  // 15 high at 15000: 7.5 rounds to 8 both ways, so 8 rows from y 8, the last one clipped.
  const HWND vertical = Progress(10, 15, PBS_VERTICAL, 15000);
  EXPECT_EQ(ClientPixel(vertical, 5, 7), 0x00FFFFFFu);
  EXPECT_EQ(ClientPixel(vertical, 5, 8), 0x00F6D64Cu);
  EXPECT_EQ(ClientPixel(vertical, 5, 14), 0x00F6D64Cu);
  DestroyWindow(vertical);

  const HWND over = Progress(50, 10, 0, 40000);
  EXPECT_EQ(ClientPixel(over, 49, 5), 0x00F6D64Cu);
  DestroyWindow(over);
  const HWND empty = Progress(50, 10, 0, 0);
  EXPECT_EQ(ClientPixel(empty, 0, 5), 0x00FFFFFFu);
  EnableWindow(empty, FALSE);
  Repaint(empty);
  EXPECT_EQ(WindowPixel(empty, 0, 0), 0x00D5A554u);
  DestroyWindow(empty);
}

TEST_F(PaintTest, HeaderItemsTakeTheirLookFromThePressedAndHotIndexes) {
  const HWND header = g_->header;
  RECT item = {};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  skin::SetProperty(header, skin::HdIndexProperty, 1);
  skin::SetProperty(header, skin::HmIndexProperty, 1);
  Repaint(header);
  EXPECT_EQ(ClientPixel(header, item.left, 0), 0x00FBD797u);  // pressed wins over hot
  skin::SetProperty(header, skin::HdIndexProperty, -1);
  Repaint(header);
  EXPECT_EQ(ClientPixel(header, item.left, 0), 0x00FDE6BDu);
  skin::SetProperty(header, skin::HmIndexProperty, -1);
  Repaint(header);
  EXPECT_EQ(ClientPixel(header, item.left, 0), 0x00FEF5EAu);
  // Captions in black on the first two items; the third has none.
  Dib shot(BoundsOf(header).Width, BoundsOf(header).Height);
  CaptureWindow(header, shot);
  int ink[3] = {};
  for (int i = 0; i < 3; ++i) {
    SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    for (int y = item.top; y < item.bottom; ++y) {
      for (int x = item.left; x < item.right && x < shot.width(); ++x) ink[i] += shot.at(x, y) == 0x00000000u;
    }
  }
  EXPECT_GT(ink[0], 10);
  EXPECT_GT(ink[1], 10);
  EXPECT_EQ(ink[2], 0);

  while (SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageA(header, HDM_DELETEITEM, 0, 0);
  Repaint(header);
  // Without items the header shows the strip's background column stretched over it.
  EXPECT_EQ(ClientPixel(header, 5, 0), 0x00FEF5EAu);
  EXPECT_EQ(ClientPixel(header, 200, 0), 0x00FEF5EAu);
  const RECT client = [&] { RECT r; GetClientRect(header, &r); return r; }();
  EXPECT_EQ(ClientPixel(header, 5, client.bottom - 1), 0x00F2DAC0u);
}

TEST_F(PaintTest, ComboBoxesGetTheirBorderAndTheEditableOneIsPaintedWhole) {
  for (HWND combo : {g_->comboDropList, g_->comboDropDown, g_->driveList}) {
    Repaint(combo);
    EXPECT_EQ(WindowPixel(combo, 0, 0), 0x00D5A554u) << skin::WindowClassName(combo);
    EXPECT_EQ(WindowPixel(combo, 1, 5), 0x00FFFFFFu);
  }
  EnableWindow(g_->comboDropList, FALSE);
  Repaint(g_->comboDropList);
  EXPECT_EQ(WindowPixel(g_->comboDropList, 0, 0), 0x00E9CFA4u);
}

TEST_F(PaintTest, SunkenEdgesGoFlatButTheDataListKeepsItsOwn) {
  const HWND edit = g_->edit;
  int bx = 0;
  int by = 0;
  skin::GetBorderInsets(edit, &bx, &by);
  ASSERT_EQ(bx, 2);
  const skin::WindowBounds b = BoundsOf(edit);
  Repaint(edit);
  EXPECT_EQ(WindowPixel(edit, 0, 5), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(edit, b.Width - 1, 5), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(edit, 1, 5), 0x00FFFFFFu);
  EXPECT_EQ(WindowPixel(edit, 2, 5), 0x00FFFFFFu);
  EXPECT_EQ(WindowPixel(edit, b.Width - 2, 5), 0x00FFFFFFu);

  // A list box with a scroll bar: the bar's width is taken off before halving.
  const HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "DataListWndClass", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                                    300, 230, 100, 50, g_->form, nullptr, nullptr, nullptr);
  skin::GetBorderInsets(list, &bx, &by);
  EXPECT_EQ(bx, 2);
  EXPECT_EQ(by, 2);
  skin::SkinAttachWindow(list);
  Repaint(list);
  EXPECT_EQ(WindowPixel(list, 0, 5), 0x00D5A554u);  // its client paint frames it
  SendMessageA(list, WM_NCPAINT, 1, 0);  // the frame alone: the list's own sunken edge
  EXPECT_NE(WindowPixel(list, 0, 5), 0x00D5A554u);
  DestroyWindow(list);
}

TEST_F(PaintTest, GridBorderOnlyWithWsBorderAndPushButtonsShowTheirFaceOpaque) {
  Repaint(g_->grid);
  EXPECT_EQ(WindowPixel(g_->grid, 0, 0), 0x00D5A554u);
  SetWindowLongA(g_->grid, GWL_STYLE, GetWindowLongA(g_->grid, GWL_STYLE) & ~WS_BORDER);
  SetWindowPos(g_->grid, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Repaint(g_->grid);
  EXPECT_NE(WindowPixel(g_->grid, 0, 0), 0x00D5A554u);

  const HWND push = g_->push;
  skin::SetProperty(push, skin::OldStateProperty, skin::StatePressed);
  skin::StartFadeTimer(push);
  Repaint(push);
  EXPECT_EQ(skin::GetProperty(push, skin::TimerIdProperty), 0);
  EXPECT_EQ(skin::GetProperty(push, skin::AlphaLevelProperty), 255);
  EXPECT_EQ(WindowPixel(push, 4, 1), 0x00FBBC39u);  // row 1 of the pressed face's middle
}

}  // namespace
