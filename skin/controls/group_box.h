// Group boxes: a "Button" of the group-box type on a dressed thread, painted whole.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room GroupBoxRoom;

}  // namespace skin::controls
