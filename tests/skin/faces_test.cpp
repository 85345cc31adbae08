// The painters of the control faces, read back from the real windows they draw on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <vector>

#include "skin/joining.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

class FacesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17); }
  // The check square and option circle take the menu-check size, which follows the menu font:
  // 13 on a stock system, larger with a tall font. Glyphs are centred in it.
  static int CheckSize() { return GetSystemMetrics(SM_CXMENUCHECK); }
  static int Centred(int outer, int inner) { return skin::RoundHalfEven((outer - inner) / 2.0); }
  static int GlyphTop(HWND window) { return Centred(BoundsOf(window).Height, CheckSize()); }

  SkinnedGallery g_;
};

TEST_F(FacesTest, CheckSquareShowsTickOrSquareAtTheirCentredPlaces) {
  const HWND check = g_->check;
  const int top = GlyphTop(check);
  // With 13 x 13 checks the tick starts at (2, 2) of the square and the square glyph at (3, 3).
  const int tickX = Centred(CheckSize(), 9), tickY = Centred(CheckSize(), 8);
  const int squareAt = Centred(CheckSize(), 7);
  EXPECT_EQ(skin::PaintCheckBox(check, skin::StateNormal, true), 1);
  EXPECT_EQ(WindowPixel(check, 0, top), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(check, 1, top + 1), 0x00FFFFFFu);
  // The tick's top pixel is at x offset 8 of its cell, row 0.
  EXPECT_EQ(WindowPixel(check, tickX + 8, top + tickY), 0x001DB754u);
  EXPECT_EQ(WindowPixel(check, tickX, top + tickY + 3), 0x0013A948u);
  // Hot and pressed fill the square with the middle rows of the hot and pressed circles: its
  // middle row shows their row 6, left and right of the tick.
  const int middle = top + 1 + (CheckSize() - 2) / 2;
  skin::PaintCheckBox(check, skin::StateHot, true);
  EXPECT_EQ(WindowPixel(check, 0, top), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(check, 1, middle), 0x00F8EAC4u);
  EXPECT_EQ(WindowPixel(check, CheckSize() - 2, middle), 0x00FCF4DBu);
  skin::PaintCheckBox(check, skin::StatePressed, true);
  EXPECT_EQ(WindowPixel(check, 0, top), 0x00C48639u);
  EXPECT_EQ(WindowPixel(check, 1, middle), 0x00F5E1ADu);
  EXPECT_EQ(WindowPixel(check, CheckSize() - 2, middle), 0x00FAEFCFu);

  const HWND square = g_->checkIndeterminate;
  skin::PaintCheckBox(square, skin::StatePressed, true);
  EXPECT_EQ(WindowPixel(square, 0, GlyphTop(square)), 0x00C48639u);
  EXPECT_EQ(WindowPixel(square, squareAt, GlyphTop(square) + squareAt), 0x001BB451u);

  // Disabled: pale frame and pale tick whatever state is asked, white inside.
  const HWND disabled = g_->checkDisabled;
  skin::PaintCheckBox(disabled, skin::StateHot, true);
  EXPECT_EQ(WindowPixel(disabled, 0, GlyphTop(disabled)), 0x00E9CFA4u);
  EXPECT_EQ(WindowPixel(disabled, 1, GlyphTop(disabled) + 1), 0x00FFFFFFu);
  EXPECT_EQ(WindowPixel(disabled, tickX + 8, GlyphTop(disabled) + tickY), 0x008CDAA8u);
}

TEST_F(FacesTest, TogglesSkipTheStateTheyShowUnlessForced) {
  EXPECT_EQ(skin::PaintCheckBox(g_->check, skin::StateHot, false), 1);
  EXPECT_EQ(skin::PaintCheckBox(g_->check, skin::StateHot, false), 0);
  EXPECT_EQ(skin::GetProperty(g_->check, skin::OldStateProperty), skin::StateHot);
  EXPECT_EQ(skin::PaintCheckBox(g_->check, skin::StateHot, true), 1);
  EXPECT_EQ(skin::PaintOptionButton(g_->option, skin::StatePressed, false), 1);
  EXPECT_EQ(skin::PaintOptionButton(g_->option, skin::StatePressed, false), 0);
}

