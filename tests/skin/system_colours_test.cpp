// The system's colours on a dressed thread: what a program paints itself with GetSysColor,
// GetSysColorBrush and a COLOR_x + 1 brush, and what the common controls draw from their copy of
// the colours, take the dark theme and come back at undress; other threads keep the system's;
// brushes outlive their callers' DeleteObject. And no bright spot is left in the dark look of the
// standard controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "skin/skin.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

constexpr COLORREF DarkWindow = 0x221F1E, DarkWindowText = 0xE6E6E6, DarkSelection = 0x784F26,
                   DarkDialog = 0x302D2B;

// Paints a COLOR_HIGHLIGHT rectangle with GetSysColorBrush, a COLOR_WINDOW one with a brush made
// from GetSysColor and one with a COLOR_x + 1 brush, and draws its owner-drawn list's items as
// programs commonly do.
LRESULT CALLBACK PainterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const RECT highlight = {10, 10, 60, 40}, window_ = {70, 10, 120, 40}, plus1 = {130, 10, 180, 40};
    FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
    const HBRUSH own = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    FillRect(dc, &window_, own);
    DeleteObject(own);
    FillRect(dc, &plus1, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item->hDC, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(item->hDC, TRANSPARENT);
    RECT text = item->rcItem;
    DrawTextW(item->hDC, L"\x2588\x2588\x2588\x2588", -1, &text, DT_SINGLELINE | DT_VCENTER);
    return TRUE;
  }
  if (message == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI ReadWindowColour(LPVOID into) {
  *static_cast<COLORREF*>(into) = GetSysColor(COLOR_WINDOW);
  return 0;
}

COLORREF FromAnotherThread() {
  COLORREF colour = 0;
  const HANDLE thread = CreateThread(nullptr, 0, &ReadWindowColour, &colour, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return colour;
}

// The colour most pixels of a capture have.
COLORREF MostCommon(const Capture& capture) {
  std::map<COLORREF, int> counts;
  for (COLORREF pixel : capture.pixels) ++counts[pixel];
  COLORREF common = 0;
  int most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) most = count, common = colour;
  }
  return common;
}

class SystemColoursTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW c = {};
    c.lpfnWndProc = &PainterProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"SystemColoursPainter";
    RegisterClassW(&c);
    painter_ = CreateWindowW(L"SystemColoursPainter", L"Painter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420,
                             260, nullptr, nullptr, c.hInstance, nullptr);
    list_ = CreateWindowW(L"ListBox", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOTIFY, 10, 50, 120,
                          60, painter_, nullptr, c.hInstance, nullptr);
    for (int i = 0; i < 2; ++i) SendMessageW(list_, LB_ADDSTRING, 0, 0);
    SendMessageW(list_, LB_SETCURSEL, 0, 0);
    listView_ = CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SHOWSELALWAYS, 150, 50,
                              200, 60, painter_, nullptr, c.hInstance, nullptr);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.pszText = const_cast<wchar_t*>(L"\x9009\x4E2D\x7684\x4E00\x9879");
    item.state = item.stateMask = LVIS_SELECTED;
    SendMessageW(listView_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetFocus(list_);
    systemWindow_ = GetSysColor(COLOR_WINDOW);
    Pump(100);
  }
  void TearDown() override {
    skin::SkinDetachThread();
    skin::SkinSetTheme(L"light");
    DestroyWindow(painter_);
    Pump(50);
  }
  void Dress() {
    ASSERT_EQ(skin::SkinSetTheme(L"dark"), 1);
    ASSERT_EQ(skin::SkinAttachThread(), 1);
    RedrawWindow(painter_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(150);
  }
  COLORREF SelectionBehindText() const {
    RECT label = {LVIR_LABEL, 0, 0, 0};
    SendMessageW(listView_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    const POINT corner = ClientToScreenPoint(listView_, label.left, label.top);
    return MostCommon(CaptureScreen({corner.x, corner.y, corner.x + label.right - label.left,
                                     corner.y + label.bottom - label.top}));
  }
  HWND painter_ = nullptr, list_ = nullptr, listView_ = nullptr;
  COLORREF systemWindow_ = 0;
};

TEST_F(SystemColoursTest, WhatAProgramAndTheCommonControlsPaintInSystemColoursTakesTheThemeOnTheDressedThreadOnly) {
  Dress();
  EXPECT_EQ(ClientPixel(painter_, 30, 20), DarkSelection);
  EXPECT_EQ(ClientPixel(painter_, 90, 20), DarkWindow);
  EXPECT_EQ(ClientPixel(painter_, 150, 20), DarkWindow);
  EXPECT_EQ(ClientPixel(list_, 100, 10), DarkSelection);
  EXPECT_EQ(ClientPixel(list_, 100, 30), DarkWindow);
  const Capture item = CaptureClient(list_);
  EXPECT_GT(item.CountInRect({0, 20, 60, 40}, DarkWindowText), 20);
  // A list view's selection without the focus, from the common controls' copy of the colours.
  EXPECT_EQ(SelectionBehindText(), DarkDialog);
  EXPECT_EQ(FromAnotherThread(), systemWindow_);

  skin::SkinDetachThread();
  RedrawWindow(painter_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(150);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), systemWindow_);
  EXPECT_EQ(ClientPixel(painter_, 90, 20), systemWindow_);
  EXPECT_EQ(ClientPixel(painter_, 150, 20), systemWindow_);
  EXPECT_EQ(ClientPixel(list_, 100, 30), systemWindow_);
  EXPECT_NE(SelectionBehindText(), DarkDialog);
}

