// Containers: forms and dialogs, whose children join with them when they are attached; and every
// other window the skin has, for what a window does for its children and its own frame.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

// Forms and dialogs (their children join and leave with them when attached), and windows of
// classes no other room takes.
extern const Room ContainerRoom;

// What any window of the skin does whatever its room, after the room had no handler: its owner-
// drawn children's WM_DRAWITEM (a skinned push button is never drawn by its parent, an owner-drawn
// header item gets the skin's face first), a toolbar's custom draw on a dressed thread, and a
// client edge flattened to the one-pixel border.
SkinHandler DutiesFor(HWND window, UINT message);

}  // namespace skin::controls
