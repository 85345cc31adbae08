// Check boxes and option buttons: the look's square or circle over the box the control draws
// itself, after every message on which it draws it.
#pragma once

#include "skin/controls/room.h"

namespace skin {

namespace controls {
// The check boxes and option buttons the skin was first made for (their own classes), attached or
// dressed: the state machine of the pointer, the space bar, the focus and enabling.
extern const Room CheckBoxRoom;
// A "Button" check box, radio button or push-like box of a dressed thread: it keeps the push
// button's preparation and its own painting, and the skin's square, circle or face goes over it.
extern const Room ToggleButtonRoom;
}  // namespace controls

// The check square and the option circle over what the control drew. 1 when drawn, 0 when the
// state was already shown and `force` was not set.
int PaintCheckBox(HWND window, int state, bool force);
int PaintOptionButton(HWND window, int state, bool force);
// The check square (SM_CXMENUCHECK x SM_CYMENUCHECK) and the option circle with their marks, at
// (x, y) of `target`, for a state 0 to 2; a disabled control shows the pale look whatever the
// state.
void DrawCheckSquare(HDC target, int x, int y, int state, int check, bool enabled);
void DrawOptionCircle(HDC target, int x, int y, int state, int check, bool enabled);

}  // namespace skin
