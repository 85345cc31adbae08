// Toolbars and rebars on a dressed thread.
#pragma once

#include "skin/controls/room.h"

namespace skin {

namespace controls {
// "ReBarWindow32": its bands on the header strip, inside the one-pixel border.
extern const Room ReBarRoom;
}  // namespace controls

// WM_NOTIFY of any window on a dressed thread: a toolbar's hot, pressed and checked buttons get
// the push-button faces through the custom draw its parent is asked for.
LRESULT ToolbarCustomDraw(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skin
