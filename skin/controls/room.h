// A control's room: everything the skin does for one kind of control, on both ways of joining
// (a window attached through SkinAttach, whose kind is worked out from its class name on every
// message, and a window of a dressed thread). What a room offers the window procedure: what the
// control needs when it joins and the undoing of it when it leaves, and the handler of each
// message the control's look needs. One table (skin/controls/rooms.cpp) finds a window's room.
#pragma once

#include <windows.h>

#include "skin/engine.h"

namespace skin::controls {

struct Room {
  // What the control needs before SkinWindowProc sees its first message, and its undoing: detach
  // leaves the window exactly as attach found it.
  void (*Take)(HWND window);
  void (*GiveBack)(HWND window);
  // The handler for this message of a window of the room, or nullptr: the message goes on.
  SkinHandler (*HandlerFor)(HWND window, UINT message);
};

// The room of a window: on a dressed thread by its class, elsewhere by its kind, read from its
// class name now.
const Room& RoomOf(HWND window);
// A window joining a dressed thread keeps its room's row in "ROOM", for its leaving: the thread
// may be undressed by then.
void NoteRoom(HWND window);
// The room of a window's kind on the attached path.
const Room& RoomOfKind(WindowKind kind);
// The room a window joined: the one noted in "ROOM" when it joined a dressed thread, whether the
// thread is still dressed or is being undressed, else the one of its kind.
const Room& JoinedRoomOf(HWND window);

}  // namespace skin::controls
