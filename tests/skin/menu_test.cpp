// Popup menus on a dressed thread: a program's File menu, opened as a user opens it, shows its hot
// item, separator, check mark and submenu arrow in the theme's colours in both looks; commands come
// by mouse and by mnemonic; an item checked at WM_INITMENUPOPUP shows checked; undress gives every
// item back exactly.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/desktop.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

constexpr UINT NewCommand = 101, CheckedCommand = 102, ExitCommand = 103, InnerCommand = 201;
std::vector<WPARAM> commands;
HMENU fileMenu = nullptr;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
  if (message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wParam) == fileMenu) {
    CheckMenuItem(fileMenu, CheckedCommand, MF_BYCOMMAND | MF_CHECKED);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Alt+F opens the File menu in the window's thread, whose modal loop pumps while `inside` runs
// here on another thread, with the popup shown.
void WithFileMenuOpen(const std::function<void(HWND popup)>& inside) {
  WhileModal([&] {
    TypeKey('F', VK_MENU);
    Sleep(300);
    inside(FindWindowA("#32768", nullptr));
  });
}
void CloseMenus() {
  for (int i = 0; i < 3; ++i) TypeKey(VK_ESCAPE);
}
POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct Item {
  UINT type, state, id;
  HMENU submenu;
  HBITMAP bitmap;
  ULONG_PTR data;
  std::wstring text;
  bool operator==(const Item& o) const {
    return type == o.type && state == o.state && id == o.id && submenu == o.submenu && bitmap == o.bitmap &&
           data == o.data && text == o.text;
  }
};
void Snapshot(HMENU menu, std::vector<Item>* items) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 64;
    GetMenuItemInfoW(menu, i, TRUE, &info);
    items->push_back({info.fType, info.fState, info.wID, info.hSubMenu, info.hbmpItem, info.dwItemData, text});
    if (info.hSubMenu) Snapshot(info.hSubMenu, items);
  }
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});
    commands.clear();
    WNDCLASSW c = {};
    c.lpfnWndProc = &OwnerProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = L"MenuTestOwner";
    RegisterClassW(&c);
    HMENU bar = CreateMenu();
    fileMenu = CreatePopupMenu();
    HMENU more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, InnerCommand, L"&Inner");
    AppendMenuW(fileMenu, MF_STRING, NewCommand, L"&New\tCtrl+N");
    AppendMenuW(fileMenu, MF_STRING, CheckedCommand, L"&Checked");
    AppendMenuW(fileMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(fileMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"&More");
    AppendMenuW(fileMenu, MF_STRING, ExitCommand, L"E&xit");
    MENUITEMINFOW data = {};
    data.cbSize = sizeof data;
    data.fMask = MIIM_DATA;
    data.dwItemData = 0x5EED;
    SetMenuItemInfoW(fileMenu, ExitCommand, FALSE, &data);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fileMenu), L"&File");
    owner_ = CreateWindowW(L"MenuTestOwner", L"Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 400, 300,
                           nullptr, bar, c.hInstance, nullptr);
    SetForegroundWindow(owner_);
    Pump(150);
    Snapshot(bar, &plain_);
    GetClientRect(owner_, &plainClient_);
    ASSERT_EQ(skin::SkinAttachThread(), 1);
    Pump(150);
  }
  void TearDown() override {
    skin::SkinSetTheme(L"light");
    skin::SkinDetachThread();
    DestroyWindow(owner_);
    Pump(50);
  }
  // A pixel of the popup at a point of an item, from the item's top-left corner.
  COLORREF ItemPixel(HWND popup, int position, int dx, int dy) const {
    RECT item = {}, bounds = {};
    GetMenuItemRect(owner_, fileMenu, position, &item);
    GetWindowRect(popup, &bounds);
    return WindowPixel(popup, item.left - bounds.left + dx, item.top - bounds.top + dy);
  }
  int CountInItem(HWND popup, int position, int x0, int x1, COLORREF colour) const {
    RECT item = {};
    GetMenuItemRect(owner_, fileMenu, position, &item);
    int count = 0;
    for (int x = x0 < 0 ? item.right - item.left + x0 : x0; x < (x1 <= 0 ? item.right - item.left + x1 : x1); ++x) {
      for (int y = 0; y < item.bottom - item.top; ++y) count += ItemPixel(popup, position, x, y) == colour;
    }
    return count;
  }
  void ExpectPopupLook(const wchar_t* theme, COLORREF menu, COLORREF hot, COLORREF separator, COLORREF text,
                       COLORREF border, COLORREF bar) {
    ASSERT_EQ(skin::SkinSetTheme(theme), 1);
    Pump(100);
    EXPECT_EQ(BarPixel(4, true), bar);
    EXPECT_EQ(BarPixel(1, false), bar);
    COLORREF openItem = 0;
    bool shown = false;
    COLORREF hotAt = 0, restAt = 0, separatorAt = 0, borderAt = 0, marginAt = 0;
    int arrowInk = 0, systemArrow = 0;
    WithFileMenuOpen([&](HWND popup) {
      shown = popup && IsWindowVisible(popup);
      openItem = BarPixel(1, false);
      RECT bounds = {};
      GetWindowRect(popup, &bounds);
      borderAt = WindowPixel(popup, 0, (bounds.bottom - bounds.top) / 2);
      marginAt = WindowPixel(popup, 2, 2);
      RECT first = {};
      GetMenuItemRect(owner_, fileMenu, 0, &first);
      SendPointer(MOUSEEVENTF_MOVE, CentreOf(first));
      Sleep(150);
      hotAt = ItemPixel(popup, 0, 2, 1);
      restAt = ItemPixel(popup, 4, 2, 1);
      RECT separatorRect = {};
      GetMenuItemRect(owner_, fileMenu, 2, &separatorRect);
      separatorAt = ItemPixel(popup, 2, 40, (separatorRect.bottom - separatorRect.top) / 2);
      arrowInk = CountInItem(popup, 3, -14, 0, text);
      systemArrow = CountInItem(popup, 3, -20, 0, 0x000000);
      CloseMenus();
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(openItem, hot);
    EXPECT_EQ(borderAt, border);
    EXPECT_EQ(marginAt, menu);
    EXPECT_EQ(hotAt, hot);
    EXPECT_EQ(restAt, menu);
    EXPECT_EQ(separatorAt, separator);
    EXPECT_GT(arrowInk, 5);
    EXPECT_EQ(systemArrow, 0);
  }
  // A pixel of the menu bar's item, from its top-left corner, or right of the last item.
  COLORREF BarPixel(int dx, bool pastItems) const {
    RECT item = {}, bounds = {};
    GetMenuItemRect(owner_, GetMenu(owner_), 0, &item);
    GetWindowRect(owner_, &bounds);
    const int x = pastItems ? bounds.right - bounds.left - GetSystemMetrics(SM_CXFRAME) - dx : item.left - bounds.left + dx;
    return WindowPixel(owner_, x, item.top - bounds.top + (pastItems ? -1 : 2));
  }
  HWND owner_ = nullptr;
  std::vector<Item> plain_;
  RECT plainClient_ = {};
};

TEST_F(MenuTest, PopupItemsSeparatorCheckAndArrowTakeBothLooks) {
  ExpectPopupLook(L"light", 0xFFFCFA, 0xF7E4CC, 0xE8DED6, 0x503018, 0xD5A554, 0xFCF6F0);
  ExpectPopupLook(L"dark", 0x282626, 0x784F26, 0x4E4946, 0xE6E6E6, 0x996E3D, 0x2B2928);
}

TEST_F(MenuTest, CommandsByMnemonicAndMouseAndACheckMadeAtInitMenuPopup) {
  int tickPixels = 0;
  WithFileMenuOpen([&](HWND popup) {
    // The check column of the item checked at WM_INITMENUPOPUP holds a tick: pixels other than
    // the menu's background.
    RECT item = {};
    GetMenuItemRect(owner_, fileMenu, 1, &item);
    for (int x = 0; x < GetSystemMetrics(SM_CXMENUCHECK) + 2; ++x) {
      for (int y = 0; y < item.bottom - item.top; ++y) tickPixels += ItemPixel(popup, 1, x, y) != 0xFFFCFA;
    }
    TypeKey('N');
  });
  EXPECT_GT(tickPixels, 10);
  EXPECT_EQ(commands, std::vector<WPARAM>{NewCommand});
  WithFileMenuOpen([&](HWND) {
    RECT exit = {};
    GetMenuItemRect(owner_, fileMenu, 4, &exit);
    for (DWORD step : {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) SendPointer(step, CentreOf(exit));
  });
  EXPECT_EQ(commands, (std::vector<WPARAM>{NewCommand, ExitCommand}));
}

TEST_F(MenuTest, ABarItemTheProgramRewritesIsTheSkinsAgainAndTheProgramsAfterUndress) {
  const HMENU bar = GetMenu(owner_);
  ModifyMenuW(bar, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(fileMenu), L"&Files");
  DrawMenuBar(owner_);
  Pump(150);
  auto item = [&] {
    wchar_t text[16] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 16;
    GetMenuItemInfoW(bar, 0, TRUE, &info);
    return std::make_pair(static_cast<UINT>(info.fType & MFT_OWNERDRAW), std::wstring(text));
  };
  EXPECT_EQ(item(), std::make_pair(static_cast<UINT>(MFT_OWNERDRAW), std::wstring(L"&Files")));
  skin::SkinDetachThread();
  EXPECT_EQ(item(), std::make_pair(0u, std::wstring(L"&Files")));
  ASSERT_EQ(skin::SkinAttachThread(), 1);
}

TEST_F(MenuTest, UndressGivesEveryItemBackExactly) {
  RECT dressedClient = {};
  GetClientRect(owner_, &dressedClient);
  EXPECT_TRUE(EqualRect(&dressedClient, &plainClient_));
  WithFileMenuOpen([&](HWND) {
    for (WORD key : {VK_UP, VK_UP, VK_RIGHT}) TypeKey(key);  // to "More" and its submenu
    CloseMenus();
  });
  skin::SkinDetachThread();
  std::vector<Item> back;
  Snapshot(GetMenu(owner_), &back);
  // The program's own check, made while dressed, stays; everything else is as before.
  ASSERT_EQ(back.size(), plain_.size());
  back[2].state &= ~MFS_CHECKED;
  for (size_t i = 0; i < plain_.size(); ++i) EXPECT_TRUE(back[i] == plain_[i]) << "item " << i;
  ASSERT_EQ(skin::SkinAttachThread(), 1);
}

}  // namespace
