// The smallest Win32 program with a window, built like Tavrin.exe: SkinBench starts it as the
// baseline of the start-up measurement. It shows one window, paints it and runs a message loop
// until the window is closed.
#include <windows.h>

namespace {

constexpr char ClassName[] = "TavrinBenchMinimalWindow";
constexpr char Title[] = "Minimal window";
constexpr int Width = 400;
constexpr int Height = 200;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = &WindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = ClassName;
  if (!RegisterClassExA(&cls)) return 1;
  const HWND window = CreateWindowExA(0, ClassName, Title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, Width, Height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
