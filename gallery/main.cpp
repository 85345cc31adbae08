// SkinGallery: one control of every kind the skin knows, skinned, to try the skin by hand; and a
// second window of the system's standard controls, worn through a dressed thread. With --plain
// neither wears the skin. F2 switches both between the light and the dark look while they run;
// --theme NAME|FOLDER starts in that look; a theme that cannot be worn is refused in one line on
// standard error (in a message box when there is none to write to) with exit code 2.
#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "gallery/gallery.h"
#include "skin/look/items.h"
#include "skin/skin.h"

namespace {

constexpr WPARAM SwitchThemeKey = VK_F2;
constexpr wchar_t ThemeOption[] = L"--theme";
constexpr wchar_t ProgramName[] = L"SkinGallery";
constexpr int RefusedExit = 2;

// The argument after --theme on the command line; false when there is none.
bool ThemeArgument(std::wstring* theme) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  bool given = false;
  for (int i = 1; arguments && i + 1 < count; ++i) {
    if (std::wstring(arguments[i]) == ThemeOption) {
      *theme = arguments[i + 1];
      given = true;
    }
  }
  LocalFree(arguments);
  return given;
}

// All of `text` to a console (UTF-16) or to a file or a pipe (UTF-8).
bool WriteText(HANDLE stream, const std::wstring& text) {
  if (!stream || stream == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(stream, &mode)) {
    return WriteConsoleW(stream, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
  }
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  if (length <= 0) return false;
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], length, nullptr,
                      nullptr);
  return WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// One line on standard error. A windows program has no console of its own: started from one, it
// writes to its parent's; started from a desktop, it shows the line in a message box.
void Report(const std::wstring& line) {
  const std::wstring text = std::wstring(ProgramName) + L": " + line + L"\r\n";
  if (WriteText(GetStdHandle(STD_ERROR_HANDLE), text)) return;
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    const bool written = WriteText(console, text);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    if (written) return;
  }
  MessageBoxW(nullptr, line.c_str(), ProgramName, MB_OK | MB_ICONERROR);
}

// Whether the theme can be worn; when it cannot, says why.
bool ThemeUsable(const std::wstring& nameOrFolder) {
  skin::look::Theme theme;
  bool followsSystem = false;
  std::wstring problem;
  std::vector<std::wstring> warnings;
  if (skin::look::ResolveTheme(nameOrFolder, &theme, &followsSystem, &problem, &warnings)) return true;
  Report(L"theme refused: " + problem);
  return false;
}

bool WearingDark = false;

void SwitchTheme() {
  if (skin::SkinSetTheme(WearingDark ? L"light" : L"dark")) WearingDark = !WearingDark;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool plain = std::strstr(commandLine, "--plain") != nullptr;
  std::wstring theme;
  const bool themed = !plain && ThemeArgument(&theme);
  // Refused before any window shows.
  if (themed && !ThemeUsable(theme)) return RefusedExit;
  if (!gallery::RegisterGalleryClasses(instance)) return 1;
  const gallery::Controls controls = gallery::CreateGallery(instance, 40, 40);
  const gallery::StandardControls standard = gallery::CreateStandardGallery(instance, 500, 40);
  if (!controls.form || !standard.form) return 1;
  if (!plain) {
    if (themed && !skin::SkinSetTheme(theme.c_str())) return RefusedExit;
    WearingDark = _wcsicmp(theme.c_str(), L"dark") == 0;
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
