// WM_PAINT and WM_NCPAINT of the skinned kinds, read back from the windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
  EXPECT_EQ(ClientPixel(half, 49, 5), skin::ProgressFillColour);
  EXPECT_EQ(ClientPixel(half, 50, 5), skin::White);
  EXPECT_EQ(WindowPixel(half, 0, 0), skin::SkinBorderColour);
  DestroyWindow(half);

  // 15 high at 15000: 7.5 rounds to 8 both ways, so 8 rows from y 8, the last one clipped.
  const HWND vertical = Progress(10, 15, PBS_VERTICAL, 15000);
  EXPECT_EQ(ClientPixel(vertical, 5, 7), skin::White);
  EXPECT_EQ(ClientPixel(vertical, 5, 8), skin::ProgressFillColour);
  EXPECT_EQ(ClientPixel(vertical, 5, 14), skin::ProgressFillColour);
  DestroyWindow(vertical);

  const HWND over = Progress(50, 10, 0, 40000);
  EXPECT_EQ(ClientPixel(over, 49, 5), skin::ProgressFillColour);
  DestroyWindow(over);
  const HWND empty = Progress(50, 10, 0, 0);
  EXPECT_EQ(ClientPixel(empty, 0, 5), skin::White);
  EnableWindow(empty, FALSE);
  Repaint(empty);
  EXPECT_EQ(WindowPixel(empty, 0, 0), skin::SkinBorderColour);
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

  while (SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageA(header, HDM_DELETEITEM, 0, 0);
  Repaint(header);
  // Without items the header shows the strip's background column stretched over it.
  EXPECT_EQ(ClientPixel(header, 5, 0), GetPixel(skin::SkinAtlas.HeaderFaceStrip, 1, 0));
  EXPECT_EQ(ClientPixel(header, 200, 0), GetPixel(skin::SkinAtlas.HeaderFaceStrip, 1, 0));
  const RECT client = [&] { RECT r; GetClientRect(header, &r); return r; }();
  EXPECT_EQ(ClientPixel(header, 5, client.bottom - 1), GetPixel(skin::SkinAtlas.HeaderFaceStrip, 1, 19));
}

TEST_F(PaintTest, ComboBoxesGetTheirBorderAndTheEditableOneIsPaintedWhole) {
  for (HWND combo : {g_->comboDropList, g_->comboDropDown, g_->driveList}) {
    Repaint(combo);
    EXPECT_EQ(WindowPixel(combo, 0, 0), skin::SkinBorderColour) << skin::WindowClassName(combo);
    EXPECT_EQ(WindowPixel(combo, 1, 5), skin::White);
  }
  EnableWindow(g_->comboDropList, FALSE);
  Repaint(g_->comboDropList);
  EXPECT_EQ(WindowPixel(g_->comboDropList, 0, 0), skin::SkinBorderDisabledColour);
}

TEST_F(PaintTest, SunkenEdgesGoFlatButTheDataListKeepsItsOwn) {
  const HWND edit = g_->edit;
  int bx = 0;
  int by = 0;
  skin::GetBorderInsets(edit, &bx, &by);
  ASSERT_EQ(bx, 2);
  const skin::WindowBounds b = BoundsOf(edit);
  Repaint(edit);
  EXPECT_EQ(WindowPixel(edit, 0, 5), skin::SkinBorderColour);
  EXPECT_EQ(WindowPixel(edit, b.Width - 1, 5), skin::SkinBorderColour);
  EXPECT_EQ(WindowPixel(edit, 1, 5), skin::White);
  EXPECT_EQ(WindowPixel(edit, 2, 5), skin::White);
  EXPECT_EQ(WindowPixel(edit, b.Width - 2, 5), skin::White);

  // A list box with a scroll bar: the bar's width is taken off before halving.
  const HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "DataListWndClass", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                                    300, 230, 100, 50, g_->form, nullptr, nullptr, nullptr);
  skin::GetBorderInsets(list, &bx, &by);
  EXPECT_EQ(bx, 2);
  EXPECT_EQ(by, 2);
  skin::SkinAttachWindow(list);
  Repaint(list);
  EXPECT_EQ(WindowPixel(list, 0, 5), skin::SkinBorderColour);  // its client paint frames it
  SendMessageA(list, WM_NCPAINT, 1, 0);  // the frame alone: the list's own sunken edge
  EXPECT_NE(WindowPixel(list, 0, 5), skin::SkinBorderColour);
  DestroyWindow(list);
}

TEST_F(PaintTest, GridBorderOnlyWithWsBorderAndPushButtonsShowTheirFaceOpaque) {
  Repaint(g_->grid);
  EXPECT_EQ(WindowPixel(g_->grid, 0, 0), skin::SkinBorderColour);
  SetWindowLongA(g_->grid, GWL_STYLE, GetWindowLongA(g_->grid, GWL_STYLE) & ~WS_BORDER);
  SetWindowPos(g_->grid, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Repaint(g_->grid);
  EXPECT_NE(WindowPixel(g_->grid, 0, 0), skin::SkinBorderColour);

  const HWND push = g_->push;
  skin::SetProperty(push, skin::OldStateProperty, skin::StatePressed);
  skin::StartFadeTimer(push);
  Repaint(push);
  EXPECT_EQ(skin::GetProperty(push, skin::TimerIdProperty), 0);
  EXPECT_EQ(skin::GetProperty(push, skin::AlphaLevelProperty), 255);
  const skin::WindowBounds b = BoundsOf(push);
  EXPECT_EQ(WindowPixel(push, 1, b.Height / 2), GetPixel(skin::StateSurface(push, skin::StatePressed), 1, b.Height / 2));
}

}  // namespace
