/* TavrinSkin.dll: the skin for any Win32 program, from C or any language that calls a DLL.
 *
 * Every function is WINAPI (stdcall on 32-bit Windows) and exported under its plain name, so
 * GetProcAddress(dll, "SkinAttach") finds it. Call them on the thread that owns the windows.
 * Undress every window (SkinDetach, SkinDetachThread) before the DLL is freed: a dressed window's
 * procedure lives in the DLL. */
#ifndef TAVRIN_SKIN_H
#define TAVRIN_SKIN_H

#include <windows.h>

#ifdef TAVRIN_SKIN_DLL_BUILD
#define TAVRIN_SKIN_API __declspec(dllexport)
#else
#define TAVRIN_SKIN_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Dresses a window and every window below it. 1 when it was dressed now, 0 when it was null or
 * already dressed. */
TAVRIN_SKIN_API int WINAPI SkinAttach(HWND window);
/* Gives a window and every window below it its own look back. 1 when it was undressed now, 0
 * when it was null or not dressed. */
TAVRIN_SKIN_API int WINAPI SkinDetach(HWND window);
/* Dresses every window of the calling thread and every window it creates from now on. Nonzero
 * when the thread was dressed now; 0 when it already was, or another thread of the process is. */
TAVRIN_SKIN_API int WINAPI SkinAttachThread(void);
/* Undresses every window of the calling thread and takes no more. Nonzero when the thread was
 * undressed now, 0 when it was not dressed. */
TAVRIN_SKIN_API int WINAPI SkinDetachThread(void);
/* Chooses the look: L"light" (the default), L"dark", L"auto" (the system's app mode, followed
 * while it changes) or the path of a theme folder (see docs/themes.md). Every dressed window
 * takes it at once. Nonzero when the theme is in use; 0, with the look unchanged, when it was
 * refused or when called from another thread than the one wearing the skin. */
TAVRIN_SKIN_API int WINAPI SkinSetTheme(const wchar_t* nameOrFolder);

#ifdef __cplusplus
}
#endif

#endif
