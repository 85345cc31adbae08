// "SysTabControl32": each tab a face of the header strip with its image and caption; the tab
// under the pointer lit, the selected one pressed. Owner-drawn tabs are left to their owner. The
// pane below the tabs gets the one-pixel border, and where the theme colours content its inside
// takes the dialog's colour wherever no page (a sibling laid over it) or child covers it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/gdi/guards.h"
#include "skin/controls/tab.h"

#include "skin/controls/shared.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

using namespace controls;

constexpr int TextCapacity = 256;
// The system draws the selected tab this much larger on its left, right and top.
constexpr int SelectedGrowth = 2;
// The system's themed tabs along the pane reach this far under it: the pane covers the others'
// feet, and the selected tab, drawn after the pane, covers the pane's edge under it.
constexpr int ThemedTabFoot = 3;
constexpr int ThemedSelectedFoot = 2;

int TabAt(HWND tabs, POINT point) {
  TCHITTESTINFO hit = {point, 0};
  return static_cast<int>(SendMessageW(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void DrawTab(HWND tabs, HDC dc, int index, RECT place, look::PartState state) {
  const look::PartState shown = IsEnabled(tabs) ? state : look::Disabled;
  look::DrawPart(look::PartTabItem, state, dc, place);
  wchar_t text[TextCapacity] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = TextCapacity;
  item.iImage = -1;
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(tabs, TCM_GETIMAGELIST, 0, 0));
  int cx = 0;
  int cy = 0;
  if (images && item.iImage >= 0 && ImageList_GetIconSize(images, &cx, &cy)) {
    const int y = place.top + (place.bottom - place.top - cy) / 2;
    const int gap = look::PartContentMargins(look::PartTabItem).left;
    ImageList_Draw(images, item.iImage, dc, place.left + gap, y, ILD_TRANSPARENT);
    place.left += gap + cx;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(look::PartTabItem, shown));
  DrawTextW(dc, text, -1, &place, CaptionFormat);
}

// The client area less the rows of tabs, on whichever side they are.
RECT PaneOf(HWND tabs, int count) {
  RECT pane = {};
  GetClientRect(tabs, &pane);
  RECT row = {};
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    if (SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) {
      UnionRect(&row, &row, &item);
    }
  }
  if (IsRectEmpty(&row)) return pane;
  const LONG style = GetWindowLongW(tabs, GWL_STYLE);
  if (style & TCS_VERTICAL) {
    if (style & TCS_RIGHT) {
      pane.right = row.left;
    } else {
      pane.left = row.right;
    }
  } else if (style & TCS_BOTTOM) {
    pane.bottom = row.top;
  } else {
    pane.top = row.bottom;
  }
  return pane;
}

struct Covering {
  HWND tabs;
  HDC dc;
};

// Leaves out of the DC's clipping a visible window over the tab control: its page, its children.
BOOL CALLBACK LeaveOutCovering(HWND window, LPARAM context) {
  const auto& covering = *reinterpret_cast<const Covering*>(context);
  if (window == covering.tabs || !IsWindowVisible(window)) return TRUE;
  RECT place = {};
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, covering.tabs, reinterpret_cast<POINT*>(&place), 2);
  ExcludeClipRect(covering.dc, place.left, place.top, place.right, place.bottom);
  return TRUE;
}

void PaintPane(HWND tabs, HDC dc, const RECT& pane) {
  if (GetWindowLongW(tabs, GWL_STYLE) & TCS_BUTTONS) return;
  const int saved = SaveDC(dc);
  Covering covering = {tabs, dc};
  EnumChildWindows(tabs, &LeaveOutCovering, reinterpret_cast<LPARAM>(&covering));
  if (const HWND parent = GetParent(tabs)) {
    for (HWND sibling = GetWindow(tabs, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      if (GetParent(sibling) == parent) LeaveOutCovering(sibling, reinterpret_cast<LPARAM>(&covering));
    }
  }
  look::DrawPart(look::PartTabPane, EnabledState(tabs), dc, pane);
  RestoreDC(dc, saved);
}

// Whether the tabs are laid out as the system's themed tabs along the top of the pane are.
bool ThemedRow(HWND tabs) {
  return look::PlacesPartsAsThemedControls() &&
         !(GetWindowLongW(tabs, GWL_STYLE) & (TCS_BOTTOM | TCS_VERTICAL | TCS_BUTTONS));
}

// One tab: the selected one larger; in a themed row, the row's ends marked and the feet under the
// pane.
void DrawTabAt(HWND tabs, HDC dc, int index, int selected, int hot, const RECT& pane, bool themed) {
  RECT item = {};
  if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return;
  RECT place = item;
  look::PartState state = index == selected ? look::Pressed : index == hot ? look::Hot : look::Normal;
  if (index == selected) {
    InflateRect(&place, SelectedGrowth, 0);
    place.top = std::max(0L, place.top - SelectedGrowth);
  }
  if (themed) {
    RECT client = {};
    GetClientRect(tabs, &client);
    if (item.left - SelectedGrowth <= 0) state |= look::RowStart;
    if (item.right + SelectedGrowth >= client.right) state |= look::RowEnd;
    if (item.bottom == pane.top) place.bottom += index == selected ? ThemedSelectedFoot : ThemedTabFoot;
  }
  DrawTab(tabs, dc, index, place, state);
}

// Over what the control drew: the pane, then the tabs take the skin's faces. A themed row draws
// the other tabs, then the pane over their feet, then the selected tab.
LRESULT PaintTabs(WNDPROC previous, HWND tabs, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, tabs, message, wParam, lParam);
  if (DetachedMeanwhile(tabs)) return result;
  const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  const auto selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  const int hot = HotPart(tabs);
  const BorrowedDc dc(tabs);
  const RECT pane = PaneOf(tabs, count);
  const bool ownerDrawn = (GetWindowLongW(tabs, GWL_STYLE) & TCS_OWNERDRAWFIXED) != 0;
  const bool themed = ThemedRow(tabs);
  if (!themed || ownerDrawn) PaintPane(tabs, dc.get(), pane);
  if (ownerDrawn) return result;
  const ScopedSelection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(tabs, WM_GETFONT, 0, 0)));
  for (int i = 0; i < count; ++i) {
    if (!themed || i != selected) DrawTabAt(tabs, dc.get(), i, selected, hot, pane, themed);
  }
  if (themed) {
    PaintPane(tabs, dc.get(), pane);
    DrawTabAt(tabs, dc.get(), selected, selected, hot, pane, themed);
  }
  return result;
}

LRESULT TrackTabs(WNDPROC previous, HWND tabs, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, tabs, message, wParam, lParam);
  if (!DetachedMeanwhile(tabs)) FollowHotPart(tabs, message, TabAt(tabs, PointerIn(tabs)));
  return result;
}

SkinHandler HandlerFor(HWND tabs, UINT message) {
  if (message == WM_PAINT) return &PaintTabs;
  if (message != WM_MOUSEMOVE && message != WM_MOUSELEAVE) return nullptr;
  return (GetWindowLongA(tabs, GWL_STYLE) & TCS_OWNERDRAWFIXED) ? nullptr : &TrackTabs;
}

}  // namespace

const controls::Room controls::TabRoom = {&controls::TakeHover, &controls::GiveBackHover, &HandlerFor};

}  // namespace skin
