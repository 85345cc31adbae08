// The five skin images as built into their surfaces.
#include <gtest/gtest.h>

#include <direct.h>

#include "skin/atlas/atlas_pixels.h"
#include "skin/skin.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"

namespace {

constexpr COLORREF Key = skin::KeyColour;

class AtlasTest : public ::testing::Test {
 protected:
  void SetUp() override { skin::BuildSkinAtlas(); }
  void TearDown() override { skin::ReleaseSkinAtlas(); }
  static COLORREF At(HDC image, int x, int y) { return GetPixel(image, x, y); }
};

TEST_F(AtlasTest, EverySurfaceHoldsItsImageExactly) {
  const std::pair<HDC, const skin::AtlasImage*> images[] = {
      {skin::SkinAtlas.ButtonFaceStrip, &skin::ButtonFaceStripImage},
      {skin::SkinAtlas.ComboButtonParts, &skin::ComboButtonPartsImage},
      {skin::SkinAtlas.CheckGlyphs, &skin::CheckGlyphsImage},
      {skin::SkinAtlas.OptionCircleStrip, &skin::OptionCircleStripImage},
      {skin::SkinAtlas.HeaderFaceStrip, &skin::HeaderFaceStripImage},
  };
  const int sizes[][2] = {{7, 84}, {15, 18}, {18, 24}, {13, 52}, {9, 20}};
  int index = 0;
  for (const auto& [surface, image] : images) {
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(image->width, sizes[index][0]);
    EXPECT_EQ(image->height, sizes[index][1]);
    int wrong = 0;
    for (int y = 0; y < image->height; ++y) {
      for (int x = 0; x < image->width; ++x) wrong += At(surface, x, y) != image->pixels[y * image->width + x];
    }
    EXPECT_EQ(wrong, 0) << "image " << index;
    ++index;
  }
}

TEST_F(AtlasTest, SpotPixelsAndKeysAreWhereTheyBelong) {
  const HDC button = skin::SkinAtlas.ButtonFaceStrip;
  EXPECT_EQ(At(button, 3, 0), 0x00D58F1Bu);
  EXPECT_EQ(At(button, 3, 63), 0x00E8C387u);
  EXPECT_EQ(At(button, 3, 1), 0x00FFFFFFu);
  EXPECT_EQ(At(button, 1, 52), 0x00FBBD3Fu);  // frame 2, row 10: the pressed inner line

  const HDC circles = skin::SkinAtlas.OptionCircleStrip;
  for (int n = 0; n < 4; ++n) EXPECT_EQ(At(circles, 0, 13 * n), Key);
  EXPECT_EQ(At(circles, 12, 51), Key);
  EXPECT_EQ(At(circles, 6, 26), 0x00C18964u);

  const HDC glyphs = skin::SkinAtlas.CheckGlyphs;
  EXPECT_EQ(At(glyphs, 8, 0), 0x001DB754u);
  EXPECT_EQ(At(glyphs, 17, 0), 0x008CDAA8u);
  EXPECT_EQ(At(glyphs, 0, 8), Key);
  for (int x = 0; x < 18; ++x) EXPECT_EQ(At(glyphs, x, 23), Key);

  const HDC combo = skin::SkinAtlas.ComboButtonParts;
  EXPECT_EQ(At(combo, 11, 3), 0x005F5519u);
  EXPECT_EQ(At(combo, 11, 7), 0x00ACA584u);
  EXPECT_EQ(At(combo, 8, 1), Key);
  EXPECT_EQ(At(combo, 14, 17), Key);

  for (int x = 0; x < 9; ++x) EXPECT_EQ(At(skin::SkinAtlas.HeaderFaceStrip, x, 19), 0x00F2DAC0u);
}

TEST_F(AtlasTest, GlyphCellsAndCircleCornersAreTheOnlyNonKeyShapes) {
  // The tick has 26 pixels, the square 49, the dot 21, enabled and disabled alike.
  int glyphPixels = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 18; ++x) glyphPixels += At(skin::SkinAtlas.CheckGlyphs, x, y) != Key;
  }
  EXPECT_EQ(glyphPixels, 2 * (26 + 49 + 21));
  // 24 key pixels in the corners of each circle, none elsewhere.
  int circleKeys = 0;
  for (int y = 0; y < 52; ++y) {
    for (int x = 0; x < 13; ++x) circleKeys += At(skin::SkinAtlas.OptionCircleStrip, x, y) == Key;
  }
  EXPECT_EQ(circleKeys, 4 * 24);
  // The arrow: 7, 5, 3 and 1 pixels; 16 in each colour.
  int arrow = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 8; x < 15; ++x) arrow += At(skin::SkinAtlas.ComboButtonParts, x, y) != Key;
  }
  EXPECT_EQ(arrow, 32);
}

