// Started through SkinDress.exe by the tests: creates a window with a button and exits with 0
// when both carry the skin as soon as they are created, before they are shown, and 1 otherwise.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const HWND form = CreateWindowExW(0, L"STATIC", L"Dress probe", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                    200, nullptr, nullptr, instance, nullptr);
  const HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      10, 10, 80, 24, form, nullptr, instance, nullptr);
  const bool dressed = GetPropA(form, "PROCADDR") && GetPropA(button, "PROCADDR");
  DestroyWindow(form);
  return dressed ? 0 : 1;
}
