#include "app/form.h"

#include <cstring>

#include "app/resources/resource_ids.h"

namespace app {
namespace {

constexpr int ProcedureSlot = 0;
constexpr char FocusProperty[] = "FOCUSCONTROL";

LRESULT CALLBACK FormWindowProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrA(form, ProcedureSlot, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto procedure = reinterpret_cast<FormProcedure>(GetWindowLongPtrA(form, ProcedureSlot));
  return procedure ? procedure(form, message, wParam, lParam)
                   : DefWindowProcW(form, message, wParam, lParam);
}

HICON LoadApplicationIcon(HINSTANCE instance, int metricX, int metricY) {
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON,
                                       GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                       LR_SHARED));
}

}  // namespace

bool RegisterFormClass(HINSTANCE instance) {
  WNDCLASSEXW form = {};
  form.cbSize = sizeof form;
  form.lpfnWndProc = &FormWindowProc;
  form.cbWndExtra = sizeof(LONG_PTR);
  form.hInstance = instance;
  form.hIcon = LoadApplicationIcon(instance, SM_CXICON, SM_CYICON);
  form.hIconSm = LoadApplicationIcon(instance, SM_CXSMICON, SM_CYSMICON);
  form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = FormClassNameW;
  return RegisterClassExW(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateForm(HINSTANCE instance, const wchar_t* caption, SIZE client, DWORD style,
                const POINT* at, FormProcedure procedure) {
  RECT frame = {0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const POINT centred = {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
  const POINT origin = at ? *at : centred;
  return CreateWindowExW(0, FormClassNameW, caption, style, origin.x, origin.y, width, height,
                         nullptr, nullptr, instance, reinterpret_cast<void*>(procedure));
}

void RememberFocus(HWND form) {
  const HWND focus = GetFocus();
  if (focus && IsChild(form, focus)) SetPropA(form, FocusProperty, focus);
}

void RestoreFocus(HWND form, HWND fallback) {
  const auto remembered = static_cast<HWND>(GetPropA(form, FocusProperty));
  SetFocus(remembered && IsWindow(remembered) && IsChild(form, remembered) ? remembered : fallback);
}

void ForgetFocus(HWND form) { RemovePropA(form, FocusProperty); }

bool IsForm(HWND window) {
  char name[sizeof FormClassName + 1] = {};
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, FormClassName) == 0;
}

}  // namespace app
