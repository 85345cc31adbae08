// TavrinSkin.dll: the skin engine behind five plain C functions, and the two hook procedures
// through which SkinDress.exe puts the skin on a program from outside.
#define TAVRIN_SKIN_DLL_BUILD
#include "dll/TavrinSkin.h"

#include <string>

#include "skin/skin.h"

namespace {

// Set by the first call of each hook procedure in this process: the skin goes on once.
LONG cbtHookFired = 0;
LONG messageHookFired = 0;

bool FirstCall(LONG* fired) { return InterlockedCompareExchange(fired, 1, 0) == 0; }

// SkinDress.exe names the theme of the program it starts in this variable of the program's
// environment: a name or a theme folder's full path. A theme refused here leaves the light look.
constexpr wchar_t ThemeVariable[] = L"TAVRIN_SKIN_THEME";

void TakeThemeFromEnvironment() {
  const DWORD size = GetEnvironmentVariableW(ThemeVariable, nullptr, 0);
  if (size == 0) return;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(ThemeVariable, &value[0], size);
  if (length == 0 || length >= size) return;
  value.resize(length);
  skin::SkinSetTheme(value.c_str());
}

// A hook set from another process loads this DLL for as long as the hook stands, and that
// process's end removes it; the windows dressed meanwhile keep a procedure in this DLL, so the
// DLL stays loaded for the rest of the process.
void PinThisModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&PinThisModule), &self);
}

}  // namespace

extern "C" {

int WINAPI SkinAttach(HWND window) { return skin::SkinAttach(window); }
int WINAPI SkinDetach(HWND window) { return skin::SkinDetach(window); }
int WINAPI SkinAttachThread(void) { return skin::SkinAttachThread(); }
int WINAPI SkinDetachThread(void) { return skin::SkinDetachThread(); }
int WINAPI SkinSetTheme(const wchar_t* nameOrFolder) { return skin::SkinSetTheme(nameOrFolder); }

// WH_CBT, set on a program's main thread before it runs: its first window dresses the thread
// while that window is being created, so it is never seen plain.
__declspec(dllexport) LRESULT CALLBACK SkinDressCbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && FirstCall(&cbtHookFired)) {
    PinThisModule();
    TakeThemeFromEnvironment();
    skin::SkinAttachThreadAtCreation(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// WH_GETMESSAGE, set on the user-interface thread of a program that already runs.
__declspec(dllexport) LRESULT CALLBACK SkinDressMessageHook(int code, WPARAM wParam,
                                                            LPARAM lParam) {
  if (code >= 0 && FirstCall(&messageHookFired)) {
    PinThisModule();
    TakeThemeFromEnvironment();
    skin::SkinAttachThread();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