TEST_F(SystemColoursTest, BrushesOutliveTheirCallersAndTwentyRoundsLeaveNothing) {
  Dress();
  const HBRUSH given = GetSysColorBrush(COLOR_WINDOW);
  EXPECT_TRUE(DeleteObject(given));
  const HBRUSH again = GetSysColorBrush(COLOR_WINDOW);
  LOGBRUSH logical = {};
  ASSERT_EQ(GetObjectW(again, sizeof logical, &logical), static_cast<int>(sizeof logical));
  EXPECT_EQ(logical.lbColor, DarkWindow);
  // The program's own brush made from a system colour, and the system's brushes, are never the
  // skin's to delete.
  const HBRUSH own = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
  // A switch to the light theme gives the system's colours back at once.
  ASSERT_EQ(skin::SkinSetTheme(L"light"), 1);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), systemWindow_);
  ASSERT_EQ(skin::SkinSetTheme(L"dark"), 1);
  skin::SkinDetachThread();
  EXPECT_EQ(GetObjectType(own), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_WINDOW)), static_cast<DWORD>(OBJ_BRUSH));
  DeleteObject(own);

  EXPECT_EQ(GdiObjectsLeakedBy([&] {
              skin::SkinAttachThread();
              RedrawWindow(painter_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
              GetSysColorBrush(COLOR_BTNFACE);
              skin::SkinDetachThread();
            }, 20),
            0);
}

// Dark, the standard controls' tab pane, header, edit boxes (read-only and disabled too) and the
// selections of list and tree views shown without the focus hold no bright block.
TEST(DarkSpotsTest, TheStandardControlsShowNoBrightBlockInTheDarkTheme) {
  DressedStandardGallery gallery(20, 20);
  ASSERT_TRUE(gallery.dressed());
  const gallery::StandardControls& c = gallery.controls();
  ASSERT_EQ(skin::SkinSetTheme(L"dark"), 1);
  SetWindowLongW(c.listView, GWL_STYLE, GetWindowLongW(c.listView, GWL_STYLE) | LVS_SHOWSELALWAYS);
  SetWindowLongW(c.treeView, GWL_STYLE, GetWindowLongW(c.treeView, GWL_STYLE) | TVS_SHOWSELALWAYS);
  ListView_SetItemState(c.listView, 0, LVIS_SELECTED, LVIS_SELECTED);
  TreeView_SelectItem(c.treeView, TreeView_GetRoot(c.treeView));
  SetFocus(c.check);
  for (const bool readOnly : {true, false}) {
    SendMessageW(c.edit, EM_SETREADONLY, readOnly, 0);
    EnableWindow(c.edit, readOnly);
    RedrawWindow(c.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(150);
    for (const HWND control : {c.tabs, c.richHeader, c.edit, c.richEdit, c.listView, c.treeView}) {
      RECT area = {};
      GetWindowRect(control, &area);
      char name[64] = {};
      GetClassNameA(control, name, sizeof name);
      EXPECT_FALSE(HasBrightBlock(CaptureScreen(area))) << name << (readOnly ? ", read-only edit" : ", disabled edit");
    }
  }
  EnableWindow(c.edit, TRUE);
  SendMessageW(c.edit, EM_SETREADONLY, FALSE, 0);
  skin::SkinSetTheme(L"light");
}

}  // namespace
