// Hot-key controls on a dressed thread.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room HotKeyRoom;

}  // namespace skin::controls
