// Windows joining the skin and leaving it: one window and its children (skin/attach.cpp), and
// every window of a dressed thread, those it creates later included (skin/dress.cpp).
#pragma once

#include <windows.h>

namespace skin {

int SkinAttachWindow(HWND window);
int SkinDetachWindow(HWND window);
BOOL CALLBACK AttachChildCallback(HWND child, LPARAM unused);
BOOL CALLBACK DetachChildCallback(HWND child, LPARAM unused);
// The one-time initialisation: the mouse-tracking probe and the atlas, unless already done.
void InitialiseSkin();
// Releases the atlas and every kept object; the next attach initialises again.
void ReleaseSkin();
// Whether the window may join: a live window of this thread that no copy of the skin has yet and
// that, on a dressed thread, is not left out.
bool CanJoinSkin(HWND window);
// A window that is being created takes SkinWindowProc now, passing every message on, and joins
// the skin when its WM_CREATE has ended.
void StartJoining(HWND window);
void FinishJoining(HWND window);
// Windows that never join a dressed thread: those that must not be subclassed.
bool IsLeftOut(HWND window);

}  // namespace skin
