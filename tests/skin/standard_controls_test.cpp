// The system's standard controls on a dressed thread: the skin's look on a real control of each
// class, and their own behaviour kept.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

#include "gallery/gallery.h"
#include "skin/skin.h"
#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

// Pumps as a dialog's owner does, so that Alt and a letter reach the dialog manager.
void PumpAsDialog(HWND form, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageW(form, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// The keys pressed in order, then released in reverse order, as one real input.
void SendKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input(2 * keys.size());
  size_t i = 0;
  for (WORD key : keys) {
    input[i].type = INPUT_KEYBOARD;
    input[i++].ki.wVk = key;
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key, ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = *key;
    input[i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

class StandardControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});  // away from every control, whatever the test before left under it
    dressed_ = std::make_unique<DressedStandardGallery>(20, 20);
    c_ = dressed_->controls();
    ASSERT_TRUE(dressed_->dressed());
  }
  void TearDown() override { dressed_.reset(); }
  std::unique_ptr<DressedStandardGallery> dressed_;
  gallery::StandardControls c_;
};

TEST_F(StandardControlsTest, ButtonsWearTheSquareTheCircleThePushFacesAndTheFrame) {
  // 13 x 13 boxes, 3 pixels down in a 20-pixel control (over the button's own box): the frame,
  // the tick's first pixel.
  EXPECT_EQ(WindowPixel(c_.check, 0, 10), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(c_.check, 10, 5), 0x001DB754u);
  EXPECT_EQ(WindowPixel(c_.checkThreeState, 3, 6), 0x001BB451u);
  EXPECT_EQ(WindowPixel(c_.checkLeftText, 107, 10), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(c_.radio, 0, 9), 0x00D2A683u);
  EXPECT_EQ(WindowPixel(c_.radio, 6, 9), 0x0012A847u);
  EXPECT_EQ(WindowPixel(c_.radioOther, 6, 9), 0x00FFFFFFu);
  // Checked push-like: the pressed face; unchecked: the normal one.
  EXPECT_EQ(WindowPixel(c_.pushLike, 0, 13), 0x00D58F1Bu);
  EXPECT_EQ(WindowPixel(c_.pushLike, 40, 1), 0x00FBBC39u);
  EXPECT_EQ(WindowPixel(c_.radioPushLike, 40, 1), 0x00FFFFFFu);
  const skin::WindowBounds group = BoundsOf(c_.group);
  EXPECT_EQ(WindowPixel(c_.group, 0, 100), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(c_.group, 100, group.Height - 1), 0x00D5A554u);

  EnableWindow(c_.check, FALSE);
  EXPECT_EQ(WindowPixel(c_.check, 0, 10), 0x00E9CFA4u);
  EXPECT_EQ(WindowPixel(c_.check, 10, 5), 0x008CDAA8u);
}

TEST_F(StandardControlsTest, ProgressBarsAndListsWearTheOnePixelBorder) {
  EXPECT_EQ(WindowPixel(c_.progress, 0, 0), 0x00D5A554u);
  EXPECT_EQ(ClientPixel(c_.progress, 40, 8), 0x00F6D64Cu);
  EXPECT_EQ(ClientPixel(c_.progress, 150, 8), 0x00FFFFFFu);
  // 25 of 100 in 120 rows: the lowest 30 are filled.
  EXPECT_EQ(ClientPixel(c_.progressVertical, 9, 119), 0x00F6D64Cu);
  EXPECT_EQ(ClientPixel(c_.progressVertical, 9, 90), 0x00F6D64Cu);
  EXPECT_EQ(ClientPixel(c_.progressVertical, 9, 89), 0x00FFFFFFu);
  SendMessageA(c_.progress, PBM_SETPOS, 100, 0);
  Pump(50);
  EXPECT_EQ(ClientPixel(c_.progress, 150, 8), 0x00F6D64Cu);

  for (HWND framed : {c_.edit, c_.list, c_.listView, c_.treeView, c_.richEdit}) {
    EXPECT_EQ(WindowPixel(framed, 0, 5), 0x00D5A554u);
    EXPECT_EQ(WindowPixel(framed, 5, 0), 0x00D5A554u);
  }
  EXPECT_EQ(WindowPixel(c_.edit, 1, 5), 0x00FFFFFFu);
}

