// Drop-down lists, data lists and grids: the look's border over what they draw themselves.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room ListsRoom;

}  // namespace skin::controls
