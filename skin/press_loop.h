// The one loop of a press held on a part the skin tracks itself (a caption button, a scroll bar):
// the window holds the mouse capture until the left button goes up, the capture is lost or the
// window goes. Moves of the pointer and repeats that fall due are the caller's; every other message
// is dispatched as the system's own loops dispatch them.
#pragma once

#include <windows.h>

namespace skin {

struct PressSteps {
  void* context;
  // The pointer moved, to `screen`.
  void (*Move)(void* context, POINT screen);
  // Milliseconds until the next repeat is due (0: now), or INFINITE for none; and the repeat.
  DWORD (*Due)(void* context);
  void (*Repeat)(void* context);
};

// Runs the loop with the capture already taken; CallMsgFilter is asked with `filter`. True when
// the left button went up, with where it went up. WM_QUIT ends the loop and is posted again.
bool HoldPress(HWND window, int filter, const PressSteps& steps, POINT* releasedAt);

}  // namespace skin
