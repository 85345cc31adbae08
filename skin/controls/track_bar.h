// Track bars on a dressed thread: the channel and the thumb.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room TrackBarRoom;

}  // namespace skin::controls
