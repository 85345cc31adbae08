// Wine's notepad, winecfg and regedit, programs nobody here wrote, started dressed by
// SkinDress.exe: how many of their visible windows wear the skin at start, in their dialogs and on
// every page; whether their controls still work under real clicks; their menus, and whether
// undressing and dressing them again and again keeps their GDI objects and leaves every window as it was.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/desktop.h"
#include "tests/wine_programs/probe.h"

namespace {

using namespace testing_support;

constexpr DWORD StartTimeoutMs = 20000;
constexpr DWORD ProbeTimeoutMs = 20000;
constexpr DWORD DialogTimeoutMs = 10000;
// How long windows that have just come up get to be dressed before the coverage is judged.
constexpr DWORD LateWindowsMs = 3000;
constexpr DWORD MarkTimeoutMs = 2000;
constexpr int CoverageBarPercent = 95;
constexpr int Rounds = 6;
// A pixel counts as dark under this luminance (of 255); the dark theme darkens the share of the
// client areas' pixels at least to the first bar, from under the second without the skin.
constexpr double DarkLuminance = 100;
constexpr double DarkSharePercent = 85;
constexpr double PlainDarkSharePercent = 10;
constexpr double ContextMenuDarkSharePercent = 70;

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool Skinned(HWND window) { return GetPropA(window, "PROCADDR") != nullptr; }

// The windows of a process: its top-level windows and all their descendants, or only those of
// them that are visible.
struct WindowList {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  auto& list = *reinterpret_cast<WindowList*>(context);
  if (!list.visibleOnly || IsWindowVisible(window)) list.windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != reinterpret_cast<WindowList*>(context)->processId) return TRUE;
  CollectChild(window, context);
  EnumChildWindows(window, &CollectChild, context);
  return TRUE;
}

std::vector<HWND> WindowsOf(DWORD processId, bool visibleOnly) {
  WindowList list{processId, visibleOnly, {}};
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&list));
  return list.windows;
}

struct Coverage {
  int visible = 0;
  int skinned = 0;
  std::map<std::string, int> visibleByClass;
  std::map<std::string, int> unskinnedByClass;
  bool Complete() const { return visible > 0 && skinned == visible; }
  bool MeetsBar() const { return visible > 0 && skinned * 100 >= visible * CoverageBarPercent; }
  std::string Unskinned() const {
    std::string text;
    for (const auto& [name, count] : unskinnedByClass) {
      text += " " + name + " x" + std::to_string(count);
    }
    return text.empty() ? " none" : text;
  }
};

Coverage CoverageOf(DWORD processId) {
  Coverage coverage;
  for (HWND window : WindowsOf(processId, true)) {
    const std::string name = ClassOf(window);
    ++coverage.visible;
    ++coverage.visibleByClass[name];
    if (Skinned(window)) ++coverage.skinned;
    else ++coverage.unskinnedByClass[name];
  }
  return coverage;
}

// Prints the figures, for the record, and checks them against the bar.
void ExpectCoverage(DWORD processId, const std::string& when) {
  Coverage coverage;
  WaitUntil([&] { return (coverage = CoverageOf(processId)).Complete(); }, LateWindowsMs);
  std::printf("[ coverage ] %s: %d visible, %d skinned; not skinned:%s\n", when.c_str(),
              coverage.visible, coverage.skinned, coverage.Unskinned().c_str());
  EXPECT_TRUE(coverage.MeetsBar())
      << when << ": " << coverage.skinned << " of " << coverage.visible
      << " visible windows skinned; not skinned:" << coverage.Unskinned();
}

