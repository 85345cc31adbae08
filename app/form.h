// The window class of the program's top-level windows, "Form", which the skin recognises as a
// container. Form1 and Form2 share it; each window brings its own procedure at creation.
#pragma once

#include <windows.h>

namespace app {

inline constexpr char FormClassName[] = "Form";
// The class is registered through the wide functions, so that its windows are Unicode windows
// and keep their UTF-16 captions whatever the system's ANSI code page.
inline constexpr wchar_t FormClassNameW[] = L"Form";

// A form's own message handler. Messages that arrive before WM_NCCREATE has stored it, and
// messages it hands on, go to DefWindowProcW.
using FormProcedure = LRESULT (*)(HWND form, UINT message, WPARAM wParam, LPARAM lParam);

bool RegisterFormClass(HINSTANCE instance);

// Creates a hidden form whose client area has the given size in pixels; `at` is its top-left
// corner on the screen, or null to centre it.
HWND CreateForm(HINSTANCE instance, const wchar_t* caption, SIZE client, DWORD style,
                const POINT* at, FormProcedure procedure);

// Focus handling of a form that is not a dialog box: the focused control is remembered when the
// form loses activation and given the focus again when it comes back (`fallback` the first time).
void RememberFocus(HWND form);
void RestoreFocus(HWND form, HWND fallback);
// Removes what RememberFocus stored; forms call it when they are destroyed.
void ForgetFocus(HWND form);

// Whether `window` is one of the program's forms.
bool IsForm(HWND window);

}  // namespace app
