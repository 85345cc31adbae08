// "msctls_hotkey32" on a dressed thread: the field keeps its own painting of the keys, in the
// content colours its parent answers; its sunken frame becomes the look's flat border, the rest of
// the frame in the content's window colour, as an edit box's.
#include "skin/controls/hotkey.h"

#include "skin/controls/borders.h"

namespace skin {
namespace {

void Nothing(HWND) {}

}  // namespace

const controls::Room controls::HotKeyRoom = {&Nothing, &Nothing, &FlatBorderHandlerFor};

}  // namespace skin
