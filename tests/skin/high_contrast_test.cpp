// High contrast: the skin stands aside while the mode is on and draws again when it goes off.
#include <gtest/gtest.h>

#include <windows.h>

#include "skin/high_contrast.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

bool contrastOn = false;
bool AnswerContrast() { return contrastOn; }

void SwitchContrast(HWND topLevel, bool on) {
  contrastOn = on;
  SendMessageW(topLevel, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  Pump(100);
}

TEST(HighContrastTest, SkinStandsAsideShowingTheSystemsLookAndDrawsAgainWithoutLeaking) {
  SkinnedGallery g;
  skin::SetHighContrastQuery(&AnswerContrast);
  const HWND push = g->push;
  const int checkMid = BoundsOf(g->check).Height / 2;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  HRGN region = CreateRectRgn(0, 0, 0, 0);

  SwitchContrast(g->form, true);
  EXPECT_TRUE(skin::StandingAside);
  EXPECT_EQ(GetWindowLongA(push, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowRgn(push, region), ERROR);
  EXPECT_EQ(WindowPixel(push, 4, 4), face);
  EXPECT_NE(WindowPixel(g->check, 0, checkMid), 0x00D5A554u);
  // Still subclassed: windows come and go as usual.
  EXPECT_NE(skin::GetProperty(push, skin::ProcAddrProperty), 0);

  SwitchContrast(g->form, false);
  EXPECT_FALSE(skin::StandingAside);
  EXPECT_EQ(GetWindowLongA(push, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_NE(GetWindowRgn(push, region), ERROR);
  EXPECT_EQ(WindowPixel(push, 0, BoundsOf(push).Height / 2), 0x00D58F1Bu);
  EXPECT_EQ(WindowPixel(g->check, 0, checkMid), 0x00D5A554u);

  EXPECT_EQ(GdiObjectsLeakedBy([&] {
              SwitchContrast(g->form, true);
              SwitchContrast(g->form, false);
            }, 3),
            0);
  DeleteObject(region);
  skin::SetHighContrastQuery(nullptr);
}

}  // namespace
