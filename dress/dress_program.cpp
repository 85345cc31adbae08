// DressProgram.exe "<window title>": loads TavrinSkin.dll, from beside this program, into the
// thread of the visible top-level window with that title, which then wears the skin. It waits
// until the window has gone, keeping the hook, then exits. 0 when the window was dressed.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD FindTimeoutMs = 10000;
constexpr DWORD PollMs = 100;

HWND FindByTitle(const char* title) {
  for (DWORD waited = 0; waited < FindTimeoutMs; waited += PollMs) {
    if (const HWND window = FindWindowA(nullptr, title)) return window;
    Sleep(PollMs);
  }
  return nullptr;
}

std::string BesideThisProgram(const char* file) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const HWND window = FindByTitle(argv[1]);
  if (!window) return 3;
  const HMODULE dll = LoadLibraryA(BesideThisProgram("TavrinSkin.dll").c_str());
  const auto hook = dll ? reinterpret_cast<HOOKPROC>(GetProcAddress(dll, "DressOnMessage")) : nullptr;
  if (!hook) return 4;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const HHOOK installed = SetWindowsHookExA(WH_GETMESSAGE, hook, dll, thread);
  if (!installed) return 5;
  PostMessageA(window, WM_NULL, 0, 0);
  while (IsWindow(window)) Sleep(PollMs);
  UnhookWindowsHookEx(installed);
  return 0;
}
