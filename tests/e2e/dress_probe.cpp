// Started through SkinDress.exe by the tests. Without arguments it creates a window with a
// button and exits with 0 when both carry the skin as soon as they are created, before they are
// shown, and 1 otherwise. With "windowless" it makes no window, waits 6 s for messages it never takes and exits with 5.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  if (std::strcmp(arguments, "windowless") == 0) {
    // Waiting for messages without taking any: the program is idle, no hook of the message loop
    // ever runs.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 6000, QS_KEY);
    return 5;
  }
  const HWND form = CreateWindowExW(0, L"STATIC", L"Dress probe", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                    200, nullptr, nullptr, instance, nullptr);
  const HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      10, 10, 80, 24, form, nullptr, instance, nullptr);
  const bool dressed = GetPropA(form, "PROCADDR") && GetPropA(button, "PROCADDR");
  DestroyWindow(form);
  return dressed ? 0 : 1;
}