TEST_F(FacesTest, OptionCircleKeepsItsCornersAndCentresTheDot) {
  const HWND option = g_->option;
  const int top = GlyphTop(option);
  const int middle = CheckSize() / 2;
  const int dotAt = Centred(CheckSize(), 5);  // 4 with 13 x 13 checks
  const COLORREF background = WindowPixel(option, 0, top);  // a key corner: the control's own
  skin::PaintOptionButton(option, skin::StateNormal, true);
  EXPECT_EQ(WindowPixel(option, 0, top), background);
  EXPECT_EQ(WindowPixel(option, middle, top), 0x00D2A683u);
  // The dot's top row is key, green, key.
  EXPECT_EQ(WindowPixel(option, dotAt + 1, top + dotAt), 0x0060CC87u);
  EXPECT_EQ(WindowPixel(option, dotAt + 2, top + dotAt + 2), 0x0012A847u);
  EXPECT_EQ(WindowPixel(option, 1, top + middle), 0x00FAF7F3u);
  // Hot: a light-blue inside in the same ring; pressed: a deeper inside and a darker ring.
  skin::PaintOptionButton(option, skin::StateHot, true);
  EXPECT_EQ(WindowPixel(option, middle, top), 0x00D2A683u);
  EXPECT_EQ(WindowPixel(option, 1, top + middle), 0x00F8EAC4u);
  skin::PaintOptionButton(option, skin::StatePressed, true);
  EXPECT_EQ(WindowPixel(option, middle, top), 0x00C18964u);
  EXPECT_EQ(WindowPixel(option, 1, top + middle), 0x00F5E1ADu);
  EXPECT_EQ(WindowPixel(option, CheckSize() - 2, top + middle), 0x00FAEFCFu);

  const HWND disabled = g_->optionDisabled;
  skin::PaintOptionButton(disabled, skin::StatePressed, true);
  EXPECT_EQ(WindowPixel(disabled, middle, GlyphTop(disabled)), 0x00E8D2C1u);
  EXPECT_EQ(WindowPixel(disabled, dotAt + 2, GlyphTop(disabled) + dotAt + 2), 0x0088D3A3u);
}

TEST_F(FacesTest, ComboDropButtonIsEighteenWideWithItsArrowAtSix) {
  const HWND combo = g_->comboDropList;
  const skin::WindowBounds b = BoundsOf(combo);
  const int left = b.Width - 18 - 1;
  skin::PaintComboButton(combo, nullptr, skin::StateHot, true);
  EXPECT_EQ(WindowPixel(combo, left, 1), 0x00D1A04Eu);
  const int arrowTop = 1 + skin::RoundHalfEven((b.Height - 6) / 2.0);
  EXPECT_EQ(WindowPixel(combo, left + 6, arrowTop), 0x005F5519u);
  EXPECT_EQ(WindowPixel(combo, left + 12, arrowTop), 0x005F5519u);
  EXPECT_NE(WindowPixel(combo, left + 5, arrowTop), 0x005F5519u);

  skin::PaintComboButton(combo, nullptr, skin::StateNormal, true);
  EXPECT_EQ(WindowPixel(combo, left, 1), 0x00FFFFFFu);

  // An open list is shown pressed whatever is asked.
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  skin::PaintComboButton(combo, nullptr, skin::StateHot, false);
  EXPECT_EQ(skin::GetProperty(combo, skin::OldStateProperty), skin::StatePressed);
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

  // A simple combo box has no drop button and keeps its state.
  skin::SetProperty(g_->comboSimple, skin::OldStateProperty, skin::StateNormal);
  skin::PaintComboButton(g_->comboSimple, nullptr, skin::StateHot, true);
  EXPECT_EQ(skin::GetProperty(g_->comboSimple, skin::OldStateProperty), skin::StateNormal);
}

TEST_F(FacesTest, PushButtonFacesCarryCaptionColourAndTheFocusFrameOfTheFocusedButtonOnly) {
  const HWND push = g_->push;
  const skin::WindowBounds b = BoundsOf(push);
  auto countIn = [&](int state, COLORREF colour) {
    Dib face(b.Width, b.Height);
    BitBlt(face.dc(), 0, 0, b.Width, b.Height, skin::StateSurface(push, state), 0, 0, SRCCOPY);
    int count = 0;
    for (int y = 0; y < b.Height; ++y) {
      for (int x = 0; x < b.Width; ++x) count += face.at(x, y) == colour;
    }
    return count;
  };
  SetFocus(nullptr);
  skin::RenderButtonFaces(push);
  for (int state = 0; state < 3; ++state) {
    EXPECT_GT(countIn(state, 0x00000000u), 10) << state;
    EXPECT_EQ(countIn(state, 0x00968A79u), 0) << state;
  }
  EXPECT_GT(countIn(skin::StateDisabled, 0x00968A79u), 10);
  EXPECT_EQ(GetPixel(skin::StateSurface(push, 1), b.Width / 2, 0), 0x00D58F1Bu);

  // The dotted frame sits two pixels inside the edge, on row 2, on every face.
  auto row2 = [&](int state) { return GetPixel(skin::StateSurface(push, state), b.Width / 2, 2); };
  COLORREF unfocused[4];
  for (int state = 0; state < 4; ++state) unfocused[state] = row2(state);
  SetFocus(push);
  skin::RenderButtonFaces(push);
  int changed = 0;
  for (int state = 0; state < 4; ++state) {
    changed += row2(state) != unfocused[state] || GetPixel(skin::StateSurface(push, state), b.Width / 2 + 1, 2) != unfocused[state];
  }
  EXPECT_EQ(changed, 4);
}

