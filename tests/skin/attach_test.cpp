// Attach, detach and the skin window procedure on the gallery's real window tree.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/desktop.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> TreeOf(HWND root) {
  std::vector<HWND> windows{root};
  EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

BOOL CALLBACK CollectPropertyName(HWND, LPSTR name, HANDLE, ULONG_PTR list) {
  // Atom-named properties have a zero high word and no string to read.
  if (HIWORD(reinterpret_cast<ULONG_PTR>(name))) reinterpret_cast<std::set<std::string>*>(list)->insert(name);
  return TRUE;
}

std::set<std::string> PropertiesOf(HWND window) {
  std::set<std::string> names;
  EnumPropsExA(window, CollectPropertyName, reinterpret_cast<LPARAM>(&names));
  return names;
}

struct Snapshot {
  LONG_PTR procedure;
  LONG style;
  int region;
  std::set<std::string> properties;
  bool unicode;  // GetWindowLongPtrW reads the same procedure from an ANSI and a Unicode window
  bool operator==(const Snapshot& o) const {
    return procedure == o.procedure && style == o.style && region == o.region &&
           properties == o.properties && unicode == o.unicode;
  }
};

Snapshot SnapshotOf(HWND window) {
  const HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const int region = GetWindowRgn(window, probe);
  DeleteObject(probe);
  return {GetWindowLongPtrW(window, GWLP_WNDPROC), GetWindowLongA(window, GWL_STYLE), region,
          PropertiesOf(window), IsWindowUnicode(window) != FALSE};
}

class AttachTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
    c_ = gallery::CreateGallery(GetModuleHandleA(nullptr), 20, 20);
  }
  void TearDown() override {
    skin::SkinDetach(c_.form);
    DestroyWindow(c_.form);
  }
  gallery::Controls c_;
};