TEST_F(StandardControlsTest, TabsStatusBarTrackBarAndSpinWearTheStripsAndFacesAndLightUnderThePointer) {
  RECT selected = {};
  RECT last = {};
  SendMessageA(c_.tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&selected));
  SendMessageA(c_.tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
  // Top lines: the pressed face over the selected tab (drawn 2 higher), the normal face elsewhere.
  EXPECT_EQ(ClientPixel(c_.tabs, selected.left + 10, selected.top - 2), 0x00FBD797u);
  EXPECT_EQ(ClientPixel(c_.tabs, last.left + 10, last.top), 0x00FEF5EAu);

  RECT status = {};
  GetClientRect(c_.statusBar, &status);
  EXPECT_EQ(ClientPixel(c_.statusBar, 100, 0), 0x00D5A554u);
  EXPECT_EQ(ClientPixel(c_.statusBar, 219, status.bottom / 2), 0x00D5A554u);
  EXPECT_EQ(ClientPixel(c_.statusBar, 150, status.bottom - 1), 0x00F2DAC0u);

  RECT channel = {};
  RECT thumb = {};
  SendMessageA(c_.trackBar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageA(c_.trackBar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int thumbX = (thumb.left + thumb.right) / 2;
  EXPECT_EQ(ClientPixel(c_.trackBar, channel.right - 1, (channel.top + channel.bottom) / 2), 0x00D5A554u);
  EXPECT_EQ(ClientPixel(c_.trackBar, thumb.left, (thumb.top + thumb.bottom) / 2), 0x00D58F1Bu);
  EXPECT_EQ(ClientPixel(c_.trackBar, thumbX, thumb.top + 1), 0x00FFFFFFu);

  // The upper arrow in the 16 x 30 client of the spin: its point at (7, 6), its base from (4, 9).
  EXPECT_EQ(ClientPixel(c_.upDown, 0, 0), 0x00D5A554u);
  EXPECT_EQ(ClientPixel(c_.upDown, 7, 6), 0x005F5519u);
  EXPECT_EQ(ClientPixel(c_.upDown, 4, 9), 0x005F5519u);
  EXPECT_EQ(ClientPixel(c_.upDown, 4, 6), 0x00FFFFFFu);

  MovePointer(ClientToScreenPoint(c_.tabs, last.left + 10, last.top + 5));
  Pump(200);
  EXPECT_EQ(ClientPixel(c_.tabs, last.left + 10, last.top), 0x00FEEED3u);
  MovePointer(ClientToScreenPoint(c_.trackBar, thumbX, (thumb.top + thumb.bottom) / 2));
  Pump(900);
  EXPECT_EQ(ClientPixel(c_.tabs, last.left + 10, last.top), 0x00FEF5EAu);
  EXPECT_EQ(ClientPixel(c_.trackBar, thumbX, thumb.top + 1), 0x00FBC34Cu);
  EXPECT_EQ(ClientPixel(c_.upDown, 2, 17), 0x00FFFFFFu);
  MovePointer(ClientToScreenPoint(c_.upDown, 8, 22));
  Pump(900);
  EXPECT_NE(ClientPixel(c_.upDown, 2, 17), 0x00FFFFFFu);
  EXPECT_EQ(ClientPixel(c_.trackBar, thumbX, thumb.top + 1), 0x00FFFFFFu);
}

TEST_F(StandardControlsTest, RichHeaderItemsKeepImageAndArrowOwnerDrawnOnesAndBarsWearFaces) {
  // Item 0, 76 wide: the normal face's top line; the upward arrow where the system's header puts
  // it, three margins after the caption: its point at (46, 9), its base from (43, 12).
  EXPECT_EQ(ClientPixel(c_.richHeader, 30, 0), 0x00FEF5EAu);
  EXPECT_EQ(ClientPixel(c_.richHeader, 46, 9), 0x005F5519u);
  EXPECT_EQ(ClientPixel(c_.richHeader, 43, 12), 0x005F5519u);
  EXPECT_EQ(ClientPixel(c_.richHeader, 100, 0), 0x00FEF5EAu);
  // Owner-drawn: the face under what its owner draws, which here is nothing.
  EXPECT_EQ(ClientPixel(c_.richHeader, 170, 0), 0x00FEF5EAu);

  RECT plain = {};
  RECT checked = {};
  SendMessageA(c_.toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&plain));
  SendMessageA(c_.toolbar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&checked));
  const int middle = (checked.top + checked.bottom) / 2;
  EXPECT_EQ(ClientPixel(c_.toolbar, checked.left, middle), 0x00D58F1Bu);
  EXPECT_NE(ClientPixel(c_.toolbar, plain.left, middle), 0x00D58F1Bu);
  MovePointer(ClientToScreenPoint(c_.toolbar, (plain.left + plain.right) / 2, middle));
  Pump(300);
  EXPECT_EQ(ClientPixel(c_.toolbar, plain.left, middle), 0x00D58F1Bu);

  RECT band = {};
  GetClientRect(c_.reBar, &band);
  EXPECT_EQ(WindowPixel(c_.reBar, 0, 0), 0x00D5A554u);
  EXPECT_EQ(ClientPixel(c_.reBar, band.right - 2, band.bottom - 1), 0x00F2DAC0u);
}

