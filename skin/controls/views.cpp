// "SysListView32" and "SysTreeView32" on a dressed thread: whatever frame they have becomes the
// one-pixel border, with the rest of it in the content's window colour.
#include "skin/controls/views.h"

#include "skin/controls/borders.h"

namespace skin {
namespace {

void Nothing(HWND) {}

}  // namespace

const controls::Room controls::ViewsRoom = {&Nothing, &Nothing, &FlatBorderHandlerFor};

}  // namespace skin
