#include "tests/hardening/tree_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "skin/controls/push_button.h"
#include "skin/engine.h"
#include "tests/support/desktop.h"

namespace hardening {
namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

bool IsComboLike(HWND window) {
  const skin::WindowKind kind = skin::ClassifyWindow(window);
  return kind == skin::KindCombo || kind == skin::KindDriveList;
}

HWND DropListOf(HWND combo) {
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

const std::vector<std::string>& SkinPropertyNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all = {skin::ProcAddrProperty,   skin::OldStyleProperty,
                                    skin::MouseFlagProperty,  skin::TimerIdProperty,
                                    skin::OldStateProperty,   skin::AlphaLevelProperty,
                                    skin::HdIndexProperty,    skin::HmIndexProperty,
                                    skin::AnsiWindowProperty, "SKINCOPY", "PASSPROC"};
    for (int state = 0; state < skin::VisualStateCount; ++state) {
      all.push_back(skin::StateSurfaceProperty(state));
      all.push_back(skin::StateBitmapProperty(state));
    }
    return all;
  }();
  return names;
}

std::map<HWND, int>* postedCounts = nullptr;
UINT loggedMessage = 0;

LRESULT CALLBACK OnGetMessage(int code, WPARAM removal, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removal == PM_REMOVE && postedCounts && message->message == loggedMessage) {
    ++(*postedCounts)[message->hwnd];
  }
  return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

std::vector<HWND> WindowTree(HWND root) {
  std::vector<HWND> windows{root};
  EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&windows));
  const size_t descendants = windows.size();
  for (size_t i = 0; i < descendants; ++i) {
    if (!IsComboLike(windows[i])) continue;
    const HWND list = DropListOf(windows[i]);
    // CBS_SIMPLE's list is a child, already listed; the others hang below the desktop.
    if (list && !IsChild(root, list)) windows.push_back(list);
  }
  return windows;
}

// Names, not values: a property set to 0 is still there.
BOOL CALLBACK CollectPropertyName(HWND, LPSTR name, HANDLE, ULONG_PTR list) {
  // Atom-named properties have a zero high word and no string to read.
  if (HIWORD(reinterpret_cast<ULONG_PTR>(name))) reinterpret_cast<std::set<std::string>*>(list)->insert(name);
  return TRUE;
}

std::vector<std::string> SkinPropertiesOf(HWND window) {
  std::set<std::string> all;
  EnumPropsExA(window, CollectPropertyName, reinterpret_cast<LPARAM>(&all));
  std::vector<std::string> present;
  for (const std::string& name : SkinPropertyNames()) {
    if (all.count(name)) present.push_back(name);
  }
  return present;
}

WindowState StateOf(HWND window) {
  const HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const int region = GetWindowRgn(window, probe);
  DeleteObject(probe);
  return {GetWindowLongPtrW(window, GWLP_WNDPROC), GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK, region};
}

TreeState StateOfTree(HWND root) {
  TreeState state;
  for (HWND window : WindowTree(root)) state[window] = StateOf(window);
  return state;
}

static BOOL CALLBACK CollectTopLevel(HWND window, LPARAM list) {
  auto& windows = *reinterpret_cast<std::vector<HWND>*>(list);
  windows.push_back(window);
  EnumChildWindows(window, CollectChild, list);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

int SkinnedWindowsOfThread() {
  int count = 0;
  for (HWND window : ThreadWindows()) {
    count += skin::GetProperty(window, skin::ProcAddrProperty) != 0 &&
             GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&skin::SkinWindowProc);
  }
  return count;
}

void ExpectRestored(const TreeState& before) {
  for (const auto& [window, was] : before) {
    const std::string name = skin::WindowClassName(window);
    const WindowState now = StateOf(window);
    EXPECT_EQ(now.procedure, was.procedure) << name << " keeps another window procedure";
    EXPECT_EQ(now.typeBits, was.typeBits) << name << " keeps another button type";
    EXPECT_EQ(now.regionType, was.regionType) << name << " keeps a window region";
    EXPECT_EQ(SkinPropertiesOf(window), std::vector<std::string>{}) << name << " keeps skin properties";
  }
}

void ExpectSkinReleased() {
  std::string skinned;
  for (HWND window : ThreadWindows()) {
    if (!SkinPropertiesOf(window).empty()) skinned += " " + skin::WindowClassName(window);
  }
  EXPECT_EQ(skinned, "") << "windows of this thread that still carry skin properties";
  EXPECT_EQ(skin::SkinnedWindowCount, 0);
  EXPECT_FALSE(skin::SkinInitialised);
  EXPECT_EQ(skin::SkinAtlas.ButtonFaceStrip, nullptr);
  EXPECT_EQ(skin::SkinDrawing.ReferenceDc, nullptr);
}

int SettingOr(const char* name, int fallback) {
  const char* text = std::getenv(name);
  const long value = text ? std::strtol(text, nullptr, 10) : 0;
  return value > 0 ? static_cast<int>(value) : fallback;
}

void FillWindowDcCache() {
  constexpr int WineDcCacheSize = 64;
  const HWND lender = CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  std::vector<HDC> held;
  for (int i = 0; i < WineDcCacheSize; ++i) held.push_back(GetDC(lender));
  for (HDC dc : held) ReleaseDC(lender, dc);
  DestroyWindow(lender);  // its cached device contexts become free ones
}

RecordedGallery::RecordedGallery(const std::function<void(const gallery::Controls&)>& beforeRecording) {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  controls_ = gallery::CreateGallery(GetModuleHandleA(nullptr), 20, 20);
  if (beforeRecording) beforeRecording(controls_);
  before_ = StateOfTree(controls_.form);
  skin::SkinAttach(controls_.form);
  testing_support::Pump(100);
  FillWindowDcCache();
}

RecordedGallery::~RecordedGallery() {
  if (IsWindow(controls_.form)) {
    skin::SkinDetach(controls_.form);
    DestroyWindow(controls_.form);
  }
  testing_support::Pump(20);
  // A failed test must not leave its count to the next one in the same process.
  skin::SkinnedWindowCount = 0;
  if (skin::SkinInitialised) {
    skin::ReleaseSkinAtlas();
    skin::SkinInitialised = false;
  }
}

std::vector<HWND> RecordedGallery::windows() const {
  std::vector<HWND> all;
  for (const auto& entry : before_) all.push_back(entry.first);
  return all;
}

void RecordedGallery::DetachAndExpectRestored() {
  if (GetCapture()) ReleaseCapture();
  for (HWND window : windows()) {
    if (IsComboLike(window)) SendMessageA(window, CB_SHOWDROPDOWN, FALSE, 0);
  }
  EXPECT_EQ(skin::SkinDetach(controls_.form), 1);
  for (HWND window : windows()) {
    if (window != controls_.form && !IsChild(controls_.form, window)) skin::SkinDetach(window);
  }
  ExpectRestored(before_);
  ExpectSkinReleased();
}

PostedMessageLog::PostedMessageLog(UINT message) {
  static std::map<HWND, int> counts;
  counts.clear();
  postedCounts = &counts;
  loggedMessage = message;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, &OnGetMessage, nullptr, GetCurrentThreadId());
}

PostedMessageLog::~PostedMessageLog() {
  UnhookWindowsHookEx(hook_);
  postedCounts = nullptr;
}

int PostedMessageLog::CountFor(HWND window) const {
  const auto found = postedCounts->find(window);
  return found == postedCounts->end() ? 0 : found->second;
}

}  // namespace hardening
