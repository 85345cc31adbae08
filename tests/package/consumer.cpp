// Dresses its thread through the static library: exit 0 only when the button was dressed and
// undressed.
#include <skin/skin.h>

int main() {
  const HWND form = CreateWindowExW(0, L"STATIC", L"consumer", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                    200, nullptr, nullptr, nullptr, nullptr);
  const HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      10, 10, 80, 24, form, nullptr, nullptr, nullptr);
  const bool dressed = skin::SkinAttachThread() != 0 && GetPropA(button, "PROCADDR") != nullptr;
  const bool undressed = skin::SkinDetachThread() != 0 && GetPropA(button, "PROCADDR") == nullptr;
  DestroyWindow(form);
  return dressed && undressed ? 0 : 1;
}
