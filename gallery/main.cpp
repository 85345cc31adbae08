// SkinGallery: one control of every kind the skin knows, skinned, to try the skin by hand; and a
// second window of the system's standard controls, worn through a dressed thread. With --plain
// neither wears the skin. F2 switches both between the light and the dark look while they run;
// --theme NAME|FOLDER starts in that look.
#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <string>

#include "gallery/gallery.h"
#include "skin/skin.h"

namespace {

constexpr WPARAM SwitchThemeKey = VK_F2;
constexpr wchar_t ThemeOption[] = L"--theme";

// The argument after --theme on the command line, empty when there is none.
std::wstring ThemeArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring theme;
  for (int i = 1; arguments && i + 1 < count; ++i) {
    if (std::wstring(arguments[i]) == ThemeOption) theme = arguments[i + 1];
  }
  LocalFree(arguments);
  return theme;
}

bool WearingDark = false;

void SwitchTheme() {
  if (skin::SkinSetTheme(WearingDark ? L"light" : L"dark")) WearingDark = !WearingDark;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (!gallery::RegisterGalleryClasses(instance)) return 1;
  const gallery::Controls controls = gallery::CreateGallery(instance, 40, 40);
  const gallery::StandardControls standard = gallery::CreateStandardGallery(instance, 500, 40);
  if (!controls.form || !standard.form) return 1;
  const bool plain = std::strstr(commandLine, "--plain") != nullptr;
  if (!plain) {
    const std::wstring theme = ThemeArgument();
    if (!theme.empty() && !skin::SkinSetTheme(theme.c_str())) return 2;
    WearingDark = theme == L"dark";
    skin::SkinAttach(controls.form);
    skin::SkinAttachThread();
  }
  // Made after the thread is dressed: its windows join as they are created.
  const gallery::ScrollControls scroll = gallery::CreateScrollGallery(instance, 20, 460);
  if (!scroll.form) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!plain && message.message == WM_KEYDOWN && message.wParam == SwitchThemeKey) {
      SwitchTheme();
      continue;
    }
    if (IsDialogMessageA(controls.form, &message) || IsDialogMessageA(standard.form, &message) ||
        IsDialogMessageA(scroll.form, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
