// Combo boxes and drive lists: the look's border and drop button over the control, hot under the
// pointer and pressed while held or open.
#pragma once

#include "skin/controls/room.h"

namespace skin {

namespace controls {
extern const Room ComboBoxRoom;
}  // namespace controls

// The drop button of a combo box, into `dc` (0: the window's own DC). An open list is drawn
// pressed whatever `state` asks. Draws only when the state differs from "OLDSTATE" or `force`.
void PaintComboButton(HWND window, HDC dc, int state, bool force);

}  // namespace skin
