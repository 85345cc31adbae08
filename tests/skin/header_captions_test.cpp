// A dressed header's captions lie where the system's own header puts them for each item's format.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <vector>

#include "skin/skin.h"
#include "tests/support/desktop.h"

namespace {

using namespace testing_support;

constexpr int ItemWidth = 90;
constexpr int HeaderHeight = 24;
constexpr int HeaderCount = 3;

bool Dark(COLORREF pixel) {
  return GetRValue(pixel) < 0x50 && GetGValue(pixel) < 0x50 && GetBValue(pixel) < 0x50;
}

// Per item, the columns inside its frame where the caption's ink lies.
std::vector<std::vector<int>> InkColumns(HWND header) {
  const Capture shot = CaptureClient(header);
  std::vector<std::vector<int>> items;
  for (int left = 0; left < 4 * ItemWidth; left += ItemWidth) {
    std::vector<int> columns;
    for (int x = left + 2; x < left + ItemWidth - 2; ++x) {
      bool ink = false;
      for (int y = 3; y < shot.height - 3; ++y) ink = ink || Dark(shot.at(x, y));
      if (ink) columns.push_back(x);
    }
    items.push_back(columns);
  }
  return items;
}

TEST(HeaderCaptionsTest, DressedCaptionsLieWhereThePlainHeaderPutsThemCutInsideTheirItem) {
  MovePointer({0, 0});
  const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, L"Tahoma");
  const HWND form = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 40, 40,
                                    4 * ItemWidth + 20, HeaderCount * (HeaderHeight + 5) + 20, nullptr,
                                    nullptr, nullptr, nullptr);
  // A list view's header, themed, then with the classic edges (its theme named after no class of
  // the theme's), and a classic one without button edges.
  HWND headers[HeaderCount] = {};
  const LONG styles[HeaderCount] = {HDS_BUTTONS, HDS_BUTTONS, 0};
  const int formats[4] = {HDF_LEFT, HDF_CENTER, HDF_RIGHT, HDF_RIGHT | HDF_RTLREADING};
  const wchar_t* captions[4] = {L"Name", L"Size", L"Type", L"A caption far too long for its item"};
  for (int h = 0; h < HeaderCount; ++h) {
    headers[h] = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | styles[h], 10,
                                 10 + h * (HeaderHeight + 5), 4 * ItemWidth, HeaderHeight, form, nullptr,
                                 nullptr, nullptr);
    if (h > 0) SetWindowTheme(headers[h], L" ", L" ");
    SendMessageW(headers[h], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int i = 0; i < 4; ++i) {
      HDITEMW item = {};
      item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
      item.fmt = HDF_STRING | formats[i];
      item.cxy = ItemWidth;
      item.pszText = const_cast<wchar_t*>(captions[i]);
      SendMessageW(headers[h], HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  UpdateWindow(form);
  Pump(150);
  std::vector<std::vector<int>> plain[HeaderCount];
  for (int h = 0; h < HeaderCount; ++h) plain[h] = InkColumns(headers[h]);

  ASSERT_EQ(skin::SkinAttachThread(), 1);
  Pump(150);
  for (int h = 0; h < HeaderCount; ++h) {
    const std::vector<std::vector<int>> dressed = InkColumns(headers[h]);
    for (int i = 0; i < 4; ++i) {
      EXPECT_FALSE(plain[h][i].empty()) << "header " << h << ", item " << i;
      EXPECT_EQ(dressed[i], plain[h][i]) << "header " << h << ", item " << i;
    }
  }

  skin::SkinDetachThread();
  DestroyWindow(form);
  DeleteObject(font);
  Pump(20);
}

}  // namespace