// Class, style and extended style of every window of a process, in the order they are found.
std::vector<std::string> StylesOf(DWORD processId) {
  std::vector<std::string> styles;
  for (HWND window : WindowsOf(processId, false)) {
    char line[320];
    std::snprintf(line, sizeof line, "%s %08lX %08lX", ClassOf(window).c_str(),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
    styles.push_back(line);
  }
  return styles;
}

// One of Wine's programs, started through SkinDress.exe (or plainly) and found by the class of
// its main window, with the probe hooked into its user-interface thread. Ended with the test.
class WineProgram {
 public:
  WineProgram(const char* commandLine, const char* mainClass, bool dressed = true) {
    const char* starter = dressed ? TAVRIN_SKINDRESS_EXE : nullptr;
    std::string line = commandLine;
    if (dressed) line = "\"" TAVRIN_SKINDRESS_EXE "\" " + line;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(starter, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &starter_)) {
      return;
    }
    WaitUntil([&] {
      main_ = FindWindowA(mainClass, nullptr);
      return main_ && IsWindowVisible(main_);
    }, StartTimeoutMs);
    if (!main_) return;
    const DWORD thread = GetWindowThreadProcessId(main_, &id_);
    program_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id_);
    const HMODULE probe = LoadLibraryA(TAVRIN_SKIN_PROBE_DLL);
    const auto hook = reinterpret_cast<HOOKPROC>(GetProcAddress(probe, "ProbeHook"));
    hook_ = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe, thread) : nullptr;
    Pump(500);  // the first paint
  }
  ~WineProgram() {
    if (hook_) UnhookWindowsHookEx(hook_);
    for (HANDLE process : {program_, starter_.hProcess}) {
      if (!process) continue;
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
    if (starter_.hThread) CloseHandle(starter_.hThread);
  }
  WineProgram(const WineProgram&) = delete;
  WineProgram& operator=(const WineProgram&) = delete;

  DWORD id() const { return id_; }
  HWND main() const { return main_; }
  bool hooked() const { return hook_ != nullptr; }

  // Runs a command in the program through the probe and returns its answer.
  intptr_t Ask(ProbeCommand command) {
    const LPARAM serial = ++serial_;
    PostMessageA(main_, RegisterWindowMessageA(ProbeCommandMessage), command, serial);
    EXPECT_TRUE(WaitUntil([&] {
      return reinterpret_cast<LPARAM>(GetPropA(main_, ProbeSerialProperty)) == serial;
    }, ProbeTimeoutMs)) << "the probe did not answer command " << command;
    return reinterpret_cast<intptr_t>(GetPropA(main_, ProbeAnswerProperty));
  }

  // Real keys go to the foreground window.
  void PressKeyInFront(WORD key, WORD modifier) {
    SetForegroundWindow(main_);
    WaitUntil([&] { return GetForegroundWindow() == main_; }, DialogTimeoutMs);
    PressKey(key, modifier);
  }

 private:
  PROCESS_INFORMATION starter_ = {};
  HANDLE program_ = nullptr;
  DWORD id_ = 0;
  HWND main_ = nullptr;
  HHOOK hook_ = nullptr;
  LPARAM serial_ = 0;
};

// Ctrl+F in notepad's window: its Find dialog, once it is up and painted.
HWND OpenFindDialog(WineProgram& notepad) {
  notepad.PressKeyInFront('F', VK_CONTROL);
  std::vector<HWND> found;
  WaitUntil([&] { return !(found = TopLevelWindows(notepad.id(), "#32770")).empty(); },
            DialogTimeoutMs);
  Pump(300);
  return found.empty() ? nullptr : found.front();
}

// The visible buttons of a dialog whose style has the given type (BS_AUTORADIOBUTTON, ...).
std::vector<HWND> ButtonsOfType(HWND dialog, LONG type) {
  std::vector<HWND> buttons;
  for (HWND child = FindWindowExA(dialog, nullptr, "Button", nullptr); child;
       child = FindWindowExA(dialog, child, "Button", nullptr)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & WS_VISIBLE) && (style & BS_TYPEMASK) == type) buttons.push_back(child);
  }
  return buttons;
}

