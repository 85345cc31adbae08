// Up-down controls on a dressed thread, painted whole.
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room UpDownRoom;

}  // namespace skin::controls
