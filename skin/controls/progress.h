// Progress bars: a trough and its filled part inside the look's one-pixel border.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room ProgressRoom;

}  // namespace skin::controls