bool ShowsMark(HWND button, LRESULT mark) {
  return WaitUntil([&] { return SendMessageA(button, BM_GETCHECK, 0, 0) == mark; }, MarkTimeoutMs);
}

// The share of a window's client area, as the screen shows it, that is dark, in per cent.
double DarkShare(const Capture& capture) {
  size_t dark = 0;
  for (COLORREF pixel : capture.pixels) {
    dark += 0.299 * GetRValue(pixel) + 0.587 * GetGValue(pixel) + 0.114 * GetBValue(pixel) < DarkLuminance;
  }
  return capture.pixels.empty() ? 0 : 100.0 * dark / capture.pixels.size();
}

class WineProgramsTest : public ::testing::Test {};

TEST_F(WineProgramsTest, NotepadIsDressedAtStartInItsFindDialogAndInItsOpenFileDialog) {
  WineProgram notepad("notepad.exe", "Notepad");
  ASSERT_NE(notepad.main(), nullptr) << "notepad did not come up through SkinDress.exe";
  ExpectCoverage(notepad.id(), "notepad at start");

  const HWND find = OpenFindDialog(notepad);
  ASSERT_NE(find, nullptr) << "Ctrl+F opened no Find dialog";
  ExpectCoverage(notepad.id(), "notepad, Find dialog");
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(find); }, DialogTimeoutMs));

  // The open-file dialog makes its shell view, a list view, only after it is activated.
  notepad.PressKeyInFront('O', VK_CONTROL);
  ASSERT_TRUE(WaitUntil([&] {
    return CoverageOf(notepad.id()).visibleByClass.count("SysListView32") > 0;
  }, DialogTimeoutMs)) << "Ctrl+O opened no open-file dialog with its file list";
  ExpectCoverage(notepad.id(), "notepad, open-file dialog");
}

TEST_F(WineProgramsTest, FindDialogsOptionButtonsAndCheckBoxChangeTheirMarksUnderRealClicks) {
  WineProgram notepad("notepad.exe", "Notepad");
  ASSERT_NE(notepad.main(), nullptr);
  const HWND find = OpenFindDialog(notepad);
  ASSERT_NE(find, nullptr);
  const auto options = ButtonsOfType(find, BS_AUTORADIOBUTTON);  // "上" and "下"
  const auto checks = ButtonsOfType(find, BS_AUTOCHECKBOX);
  ASSERT_EQ(options.size(), 2u);
  ASSERT_FALSE(checks.empty());

  // Searching down is chosen when the dialog opens: "上" is clicked first, then "下".
  ASSERT_TRUE(ShowsMark(options[1], BST_CHECKED));
  for (size_t chosen : {0u, 1u}) {
    Click(CentreOf(options[chosen]));
    EXPECT_TRUE(ShowsMark(options[chosen], BST_CHECKED)) << "option " << chosen;
    EXPECT_TRUE(ShowsMark(options[1 - chosen], BST_UNCHECKED)) << "option " << 1 - chosen;
  }
  for (HWND check : checks) {
    ASSERT_TRUE(ShowsMark(check, BST_UNCHECKED));
    Click(CentreOf(check));
    EXPECT_TRUE(ShowsMark(check, BST_CHECKED));
    Click(CentreOf(check));
    EXPECT_TRUE(ShowsMark(check, BST_UNCHECKED));
  }
}

TEST_F(WineProgramsTest, WinecfgIsDressedAtStartAndOnEachOfItsSevenPages) {
  WineProgram winecfg("winecfg.exe", "#32770");
  ASSERT_NE(winecfg.main(), nullptr) << "winecfg did not come up through SkinDress.exe";
  ExpectCoverage(winecfg.id(), "winecfg at start");
  const HWND tabs = FindWindowExA(winecfg.main(), nullptr, "SysTabControl32", nullptr);
  const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(pages, 7);
  for (int page = 0; page < pages; ++page) {
    SendMessageA(winecfg.main(), PSM_SETCURSEL, page, 0);
    ExpectCoverage(winecfg.id(), "winecfg, page " + std::to_string(page));
  }
}

