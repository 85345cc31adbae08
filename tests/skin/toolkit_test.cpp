// The drawing toolkit on 32-bit DIB sections, pixel by pixel.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <tuple>
#include <vector>

#include "skin/gdi/guards.h"
#include "skin/engine.h"
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
        skin::DrawTextIn(dest.dc(), L"caption", 0, 0, 257, 25, skin::CaptionFormat);
        skin::DrawFocusBox(dest.dc(), 2, 2, 253, 21);
        skin::ReleaseSurface(skin::CreateSurface(20, 20));
      },
      2000);
  EXPECT_EQ(leaked, 0);
}

// Takes every free GDI handle but `spare` for the scope, as a program that has used up its handle
// table would.
class HandleTableFull {
 public:
  explicit HandleTableFull(int spare) {
    brushes_.reserve(70000);
    while (const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) brushes_.push_back(brush);
    for (int i = 0; i < spare && !brushes_.empty(); ++i) {
      DeleteObject(brushes_.back());
      brushes_.pop_back();
    }
  }
  ~HandleTableFull() {
    for (HBRUSH brush : brushes_) DeleteObject(brush);
  }

 private:
  std::vector<HBRUSH> brushes_;
};

using Draw = std::function<int(HDC)>;

// Each call on a fresh 40 x 30 destination, its result and its pixels.
std::vector<std::unique_ptr<Dib>> DrawEach(const std::vector<Draw>& calls, std::vector<int>* results = nullptr) {
  std::vector<std::unique_ptr<Dib>> drawn;
  for (const Draw& call : calls) {
    drawn.push_back(std::make_unique<Dib>(40, 30));
    drawn.back()->FillPattern(12);
    const int result = call(drawn.back()->dc());
    if (results) results->push_back(result);
  }
  return drawn;
}

// With the atlas built, the toolkit draws through kept surfaces that are larger than the call
// and hold what earlier calls left, and through the masks made for the atlas's keyed images.
// Every pixel must come out as when each call makes and frees its own objects.
TEST(ToolkitKeptObjectsTest, GiveThePixelsOfCallsThatMakeTheirOwn) {
  skin::BuildSkinAtlas();
  Dib glyphs(18, 24);
  Dib circles(13, 52);
  BitBlt(glyphs.dc(), 0, 0, 18, 24, skin::SkinAtlas.CheckGlyphs, 0, 0, SRCCOPY);
  BitBlt(circles.dc(), 0, 0, 13, 52, skin::SkinAtlas.OptionCircleStrip, 0, 0, SRCCOPY);
  skin::ReleaseSkinAtlas();

  auto callsFrom = [](HDC g, HDC c) {
    return std::vector<Draw>{
        [=](HDC d) { skin::BlitTransparent(d, 3, 4, 9, 8, g, 0, 0, Key); return 1; },       // tick
        [=](HDC d) { skin::BlitTransparent(d, 3, 4, 7, 7, g, 10, 9, Key); return 1; },      // disabled square
        [=](HDC d) { return skin::BlitSliced(d, 1, 1, 13, 13, c, 0, 26, 13, 13, 5, 5, 5, 5, Key); },
        [=](HDC d) { return skin::BlitSliced(d, 1, 1, 17, 15, c, 0, 13, 13, 13, 5, 5, 5, 5, Key); },
        [=](HDC d) { return skin::BlitSliced(d, 0, 0, 30, 20, c, 0, 0, 13, 13, 5, 5, 5, 5); },
        [=](HDC d) { return skin::BlitSliced(d, 2, 3, 20, 9, g, 0, 0, 18, 24, 0, 0, 0, 0); },
    };
  };
  std::vector<int> expectedResults;
  const auto expected = DrawEach(callsFrom(glyphs.dc(), circles.dc()), &expectedResults);

  skin::BuildSkinAtlas();
  ASSERT_NE(skin::SkinDrawing.ReferenceDc, nullptr);
  // Larger calls first, so that every kept surface is grown and left full of other pixels.
  Dib big(200, 100);
  big.FillPattern(13);
  skin::BlitSliced(big.dc(), 0, 0, 200, 100, circles.dc(), 0, 0, 13, 13, 5, 5, 5, 5, Key);
  skin::BlitTransparent(big.dc(), 0, 0, 18, 24, glyphs.dc(), 0, 0, Key);
  for (const auto& [g, c, name] : {std::make_tuple(glyphs.dc(), circles.dc(), "copies of the images"),
                                   std::make_tuple(skin::SkinAtlas.CheckGlyphs, skin::SkinAtlas.OptionCircleStrip,
                                                   "the atlas images")}) {
    SCOPED_TRACE(name);
    std::vector<int> results;
    const auto drawn = DrawEach(callsFrom(g, c), &results);
    for (size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_TRUE(drawn[i]->SameAs(*expected[i])) << "call " << i;
      EXPECT_EQ(results[i], expectedResults[i]) << "call " << i;
    }
  }
  skin::ReleaseSkinAtlas();
  EXPECT_EQ(skin::SkinDrawing.ReferenceDc, nullptr);
}

