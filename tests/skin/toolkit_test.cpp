// The drawing toolkit on 32-bit DIB sections, pixel by pixel.
#include <gtest/gtest.h>

#include "skin/skin.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"

namespace {

using testing_support::Dib;

constexpr COLORREF Key = 0x00FF00FF;

TEST(RoundHalfEvenTest, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(skin::RoundHalfEven(2.5), 2);
  EXPECT_EQ(skin::RoundHalfEven(5.5), 6);
  EXPECT_EQ(skin::RoundHalfEven(7.5), 8);
  EXPECT_EQ(skin::RoundHalfEven(6.5), 6);
  EXPECT_EQ(skin::RoundHalfEven(-0.5), 0);
  EXPECT_EQ(skin::RoundHalfEven(-1.5), -2);
  EXPECT_EQ(skin::RoundHalfEven(50.5), 50);
  EXPECT_EQ(skin::RoundHalfEven(2.4999), 2);
  EXPECT_EQ(skin::RoundHalfEven(2.5001), 3);
}

TEST(SignedWordTest, GivesSignedClientCoordinates) {
  EXPECT_EQ(skin::SignedLowWord(0x0010FFFE), -2);
  EXPECT_EQ(skin::SignedHighWord(0x0010FFFE), 16);
  EXPECT_EQ(skin::SignedHighWord(static_cast<int32_t>(0x8000FFFF)), -32768);
  EXPECT_EQ(skin::SignedLowWord(0x7FFF), 32767);
}

TEST(BlitSlicedTest, SameSizeReproducesTheSourceWhateverTheMargins) {
  Dib source(7, 21);
  source.FillPattern(1);
  for (const RECT& m : {RECT{0, 0, 0, 0}, RECT{3, 3, 3, 3}, RECT{2, 0, 2, 0}, RECT{1, 2, 3, 1}}) {
    SCOPED_TRACE(testing::Message() << m.left << "," << m.top << "," << m.right << "," << m.bottom);
    Dib dest(7, 21);
    EXPECT_NE(skin::BlitSliced(dest.dc(), 0, 0, 7, 21, source.dc(), 0, 0, 7, 21, m.left, m.top,
                               m.right, m.bottom),
              0);
    EXPECT_TRUE(dest.SameAs(source));
  }
}

TEST(BlitSlicedTest, KeepsCornersAndStretchesEdgesAndCentre) {
  Dib source(7, 21);
  source.FillPattern(2);
  Dib dest(40, 30);
  skin::BlitSliced(dest.dc(), 0, 0, 40, 30, source.dc(), 0, 0, 7, 21, 3, 3, 3, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(dest.at(x, y), source.at(x, y));
      EXPECT_EQ(dest.at(37 + x, 27 + y), source.at(4 + x, 18 + y));
    }
  }
  // Every pixel of an edge or of the centre comes from the matching piece of the source: the left
  // edge from its column of the middle rows, the top edge from the middle column of its row, the
  // centre from the middle column's middle rows.
  auto fromSource = [&](COLORREF colour, int x0, int x1, int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (source.at(x, y) == colour) return true;
      }
    }
    return false;
  };
  for (int y = 3; y < 27; ++y) {
    EXPECT_TRUE(fromSource(dest.at(1, y), 1, 2, 3, 18)) << "left edge, y " << y;
    EXPECT_TRUE(fromSource(dest.at(20, y), 3, 4, 3, 18)) << "centre, y " << y;
  }
  for (int x = 3; x < 37; ++x) EXPECT_TRUE(fromSource(dest.at(x, 1), 3, 4, 1, 2)) << "top, x " << x;

  // Left and right margins only: no corner and no top edge, the edges run the full height.
  // (Enlarged: shrinking in the default stretch mode ANDs rows together into new colours.)
  Dib sides(20, 30);
  skin::BlitSliced(sides.dc(), 0, 0, 20, 30, source.dc(), 0, 0, 7, 21, 2, 0, 2, 0);
  for (int y = 0; y < 30; ++y) {
    EXPECT_TRUE(fromSource(sides.at(0, y), 0, 1, 0, 21));
    EXPECT_TRUE(fromSource(sides.at(19, y), 6, 7, 0, 21));
    EXPECT_TRUE(fromSource(sides.at(10, y), 2, 5, 0, 21));
  }
}

TEST(BlitSlicedTest, ZeroSizesDrawNothingAndReturnZero) {
  Dib source(7, 21);
  source.FillPattern(3);
  Dib dest(10, 10);
  dest.FillPattern(4);
  Dib untouched(10, 10);
  untouched.FillPattern(4);
  EXPECT_EQ(skin::BlitSliced(dest.dc(), 0, 0, 0, 10, source.dc(), 0, 0, 7, 21, 3, 3, 3, 3), 0);
  EXPECT_EQ(skin::BlitSliced(dest.dc(), 0, 0, 10, 0, source.dc(), 0, 0, 7, 21, 3, 3, 3, 3), 0);
  EXPECT_EQ(skin::BlitSliced(dest.dc(), 0, 0, 10, 10, source.dc(), 0, 0, 0, 21, 3, 3, 3, 3), 0);
  EXPECT_EQ(skin::BlitSliced(dest.dc(), 0, 0, 10, 10, source.dc(), 0, 0, 7, 0, 3, 3, 3, 3), 0);
  EXPECT_TRUE(dest.SameAs(untouched));
}