// Plain, the client area of a window has few dark pixels; dressed in the dark theme, most.
void ExpectDarkness(HWND window, bool dressed) {
  const double share = DarkShare(CaptureClient(window));
  std::printf("[ dark ] %s %s: %.1f %%\n", dressed ? "dressed dark" : "plain", ClassOf(window).c_str(), share);
  if (dressed) {
    EXPECT_GE(share, DarkSharePercent) << ClassOf(window);
  } else {
    EXPECT_LT(share, PlainDarkSharePercent) << ClassOf(window);
  }
}

// Dressed dark, the title bar, frame and menu bar above notepad's client area, and its File menu
// opened by Alt+F, are dark too.
void ExpectDarkChrome(WineProgram& notepad) {
  RECT outer = {};
  GetWindowRect(notepad.main(), &outer);
  const POINT client = ClientToScreenPoint(notepad.main(), 0, 0);
  EXPECT_GE(DarkShare(CaptureScreen({outer.left, outer.top, outer.right, client.y})), DarkSharePercent);
  notepad.PressKeyInFront('F', VK_MENU);
  std::vector<HWND> menus;
  WaitUntil([&] { return !(menus = TopLevelWindows(notepad.id(), "#32768")).empty(); }, DialogTimeoutMs);
  ASSERT_FALSE(menus.empty()) << "Alt+F opened no menu";
  Pump(300);
  RECT popup = {};
  GetWindowRect(menus.front(), &popup);
  EXPECT_GE(DarkShare(CaptureScreen(popup)), DarkSharePercent);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  Pump(300);
}

// Winecfg on its first page: its About page paints half of itself white.
TEST_F(WineProgramsTest, NotepadWithItsFindDialogAndWinecfgComeOutDarkInTheDarkTheme) {
  for (bool dressed : {false, true}) {
    const std::string theme = dressed ? "--theme dark " : "";
    {
      WineProgram notepad((theme + "notepad.exe").c_str(), "Notepad", dressed);
      ASSERT_NE(notepad.main(), nullptr);
      const HWND find = OpenFindDialog(notepad);
      ASSERT_NE(find, nullptr);
      ExpectDarkness(notepad.main(), dressed);
      ExpectDarkness(find, dressed);
      if (dressed) ExpectDarkChrome(notepad);
    }
    WineProgram winecfg((theme + "winecfg.exe").c_str(), "#32770", dressed);
    ASSERT_NE(winecfg.main(), nullptr);
    SendMessageA(winecfg.main(), PSM_SETCURSEL, 0, 0);
    Pump(500);
    ExpectDarkness(winecfg.main(), dressed);
  }
}

// Every page of winecfg dressed dark: no bright block in the tab control's frame around the page,
// nor in a header, an edit box, a list view or a combo box.
TEST_F(WineProgramsTest, WinecfgShowsNoBrightSpotOnAnyPageInTheDarkTheme) {
  WineProgram winecfg("--theme dark winecfg.exe", "#32770");
  ASSERT_NE(winecfg.main(), nullptr);
  const HWND tabs = FindWindowExA(winecfg.main(), nullptr, "SysTabControl32", nullptr);
  const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int page = 0; page < pages; ++page) {
    SendMessageA(winecfg.main(), PSM_SETCURSEL, page, 0);
    Pump(400);
    const auto shown = reinterpret_cast<HWND>(SendMessageA(winecfg.main(), PSM_GETCURRENTPAGEHWND, 0, 0));
    RECT frame = {}, inside = {};
    GetWindowRect(tabs, &frame);
    GetWindowRect(shown, &inside);
    OffsetRect(&inside, -frame.left, -frame.top);
    EXPECT_FALSE(HasBrightBlock(CaptureScreen(frame), inside)) << "the frame around page " << page;
    for (HWND window : WindowsOf(winecfg.id(), true)) {
      const std::string name = ClassOf(window);
      if (name != "SysHeader32" && name != "Edit" && name != "SysListView32" && name != "ComboBox") continue;
      RECT area = {};
      GetWindowRect(window, &area);
      EXPECT_FALSE(HasBrightBlock(CaptureScreen(area))) << name << " on page " << page;
    }
  }
}