// When the objects a call needs cannot be made, it draws nothing rather than a bitmap it could
// not fill, says so where it has a result, and leaves nothing behind; with a few handles to spare
// it draws exactly what it draws with plenty. Both without the kept objects and with kept
// surfaces that must grow.
TEST(ToolkitFaultTest, AFullHandleTableGivesTheRightPixelsOrNoneAndLeaksNothing) {
  Dib source(18, 24);
  source.FillPattern(11);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 18; x += 3) source.set(x, y, Key);
  }
  const std::vector<Draw> calls = {
      [&](HDC d) { return skin::BlitSliced(d, 0, 0, 40, 30, source.dc(), 0, 0, 7, 21, 3, 3, 3, 3); },
      [&](HDC d) { return skin::BlitSliced(d, 2, 2, 30, 20, source.dc(), 0, 0, 13, 13, 5, 5, 5, 5, Key); },
      [&](HDC d) { skin::BlitTransparent(d, 5, 6, 18, 24, source.dc(), 0, 0, Key); return -1; },
  };
  const auto expected = DrawEach(calls);
  Dib untouched(40, 30);
  untouched.FillPattern(12);

  const int headroom = testing_support::GdiHeadroom();
  for (const bool kept : {false, true}) {
    SCOPED_TRACE(kept ? "kept objects" : "objects made per call");
    if (kept) skin::BuildSkinAtlas();
    for (int spare = 0; spare <= 8; ++spare) {
      for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "spare handles " << spare << ", call " << i);
        Dib dest(40, 30);
        dest.FillPattern(12);
        int result;
        {
          const HandleTableFull full(spare);
          result = calls[i](dest.dc());
        }
        const bool drew = dest.SameAs(*expected[i]);
        EXPECT_TRUE(drew || dest.SameAs(untouched));
        if (spare == 0) {
          EXPECT_FALSE(drew);
        }
        if (result >= 0) {
          EXPECT_EQ(result != 0, drew);
        }
      }
    }
    if (kept) skin::ReleaseSkinAtlas();
  }
  EXPECT_EQ(testing_support::GdiHeadroom(), headroom);
}

// Painters borrow the kept paint surface one at a time; what they select or set into it does not
// stay, and a release of the skin while it is lent leaves it to the borrower to free.
TEST(ToolkitKeptObjectsTest, ThePaintSurfaceIsLentToOneScopeAtATimeAndComesBackAsItWas) {
  const int headroom = testing_support::GdiHeadroom();
  skin::BuildSkinAtlas();
  const HFONT font = CreateFontA(20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HDC lent = nullptr;
  {
    const skin::ScopedSurface outer(20, 10);
    lent = outer.get();
    SelectObject(lent, font);
    SetTextColor(lent, 0x00123456);
    SetBkMode(lent, TRANSPARENT);
    const skin::ScopedSurface inner(20, 10);
    EXPECT_NE(inner.get(), nullptr);
    EXPECT_NE(inner.get(), lent);
  }
  {
    const skin::ScopedSurface again(60, 10);
    EXPECT_EQ(again.get(), lent);
    EXPECT_NE(GetCurrentObject(again.get(), OBJ_FONT), font);
    EXPECT_EQ(GetTextColor(again.get()), 0x00000000u);
    EXPECT_EQ(GetBkMode(again.get()), OPAQUE);
    skin::ReleaseSkinAtlas();
    EXPECT_NE(GetDeviceCaps(again.get(), BITSPIXEL), 0);  // still there for the borrower
  }
  DeleteObject(font);
  EXPECT_EQ(testing_support::GdiHeadroom(), headroom);
}

}  // namespace