TEST(BlitSlicedTest, WithAKeyLeavesTheDestinationUnderKeyPixels) {
  Dib source(5, 5);
  source.FillPattern(5);
  source.set(0, 0, Key);
  source.set(4, 4, Key);
  Dib dest(5, 5);
  dest.FillPattern(6);
  const COLORREF under = dest.at(0, 0);
  EXPECT_EQ(skin::BlitSliced(dest.dc(), 0, 0, 5, 5, source.dc(), 0, 0, 5, 5, 2, 2, 2, 2, Key), 1);
  EXPECT_EQ(dest.at(0, 0), under);
  EXPECT_EQ(dest.at(2, 2), source.at(2, 2));
  EXPECT_NE(dest.at(4, 4), Key);
}

TEST(BlitTransparentTest, CopiesOnlyTheGlyphAndTreatsNearKeyAsGlyph) {
  Dib glyph(9, 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 9; ++x) glyph.set(x, y, Key);
  }
  glyph.set(1, 1, 0x0029D71D);
  glyph.set(2, 1, 0x00FE00FF);  // one step off the key: copied like any other pixel
  glyph.set(3, 1, 0x00FF01FF);
  Dib dest(20, 20);
  dest.FillPattern(7);
  Dib before(20, 20);
  before.FillPattern(7);

  skin::BlitTransparent(dest.dc(), 5, 6, 9, 8, glyph.dc(), 0, 0, Key);
  int changed = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) changed += dest.at(x, y) != before.at(x, y);
  }
  EXPECT_EQ(changed, 3);
  EXPECT_EQ(dest.at(6, 7), 0x0029D71Du);
  EXPECT_EQ(dest.at(7, 7), 0x00FE00FFu);
  EXPECT_EQ(dest.at(8, 7), 0x00FF01FFu);
}

TEST(FocusBoxTest, DrawnTwiceLeavesThePixelsAsTheyWere) {
  Dib dest(30, 20);
  dest.FillPattern(8);
  Dib before(30, 20);
  before.FillPattern(8);
  skin::DrawFocusBox(dest.dc(), 2, 2, 26, 16);
  EXPECT_FALSE(dest.SameAs(before));
  skin::DrawFocusBox(dest.dc(), 2, 2, 26, 16);
  EXPECT_TRUE(dest.SameAs(before));
}

TEST(FillAndFrameTest, FillTheRectangleAndFrameItsEdgeOnly) {
  Dib dest(10, 10);
  dest.FillPattern(9);
  const COLORREF inside = dest.at(5, 5);
  skin::FrameSolid(dest.dc(), 1, 1, 8, 8, 0x00D5A554);
  EXPECT_EQ(dest.at(1, 1), 0x00D5A554u);
  EXPECT_EQ(dest.at(8, 8), 0x00D5A554u);
  EXPECT_EQ(dest.at(5, 5), inside);
  skin::FillSolid(dest.dc(), 2, 2, 3, 3, 0x00F6D64C);
  EXPECT_EQ(dest.at(4, 4), 0x00F6D64Cu);
  EXPECT_NE(dest.at(5, 5), 0x00F6D64Cu);
}

TEST(WindowBoundsTest, MeasuresWindowsPartlyOffScreenAndZeroesMissingOnes) {
  HWND window = CreateWindowA("Static", "", WS_POPUP, -50, -20, 100, 60, nullptr, nullptr, nullptr, nullptr);
  skin::WindowBounds b;
  EXPECT_TRUE(skin::GetWindowBounds(window, &b));
  EXPECT_EQ(b.Left, -50);
  EXPECT_EQ(b.Top, -20);
  EXPECT_EQ(b.Width, 100);
  EXPECT_EQ(b.Height, 60);
  EXPECT_EQ(b.Right - b.Left, b.Width);
  DestroyWindow(window);
  EXPECT_FALSE(skin::GetWindowBounds(window, &b));
  EXPECT_EQ(b.Left | b.Top | b.Right | b.Bottom | b.Width | b.Height, 0);
}

TEST(ToolkitLeakTest, ThousandsOfCallsLeaveNoGdiObjectBehind) {
  Dib source(18, 24);
  source.FillPattern(10);
  Dib dest(257, 25);
  const int leaked = testing_support::GdiObjectsLeakedBy(
      [&] {
        skin::BlitSliced(dest.dc(), 0, 0, 257, 25, source.dc(), 0, 0, 7, 21, 3, 3, 3, 3);
        skin::BlitSliced(dest.dc(), 0, 0, 13, 13, source.dc(), 0, 0, 13, 13, 5, 5, 5, 5, Key);
        skin::BlitTransparent(dest.dc(), 0, 0, 9, 8, source.dc(), 0, 0, Key);
        skin::FillSolid(dest.dc(), 0, 0, 5, 5, 0x00FFFFFF);
        skin::FrameSolid(dest.dc(), 0, 0, 5, 5, 0x00D5A554);
        skin::DrawTextIn(dest.dc(), "caption", 0, 0, 257, 25, skin::CaptionFormat);
        skin::DrawFocusBox(dest.dc(), 2, 2, 253, 21);
        skin::ReleaseSurface(skin::CreateSurface(20, 20));
      },
      2000);
  EXPECT_EQ(leaked, 0);
}

}  // namespace
