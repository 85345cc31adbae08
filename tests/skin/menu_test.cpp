// Popup menus on a dressed thread: a program's File menu, opened as a user opens it, shows its hot
// item, separator, check mark and submenu arrow in the theme's colours in both looks; commands come
// by mouse and by mnemonic; an item checked at WM_INITMENUPOPUP shows checked; undress gives every
// item back exactly.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "skin/high_contrast.h"
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

// ---------------------------------------------------------------- an extended menu resource

constexpr UINT ProgramsItemHeight = 16;
int programMeasures = 0;
std::vector<RECT> programDraws;
HWND mdiClient = nullptr;

// The program draws its own item in magenta.
LRESULT CALLBACK ExtendedOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if ((message == WM_MEASUREITEM || message == WM_DRAWITEM) && measure->CtlType == ODT_MENU) {
    if (message == WM_MEASUREITEM) *measure = {ODT_MENU, 0, measure->itemID, 60, ProgramsItemHeight, 0}, ++programMeasures;
    const RECT& r = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->rcItem;
    if (message == WM_DRAWITEM) programDraws.push_back(r), skin::FillSolid(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, RGB(255, 0, 255));
    return TRUE;
  }
  if (mdiClient && GetParent(window) == mdiClient) return DefMDIChildProcW(window, message, wParam, lParam);
  return DefFrameProcW(window, mdiClient, message, wParam, lParam);
}

// A text as the screen shows it, whatever the colours: the pixels of an item far from its
// background, cut to where they lie.
struct Ink {
  int width = 0, height = 0;
  std::vector<bool> dots;
  bool at(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && dots[y * width + x]; }
};
Ink InkOf(const RECT& area) {
  const Capture shot = CaptureScreen(area);
  auto distance = [&](COLORREF p) {
    const COLORREF b = shot.pixels.front();
    return std::abs(GetRValue(p) - GetRValue(b)) + std::abs(GetGValue(p) - GetGValue(b)) + std::abs(GetBValue(p) - GetBValue(b));
  };
  int farthest = 0, left = shot.width, top = shot.height, right = 0, bottom = 0;
  for (COLORREF p : shot.pixels) farthest = std::max(farthest, distance(p));
  auto inked = [&](int x, int y) { return farthest > 90 && 8 * distance(shot.at(x, y)) > farthest; };
  for (int i = 0; i < shot.width * shot.height; ++i) {
    const int x = i % shot.width, y = i / shot.width;
    if (inked(x, y)) left = std::min(left, x), right = std::max(right, x + 1), top = std::min(top, y), bottom = y + 1;
  }
  Ink ink = {std::max(right - left, 0), std::max(bottom - top, 0), {}};
  for (int i = 0; i < ink.width * ink.height; ++i) ink.dots.push_back(inked(left + i % ink.width, top + i / ink.width));
  return ink;
}
// How many of a's dots have a dot of b within a pixel, b shifted by (dx, dy).
int NearDots(const Ink& a, const Ink& b, int dx, int dy) {
  int count = 0;
  for (int i = 0; i < a.width * a.height; ++i) {
    bool hit = false;
    for (int k = 0; k < 9 && a.dots[i]; ++k) hit = hit || b.at(i % a.width + dx + k % 3 - 1, i / a.width + dy + k / 3 - 1);
    count += hit;
  }
  return count;
}
// How alike two inks of about the same size are, centred on each other: the share of their dots
// near a dot of the other (text is smoothed a little differently on dark and light).
double Likeness(const Ink& a, const Ink& b) {
  if (a.dots.empty() || b.dots.empty() || std::abs(a.width - b.width) > 3 || std::abs(a.height - b.height) > 3) return 0;
  const int dx = (b.width - a.width) / 2, dy = (b.height - a.height) / 2;
  const auto all = std::count(a.dots.begin(), a.dots.end(), true) + std::count(b.dots.begin(), b.dots.end(), true);
  return static_cast<double>(NearDots(a, b, dx, dy) + NearDots(b, a, -dx, -dy)) / all;
}
// Each text shown is most like the plain program's text of the same item, and alike.
void ExpectSameTexts(const std::vector<Ink>& plain, const std::vector<Ink>& shown, const std::string& what) {
  ASSERT_EQ(shown.size(), plain.size()) << what;
  for (size_t k = 0; k < plain.size(); ++k) {
    if (plain[k].dots.empty()) continue;  // separators and the program's own item
    size_t best = k;
    for (size_t j = 0; j < plain.size(); ++j) best = Likeness(shown[k], plain[j]) > Likeness(shown[k], plain[best]) ? j : best;
    EXPECT_TRUE(best == k && Likeness(shown[k], plain[k]) > 0.9) << what << ": item " << k << " like item " << best;
  }
}

class ExtendedMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});
    WNDCLASSW c = {0, &ExtendedOwnerProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                   nullptr, L"ExtendedMenuOwner"};
    RegisterClassW(&c);
    // So narrow that the bar takes three lines.
    owner_ = CreateWindowW(L"ExtendedMenuOwner", L"Extended", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 150, 300, nullptr,
                           LoadMenuW(c.hInstance, L"EXTENDEDMENU"), c.hInstance, nullptr);
    SetForegroundWindow(owner_);
    Pump(150);
    Snapshot(GetMenu(owner_), &plain_);
  }
  void TearDown() override {
    skin::SkinDetachThread();
    DestroyWindow(owner_);
    Pump(50);
  }
  // The bar's texts, then each popup's, opened by its mnemonic, each once it shows.
  std::vector<Ink> Texts() const {
    const HMENU bar = GetMenu(owner_);
    std::vector<Ink> texts;
    auto add = [&](HMENU menu, int position) {
      RECT r = {};
      texts.emplace_back();
      WaitUntil([&] {  // a popup item's rectangle is its own window's
        GetMenuItemRect(menu == bar ? owner_ : nullptr, menu, position, &r);
        return GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION) == 0 ||
               !(texts.back() = InkOf(r)).dots.empty();
      }, 2000);
    };
    for (int i = 0; i < GetMenuItemCount(bar); ++i) add(bar, i);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
      wchar_t title[64] = {};
      GetMenuStringW(bar, i, title, 64, MF_BYPOSITION);
      if (!std::wcschr(title, L'&')) continue;  // an MDI child's system menu
      WhileModal([&] {
        TypeKey(static_cast<WORD>(std::towupper(std::wcschr(title, L'&')[1])), VK_MENU);
        WaitUntil([] { return IsWindowVisible(FindWindowA("#32768", nullptr)); }, 2000);
        for (int k = 0; k < GetMenuItemCount(GetSubMenu(bar, i)); ++k) add(GetSubMenu(bar, i), k);
        CloseMenus();
      });
    }
    return texts;
  }
  std::vector<std::vector<LONG>> BarPlaces() const {
    std::vector<std::vector<LONG>> places;
    for (int i = 0; i < GetMenuItemCount(GetMenu(owner_)); ++i) {
      RECT r = {};
      GetMenuItemRect(owner_, GetMenu(owner_), i, &r);
      places.push_back({r.left, r.top, r.right, r.bottom});
    }
    return places;
  }
  HWND owner_ = nullptr;
  std::vector<Item> plain_;
};

// Dressed in each look, every item shows the plain program's text at the plain program's place.
TEST_F(ExtendedMenuTest, EveryItemShowsItsOwnTextInBothLooksTheProgramsItemStaysItsOwnAndHighContrastGivesAllBack) {
  const std::vector<Ink> plain = Texts();
  const auto places = BarPlaces();
  ASSERT_EQ(skin::SkinAttachThread(), 1);
  for (const wchar_t* theme : {L"light", L"dark"}) {
    ASSERT_EQ(skin::SkinSetTheme(theme), 1);
    programMeasures = 0;
    programDraws.clear();
    ExpectSameTexts(plain, Texts(), "dressed");
    EXPECT_EQ(BarPlaces(), places);
    // The File menu was opened once: the item the program draws was measured once, by the program.
    EXPECT_EQ(programMeasures, 1);
    EXPECT_FALSE(programDraws.empty());
    for (const RECT& r : programDraws) EXPECT_EQ(static_cast<UINT>(r.bottom - r.top), ProgramsItemHeight);
  }
  // Standing aside in high contrast, as at undress, every item is the program's again exactly.
  skin::SetHighContrastQuery([] { return true; });
  SendMessageW(owner_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  skin::SetHighContrastQuery(nullptr);
  std::vector<Item> back;
  Snapshot(GetMenu(owner_), &back);
  EXPECT_TRUE(back == plain_);
}

// While dressed the program changes the menu, and a maximised MDI child puts its system menu
// before the bar's items and its buttons after them, items the system measures itself.
TEST_F(ExtendedMenuTest, ItemsChangedWhileDressedAndAMaximisedMdiChildsShowAsThePlainProgramsDo) {
  ASSERT_EQ(skin::SkinAttachThread(), 1);
  const HMENU bar = GetMenu(owner_), file = GetSubMenu(bar, 0), print = CreatePopupMenu();
  AppendMenuW(print, MF_STRING, 308, L"&Print");
  MENUITEMINFOW item = {sizeof item, MIIM_STRING | MIIM_SUBMENU | MIIM_ID, 0, 0, 0, print, nullptr, nullptr, 0, const_cast<wchar_t*>(L"&Go"), 0, nullptr};
  InsertMenuItemW(bar, 1, TRUE, &item);                   // F Go E V T W H, Go's identifier 0
  DeleteMenu(bar, 4, MF_BYPOSITION);                       // F Go E V W H
  item.fMask = MIIM_STRING;
  item.dwTypeData = const_cast<wchar_t*>(L"&Look");
  SetMenuItemInfoW(bar, 3, TRUE, &item);                   // keeps the item's type
  ModifyMenuW(bar, 5, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(GetSubMenu(bar, 5)), L"&Info");
  InsertMenuW(file, 1, MF_BYPOSITION | MF_STRING, 0, L"&Zero");  // identifier 0, before the program's item
  item.dwTypeData = const_cast<wchar_t*>(L"&Quit");
  SetMenuItemInfoW(file, 4, TRUE, &item);
  CLIENTCREATESTRUCT client = {nullptr, 1000};
  mdiClient = CreateWindowW(L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, owner_, nullptr, nullptr, &client);
  MDICREATESTRUCTW child = {L"ExtendedMenuOwner", L"Child", GetModuleHandleW(nullptr), 0, 0, 80, 80, WS_MAXIMIZE | WS_VISIBLE, 0};
  SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&child));
  ASSERT_EQ(GetMenuItemCount(bar), 10);
  const std::vector<Ink> dressed = Texts();
  const auto places = BarPlaces();
  skin::SkinDetachThread();
  ExpectSameTexts(Texts(), dressed, "changed while dressed");
  EXPECT_EQ(BarPlaces(), places);
  std::vector<Item> back;
  Snapshot(bar, &back);
  EXPECT_EQ(std::count_if(back.begin(), back.end(), [](const Item& i) { return (i.type & MFT_OWNERDRAW) != 0; }), 1);
}

}  // namespace
