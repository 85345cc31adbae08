// Headers: every item a face of the header strip with its caption, the one under the pointer lit
// and the one held pressed; on a dressed thread, items with images, sort arrows or owner-drawn
// items keep what the header draws for them, and captions lie where the system's header puts them.
#pragma once

#include <string>

#include "skin/controls/room.h"

namespace skin {

namespace controls {
extern const Room HeaderRoom;
}  // namespace controls

// One header item's face and caption, into `dc` (0: the window's own DC). Nothing for index < 0.
void PaintHeaderItem(HWND window, HDC dc, int index, int state);
// The caption of a header item, as HDM_GETITEMW gives it into a buffer of 256 characters.
std::wstring HeaderItemCaption(HWND header, int index);
// Before its owner draws an owner-drawn header item of the dressed thread: the item's face. False,
// drawing nothing, for other headers.
bool PrepareOwnerDrawnHeaderItem(const DRAWITEMSTRUCT& item);

}  // namespace skin