TEST_F(AtlasTest, FlatFacesAndPlainCirclesAreMirrorImages) {
  const HDC button = skin::SkinAtlas.ButtonFaceStrip;
  int asymmetric = 0;
  for (int frame : {0, 3}) {
    for (int row = 0; row < 21; ++row) {
      for (int x = 0; x < 3; ++x) asymmetric += At(button, x, 21 * frame + row) != At(button, 6 - x, 21 * frame + row);
    }
  }
  EXPECT_EQ(asymmetric, 3);  // (2,18) and (0,19) of the normal face, (0,82) of the disabled one
  const HDC circles = skin::SkinAtlas.OptionCircleStrip;
  for (int frame : {0, 3}) {
    for (int row = 0; row < 13; ++row) {
      for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(At(circles, x, 13 * frame + row), At(circles, 12 - x, 13 * frame + row));
      }
    }
  }
  // Pressed face: darker at the top than at the bottom; hot face the other way round.
  EXPECT_LT(GetBValue(At(button, 3, 42 + 3)), GetBValue(At(button, 3, 42 + 16)));
  EXPECT_GT(GetGValue(At(button, 3, 21 + 3)), GetGValue(At(button, 3, 21 + 16)));
}

TEST(AtlasLifecycleTest, RebuildGivesTheSamePixelsAndLeaksNothing) {
  skin::BuildSkinAtlas();
  testing_support::Dib first(7, 84);
  BitBlt(first.dc(), 0, 0, 7, 84, skin::SkinAtlas.ButtonFaceStrip, 0, 0, SRCCOPY);
  skin::ReleaseSkinAtlas();
  EXPECT_EQ(skin::SkinAtlas.ButtonFaceStrip, nullptr);
  skin::BuildSkinAtlas();
  testing_support::Dib second(7, 84);
  BitBlt(second.dc(), 0, 0, 7, 84, skin::SkinAtlas.ButtonFaceStrip, 0, 0, SRCCOPY);
  skin::ReleaseSkinAtlas();
  EXPECT_TRUE(first.SameAs(second));

  EXPECT_EQ(testing_support::GdiObjectsLeakedBy([] {
    skin::BuildSkinAtlas();
    skin::BuildSkinAtlas();  // built twice, released once
    skin::ReleaseSkinAtlas();
  }, 1000), 0);
}

// Leaves the five images as BMP files in atlas-images/ of the working directory, where
// scripts/screenshot.sh picks them up.
TEST_F(AtlasTest, WritesTheImagesForPeopleToLookAt) {
  _mkdir("atlas-images");
  const std::pair<const char*, HDC> images[] = {
      {"ButtonFaceStrip", skin::SkinAtlas.ButtonFaceStrip},
      {"ComboButtonParts", skin::SkinAtlas.ComboButtonParts},
      {"CheckGlyphs", skin::SkinAtlas.CheckGlyphs},
      {"OptionCircleStrip", skin::SkinAtlas.OptionCircleStrip},
      {"HeaderFaceStrip", skin::SkinAtlas.HeaderFaceStrip},
  };
  const int sizes[][2] = {{7, 84}, {15, 18}, {18, 24}, {13, 52}, {9, 20}};
  int index = 0;
  for (const auto& [name, surface] : images) {
    EXPECT_TRUE(testing_support::SaveAsBmp(surface, sizes[index][0], sizes[index][1],
                                           std::string("atlas-images/") + name + ".bmp"));
    ++index;
  }
}

}  // namespace
