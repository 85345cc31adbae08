// The one table of the classes the skin knows: each lower-cased class name with the kind it has
// when attached (the names of the controls the skin was first made for) and its room on a dressed
// thread. An attached window's kind is worked out from it on every message; a dressed window keeps
// its row in "ROOM".
#include "skin/controls/room.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "skin/controls/bars.h"
#include "skin/controls/borders.h"
#include "skin/controls/check_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/container.h"
#include "skin/controls/group_box.h"
#include "skin/controls/header.h"
#include "skin/controls/hotkey.h"
#include "skin/controls/lists.h"
#include "skin/controls/progress.h"
#include "skin/controls/push_button.h"
#include "skin/controls/shared.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/tab.h"
#include "skin/controls/track_bar.h"
#include "skin/controls/up_down.h"
#include "skin/controls/views.h"

namespace skin {
namespace controls {
namespace {

// A "Button" on a dressed thread is in the room of its type, which BM_SETSTYLE may change: every
// button gets the push button's preparation, and the room that shows its type takes its messages.
// Read from the style alone: a push button the skin made owner-drawn has the owner-drawn type,
// whose room is the push button's too.
const Room& ButtonRoomOf(HWND button) {
  const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
  if (IsToggleType(type)) return ToggleButtonRoom;
  switch (type) {
    case BS_GROUPBOX:
      return GroupBoxRoom;
    default:
      return PushButtonRoom;
  }
}

SkinHandler ButtonHandlerFor(HWND button, UINT message) { return ButtonRoomOf(button).HandlerFor(button, message); }

constexpr Room ButtonRoom = {&TakeButton, &GiveBackButton, &ButtonHandlerFor};

struct ClassRow {
  const char* name;
  WindowKind kind;  // when attached
  const Room* room;  // on a dressed thread
};

constexpr ClassRow Classes[] = {
    {"#32770", KindContainer, &ContainerRoom},
    {"thunderformdc", KindContainer, &ContainerRoom},
    {"thunderrt6formdc", KindContainer, &ContainerRoom},
    {"form", KindContainer, &ContainerRoom},
    {"thundercommandbutton", KindButton, &PushButtonRoom},
    {"thunderrt6commandbutton", KindButton, &PushButtonRoom},
    {"button", KindButton, &ButtonRoom},
    {"thundercombobox", KindCombo, &ComboBoxRoom},
    {"thunderrt6combobox", KindCombo, &ComboBoxRoom},
    {"combo", KindCombo, &ComboBoxRoom},
    {"combobox", KindCombo, &ComboBoxRoom},
    {"thunderdrivelistbox", KindDriveList, &ComboBoxRoom},
    {"thunderrt6drivelistbox", KindDriveList, &ComboBoxRoom},
    {"thundercheckbox", KindCheck, &CheckBoxRoom},
    {"thunderrt6checkbox", KindCheck, &CheckBoxRoom},
    {"thunderoptionbutton", KindOption, &CheckBoxRoom},
    {"thunderrt6optionbutton", KindOption, &CheckBoxRoom},
    {"progressbar20wndclass", KindProgress, &ProgressRoom},
    {"progressbarwndclass", KindProgress, &ProgressRoom},
    {"msctls_progress32", KindOther, &ProgressRoom},
    {"msvb_lib_header", KindHeader, &HeaderRoom},
    {"sysheader32", KindHeader, &HeaderRoom},
    {"combolbox", KindDropList, &ListsRoom},
    {"datalistwndclass", KindDataList, &ListsRoom},
    {"dblistwndclass", KindDataList, &ListsRoom},
    {"edit", KindOther, &BordersRoom},
    {"listbox", KindOther, &BordersRoom},
    {"richedit20w", KindOther, &BordersRoom},
    {"richedit20a", KindOther, &BordersRoom},
    {"syslistview32", KindOther, &ViewsRoom},
    {"systreeview32", KindOther, &ViewsRoom},
    {"systabcontrol32", KindOther, &TabRoom},
    {"msctls_statusbar32", KindOther, &StatusBarRoom},
    {"msctls_trackbar32", KindOther, &TrackBarRoom},
    {"msctls_updown32", KindOther, &UpDownRoom},
    {"rebarwindow32", KindOther, &ReBarRoom},
    {"msctls_hotkey32", KindOther, &HotKeyRoom},
};
constexpr char GridPrefix[] = "apexgrid";
constexpr intptr_t UnknownRow = static_cast<intptr_t>(std::size(Classes));

// The row of the class, a grid's, or UnknownRow.
intptr_t RowOf(const std::string& name) {
  const auto found =
      std::find_if(std::begin(Classes), std::end(Classes), [&](const ClassRow& row) { return name == row.name; });
  return found == std::end(Classes) ? UnknownRow : found - std::begin(Classes);
}

bool IsGrid(const std::string& name) { return name.compare(0, std::strlen(GridPrefix), GridPrefix) == 0; }

}  // namespace

const Room& RoomOfKind(WindowKind kind) {
  switch (kind) {
    case KindButton: return PushButtonRoom;
    case KindCombo:
    case KindDriveList: return ComboBoxRoom;
    case KindCheck:
    case KindOption: return CheckBoxRoom;
    case KindProgress: return ProgressRoom;
    case KindHeader: return HeaderRoom;
    case KindDropList:
    case KindDataList:
    case KindGrid: return ListsRoom;
    default: return ContainerRoom;
  }
}

namespace {

const Room& RoomOfRow(intptr_t row) {
  if (row < UnknownRow) return *Classes[row].room;
  return row == UnknownRow ? ContainerRoom : ListsRoom;
}


intptr_t DressedRowOf(HWND window) {
  const std::string name = LowerClassName(window);
  return IsGrid(name) ? UnknownRow + 1 : RowOf(name);
}

}  // namespace

// Worked out from the class name on every message: under Wine reading a window's class is cheaper
// than reading one of its properties, which asks the window server.
const Room& RoomOf(HWND window) {
  return OnDressedThread(window) ? RoomOfRow(DressedRowOf(window)) : RoomOfKind(ClassifyWindow(window));
}

void NoteRoom(HWND window) {
  if (OnDressedThread(window)) SetProperty(window, RoomProperty, DressedRowOf(window) + 1);
}

// Kept one up in "ROOM", so that a missing property reads as none: the window joined attached.
const Room& JoinedRoomOf(HWND window) {
  const intptr_t row = GetProperty(window, RoomProperty) - 1;
  return row >= 0 ? RoomOfRow(row) : RoomOfKind(ClassifyWindow(window));
}

}  // namespace controls

WindowKind ClassifyWindow(HWND window) {
  const std::string name = LowerClassName(window);
  const intptr_t row = controls::RowOf(name);
  if (row < controls::UnknownRow) return controls::Classes[row].kind;
  return controls::IsGrid(name) ? KindGrid : KindOther;
}

}  // namespace skin