TEST_F(StandardControlsTest, MarksChangeOnClickSpaceAndAcceleratorsAndFocusStillShows) {
  SetForegroundWindow(c_.form);
  // As after keyboard use: focus frames shown.
  SendMessageW(c_.form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  Click(ClientToScreenPoint(c_.check, 6, 10));
  PumpAsDialog(c_.form, 200);
  EXPECT_EQ(SendMessageA(c_.check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  MovePointer({0, 0});
  PumpAsDialog(c_.form, 900);
  EXPECT_EQ(WindowPixel(c_.check, 0, 10), 0x00D5A554u);
  EXPECT_EQ(WindowPixel(c_.check, 10, 5), 0x00FFFFFFu);

  SetFocus(c_.radioOther);
  SendKeys({VK_SPACE});
  PumpAsDialog(c_.form, 300);
  EXPECT_EQ(SendMessageA(c_.radioOther, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(c_.radio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(WindowPixel(c_.radioOther, 6, 9), 0x0012A847u);
  EXPECT_EQ(WindowPixel(c_.radio, 6, 9), 0x00FFFFFFu);

  // Alt+T clicks the three-state box, from indeterminate to unchecked, and focuses it.
  SendKeys({VK_MENU, 'T'});
  PumpAsDialog(c_.form, 300);
  EXPECT_EQ(SendMessageA(c_.checkThreeState, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(GetFocus(), c_.checkThreeState);
  EXPECT_EQ(WindowPixel(c_.checkThreeState, 0, 10), 0x00D5A554u);

  // A push-like box shows the focus frame on its face, 2 pixels in.
  const Capture unfocused = CaptureClient(c_.pushLike);
  SetFocus(c_.pushLike);
  PumpAsDialog(c_.form, 100);
  const Capture focused = CaptureClient(c_.pushLike);
  int changed = 0;
  for (int y = 2; y < focused.height - 2; ++y) changed += focused.at(2, y) != unfocused.at(2, y);
  EXPECT_GT(changed, 5);
}

// Dressed, only what shows a push-button face holds faces and the outline; BM_SETSTYLE moves them.
TEST_F(StandardControlsTest, OnlyPushButtonsAndPushLikeBoxesHoldFacesAndBoxesCostNoGdiObject) {
  const HRGN probe = CreateRectRgn(0, 0, 0, 0);
  auto held = [&](HWND button) {  // the eight face properties, and one for the outline
    int count = GetWindowRgn(button, probe) != ERROR;
    for (const char* name : {"0HDC", "1HDC", "2HDC", "3HDC", "0BMP", "1BMP", "2BMP", "3BMP"}) count += GetPropA(button, name) != nullptr;
    return count;
  };
  for (HWND box : {c_.check, c_.radio, c_.group}) EXPECT_EQ(held(box), 0);
  EXPECT_EQ(held(c_.pushLike), 9);
  const int before = GdiHeadroom();
  for (DWORD type : {BS_AUTORADIOBUTTON, BS_GROUPBOX, BS_AUTOCHECKBOX}) {
    CreateWindowA("Button", "b", WS_CHILD | WS_VISIBLE | type, 300, 300, 80, 20, c_.form, nullptr, nullptr, nullptr);
  }
  const HWND box = FindWindowExA(c_.form, nullptr, "Button", "b");
  Pump(50);
  EXPECT_EQ(GdiHeadroom(), before);
  SendMessageA(box, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(held(box), 9);
  SendMessageA(box, BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
  EXPECT_EQ(held(box), 0);
  EXPECT_EQ(GdiHeadroom(), before);
  DeleteObject(probe);
}

// A hot-key control dressed in the dark theme keeps its own painting but its sunken frame shows
// the flat border with the theme's window colour inside it; undressed, it is given back whole.
TEST(HotkeyControlTest, DarkFrameIsTheFlatBorderAroundTheWindowColourAndUndressGivesItBack) {
  constexpr COLORREF DarkBorder = 0x00996E3D, DarkWindow = 0x00221F1E;
  const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_HOTKEY_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  WNDCLASSW form = {};
  form.lpfnWndProc = &DefWindowProcW;
  form.hInstance = GetModuleHandleW(nullptr);
  form.lpszClassName = L"HotkeyForm";
  RegisterClassW(&form);
  const HWND owner = CreateWindowW(L"HotkeyForm", L"Hotkey", WS_POPUP | WS_VISIBLE, 40, 40, 240, 80, nullptr,
                                   nullptr, form.hInstance, nullptr);
  const HWND hotkey = CreateWindowW(HOTKEY_CLASSW, L"", WS_CHILD | WS_VISIBLE, 20, 20, 160, 24, owner, nullptr,
                                    form.hInstance, nullptr);
  ASSERT_NE(hotkey, nullptr);
  const LONG style = GetWindowLongW(hotkey, GWL_STYLE), exStyle = GetWindowLongW(hotkey, GWL_EXSTYLE);
  const LONG_PTR procedure = GetWindowLongPtrW(hotkey, GWLP_WNDPROC);
  ASSERT_NE(exStyle & WS_EX_CLIENTEDGE, 0);  // the control gives itself the 2-pixel sunken edge

  ASSERT_EQ(skin::SkinSetTheme(L"dark"), 1);
  ASSERT_EQ(skin::SkinAttachThread(), 1);
  Pump(100);
  EXPECT_EQ(WindowPixel(hotkey, 0, 12), DarkBorder);
  EXPECT_EQ(WindowPixel(hotkey, 80, 23), DarkBorder);
  EXPECT_EQ(WindowPixel(hotkey, 1, 12), DarkWindow);
  EXPECT_EQ(WindowPixel(hotkey, 80, 1), DarkWindow);

  skin::SkinDetachThread();
  skin::SkinSetTheme(L"light");
  Pump(50);
  EXPECT_EQ(GetWindowLongW(hotkey, GWL_STYLE), style);
  EXPECT_EQ(GetWindowLongW(hotkey, GWL_EXSTYLE), exStyle);
  EXPECT_EQ(GetWindowLongPtrW(hotkey, GWLP_WNDPROC), procedure);
  for (const char* name : {"PROCADDR", "SKINCOPY", "ROOM"}) EXPECT_EQ(GetPropA(hotkey, name), nullptr) << name;
  EXPECT_NE(WindowPixel(hotkey, 0, 12), DarkBorder);
  DestroyWindow(owner);
}

}  // namespace
