// Content colours on a dressed thread: the dark theme's backgrounds and texts on a dialog and its
// controls, the program's own colours kept and given back, the check boxes of list and tree views
// drawn from the theme's check square, and every text readable on its background.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "skin/engine.h"
#include "skin/high_contrast.h"
#include "tests/support/desktop.h"
#include "tests/support/dib.h"
#include "tests/support/gdi_headroom.h"
#include "tests/support/skinned_gallery.h"

namespace {

using namespace testing_support;
using skin::look::Role;

constexpr COLORREF Red = RGB(255, 0, 0);

COLORREF Dark(Role role) { return skin::look::DarkTheme().Colours[role]; }

// A dialog whose procedure answers the second static with red text on the system's face colour.
HWND redStatic = nullptr;
INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == redStatic) {
    SetTextColor(reinterpret_cast<HDC>(wParam), Red);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return FALSE;
}

struct Dialog {
  HWND form, label, warning, edit, list, listView, treeView, richEdit;
};

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

Dialog MakeDialog() {
  LoadLibraryA("riched20.dll");
  // A template without items: the header, then no menu, the default class and no title.
  alignas(4) static WORD blank[16] = {};
  auto* head = reinterpret_cast<DLGTEMPLATE*>(blank);
  head->style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
  head->cx = 300;
  head->cy = 200;
  Dialog d = {};
  d.form = CreateDialogIndirectParamW(GetModuleHandleA(nullptr), head, nullptr, &DialogProc, 0);
  SetWindowPos(d.form, HWND_TOP, 20, 20, 460, 300, SWP_SHOWWINDOW);
  d.label = Child(d.form, "Static", "Label text", 0, 10, 10, 120, 20);
  d.warning = redStatic = Child(d.form, "Static", "Warning text", 0, 10, 40, 120, 20);
  d.edit = Child(d.form, "Edit", "", WS_BORDER, 10, 70, 120, 24);
  d.list = Child(d.form, "ListBox", "", WS_BORDER, 10, 110, 120, 80);
  d.listView = Child(d.form, WC_LISTVIEWA, "", WS_BORDER | LVS_LIST, 150, 10, 140, 100);
  d.treeView = Child(d.form, WC_TREEVIEWA, "", WS_BORDER | TVS_CHECKBOXES, 150, 120, 140, 80);
  d.richEdit = Child(d.form, "RichEdit20A", "", WS_BORDER | ES_MULTILINE, 300, 10, 140, 80);
  SendMessageA(d.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  for (const char* text : {"Unchecked", "Checked"}) {
    LVITEMA row = {};
    row.mask = LVIF_TEXT;
    row.iItem = 9;
    row.pszText = const_cast<char*>(text);
    SendMessageA(d.listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
  }
  ListView_SetCheckState(d.listView, 1, TRUE);
  TVINSERTSTRUCTA node = {TVI_ROOT, TVI_LAST, {}};
  node.item.mask = TVIF_TEXT;
  node.item.pszText = const_cast<char*>("Node");
  SendMessageA(d.treeView, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&node));
  SendMessageA(d.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Item"));
  return d;
}

COLORREF Get(HWND window, UINT message) { return static_cast<COLORREF>(SendMessageA(window, message, 0, 0)); }

std::ptrdiff_t CountColour(HWND window, COLORREF colour) {
  const Capture capture = CaptureClient(window);
  return std::count(capture.pixels.begin(), capture.pixels.end(), colour);
}

// What the controls say their colours are and what the screen shows of their backgrounds.
using Look = std::vector<COLORREF>;

Look LookOf(const Dialog& d) {
  return {
      Get(d.listView, LVM_GETBKCOLOR),
      Get(d.listView, LVM_GETTEXTCOLOR),
      Get(d.listView, LVM_GETTEXTBKCOLOR),
      Get(d.treeView, TVM_GETBKCOLOR),
      Get(d.treeView, TVM_GETTEXTCOLOR),
      Get(d.treeView, TVM_GETLINECOLOR),
      ClientPixel(d.form, 200, 250),       // the dialog
      ClientPixel(d.label, 115, 10),       // behind the label, right of its text
      ClientPixel(d.edit, 100, 10),        // inside the edit
      ClientPixel(d.list, 100, 60),        // inside the list box, below its item
      ClientPixel(d.listView, 130, 80),    // inside the list view, below its rows
      ClientPixel(d.treeView, 130, 60),    // inside the tree view, below its node
      ClientPixel(d.richEdit, 120, 60),    // inside the rich edit
  };
}

class ContentColoursTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MovePointer({0, 0});
    d_ = MakeDialog();
    Pump(150);
  }
  void TearDown() override {
    skin::SkinDetachThread();
    skin::SkinSetTheme(L"light");
    DestroyWindow(d_.form);
    Pump(20);
  }
  void Dress(const wchar_t* theme) {
    ASSERT_EQ(skin::SkinSetTheme(theme), 1);
    skin::SkinAttachThread();  // a thread already dressed stays so
    RedrawWindow(d_.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    Pump(150);
  }
  Dialog d_;
};

// The light theme colours nothing; the dark one colours every background and text but the
// program's own red, and undress gives everything back.
TEST_F(ContentColoursTest, DarkThemeColoursTheContentKeepsTheProgramsRedAndUndressGivesAllBack) {
  const Look before = LookOf(d_);
  Dress(L"light");
  EXPECT_EQ(LookOf(d_), before);
  EXPECT_EQ(CountColour(d_.label, Dark(skin::look::RoleDialogText)), 0);
  Dress(L"dark");

  const COLORREF window = Dark(skin::look::RoleWindow);
  const COLORREF dialog = Dark(skin::look::RoleDialog);
  EXPECT_EQ(ClientPixel(d_.form, 200, 250), dialog);
  EXPECT_EQ(ClientPixel(d_.label, 115, 10), dialog);
  EXPECT_EQ(ClientPixel(d_.warning, 115, 10), dialog);
  EXPECT_GT(CountColour(d_.label, Dark(skin::look::RoleDialogText)), 10);
  EXPECT_GT(CountColour(d_.warning, Red), 10);
  EXPECT_EQ(CountColour(d_.warning, Dark(skin::look::RoleDialogText)), 0);
  EXPECT_EQ(ClientPixel(d_.edit, 100, 10), window);
  for (HWND control : {d_.list, d_.listView, d_.treeView, d_.richEdit}) EXPECT_EQ(ClientPixel(control, 100, 60), window);
  EXPECT_EQ(Get(d_.listView, LVM_GETBKCOLOR), window);
  EXPECT_EQ(Get(d_.listView, LVM_GETTEXTCOLOR), Dark(skin::look::RoleWindowText));
  EXPECT_EQ(Get(d_.treeView, TVM_GETBKCOLOR), window);
  EXPECT_GT(CountColour(d_.treeView, Dark(skin::look::RoleWindowText)), 5);

  skin::SkinDetachThread();
  Pump(150);
  EXPECT_EQ(LookOf(d_), before);
}

TEST_F(ContentColoursTest, AProgramsOwnControlColourWinsAndStaysAfterUndress) {
  SendMessageA(d_.listView, LVM_SETBKCOLOR, 0, RGB(0, 0, 128));
  Dress(L"dark");
  EXPECT_EQ(Get(d_.listView, LVM_GETBKCOLOR), RGB(0, 0, 128));
  // Set while dressed: a system colour is the theme's, a colour of the program's own stays.
  SendMessageA(d_.treeView, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(Get(d_.treeView, TVM_GETBKCOLOR), Dark(skin::look::RoleWindow));
  SendMessageA(d_.treeView, TVM_SETBKCOLOR, 0, RGB(0, 128, 0));
  skin::SkinDetachThread();
  EXPECT_EQ(Get(d_.listView, LVM_GETBKCOLOR), RGB(0, 0, 128));
  EXPECT_EQ(Get(d_.treeView, TVM_GETBKCOLOR), RGB(0, 128, 0));
}

bool contrastOn = false;
bool AnswerContrast() { return contrastOn; }

TEST_F(ContentColoursTest, HighContrastShowsTheProgramsOwnColoursAndCheckBoxesUntilItEnds) {
  const Look before = LookOf(d_);
  const HIMAGELIST own = ListView_GetImageList(d_.listView, LVSIL_STATE);
  skin::SetHighContrastQuery(&AnswerContrast);
  Dress(L"dark");
  for (bool on : {true, false}) {
    contrastOn = on;
    SendMessageW(d_.form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Pump(150);
    EXPECT_EQ(LookOf(d_) == before, on);
    EXPECT_EQ(ListView_GetImageList(d_.listView, LVSIL_STATE) == own, on);
  }
  skin::SetHighContrastQuery(nullptr);
}

TEST_F(ContentColoursTest, RichEditKeepsItsFormatsAndStaysUnmodified) {
  SetWindowTextA(d_.richEdit, "plain slant");
  CHARFORMAT2A italic = {};
  italic.cbSize = sizeof italic;
  italic.dwMask = CFM_ITALIC;
  italic.dwEffects = CFE_ITALIC;
  SendMessageA(d_.richEdit, EM_SETSEL, 6, 11);
  SendMessageA(d_.richEdit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&italic));
  SendMessageA(d_.richEdit, EM_SETMODIFY, FALSE, 0);
  const auto italicAt = [&](int from, int to) {
    CHARFORMAT2A format = {};
    format.cbSize = sizeof format;
    SendMessageA(d_.richEdit, EM_SETSEL, from, to);
    SendMessageA(d_.richEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_ITALIC) && (format.dwEffects & CFE_ITALIC);
  };

  Dress(L"dark");
  EXPECT_EQ(SendMessageA(d_.richEdit, EM_GETMODIFY, 0, 0), 0);
  EXPECT_TRUE(italicAt(6, 11));
  EXPECT_FALSE(italicAt(0, 5));
  EXPECT_EQ(ClientPixel(d_.richEdit, 120, 60), Dark(skin::look::RoleWindow));

  skin::SkinDetachThread();
  Pump(100);
  EXPECT_EQ(SendMessageA(d_.richEdit, EM_GETMODIFY, 0, 0), 0);
  EXPECT_EQ(ClientPixel(d_.richEdit, 120, 60), GetSysColor(COLOR_WINDOW));
  CHARFORMAT2W standard = {};
  standard.cbSize = sizeof standard;
  SendMessageW(d_.richEdit, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&standard));
  EXPECT_TRUE(standard.dwEffects & CFE_AUTOCOLOR);
}

// A pixel of a state image drawn alone on white.
COLORREF StateImagePixel(HIMAGELIST list, int image, int x, int y) {
  const Dib dib(32, 32);
  PatBlt(dib.dc(), 0, 0, dib.width(), dib.height(), WHITENESS);
  ImageList_Draw(list, image, dib.dc(), 0, 0, ILD_NORMAL);
  return dib.at(x, y);
}

TEST_F(ContentColoursTest, CheckBoxesOfListAndTreeViewsShowTheThemesCheckSquareInBothThemes) {
  for (const auto& theme : {skin::look::LightTheme(), skin::look::DarkTheme()}) {
    SendMessageA(d_.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, 0);
    Dress(theme.Name.c_str());
    // Turned on while dressed, as an installer's components page does.
    SendMessageA(d_.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    const HIMAGELIST skins = ListView_GetImageList(d_.listView, LVSIL_STATE);
    for (HWND control : {d_.listView, d_.treeView}) {
      const UINT get = control == d_.listView ? LVM_GETIMAGELIST : TVM_GETIMAGELIST;
      const auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(control, get, LVSIL_STATE, 0));
      ASSERT_TRUE(list);
      const int count = ImageList_GetImageCount(list);
      int width = 0, height = 0;
      ImageList_GetIconSize(list, &width, &height);
      const int side = GetSystemMetrics(SM_CXMENUCHECK);
      const int left = (width - side) / 2;
      const int top = (height - GetSystemMetrics(SM_CYMENUCHECK)) / 2;
      const int unchecked = count - 2;
      EXPECT_EQ(StateImagePixel(list, unchecked, left, top + side / 2), theme.Colours[skin::look::RoleCheckFrame]);
      EXPECT_EQ(StateImagePixel(list, unchecked, left + side / 2, top + side / 2),
                theme.Colours[skin::look::RoleControlFill]);
      EXPECT_NE(StateImagePixel(list, count - 1, left + side / 2, top + side / 2),
                theme.Colours[skin::look::RoleControlFill]);
      // A tree view's image before the two boxes ("no state") is clear.
      if (count > 2) {
        EXPECT_EQ(StateImagePixel(list, 0, left + side / 2, top + side / 2), 0x00FFFFFFu);
      }
    }
    skin::SkinDetachThread();
    const HIMAGELIST own = ListView_GetImageList(d_.listView, LVSIL_STATE);
    EXPECT_NE(own, skins);
    EXPECT_EQ(ImageList_GetImageCount(own), 2);
  }
}

TEST_F(ContentColoursTest, TwentySwitchesOfADressedDialogLeaveTheHeadroomFlat) {
  Dress(L"dark");
  const Look dark = LookOf(d_);
  EXPECT_EQ(GdiObjectsLeakedBy([&] {
              for (const wchar_t* theme : {L"light", L"dark"}) {
                skin::SkinSetTheme(theme);
                UpdateWindow(d_.form);
                Pump(30);
              }
            }, 10),
            0);
  EXPECT_EQ(LookOf(d_), dark);
}

// WCAG 2 contrast of two colours: relative luminances, lighter over darker, each plus 0.05.
double Luminance(COLORREF colour) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
         0.0722 * linear(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ContentContrastTest, EveryTextIsReadableOnItsBackgroundInBothBuiltInThemes) {
  using namespace skin::look;
  for (const Theme& theme : {LightTheme(), DarkTheme()}) {
    const COLORREF* c = theme.Colours;
    // Faces 7 x 21 stacked in the button strip (7 wide), 3 x 20 side by side in the header strip
    // (9 wide): normal, hot, pressed; their centre pixels.
    const std::vector<COLORREF>& buttons = theme.Images[ImageButtonFaces];
    const std::vector<COLORREF>& headers = theme.Images[ImageHeaderFaces];
    struct Pair {
      const char* name;
      COLORREF text, back;
    };
    std::vector<Pair> pairs = {{"window", c[RoleWindowText], c[RoleWindow]},
                               {"dialog", c[RoleDialogText], c[RoleDialog]},
                               {"selection", c[RoleSelectionText], c[RoleSelection]},
                               {"tooltip", c[RoleTooltipText], c[RoleTooltip]},
                               {"control fill", c[RoleFaceText], c[RoleControlFill]}};
    for (int state = 0; state < 3; ++state) {
      pairs.push_back({"button face", c[RoleFaceText], buttons[(21 * state + 10) * 7 + 3]});
      pairs.push_back({"header face", c[RoleFaceText], headers[10 * 9 + 3 * state + 1]});
    }
    for (const Pair& pair : pairs) {
      EXPECT_GE(Contrast(pair.text, pair.back), 4.5)
          << "theme " << std::string(theme.Name.begin(), theme.Name.end()) << ", " << pair.name;
    }
  }
}

}  // namespace
