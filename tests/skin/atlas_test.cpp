// The five skin images as built into their surfaces.
#include <gtest/gtest.h>

#include <direct.h>

#include "skin/engine.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"

namespace {

constexpr COLORREF Key = 0x00FF00FF;

class AtlasTest : public ::testing::Test {
 protected:
  void SetUp() override { skin::BuildSkinAtlas(); }
  void TearDown() override { skin::ReleaseSkinAtlas(); }
  static COLORREF At(HDC image, int x, int y) { return GetPixel(image, x, y); }
};

TEST_F(AtlasTest, EverySurfaceHasTheDesignedSizeAndDesignedPixels) {
  const struct {
    HDC surface;
    int width, height;
  } sizes[] = {{skin::SkinAtlas.ButtonFaceStrip, 7, 84}, {skin::SkinAtlas.ComboButtonParts, 15, 18},
               {skin::SkinAtlas.CheckGlyphs, 18, 24}, {skin::SkinAtlas.OptionCircleStrip, 13, 52},
               {skin::SkinAtlas.HeaderFaceStrip, 9, 20}};
  for (const auto& s : sizes) {
    ASSERT_NE(s.surface, nullptr);
    BITMAP bitmap = {};
    GetObjectA(GetCurrentObject(s.surface, OBJ_BITMAP), sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, s.width);
    EXPECT_EQ(bitmap.bmHeight, s.height);
  }
  // Pixels read off the artwork, spread over every frame and cell, none of them where the other
  // spot checks look.
  const HDC button = skin::SkinAtlas.ButtonFaceStrip;
  const HDC combo = skin::SkinAtlas.ComboButtonParts;
  const HDC glyphs = skin::SkinAtlas.CheckGlyphs;
  const HDC circles = skin::SkinAtlas.OptionCircleStrip;
  const HDC header = skin::SkinAtlas.HeaderFaceStrip;
  const struct {
    HDC image;
    int x, y;
    COLORREF colour;
  } spots[] = {
      {button, 1, 0, 0x00E3B36B},   {button, 2, 20, 0x00D8962A},  {button, 1, 10, 0x00FBF0E3},
      {button, 2, 31, 0x00FCE4B9},  {button, 3, 40, 0x00F8BB3F},  {button, 3, 59, 0x00FDEAC3},
      {button, 4, 18, 0x00ECD5BB},  {button, 0, 82, 0x00EFD3AB},  {button, 1, 73, 0x00FBF4EB},
      {combo, 0, 9, 0x00D1A04E},    {combo, 4, 12, 0x00D1A04E},   {combo, 2, 1, 0x00FDEEC1},
      {combo, 3, 17, 0x00F3E1C0},   {combo, 6, 1, 0x00E2B561},    {combo, 7, 17, 0x00FEF8E6},
      {combo, 8, 0, 0x005F5519},    {combo, 10, 2, 0x005F5519},   {combo, 9, 6, Key},
      {combo, 13, 5, 0x00ACA584},   {combo, 10, 12, Key},
      {glyphs, 0, 3, 0x0013A948},   {glyphs, 3, 3, Key},          {glyphs, 3, 7, 0x00029135},
      {glyphs, 13, 4, 0x0085D09F},  {glyphs, 1, 9, 0x001BB451},   {glyphs, 7, 15, 0x00069639},
      {glyphs, 13, 12, 0x0086D1A0}, {glyphs, 2, 18, Key},         {glyphs, 4, 18, 0x0028BA5C},
      {glyphs, 4, 22, 0x00109940},  {glyphs, 15, 19, 0x00AEE3C1},
      {circles, 3, 0, 0x00E7CFBC},  {circles, 2, 1, 0x00DBB89D},  {circles, 1, 19, 0x00F8EAC4},
      {circles, 11, 19, 0x00FCF4DB}, {circles, 6, 14, 0x00F8EAC3}, {circles, 3, 26, 0x00DDBCA4},
      {circles, 1, 32, 0x00F5E1AD}, {circles, 10, 37, 0x00CD9F7F}, {circles, 12, 45, 0x00E8D2C1},
      {circles, 6, 40, 0x00F8F4EF}, {circles, 1, 49, 0x00EDDBCE},  {circles, 1, 14, Key},
      {header, 1, 4, 0x00FCF1E4},   {header, 2, 9, 0x00D9B07A},   {header, 4, 0, 0x00FEEED3},
      {header, 3, 5, 0x00FAC25E},   {header, 5, 18, 0x00FBCC73},  {header, 7, 1, 0x00FFDC9F},
      {header, 6, 14, 0x00FBCA6F},  {header, 8, 15, 0x00EEBF6D},
  };
  for (const auto& spot : spots) {
    EXPECT_EQ(At(spot.image, spot.x, spot.y), spot.colour) << spot.x << "," << spot.y;
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
