// Themes switched while the windows run: every control family takes the dark look from the
// theme's own colours and images, the light look comes back pixel for pixel, and switching
// leaks nothing and breaks no mark or key.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "gallery/gallery.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;
using skin::look::Theme;

class ThemesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});
    attached_ = std::make_unique<SkinnedGallery>();
    dressed_ = std::make_unique<DressedStandardGallery>(420, 20);
    s_ = dressed_->controls();
    ASSERT_TRUE(dressed_->dressed());
  }
  void TearDown() override {
    dressed_.reset();
    attached_.reset();
  }
  // A pixel of one of the theme's images.
  static COLORREF ImagePixel(const Theme& theme, skin::look::Image image, int x, int y) {
    return theme.Images[image][static_cast<size_t>(y * skin::look::ImageSize(image).cx + x)];
  }
  void Switch(const wchar_t* theme) {
    ASSERT_EQ(skin::SkinSetTheme(theme), 1);
    Pump(150);
  }
  std::vector<HWND> Everything() const {
    const gallery::Controls& a = attached_->controls();
    return {a.push, a.check, a.option, a.comboDropList, a.header, a.progress, a.edit, s_.check, s_.radio,
            s_.pushLike, s_.group, s_.progress, s_.edit, s_.list, s_.listView, s_.treeView, s_.tabs,
            s_.trackBar, s_.upDown, s_.statusBar, s_.richHeader, s_.reBar};
  }
  std::unique_ptr<SkinnedGallery> attached_;
  std::unique_ptr<DressedStandardGallery> dressed_;
  gallery::StandardControls s_;
};

TEST_F(ThemesTest, EveryFamilyTakesTheDarkLookAndTheLightOneComesBackPixelForPixel) {
  // Erased and painted whole first, as a switch paints them: a group box keeps what was under
  // it from before the thread was dressed until its background is erased.
  for (HWND form : {attached_->controls().form, s_.form}) {
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  Pump(100);
  std::vector<std::unique_ptr<Dib>> light;
  for (HWND window : Everything()) {
    const skin::WindowBounds b = BoundsOf(window);
    light.push_back(std::make_unique<Dib>(b.Width, b.Height));
    CaptureWindow(window, *light.back());
  }

  Switch(L"dark");
  const Theme dark = skin::look::DarkTheme();
  using namespace skin::look;
  const gallery::Controls& a = attached_->controls();
  // Faces: the attached push button's top inner line, a push-like box at rest.
  EXPECT_EQ(WindowPixel(a.push, 60, 1), ImagePixel(dark, ImageButtonFaces, 3, 1));
  EXPECT_EQ(WindowPixel(s_.radioPushLike, 40, 1), ImagePixel(dark, ImageButtonFaces, 3, 1));
  // Boxes and circles, attached and dressed: the frame, an empty circle's middle.
  EXPECT_EQ(WindowPixel(a.check, 0, 10), dark.Colours[RoleCheckFrame]);
  EXPECT_EQ(WindowPixel(s_.check, 0, 10), dark.Colours[RoleCheckFrame]);
  EXPECT_EQ(WindowPixel(s_.radioOther, 6, 10), ImagePixel(dark, ImageOptionCircles, 6, 6));
  // Borders, troughs and fills.
  EXPECT_EQ(WindowPixel(s_.group, 0, 100), dark.Colours[RoleBorder]);
  EXPECT_EQ(WindowPixel(s_.progress, 0, 0), dark.Colours[RoleBorder]);
  EXPECT_EQ(ClientPixel(s_.progress, 40, 8), dark.Colours[RoleProgressFill]);
  EXPECT_EQ(ClientPixel(s_.progress, 150, 8), dark.Colours[RoleControlFill]);
  for (HWND framed : {s_.edit, s_.list, s_.listView, s_.treeView, s_.richEdit}) {
    EXPECT_EQ(WindowPixel(framed, 0, 5), dark.Colours[RoleBorder]);
  }
  // Strips: a header item's and the status bar's background, a tab's top line.
  EXPECT_EQ(ClientPixel(a.header, 30, 0), ImagePixel(dark, ImageHeaderFaces, 1, 0));
  RECT status = {};
  GetClientRect(s_.statusBar, &status);
  EXPECT_EQ(ClientPixel(s_.statusBar, 100, 0), dark.Colours[RoleBorder]);
  EXPECT_EQ(ClientPixel(s_.statusBar, 150, status.bottom - 1), ImagePixel(dark, ImageHeaderFaces, 1, 19));
  RECT last = {};
  SendMessageA(s_.tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(ClientPixel(s_.tabs, last.left + 10, last.top), ImagePixel(dark, ImageHeaderFaces, 1, 0));
  // The spin's arrow on the inside colour, the sort arrow of the rich header.
  EXPECT_EQ(ClientPixel(s_.upDown, 7, 6), dark.Colours[RoleArrow]);
  EXPECT_EQ(ClientPixel(s_.upDown, 4, 6), dark.Colours[RoleControlFill]);
  EXPECT_EQ(ClientPixel(s_.richHeader, 46, 9), dark.Colours[RoleArrow]);

  Switch(L"light");
  const std::vector<HWND> windows = Everything();
  for (size_t i = 0; i < windows.size(); ++i) {
    const skin::WindowBounds b = BoundsOf(windows[i]);
    Dib again(b.Width, b.Height);
    CaptureWindow(windows[i], again);
    EXPECT_TRUE(again.SameAs(*light[i])) << "window " << i;
  }
}

TEST_F(ThemesTest, TwentySwitchesLeakNothingAndMarksAndKeysStillWork) {
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
              skin::SkinSetTheme(L"dark");
              RedrawWindow(s_.form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
              skin::SkinSetTheme(L"light");
              RedrawWindow(s_.form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            }, 10),
            0);

  Switch(L"dark");
  const Theme dark = skin::look::DarkTheme();
  SetForegroundWindow(s_.form);
  Click(ClientToScreenPoint(s_.check, 6, 10));
  MovePointer({0, 0});
  Pump(900);
  EXPECT_EQ(SendMessageA(s_.check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(WindowPixel(s_.check, 6, 10), dark.Colours[skin::look::RoleControlFill]);
  SetFocus(s_.radioOther);
  PressKey(VK_SPACE);
  Pump(300);
  EXPECT_EQ(SendMessageA(s_.radioOther, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowPixel(s_.radioOther, 6, 9), ImagePixel(dark, skin::look::ImageCheckGlyphs, 4, 20));
}

}  // namespace
