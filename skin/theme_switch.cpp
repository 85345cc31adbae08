// Choosing the theme while the program runs: SkinSetTheme, "auto" following the system's app
// mode, and every window of the skin taking the new look at once.
#include "skin/theme_switch.h"

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "skin/controls/push_button.h"
#include "skin/engine.h"
#include "skin/gdi/kept.h"
#include "skin/high_contrast.h"
#include "skin/look/items.h"

namespace skin {
namespace {

constexpr wchar_t AppModeSetting[] = L"ImmersiveColorSet";

// The theme was chosen as "auto".
bool ThemeFollowsSystem = false;

// Nothing wears the skin yet, or this is the thread that does.
bool OnSkinThread() {
  const DWORD self = GetCurrentThreadId();
  if (DressedThreadId != 0) return DressedThreadId == self;
  return SkinThreadId == 0 || SkinThreadId == self;
}

// The next paint draws every state as new: the windows that keep the state they show have it set
// back to rest (and no other window is given the property).
BOOL CALLBACK RetakeOne(HWND window, LPARAM) {
  if (!IsSkinnedHere(window)) return TRUE;
  switch (ClassifyWindow(window)) {
    case KindButton:
      RenderFacesAgain(window);
      break;
    case KindCombo:
    case KindDriveList:
    case KindCheck:
    case KindOption:
      SetProperty(window, OldStateProperty, IsWindowEnabled(window) ? StateNormal : StateDisabled);
      break;
    default:
      break;
  }
  look::RetakeContentColours(window);
  return TRUE;
}

// Sends each line to the debugger's output.
void ReportThemeLines(const std::wstring& problem, const std::vector<std::wstring>& warnings) {
  for (const std::wstring& line : warnings) OutputDebugStringW((L"skin: " + line + L"\n").c_str());
  if (!problem.empty()) OutputDebugStringW((L"skin: refused: " + problem + L"\n").c_str());
}

// Puts a theme on every window the skin has.
void ApplyTheme(look::Theme theme) {
  look::LeaveContentTheme();
  ReleaseKeptObjects();
  look::UseTheme(std::move(theme));
  look::SystemColoursChanged();
  if (!SkinInitialised) return;
  BuildSkinAtlas();
  HandOverEveryWindow(&RetakeOne);
}

}  // namespace

void FollowSystemTheme(LPARAM setting) {
  const auto* name = reinterpret_cast<const wchar_t*>(setting);
  if (!ThemeFollowsSystem || !name || std::wcscmp(name, AppModeSetting) != 0) return;
  const bool light = look::SystemAppsUseLightTheme();
  if (light == (look::CurrentTheme().Name == L"light")) return;
  ApplyTheme(light ? look::LightTheme() : look::DarkTheme());
}

int SkinSetTheme(const wchar_t* nameOrFolder) {
  if (!nameOrFolder || !OnSkinThread()) return 0;
  look::Theme theme;
  bool followsSystem = false;
  std::wstring problem;
  std::vector<std::wstring> warnings;
  const bool usable = look::ResolveTheme(nameOrFolder, &theme, &followsSystem, &problem, &warnings);
  ReportThemeLines(problem, warnings);
  if (!usable) return 0;
  ThemeFollowsSystem = followsSystem;
  ApplyTheme(std::move(theme));
  return 1;
}

}  // namespace skin
