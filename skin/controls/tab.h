// Tab controls on a dressed thread: the tabs faces of the header strip, the pane under them.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room TabRoom;

}  // namespace skin::controls
