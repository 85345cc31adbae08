// The standard controls in Wine's light style, without text, at the same places and sizes: drawn by
// the skin on a dressed thread (controls of comctl32 5, the system's theming turned off on each, so
// that every pixel the skin claims is its own), and by Wine's own theming (comctl32 6, created in an
// activation context). Each family's share of equal pixels, enabled and disabled, is printed and
// held to a floor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/skin.h"
#include "tests/support/desktop.h"
#include "tests/support/dib.h"

namespace {

using namespace testing_support;

constexpr char FormClass[] = "TavrinStyleControlsForm";
constexpr SIZE FormClient = {400, 360};
constexpr POINT FormAt = {60, 60};

// Both drawings place the same images at the same places, so every pixel is expected equal; the
// floor leaves one pixel in a thousand, less than the smallest fault the comparison found (the
// selected tab not covering the pane's edge: 7 in a thousand).
constexpr double Floor = 0.999;

// A family of controls, where it stands in the form (left, top, width, height), and its floor when
// disabled.
struct Family {
  const char* name;
  const char* className;
  DWORD style, exStyle;
  RECT place;
  double disabledFloor = Floor;
};

const Family Families[] = {
    {"push button", "Button", BS_PUSHBUTTON, 0, {10, 10, 90, 26}},
    {"check box", "Button", BS_AUTOCHECKBOX, 0, {10, 46, 90, 20}},
    {"radio", "Button", BS_AUTORADIOBUTTON, 0, {10, 72, 90, 20}},
    {"group box", "Button", BS_GROUPBOX, 0, {10, 100, 120, 60}},
    {"combo box", "ComboBox", CBS_DROPDOWNLIST, 0, {10, 170, 120, 120}},
    {"combo box, editable", "ComboBox", CBS_DROPDOWN, 0, {10, 300, 120, 120}},
    {"edit", "Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, {10, 204, 120, 22}},
    // Disabled, Wine keeps a list box's frame as it is enabled (white inside the border); the skin
    // shows the style's disabled edit frame there (its fill inside the border): a one-pixel ring,
    // 5 in a hundred pixels of this list.
    {"list box", "ListBox", LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, {10, 236, 120, 60}, 0.94},
    {"tab", WC_TABCONTROLA, TCS_FIXEDWIDTH, 0, {150, 10, 200, 70}},
    {"header", WC_HEADERA, HDS_BUTTONS, 0, {150, 90, 200, 24}},
    {"progress", PROGRESS_CLASSA, 0, 0, {150, 124, 200, 18}},
    {"progress, upright", PROGRESS_CLASSA, PBS_VERTICAL, 0, {360, 60, 18, 100}},
    {"track bar", TRACKBAR_CLASSA, TBS_AUTOTICKS, 0, {150, 152, 200, 30}},
    // An even height: for an odd one Wine leaves a row of the control's background between the
    // arrows, where the skin gives the row to the lower arrow.
    {"up-down", UPDOWN_CLASSA, 0, 0, {360, 10, 18, 30}},
    {"status bar", STATUSCLASSNAMEA, 0, 0, {0, 0, 0, 0}},
    {"toolbar", TOOLBARCLASSNAMEA, TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
     {150, 192, 200, 26}},
};
constexpr size_t FamilyCount = std::size(Families);

// What each control shows besides its frame: a mark, tabs with the first selected, header items, a
// position, a checked toolbar button. No text anywhere.
void FillIn(HWND control, const Family& f) {
  const std::string name = f.className;
  const DWORD type = f.style & BS_TYPEMASK;
  if (name == "Button" && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON)) {
    SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
  } else if (name == "ComboBox") {
    SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(control, CB_SETCURSEL, 0, 0);
  } else if (name == WC_TABCONTROLA) {
    SendMessageA(control, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 20));
    for (int i = 0; i < 3; ++i) {
      TCITEMA item = {};
      SendMessageA(control, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  } else if (name == WC_HEADERA) {
    for (int i = 0; i < 2; ++i) {
      HDITEMA item = {};
      item.mask = HDI_WIDTH;
      item.cxy = 70;
      SendMessageA(control, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  } else if (name == PROGRESS_CLASSA) {
    SendMessageA(control, PBM_SETPOS, 50, 0);
  } else if (name == TRACKBAR_CLASSA) {
    SendMessageA(control, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageA(control, TBM_SETPOS, TRUE, 3);
  } else if (name == STATUSCLASSNAMEA) {
    const int edges[] = {180, -1};
    SendMessageA(control, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  } else if (name == TOOLBARCLASSNAMEA) {
    SendMessageA(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
      buttons[i].iBitmap = I_IMAGENONE;
      buttons[i].idCommand = 100 + i;
      buttons[i].fsState = TBSTATE_ENABLED | (i == 1 ? TBSTATE_CHECKED : 0);
      buttons[i].fsStyle = BTNS_CHECK;
      buttons[i].iString = -1;
    }
    SendMessageA(control, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
  }
}

// The form with every family, shown; its controls' handles in `controls`.
HWND CreateForm(HWND* controls, DWORD extraStyle, bool themeOff) {
  WNDCLASSA c = {};
  c.lpfnWndProc = DefWindowProcA;
  c.hInstance = GetModuleHandleA(nullptr);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = FormClass;
  RegisterClassA(&c);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION;
  RECT frame = {0, 0, FormClient.cx, FormClient.cy};
  AdjustWindowRect(&frame, style, FALSE);
  const HWND form = CreateWindowExA(0, FormClass, "", style, FormAt.x, FormAt.y, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, c.hInstance, nullptr);
  for (size_t i = 0; i < FamilyCount; ++i) {
    const Family& f = Families[i];
    controls[i] = CreateWindowExA(f.exStyle, f.className, "", WS_CHILD | WS_VISIBLE | extraStyle | f.style,
                                  f.place.left, f.place.top, f.place.right, f.place.bottom, form, nullptr,
                                  c.hInstance, nullptr);
    if (themeOff) SetWindowTheme(controls[i], L"", L"");
    SendMessageA(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    FillIn(controls[i], f);
  }
  ShowWindow(form, SW_SHOWNORMAL);
  UpdateWindow(form);
  return form;
}

// What the screen shows of each control, once two reads in a row agree; the form destroyed then.
void CaptureAndClose(HWND form, const HWND* controls, Capture* into) {
  for (size_t i = 0; i < FamilyCount; ++i) {
    RECT area = {};
    GetWindowRect(controls[i], &area);
    Capture last;
    WaitUntil([&] {
      into[i] = CaptureScreen(area);
      const bool same = !into[i].pixels.empty() && into[i].pixels == last.pixels;
      last = into[i];
      return same;
    });
  }
  DestroyWindow(form);
}

// A manifest naming the common controls 6, as a themed program's.
std::wstring WriteManifest() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"style-controls-test.manifest";
  std::ofstream(path.c_str(), std::ios::trunc)
      << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
         "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" "
         "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"*\" "
         "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/></dependentAssembly></dependency>\n"
         "</assembly>\n";
  return path;
}

// The share of equal pixels, and where the first difference lies.
double ShareOfEqualPixels(const Capture& a, const Capture& b, POINT* first) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 0;
  size_t equal = 0;
  *first = {-1, -1};
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    if (a.pixels[i] == b.pixels[i]) {
      ++equal;
    } else if (first->x < 0) {
      *first = {static_cast<LONG>(i % a.width), static_cast<LONG>(i / a.width)};
    }
  }
  return static_cast<double>(equal) / static_cast<double>(a.pixels.size());
}

TEST(StyleControlsTest, TheSkinDrawsEachFamilyAsWinesThemingDoesInTheLightStyle) {
  ASSERT_TRUE(IsThemeActive()) << "Wine's theming is off: ThemeActive under ThemeManager in HKCU";
  wchar_t file[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(GetCurrentThemeName(file, MAX_PATH, nullptr, 0, nullptr, 0)));
  const std::wstring light = LightStyle();
  ASSERT_EQ(_wcsicmp(file, light.c_str()), 0) << "the prefix wears another style";
  MovePointer({0, 0});
  InitCommonControls();
  const std::wstring manifest = WriteManifest();
  ACTCTXW context = {};
  context.cbSize = sizeof context;
  context.lpSource = manifest.c_str();
  const HANDLE activation = CreateActCtxW(&context);
  ASSERT_NE(activation, INVALID_HANDLE_VALUE);

  for (const DWORD extraStyle : {0ul, static_cast<DWORD>(WS_DISABLED)}) {
    HWND controls[FamilyCount] = {};
    Capture wine[FamilyCount], skinned[FamilyCount];
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(activation, &cookie));
    HWND form = CreateForm(controls, extraStyle, false);
    DeactivateActCtx(0, cookie);
    ASSERT_NE(GetWindowTheme(controls[0]), nullptr) << "the push button is not the themed one of comctl32 6";
    CaptureAndClose(form, controls, wine);

    ASSERT_EQ(skin::SkinSetTheme(light.c_str()), 1);
    ASSERT_EQ(skin::SkinAttachThread(), 1);
    form = CreateForm(controls, extraStyle, true);
    CaptureAndClose(form, controls, skinned);
    skin::SkinDetachThread();
    skin::SkinSetTheme(L"light");

    for (size_t i = 0; i < FamilyCount; ++i) {
      POINT first = {};
      const double share = ShareOfEqualPixels(skinned[i], wine[i], &first);
      printf("%-20s %-9s %.3f\n", Families[i].name, extraStyle ? "disabled" : "enabled", share);
      EXPECT_GE(share, extraStyle ? Families[i].disabledFloor : Floor) << Families[i].name << (extraStyle ? ", disabled" : "") << ": first difference at ("
                              << first.x << ", " << first.y << ")";
    }
  }
  ReleaseActCtx(activation);
  DeleteFileW(manifest.c_str());
}

}  // namespace
