// A dressed header's captions lie where the system's own header puts them for each item's format.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <vector>

#include "skin/engine.h"
#include "tests/support/desktop.h"

namespace {

using namespace testing_support;

constexpr int ItemWidth = 90;
constexpr int HeaderHeight = 24;

// The columns where a caption's ink (black: the font is not smoothed) lies, the two outer
// columns of each item's frame left out.
std::vector<int> InkColumns(HWND header) {
  const Capture shot = CaptureClient(header);
  std::vector<int> columns;
  for (int x = 0; x < shot.width; ++x) {
    const bool frame = x % ItemWidth < 2 || x % ItemWidth >= ItemWidth - 2;
    if (!frame && shot.CountInRect({x, 3, x + 1, shot.height - 3}, 0x000000) > 0) columns.push_back(x);
  }
  return columns;
}

TEST(HeaderCaptionsTest, DressedCaptionsLieWhereThePlainHeaderPutsThemCutInsideTheirItem) {
  MovePointer({0, 0});
  const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, L"Tahoma");
  const HWND form = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 40, 40, 4 * ItemWidth + 20,
                                    100, nullptr, nullptr, nullptr, nullptr);
  // A list view's header, themed, then with the classic edges (its theme named after no class of
  // the theme's), and a classic one without button edges.
  const LONG styles[3] = {HDS_BUTTONS, HDS_BUTTONS, 0};
  const int formats[4] = {HDF_LEFT, HDF_CENTER, HDF_RIGHT, HDF_RIGHT | HDF_RTLREADING};
  const wchar_t* captions[4] = {L"Name", L"Size", L"Type", L"A caption far too long for its item"};
  HWND headers[3] = {};
  std::vector<int> plain[3];
  for (int h = 0; h < 3; ++h) {
    headers[h] = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | styles[h], 10, 10 + h * 28,
                                 4 * ItemWidth, HeaderHeight, form, nullptr, nullptr, nullptr);
    if (h > 0) SetWindowTheme(headers[h], L" ", L" ");
    SendMessageW(headers[h], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int i = 0; i < 4; ++i) {
      HDITEMW item = {};
      item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
      item.cxy = ItemWidth;
      item.pszText = const_cast<wchar_t*>(captions[i]);
      item.fmt = HDF_STRING | formats[i];
      SendMessageW(headers[h], HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  Pump(150);
  for (int h = 0; h < 3; ++h) plain[h] = InkColumns(headers[h]);

  ASSERT_EQ(skin::SkinAttachThread(), 1);
  Pump(150);
  for (int h = 0; h < 3; ++h) {
    EXPECT_FALSE(plain[h].empty()) << "header " << h;
    EXPECT_EQ(InkColumns(headers[h]), plain[h]) << "header " << h;
  }

  skin::SkinDetachThread();
  DestroyWindow(form);
  DeleteObject(font);
  Pump(20);
}

}  // namespace
