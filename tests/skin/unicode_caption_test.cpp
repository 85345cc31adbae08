// Captions on their way through the skin stay UTF-16. The Thai and Hebrew letters are in no code
// page the program's users have, so an ANSI step anywhere on the way would turn them into '?'.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "skin/controls/header.h"
#include "skin/controls/push_button.h"
#include "skin/engine.h"
#include "tests/support/dib.h"

namespace {

using namespace testing_support;

constexpr wchar_t Mixed[] = L"优化 กข אב";

HWND CreateButton(bool wide, int width, int height) {
  constexpr DWORD Style = WS_POPUP | BS_PUSHBUTTON;
  const HWND button = wide ? CreateWindowExW(0, L"Button", L"", Style, 0, 0, width, height, nullptr,
                                             nullptr, nullptr, nullptr)
                           : CreateWindowExA(0, "Button", "", Style, 0, 0, width, height, nullptr,
                                             nullptr, nullptr, nullptr);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return button;
}

TEST(UnicodeCaptionTest, TextSentToASkinnedWindowComesBackWhole) {
  for (const bool wide : {true, false}) {
    SCOPED_TRACE(wide ? "made wide" : "made ANSI");
    const HWND button = CreateButton(wide, 120, 28);
    ASSERT_EQ(skin::SkinAttach(button), 1);
    SendMessageW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Mixed));
    wchar_t back[64] = {};
    SendMessageW(button, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(back));
    EXPECT_STREQ(back, Mixed);
    EXPECT_EQ(skin::WindowText(button), Mixed);
    skin::SkinDetach(button);
    EXPECT_EQ(skin::WindowText(button), Mixed);
    DestroyWindow(button);
  }
}

TEST(UnicodeCaptionTest, HeaderItemCaptionReadsTheItemsText) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const HWND header = CreateWindowExW(0, WC_HEADERW, L"", WS_POPUP, 0, 0, 200, 24, nullptr, nullptr,
                                      nullptr, nullptr);
  HDITEMW item = {};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.cxy = 100;
  item.pszText = const_cast<wchar_t*>(Mixed);
  SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  ASSERT_EQ(skin::SkinAttach(header), 1);
  EXPECT_EQ(skin::HeaderItemCaption(header, 0), Mixed);
  skin::SkinDetach(header);
  DestroyWindow(header);
}

// A push button's faces carry its caption's glyphs: exactly the black pixels of the same text
// drawn with DrawTextW in the button's font, for a window made wide with a Chinese caption and
// for one made with the ANSI functions.
TEST(UnicodeCaptionTest, ButtonFacesDrawTheGlyphsOfTheirCaption) {
  struct Case {
    bool wide;
    const wchar_t* caption;
  };
  for (const Case& c : {Case{true, L"还原内存优化"}, Case{false, L"Tavrin 1.00"}}) {
    SCOPED_TRACE(c.wide ? "made wide" : "made ANSI");
    const HWND button = CreateButton(c.wide, 257, 25);
    if (c.wide) {
      SetWindowTextW(button, c.caption);
    } else {
      SetWindowTextA(button, "Tavrin 1.00");
    }
    ASSERT_EQ(skin::SkinAttach(button), 1);
    Dib reference(257, 25);
    DrawCaptionReference(reference, c.caption, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    Dib face(257, 25);
    BitBlt(face.dc(), 0, 0, 257, 25, skin::StateSurface(button, skin::StateNormal), 0, 0, SRCCOPY);
    int ink = 0;
    int differing = 0;
    for (int y = 3; y < 22; ++y) {
      for (int x = 3; x < 254; ++x) {
        ink += reference.at(x, y) == 0;
        differing += (face.at(x, y) == 0) != (reference.at(x, y) == 0);
      }
    }
    EXPECT_GT(ink, 40);
    EXPECT_EQ(differing, 0);
    skin::SkinDetach(button);
    DestroyWindow(button);
  }
}

}  // namespace
