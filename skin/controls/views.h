// List views and tree views on a dressed thread: their frame flattened as an edit's is. Their
// check boxes and colours follow the look (skin/look/state_images.cpp, skin/look/content.cpp).
#pragma once

#include "skin/controls/room.h"

namespace skin::controls {

extern const Room ViewsRoom;

}  // namespace skin::controls
