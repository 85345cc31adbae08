// The skin as a library: what an application, TavrinSkin.dll and any user of the static library
// call. Call every function on the thread that owns the windows. The engine's own declarations
// are in skin/engine.h.
#pragma once

#include <windows.h>

namespace skin {

// Skins a window and every window below it: the one-time initialisation (the mouse-tracking
// probe and the atlas) first. 1 when the window was attached now, 0 when it was null or skinned.
int SkinAttach(HWND window);
// Restores a window and every window below it; the last detach releases the atlas. 1 when the
// window was detached now, 0 when it was null or not skinned.
int SkinDetach(HWND window);

// Dresses every window of the calling thread, whatever its class, and from then on every window
// the thread creates, before it is first painted. Nonzero when the thread was dressed now; 0 when
// it already was or another thread of the process is: one thread at a time wears the skin.
int SkinAttachThread();
// Takes no more windows and restores every window of the calling thread; the atlas goes with the
// last one. Nonzero when the thread was undressed now, 0 when it was not dressed.
int SkinDetachThread();
// SkinAttachThread from inside a WH_CBT hook at HCBT_CREATEWND of `creating`: that window is not
// made yet, so it joins when its creation ends, as every later window does.
int SkinAttachThreadAtCreation(HWND creating);

// Chooses the look: "light" (the default), "dark", "auto" (the system's app mode, followed while
// it changes) or the path of a theme folder. Every window the skin has takes it at once. Nonzero
// when the theme is in use; 0, with the look unchanged, when it was refused (the reason goes to
// the debugger's output) or when called from a thread other than the one wearing the skin.
int SkinSetTheme(const wchar_t* nameOrFolder);

// Whether the skin stands aside for the system's high-contrast mode, drawing nothing of its own:
// an application that draws with colours of its own takes the system's meanwhile.
bool SkinStandsAside();

}  // namespace skin