// Whether the share of dark pixels of an area (read again until it holds, or in time) is at least
// `percent`, or below it.
bool SettlesDark(const std::function<RECT()>& area, bool dark, double percent) {
  return WaitUntil([&] { return (DarkShare(CaptureScreen(area())) >= percent) == dark; }, DialogTimeoutMs);
}

// The first popup menu of the program on the screen, once there is one.
RECT OpenMenu(const WineProgram& program) {
  std::vector<HWND> menus;
  RECT place = {};
  WaitUntil([&] { return !(menus = TopLevelWindows(program.id(), "#32768")).empty(); }, DialogTimeoutMs);
  if (!menus.empty()) GetWindowRect(menus.front(), &place);
  return place;
}

// Dressed dark, notepad's bar, its File menu and its edit box's own context menu (tracked with
// TPM_NONOTIFY: no WM_INITMENUPOPUP comes) are dark, and the system's light ones while the
// screen-reader flag is on (set as a screen reader sets it, and put back at the end).
TEST_F(WineProgramsTest, NotepadsMenusAreDarkAndTheSystemsWhileAScreenReaderRuns) {
  BOOL was = FALSE;
  SystemParametersInfoW(SPI_GETSCREENREADER, 0, &was, 0);
  auto set = [](BOOL on) { SystemParametersInfoW(SPI_SETSCREENREADER, on, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE); };
  const std::shared_ptr<void> restore(nullptr, [set, was](void*) { set(was); });
  set(FALSE);
  WineProgram notepad("--theme dark notepad.exe", "Notepad");
  ASSERT_NE(notepad.main(), nullptr);
  const HWND edit = FindWindowExA(notepad.main(), nullptr, "Edit", nullptr);  // below the bar, as wide
  const auto bar = [&] {
    RECT r = {};
    GetWindowRect(edit, &r);
    return RECT{r.left, r.top - GetSystemMetrics(SM_CYMENU) + 2, r.right, r.top - 2};
  };
  for (const BOOL on : {FALSE, TRUE, FALSE}) {
    set(on);
    const double percent = on ? PlainDarkSharePercent : DarkSharePercent;
    EXPECT_TRUE(SettlesDark(bar, !on, percent)) << "bar, screen reader " << on;
    notepad.PressKeyInFront('F', VK_MENU);
    const RECT file = OpenMenu(notepad);
    EXPECT_TRUE(SettlesDark([&] { return file; }, !on, percent)) << "File menu, screen reader " << on;
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return TopLevelWindows(notepad.id(), "#32768").empty(); }, DialogTimeoutMs);
    for (const DWORD step : {MOUSEEVENTF_MOVE, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}) SendPointer(step, CentreOf(edit));
    EXPECT_TRUE(SettlesDark([&] { return OpenMenu(notepad); }, !on, on ? percent : ContextMenuDarkSharePercent))
        << "edit menu, screen reader " << on;
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return TopLevelWindows(notepad.id(), "#32768").empty(); }, DialogTimeoutMs);
  }
}

// The vertical bar of notepad's edit, as the screen shows it: just right of the edit's client area.
double DarkShareOfBar(HWND edit) {
  RECT client = {};
  GetClientRect(edit, &client);
  const POINT corner = ClientToScreenPoint(edit, client.right, 0);
  return DarkShare(CaptureScreen({corner.x, corner.y, corner.x + GetSystemMetrics(SM_CXVSCROLL),
                                  corner.y + client.bottom}));
}

