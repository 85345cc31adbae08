// The check boxes of list views and tree views on a dressed thread: their state image list
// replaced by one drawn from the theme's check square, in every theme. The control's own list is
// kept in "OLDSTATEIMAGES" and put back on undress; the skin's, in "STATEIMAGES", is freed then.
#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <string>

#include "skin/gdi/guards.h"
#include "skin/engine.h"
#include "skin/look/parts.h"

namespace skin::look {
namespace {

// A list view's or tree view's own state image list (its check boxes) and the skin's that
// replaces it, an HIMAGELIST each.
constexpr char OldStateImagesProperty[] = "OLDSTATEIMAGES";
constexpr char StateImagesProperty[] = "STATEIMAGES";

struct StateListMessages {
  UINT get;
  UINT set;
  WPARAM which;
};

// The messages that read and set the state image list, by class; false for other classes.
bool StateListMessagesOf(HWND window, StateListMessages* messages) {
  const std::string name = LowerClassName(window);
  if (name == "syslistview32") {
    *messages = {LVM_GETIMAGELIST, LVM_SETIMAGELIST, LVSIL_STATE};
    return true;
  }
  if (name == "systreeview32") {
    *messages = {TVM_GETIMAGELIST, TVM_SETIMAGELIST, TVSIL_STATE};
    return true;
  }
  return false;
}

bool ShowsCheckBoxes(HWND window, const StateListMessages& m) {
  if (m.get == LVM_GETIMAGELIST) {
    return (SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
  }
  return (GetWindowLongW(window, GWL_STYLE) & TVS_CHECKBOXES) != 0;
}

HIMAGELIST CurrentList(HWND window, const StateListMessages& m) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(window, m.get, m.which, 0));
}

HIMAGELIST SkinList(HWND window) { return reinterpret_cast<HIMAGELIST>(GetProperty(window, StateImagesProperty)); }

// The last image is the checked box and the one before it the empty box, as the controls lay
// them out; images before those (a tree view's "no state") stay clear.
void Render(HIMAGELIST list, int count) {
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(list, &width, &height);
  const BorrowedDc screen(nullptr);
  const HDC surface = CreateCompatibleDC(screen.get());
  UniqueGdiObject<HBITMAP> strip(CreateCompatibleBitmap(screen.get(), width * count, height));
  if (!surface || !strip) {
    if (surface) DeleteDC(surface);
    return;
  }
  const HGDIOBJ before = SelectObject(surface, strip.get());
  FillSolid(surface, 0, 0, width * count, height, KeyColour);
  const int cx = GetSystemMetrics(SM_CXMENUCHECK);
  const int cy = GetSystemMetrics(SM_CYMENUCHECK);
  for (int image = count - 2; image < count; ++image) {
    const int check = image == count - 1 ? BST_CHECKED : BST_UNCHECKED;
    const int x = image * width + (width - cx) / 2;
    const int y = (height - cy) / 2;
    const SIZE size = CheckSize();
    DrawPart(PartCheckBox, check == BST_CHECKED ? Checked : Normal, surface, {x, y, x + size.cx, y + size.cy});
  }
  SelectObject(surface, before);
  DeleteDC(surface);
  ImageList_Remove(list, -1);
  ImageList_AddMasked(list, strip.get(), KeyColour);
}

void Forget(HWND window) {
  RemoveProperty(window, StateImagesProperty);
  RemoveProperty(window, OldStateImagesProperty);
}

}  // namespace

void TakeStateImages(HWND window) {
  StateListMessages m = {};
  if (SkinList(window) || !StateListMessagesOf(window, &m) || !ShowsCheckBoxes(window, m)) return;
  const HIMAGELIST own = CurrentList(window, m);
  const int count = own ? ImageList_GetImageCount(own) : 0;
  if (count < 2) return;
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(own, &width, &height);
  const HIMAGELIST made = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
  if (!made) return;
  Render(made, count);
  SendMessageW(window, m.set, m.which, reinterpret_cast<LPARAM>(made));
  SetProperty(window, OldStateImagesProperty, reinterpret_cast<intptr_t>(own));
  SetProperty(window, StateImagesProperty, reinterpret_cast<intptr_t>(made));
  InvalidateRect(window, nullptr, TRUE);
}

void RenderStateImagesAgain(HWND window) {
  const HIMAGELIST made = SkinList(window);
  if (!made) {
    TakeStateImages(window);
    return;
  }
  Render(made, ImageList_GetImageCount(made));
  InvalidateRect(window, nullptr, TRUE);
}

// A list view that turns its check boxes off destroys the state list it wears, which was the
// skin's; the one kept is then the control's to dispose of, as it would have been without the
// skin. A list the program set itself is left to it.
void ForgetReplacedStateImages(HWND window) {
  StateListMessages m = {};
  const HIMAGELIST made = SkinList(window);
  if (!made || !StateListMessagesOf(window, &m) || CurrentList(window, m) == made) return;
  const auto own = reinterpret_cast<HIMAGELIST>(GetProperty(window, OldStateImagesProperty));
  const bool shared = (GetWindowLongW(window, GWL_STYLE) & LVS_SHAREIMAGELISTS) != 0;
  if (m.get == LVM_GETIMAGELIST && !shared && CurrentList(window, m) == nullptr) ImageList_Destroy(own);
  Forget(window);
}

void GiveBackStateImages(HWND window) {
  StateListMessages m = {};
  const HIMAGELIST made = SkinList(window);
  if (!made || !StateListMessagesOf(window, &m)) return;
  if (CurrentList(window, m) == made) {
    SendMessageW(window, m.set, m.which, GetProperty(window, OldStateImagesProperty));
    ImageList_Destroy(made);
    InvalidateRect(window, nullptr, TRUE);
  }
  Forget(window);
}

}  // namespace skin::look