TEST_F(FacesTest, HeaderItemsShowTheirThreeLooksWithTheirCaption) {
  const HWND header = g_->header;
  const int height = BoundsOf(header).Height;
  auto captionInk = [&](const RECT& item) {
    Dib shot(BoundsOf(header).Width, height);
    CaptureWindow(header, shot);
    int ink = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = item.left; x < item.right && x < shot.width(); ++x) ink += shot.at(x, y) == 0x00000000u;
    }
    return ink;
  };
  RECT item = {};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  // The corner, the top line and the right line in the middle rows, one look after the other.
  const struct {
    int state;
    COLORREF topLeft, top, right;
  } looks[] = {{skin::StateNormal, 0x00FEF5EA, 0x00FEF5EA, 0x00D9B07A},
               {skin::StateHot, 0x00FDE6BD, 0x00FEEED3, 0x00DBA24B},
               {skin::StatePressed, 0x00FBD797, 0x00FBD797, 0x00DBA24B}};
  for (const auto& look : looks) {
    skin::PaintHeaderItem(header, nullptr, 1, look.state);
    EXPECT_EQ(WindowPixel(header, item.left, 0), look.topLeft) << look.state;
    EXPECT_EQ(WindowPixel(header, item.left + 5, 0), look.top) << look.state;
    EXPECT_EQ(WindowPixel(header, item.right - 1, height / 2), look.right) << look.state;
    EXPECT_EQ(WindowPixel(header, item.left + 5, height - 1), 0x00F2DAC0u) << look.state;
    EXPECT_GT(captionInk(item), 10) << look.state;  // "大小" in black
  }
  // The third item has no caption: only its face. An index below 0 draws nothing.
  SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  skin::PaintHeaderItem(header, nullptr, 2, skin::StateNormal);
  EXPECT_EQ(captionInk(item), 0);
  EXPECT_EQ(WindowPixel(header, (item.left + item.right) / 2, height * 3 / 4), 0x00F6E5D3u);
  skin::PaintHeaderItem(header, nullptr, -1, skin::StatePressed);
}

TEST_F(FacesTest, PaintersLeaveNoGdiObjectBehind) {
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    skin::RenderButtonFaces(g_->push);
    skin::PaintComboButton(g_->comboDropList, nullptr, skin::StateHot, true);
    skin::PaintCheckBox(g_->check, skin::StatePressed, true);
    skin::PaintOptionButton(g_->option, skin::StateHot, true);
    skin::PaintHeaderItem(g_->header, nullptr, 0, skin::StateHot);
  }, 300), 0);
}

// On a 144-dpi screen (the test script's second Wine prefix) the check metrics are 19 x 19: the
// glyphs stay the atlas's pixel images, centred in the larger square and circle.
class FacesAt144DpiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != 144) GTEST_SKIP() << "the screen has " << dpi << " dpi";
    ASSERT_EQ(GetSystemMetrics(SM_CXMENUCHECK), 19);
    gallery_.emplace();
  }
  const gallery::Controls& g() { return gallery_->controls(); }
  static int Top(HWND window) { return skin::RoundHalfEven((BoundsOf(window).Height - 19) / 2.0); }

  std::optional<SkinnedGallery> gallery_;
};

TEST_F(FacesAt144DpiTest, GlyphsAreCentredInTheLargerSquareAndCircle) {
  const HWND check = g().check;
  skin::PaintCheckBox(check, skin::StateNormal, true);
  EXPECT_EQ(WindowPixel(check, 18, Top(check) + 18), 0x00D5A554u);
  // The tick at (5, 6): (19 - 9) / 2 and (19 - 8) / 2 = 5.5, rounded to even.
  EXPECT_EQ(WindowPixel(check, 5 + 8, Top(check) + 6), 0x001DB754u);
  EXPECT_EQ(WindowPixel(check, 5, Top(check) + 6 + 3), 0x0013A948u);
  const HWND square = g().checkIndeterminate;
  skin::PaintCheckBox(square, skin::StateNormal, true);
  EXPECT_EQ(WindowPixel(square, 6, Top(square) + 6), 0x001BB451u);
  // The option dot at (7, 7), its top row key, green, key.
  const HWND option = g().option;
  skin::PaintOptionButton(option, skin::StateNormal, true);
  EXPECT_EQ(WindowPixel(option, 7 + 1, Top(option) + 7), 0x0060CC87u);
  EXPECT_EQ(WindowPixel(option, 7 + 2, Top(option) + 7 + 2), 0x0012A847u);
}