// A text of 400 lines in the prefix's temporary folder, for notepad to open.
std::string LongTextFile() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "tavrin-long.txt";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    for (int line = 1; line <= 400; ++line) std::fprintf(file, "line %d\r\n", line);
    std::fclose(file);
  }
  return path;
}

// Notepad with a long text: its bar is the system's light one plain, and dark in the dark theme at
// rest, after Ctrl+End and after the wheel.
TEST_F(WineProgramsTest, NotepadsScrollBarIsDarkInTheDarkThemeAtRestAfterKeysAndTheWheel) {
  const std::string file = LongTextFile();
  for (bool dressed : {false, true}) {
    WineProgram notepad(((dressed ? "--theme dark " : "") + std::string("notepad.exe ") + file).c_str(), "Notepad",
                        dressed);
    ASSERT_NE(notepad.main(), nullptr);
    const HWND edit = FindWindowExA(notepad.main(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    std::vector<double> shares = {DarkShareOfBar(edit)};
    notepad.PressKeyInFront(VK_END, VK_CONTROL);
    Pump(300);
    shares.push_back(DarkShareOfBar(edit));
    Wheel(CentreOf(edit), -3);
    Pump(300);
    shares.push_back(DarkShareOfBar(edit));
    for (const double share : shares) {
      std::printf("[ dark ] %s notepad's bar: %.1f %%\n", dressed ? "dressed dark" : "plain", share);
      if (dressed) {
        EXPECT_GE(share, DarkSharePercent);
      } else {
        EXPECT_LT(share, PlainDarkSharePercent);
      }
    }
  }
}

// Notepad with a long text dressed in Wine's light style: its caption and frame show the outer line
// (144) round white of blue_window_caption.bmp and blue_window_frame_*.bmp, its menu bar the white
// of blue_menu_bar_background.bmp over its last row of 245, the edit's bar the track (245) and the
// arrow cell (174 round white) of the style, and the File menu the style's border (174), ground
// (245), hot item (48, 150, 250) and separator line (166).
TEST_F(WineProgramsTest, NotepadInTheLightStyleShowsTheStylesCaptionMenusAndScrollBar) {
  constexpr COLORREF White = RGB(255, 255, 255), Line = RGB(144, 144, 144), Grey = RGB(174, 174, 174);
  constexpr COLORREF Ground = RGB(245, 245, 245), Blue = RGB(48, 150, 250), Separator = RGB(166, 166, 166);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  WineProgram notepad(("--theme " + std::string(windows) + "\\resources\\themes\\light\\light.msstyles notepad.exe " +
                       LongTextFile()).c_str(), "Notepad");
  ASSERT_NE(notepad.main(), nullptr);
  notepad.PressKeyInFront(VK_END, VK_CONTROL);
  // Whether Wine shows notepad active depends on which window had the foreground as it came up;
  // the caption and frame take the style's line for the state the skin was last told.
  const bool active = GetPropA(notepad.main(), "NCACTIVE") == reinterpret_cast<HANDLE>(2);
  const COLORREF line = active ? Line : Grey;
  RECT outer = {};
  GetWindowRect(notepad.main(), &outer);
  const POINT client = ClientToScreenPoint(notepad.main(), 0, 0);
  const RECT above = {outer.left, outer.top, outer.right, client.y};
  EXPECT_TRUE(WaitUntil([&] { return CaptureScreen(above).at(20, 0) == line; }, DialogTimeoutMs));
  const Capture top = CaptureScreen(above);
  EXPECT_EQ(top.at(top.width / 2, GetSystemMetrics(SM_CYFRAME) + 4), White);
  EXPECT_EQ(top.at(top.width - 20, top.height - 8), White);
  EXPECT_EQ(top.at(top.width - 20, top.height - 1), Ground);
  EXPECT_EQ(CaptureScreen({outer.left, (outer.top + outer.bottom) / 2, outer.left + 2, outer.bottom}).at(0, 0), line);

  const HWND edit = FindWindowExA(notepad.main(), nullptr, "Edit", nullptr);
  RECT inside = {};
  GetClientRect(edit, &inside);
  const POINT corner = ClientToScreenPoint(edit, inside.right, 0);
  const Capture bar = CaptureScreen({corner.x, corner.y, corner.x + GetSystemMetrics(SM_CXVSCROLL), corner.y + inside.bottom});
  EXPECT_EQ(bar.at(0, 8), Grey);
  EXPECT_EQ(bar.at(3, 8), White);
  EXPECT_EQ(bar.at(8, bar.height / 3), Ground);

  notepad.PressKeyInFront('F', VK_MENU);
  const RECT file = OpenMenu(notepad);
  Capture menu;
  EXPECT_TRUE(WaitUntil([&] { return (menu = CaptureScreen(file)).CountInRect({0, 0, menu.width, menu.height}, Blue) > 100; },
                        DialogTimeoutMs));
  EXPECT_EQ(menu.at(0, menu.height / 2), Grey);
  EXPECT_EQ(menu.at(menu.width - 2, menu.height - 2), Ground);
  int separatorRows = 0;
  for (int y = 0; y < menu.height; ++y) separatorRows += menu.CountInRow(y, 0, menu.width, Separator) > menu.width / 2;
  EXPECT_GE(separatorRows, 1);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
}

TEST_F(WineProgramsTest, RegeditIsDressedAtStart) {
  WineProgram regedit("regedit.exe", "RegEdit_RegEdit");
  ASSERT_NE(regedit.main(), nullptr) << "regedit did not come up through SkinDress.exe";
  ExpectCoverage(regedit.id(), "regedit at start");
}

// With the Find dialog open, so that there are push buttons, which are owner-drawn while dressed.
TEST_F(WineProgramsTest, NotepadAndFindDialogUndressedAndDressedSixTimesKeepGdiObjectsAndStyles) {
  std::vector<std::string> plainStyles;
  {
    WineProgram plain("notepad.exe", "Notepad", false);
    ASSERT_NE(plain.main(), nullptr);
    ASSERT_NE(OpenFindDialog(plain), nullptr);
    plainStyles = StylesOf(plain.id());
  }
  WineProgram notepad("notepad.exe", "Notepad");
  ASSERT_NE(notepad.main(), nullptr);
  ASSERT_TRUE(notepad.hooked()) << "the probe could not be hooked into notepad";
  ASSERT_NE(OpenFindDialog(notepad), nullptr);
  std::vector<intptr_t> headroom;
  for (int round = 0; round < Rounds; ++round) {
    EXPECT_GT(notepad.Ask(ProbeUndress), 0) << "round " << round;
    int skinned = 0;
    for (HWND window : WindowsOf(notepad.id(), false)) skinned += Skinned(window);
    EXPECT_EQ(skinned, 0) << "round " << round;
    EXPECT_EQ(StylesOf(notepad.id()), plainStyles) << "round " << round;
    // Undressed windows repaint as the system paints them, when the program's queue is next
    // idle. The system's first drawing of its own scroll bar makes objects it keeps for good (the
    // dressed notepad never had it draw one); waiting for that paint makes them in the first round.
    Pump(300);
    EXPECT_GT(notepad.Ask(ProbeDress), 0) << "round " << round;
    headroom.push_back(notepad.Ask(ProbeHeadroom));
    std::printf("[ headroom ] round %d: %ld\n", round, static_cast<long>(headroom.back()));
  }
  // Objects made once (the system's, the skin's kept surfaces) may come in the first rounds; from
  // the third round on none may be kept.
  for (int round = 3; round < Rounds; ++round) {
    EXPECT_EQ(headroom[round], headroom[2]) << "round " << round;
  }
}

}  // namespace