TEST_F(AttachTest, AttachesEachWindowOnceAndDetachRestoresEveryWindowExactly) {
  const std::vector<HWND> tree = TreeOf(c_.form);
  std::map<HWND, Snapshot> before;
  for (HWND w : tree) before[w] = SnapshotOf(w);

  EXPECT_EQ(skin::SkinAttach(c_.form), 1);
  EXPECT_EQ(skin::SkinAttach(c_.form), 0);
  EXPECT_EQ(skin::SkinnedWindowCount, static_cast<int32_t>(tree.size()));
  for (HWND w : tree) {
    EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&skin::SkinWindowProc));
    EXPECT_EQ(skin::GetProperty(w, skin::ProcAddrProperty), before[w].procedure);
    EXPECT_TRUE(IsWindowUnicode(w));  // the skin's procedure is a Unicode one
  }
  EXPECT_FALSE(before[c_.push].unicode);  // so detach has an ANSI window to give back
  EXPECT_EQ(skin::GetProperty(c_.pushDisabled, skin::OldStateProperty), skin::StateDisabled);
  EXPECT_EQ(skin::GetProperty(c_.push, skin::OldStateProperty), skin::StateNormal);
  EXPECT_EQ(GetWindowLongA(c_.push, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(skin::GetProperty(c_.header, skin::HdIndexProperty), -1);

  EXPECT_EQ(skin::SkinDetach(c_.form), 1);
  EXPECT_EQ(skin::SkinDetach(c_.form), 0);
  for (HWND w : tree) EXPECT_TRUE(SnapshotOf(w) == before[w]) << skin::WindowClassName(w);
  EXPECT_EQ(skin::SkinnedWindowCount, 0);
  EXPECT_FALSE(skin::SkinInitialised);
  EXPECT_EQ(skin::SkinAtlas.ButtonFaceStrip, nullptr);
}

TEST_F(AttachTest, AButtonThatIsNoPushButtonGetsItsSurfacesButKeepsItsType) {
  const HWND group = CreateWindowA("Button", "g", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 300, 240, 120,
                                   40, c_.form, nullptr, nullptr, nullptr);
  skin::SkinAttach(c_.form);
  EXPECT_EQ(GetWindowLongA(group, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
  EXPECT_EQ(skin::GetProperty(group, skin::OldStyleProperty), GetWindowLongA(group, GWL_STYLE));
  for (int state = 0; state < 4; ++state) EXPECT_NE(skin::StateSurface(group, state), nullptr);
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(group, region), COMPLEXREGION);
  DeleteObject(region);
}

// Detach writes back only the button type: a button disabled while skinned stays disabled.
TEST_F(AttachTest, DetachKeepsWhatChangedWhileSkinned) {
  skin::SkinAttach(c_.form);
  EnableWindow(c_.push, FALSE);
  skin::SkinDetach(c_.form);
  EXPECT_FALSE(IsWindowEnabled(c_.push));
  EXPECT_EQ(GetWindowLongA(c_.push, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(AttachTest, TheAtlasStaysUntilTheLastSkinnedWindowGoes) {
  skin::SkinAttach(c_.form);
  // Shown without activation: when an active window goes, the one activated next is named to it
  // in WM_ACTIVATE and would be skinned again.
  const HWND other = CreateWindowA("Form", "other", WS_POPUP, 500, 20, 100, 60, nullptr, nullptr,
                                   nullptr, nullptr);
  ShowWindow(other, SW_SHOWNA);
  // As WM_ACTIVATE does for a dialog box that comes up.
  SendMessageA(c_.form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other));
  EXPECT_NE(skin::GetProperty(other, skin::ProcAddrProperty), 0);
  skin::SkinDetach(c_.form);
  EXPECT_TRUE(skin::SkinInitialised);
  EXPECT_NE(skin::SkinAtlas.CheckGlyphs, nullptr);
  DestroyWindow(other);  // its WM_DESTROY detaches it
  EXPECT_FALSE(skin::SkinInitialised);
  EXPECT_EQ(skin::SkinnedWindowCount, 0);
}

TEST_F(AttachTest, LatePopUpsJoinOnlyWhenTheyShould) {
  skin::SkinAttach(c_.form);
  const HWND list = CreateWindowA("ComboLBox", "", WS_POPUP, 0, 0, 10, 10, c_.form, nullptr, nullptr, nullptr);
  const HDC dc = GetDC(list);
  const LRESULT direct = CallWindowProcA(reinterpret_cast<WNDPROC>(skin::GetProperty(c_.form, skin::ProcAddrProperty)),
                                         c_.form, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(list));
  const int32_t count = skin::SkinnedWindowCount;
  EXPECT_EQ(SendMessageA(c_.form, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list)), direct);
  EXPECT_NE(skin::GetProperty(list, skin::ProcAddrProperty), 0);
  SendMessageA(c_.form, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
  SendMessageA(c_.form, WM_ENTERIDLE, 0, 0);
  EXPECT_EQ(skin::SkinnedWindowCount, count + 1);
  ReleaseDC(list, dc);

  const HWND foreign = CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SendMessageA(c_.form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(foreign));
  SendMessageA(c_.form, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(skin::GetProperty(foreign, skin::ProcAddrProperty), 0);
  DestroyWindow(foreign);
  DestroyWindow(list);
}

// What the message box showed while it was up, read from inside its modal loop.
struct SeenBox {
  bool found = false;
  bool skinned = false;
  COLORREF left = 0, top = 0;
};
SeenBox g_seenBox;

void CALLBACK InspectMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = FindWindowA("#32770", "skin test");
  if (!box) return;
  KillTimer(nullptr, timer);
  const HWND button = FindWindowExA(box, nullptr, "Button", nullptr);
  g_seenBox.found = button != nullptr;
  if (button) {
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const skin::WindowBounds b = BoundsOf(button);
    g_seenBox.skinned = skin::GetProperty(button, skin::ProcAddrProperty) != 0;
    g_seenBox.left = WindowPixel(button, 0, b.Height / 2);
    g_seenBox.top = WindowPixel(button, b.Width / 2, 0);
  }
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(AttachTest, ARealMessageBoxOverASkinnedWindowComesUpWithItsButtonSkinned) {
  skin::SkinAttach(c_.form);
  SetForegroundWindow(c_.form);
  WaitUntil([&] { return GetForegroundWindow() == c_.form; }, 2000);
  g_seenBox = {};
  // A quit message left by an earlier gallery's close would end the box's loop at once.
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  SetTimer(nullptr, 0, 100, &InspectMessageBox);
  MessageBoxA(c_.form, "body", "skin test", MB_OK);
  EXPECT_TRUE(g_seenBox.found);
  EXPECT_TRUE(g_seenBox.skinned);
  EXPECT_EQ(g_seenBox.left, 0x00D58F1Bu);
  EXPECT_EQ(g_seenBox.top, 0x00D58F1Bu);
}

// The container's own procedure sees WM_DESTROY after the skin has left it and its children.
LRESULT CALLBACK RecordingContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static std::vector<intptr_t>* seen = nullptr;
  if (message == WM_APP) seen = reinterpret_cast<std::vector<intptr_t>*>(lParam);
  if (message == WM_DESTROY && seen) {
    seen->push_back(skin::GetProperty(window, skin::ProcAddrProperty));
    seen->push_back(skin::GetProperty(GetWindow(window, GW_CHILD), skin::ProcAddrProperty));
  }
  if (message == WM_SETTEXT && seen) seen->push_back(-1);
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(AttachTest, DestroyDetachesFirstAndAWindowWithoutItsPropertyGetsTheDefaultProcedure) {
  WNDCLASSA cls = {};
  cls.lpfnWndProc = &RecordingContainerProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = "ThunderFormDC";
  RegisterClassA(&cls);
  std::vector<intptr_t> seen;
  const HWND container = CreateWindowA("ThunderFormDC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  CreateWindowA("Button", "b", WS_CHILD, 0, 0, 20, 20, container, nullptr, nullptr, nullptr);
  SendMessageA(container, WM_APP, 0, reinterpret_cast<LPARAM>(&seen));
  skin::SkinAttach(container);
  DestroyWindow(container);
  EXPECT_EQ(seen, (std::vector<intptr_t>{0, 0}));

  const HWND stray = CreateWindowA("ThunderFormDC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(stray, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&skin::SkinWindowProc));
  seen.clear();
  SendMessageA(stray, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(skin::SkinWindowProc(nullptr, WM_SETTEXT, 0, 0), 0);
  DestroyWindow(stray);
  SendMessageA(container, WM_APP, 0, 0);
}

TEST_F(AttachTest, ResizeRendersNewFacesAtTheNewSizeWithMatchingBitmaps) {
  skin::SkinAttach(c_.form);
  SetWindowPos(c_.push, nullptr, 0, 0, 150, 40, SWP_NOMOVE | SWP_NOZORDER);
  for (int state = 0; state < 4; ++state) {
    const auto bitmap = reinterpret_cast<HBITMAP>(skin::GetProperty(c_.push, skin::StateBitmapProperty(state).c_str()));
    EXPECT_EQ(GetCurrentObject(skin::StateSurface(c_.push, state), OBJ_BITMAP), bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 150);
    EXPECT_EQ(info.bmHeight, 40);
  }
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(c_.push, region);
  RECT box;
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(box.right, 150);
  EXPECT_EQ(box.bottom, 40);
}

TEST_F(AttachTest, DetachGivesBackWhatTheFirstAttachTookAndAThousandCyclesLeaveNothing) {
  // The first attach makes the atlas and the toolkit's kept objects; painting every control
  // grows the kept surfaces. The last detach gives every handle back.
  const int before = GdiHeadroom();
  skin::SkinAttach(c_.form);
  RedrawWindow(c_.form, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_NE(skin::SkinDrawing.ReferenceDc, nullptr);
  EXPECT_GT(skin::SkinDrawing.PaintSurface.Width, 0);
  skin::SkinDetach(c_.form);
  EXPECT_EQ(skin::SkinDrawing.ReferenceDc, nullptr);
  EXPECT_EQ(GdiHeadroom(), before);

  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    skin::SkinAttach(c_.form);
    skin::SkinDetach(c_.form);
  }, 1000), 0);
}

TEST_F(AttachTest, AThousandResizesOfASkinnedButtonLeaveNoGdiObjectBehind) {
  skin::SkinAttach(c_.form);
  int width = 120;
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
    width = width == 120 ? 130 : 120;
    SetWindowPos(c_.push, nullptr, 0, 0, width, 28, SWP_NOMOVE | SWP_NOZORDER);
  }, 1000), 0);
}

TEST(GalleryLeakTest, OpeningAndClosingTheSkinnedGalleryAHundredTimesLeavesNoGdiObjectBehind) {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  EXPECT_EQ(GdiObjectsLeakedBy([] {
    const gallery::Controls c = gallery::CreateGallery(GetModuleHandleA(nullptr), 20, 20);
    skin::SkinAttach(c.form);
    DestroyWindow(c.form);  // each window's WM_DESTROY detaches it
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
  }, 100), 0);
  EXPECT_EQ(skin::SkinnedWindowCount, 0);
  EXPECT_FALSE(skin::SkinInitialised);
}

}  // namespace