TEST_F(FacesAt144DpiTest, AControlLowerThanTheSquareGetsNothingDrawnOutsideIt) {
  const HWND form = g().form;
  for (HWND control : {g().check, g().option}) {
    SetWindowPos(control, nullptr, 0, 0, 120, 12, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(form);
    RECT formAt = {}, place = {};
    GetWindowRect(form, &formAt);
    GetWindowRect(control, &place);
    OffsetRect(&place, -formAt.left, -formAt.top);
    auto rowsAround = [&] {
      std::vector<COLORREF> rows;
      for (int x = place.left; x < place.left + 19; ++x) {
        for (int y : {place.top - 4, place.top - 1, place.bottom, place.bottom + 3}) rows.push_back(WindowPixel(form, x, y));
      }
      return rows;
    };
    const std::vector<COLORREF> before = rowsAround();
    skin::PaintCheckBox(g().check, skin::StatePressed, true);
    skin::PaintOptionButton(g().option, skin::StatePressed, true);
    EXPECT_EQ(rowsAround(), before);
  }
}

}  // namespace

namespace {

// How many separate bands of rows hold dark (caption) pixels on a push button's normal face.
int CaptionBands(HWND button) {
  const HDC face = skin::StateSurface(button, skin::StateNormal);
  const skin::WindowBounds b = BoundsOf(button);
  int bands = 0;
  bool inBand = false;
  for (int y = 3; y < b.Height - 3; ++y) {
    bool dark = false;
    for (int x = 3; x < b.Width - 3 && !dark; ++x) {
      const COLORREF c = GetPixel(face, x, y);
      dark = GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
    }
    if (dark && !inBand) ++bands;
    inBand = dark;
  }
  return bands;
}

TEST_F(FacesTest, PushButtonFacesShowAnIconOrAWrappedCaptionAsTheButtonWould) {
  const HDC screen = GetDC(nullptr);
  const HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
  const HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);  // all 0: every pixel opaque
  {
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, colour);
    skin::FillSolid(dc, 0, 0, 16, 16, 0x000000FF);
    SelectObject(dc, mask);
    skin::FillSolid(dc, 0, 0, 16, 16, 0x00000000);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  ReleaseDC(nullptr, screen);
  ICONINFO info = {TRUE, 0, 0, mask, colour};
  const HICON icon = CreateIconIndirect(&info);
  const HWND iconButton = CreateWindowExW(0, L"Button", L"hidden caption", WS_CHILD | WS_VISIBLE | BS_ICON, 10,
                                          300, 60, 30, g_->form, nullptr, nullptr, nullptr);
  SendMessageW(iconButton, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  const HWND wrapped = CreateWindowExW(0, L"Button", L"Wrap this long caption", WS_CHILD | WS_VISIBLE | BS_MULTILINE,
                                       80, 300, 70, 44, g_->form, nullptr, nullptr, nullptr);
  const HWND single = CreateWindowExW(0, L"Button", L"Wrap this long caption", WS_CHILD | WS_VISIBLE, 160, 300,
                                      70, 44, g_->form, nullptr, nullptr, nullptr);
  for (HWND button : {iconButton, wrapped, single}) {
    SendMessageW(button, WM_SETFONT, SendMessageW(g_->push, WM_GETFONT, 0, 0), FALSE);
    ASSERT_EQ(skin::SkinAttachWindow(button), 1);
  }
  // The icon sits centred, (22, 7) to (37, 22); the face shows around it.
  const HDC face = skin::StateSurface(iconButton, skin::StateNormal);
  EXPECT_EQ(GetPixel(face, 22, 7), 0x000000FFu);
  EXPECT_EQ(GetPixel(face, 37, 22), 0x000000FFu);
  EXPECT_NE(GetPixel(face, 20, 15), 0x000000FFu);
  EXPECT_EQ(CaptionBands(iconButton), 0);
  EXPECT_GE(CaptionBands(wrapped), 2);
  EXPECT_EQ(CaptionBands(single), 1);
  // A new caption reaches the faces.
  SetWindowTextW(single, L"");
  EXPECT_EQ(CaptionBands(single), 0);
  for (HWND button : {iconButton, wrapped, single}) {
    skin::SkinDetachWindow(button);
    DestroyWindow(button);
  }
  DestroyIcon(icon);
  DeleteObject(colour);
  DeleteObject(mask);
}

}  // namespace
