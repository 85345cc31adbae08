// Popup menus in the skin's look. The system draws menus itself, in a modal loop of its own and
// straight through the popup's DC, and the same way under Wine and on every Windows only for
// owner-drawn items: so a popup's text items and separators are made owner-drawn when the popup
// is initialised (after the program has enabled, checked or renamed them) and drawn from the
// theme when the system asks the owner. Only the owner-drawn bit of an item's type is changed;
// which items it was set on is kept here, outside the menus, and cleared again at undress. Items
// the program draws itself and items with bitmaps of their own are left alone.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "skin/frame/frame.h"
#include "skin/menus/menus.h"
#include "skin/gdi/guards.h"
#include "skin/gdi/kept.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

struct ConvertedItem {
  HMENU menu;
  UINT id;
};
std::vector<ConvertedItem> Converted;
// Windows whose bars were converted, with their bars: laid out again at undress.
struct BarOwner {
  HWND window;
  HMENU bar;
};
std::vector<BarOwner> BarOwners;
// WM_MEASUREITEM names no menu: an item is looked for in the popups last initialised first.
std::vector<HMENU> Initialised;
constexpr size_t InitialisedKept = 8;

constexpr UINT ObmMenuArrow = 32739;    // OBM_MNARROW: the system's submenu arrow
constexpr int TextGap = 6;              // around an item's text and between text and shortcut
constexpr int SeparatorHeight = 7;
constexpr int BarItemExtra = 2;
constexpr int ArrowRows = 4;
const auto FirstPopupBitmap = reinterpret_cast<HBITMAP>(8);  // HBMMENU_POPUP_CLOSE
const auto LastMagicBitmap = reinterpret_cast<HBITMAP>(11);  // HBMMENU_POPUP_MINIMIZE

bool IsOurs(HMENU menu, UINT id) {
  return std::any_of(Converted.begin(), Converted.end(),
                     [&](const ConvertedItem& c) { return c.menu == menu && c.id == id; });
}

MENUITEMINFOW ItemAt(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STATE;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) info.fType = 0, info.wID = 0xFFFFFFFFu;
  return info;
}

std::wstring TextAt(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return L"";
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = &text[0];
  info.cch += 1;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(std::wcslen(text.c_str()));
  return text;
}

// The position of one of our items with this id in the menu, or -1.
int FindOurs(HMENU menu, UINT id) {
  if (!IsOurs(menu, id)) return -1;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const MENUITEMINFOW info = ItemAt(menu, i);
    if (info.wID == id && (info.fType & MFT_OWNERDRAW)) return i;
  }
  return -1;
}

// Text items and separators. A popup's items may carry the system's own caption-button pictures
// (HBMMENU_POPUP_*), which the skin's drawing replaces; a bar's items with any picture (an MDI
// frame's buttons for a maximised child among them) keep their type.
bool DrawnBySkin(const MENUITEMINFOW& info, bool bar) {
  if (info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) return false;
  if (info.hbmpItem == nullptr) return true;
  return !bar && info.hbmpItem >= FirstPopupBitmap && info.hbmpItem <= LastMagicBitmap;
}

bool IsBar(HMENU menu) {
  return std::any_of(BarOwners.begin(), BarOwners.end(), [&](const BarOwner& o) { return o.bar == menu; });
}

void SetOwnerDrawn(HMENU menu, int position, UINT type) {
  MENUITEMINFOW set = {};
  set.cbSize = sizeof set;
  set.fMask = MIIM_FTYPE;
  set.fType = type;
  SetMenuItemInfoW(menu, position, TRUE, &set);
}

// Every item the skin draws becomes owner-drawn; an item the program rewrote since (ModifyMenu
// clears the owner-drawn type) is converted again.
void Convert(HMENU menu) {
  // Entries of menus destroyed meanwhile go, before a new menu can reuse their handles.
  Converted.erase(std::remove_if(Converted.begin(), Converted.end(), [](const ConvertedItem& c) { return !IsMenu(c.menu); }),
                  Converted.end());
  const bool bar = IsBar(menu);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const MENUITEMINFOW info = ItemAt(menu, i);
    if (!DrawnBySkin(info, bar)) continue;
    if (!IsOurs(menu, info.wID)) Converted.push_back({menu, info.wID});
    SetOwnerDrawn(menu, i, info.fType | MFT_OWNERDRAW);
  }
  Initialised.erase(std::remove(Initialised.begin(), Initialised.end(), menu), Initialised.end());
  Initialised.push_back(menu);
  if (Initialised.size() > InitialisedKept) Initialised.erase(Initialised.begin());
}

HFONT MenuFontNow() { return KeptFontOf(MenuFont); }

int ArrowWidth() {
  static const int width = [] {
    BITMAP bitmap = {};
    const HBITMAP arrow = LoadBitmapW(nullptr, MAKEINTRESOURCEW(ObmMenuArrow));
    if (arrow) {
      GetObjectW(arrow, sizeof bitmap, &bitmap);
      DeleteObject(arrow);
    }
    return std::max<int>(bitmap.bmWidth, GetSystemMetrics(SM_CXMENUCHECK));
  }();
  return width;
}

int CheckColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 2; }

SIZE TextSize(HDC dc, const std::wstring& text) {
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right, r.bottom};
}

// The text before the tab and the shortcut after it.
void SplitAtTab(const std::wstring& text, std::wstring* label, std::wstring* shortcut) {
  const size_t tab = text.find(L'\t');
  *label = text.substr(0, tab);
  *shortcut = tab == std::wstring::npos ? L"" : text.substr(tab + 1);
}

LRESULT OnMeasureItem(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  for (auto menu = Initialised.rbegin(); menu != Initialised.rend(); ++menu) {
    const int position = FindOurs(*menu, measure->itemID);
    if (position < 0) continue;
    const MENUITEMINFOW info = ItemAt(*menu, position);
    if (info.fType & MFT_SEPARATOR) {
      measure->itemWidth = 0;
      measure->itemHeight = SeparatorHeight;
      return TRUE;
    }
    std::wstring label, shortcut;
    SplitAtTab(TextAt(*menu, position), &label, &shortcut);
    const BorrowedDc dc(nullptr);
    const ScopedSelection font(dc.get(), MenuFontNow());
    const SIZE text = TextSize(dc.get(), label);
    if (IsBar(*menu)) {
      // The system adds twice the average character width to an owner-drawn bar item, as to a
      // text item, which also gets 2 more: the same place as the plain bar's.
      measure->itemWidth = text.cx + BarItemExtra;
      measure->itemHeight = GetSystemMetrics(SM_CYMENU) - 1;
      return TRUE;
    }
    const SIZE keys = shortcut.empty() ? SIZE{0, 0} : TextSize(dc.get(), shortcut);
    measure->itemWidth = CheckColumn() + TextGap + text.cx + (keys.cx ? 2 * TextGap + keys.cx : 0) + TextGap +
                         (info.hSubMenu ? ArrowWidth() : 0);
    measure->itemHeight = std::max<int>(text.cy, GetSystemMetrics(SM_CYMENUCHECK)) + 6;
    return TRUE;
  }
  return Pass(previous, window, message, wParam, lParam);
}

// The arrow from its column at the item's right end, centred on the item's middle.
void DrawSubmenuArrow(HDC dc, const RECT& item, look::PartState state) {
  const int x = item.right - 1 - ArrowWidth() + (ArrowWidth() - ArrowRows) / 2;
  look::DrawPart(look::PartMenuPopupSubmenu, state, dc, {x, item.top, x + ArrowRows, item.bottom});
}

void DrawMark(HDC dc, const RECT& item, UINT type, look::PartState state) {
  const look::PartState mark = state | ((type & MFT_RADIOCHECK) ? look::Radio : 0);
  look::DrawPart(look::PartMenuPopupCheck, mark, dc, {item.left + 1, item.top, item.left + 1 + CheckColumn(), item.bottom});
}

// Disabled, else hot when selected (or hot-lit on a bar), else normal.
look::PartState ItemState(const DRAWITEMSTRUCT& d, UINT hotStates) {
  if (d.itemState & (ODS_GRAYED | ODS_DISABLED)) return look::Disabled;
  return (d.itemState & hotStates) ? look::Hot : look::Normal;
}

void DrawBarItem(const DRAWITEMSTRUCT& d, HMENU menu, int position) {
  const HDC dc = d.hDC;
  const RECT& r = d.rcItem;
  const bool hot = (d.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const look::PartState state = ItemState(d, ODS_SELECTED | ODS_HOTLIGHT);
  look::DrawPart(look::PartMenuBarItem, hot ? look::Hot : look::Normal, dc, r);
  const ScopedSelection font(dc, MenuFontNow());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(look::PartMenuBarItem, state));
  RECT text = r;
  DrawTextW(dc, TextAt(menu, position).c_str(), -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((d.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
}

void DrawItem(const DRAWITEMSTRUCT& d, HMENU menu, int position) {
  if (IsBar(menu)) {
    DrawBarItem(d, menu, position);
    return;
  }
  const MENUITEMINFOW info = ItemAt(menu, position);
  const HDC dc = d.hDC;
  const RECT& r = d.rcItem;
  const bool separator = (info.fType & MFT_SEPARATOR) != 0;
  const bool hot = (d.itemState & ODS_SELECTED) && !separator;
  const look::PartState state = ItemState(d, separator ? 0 : ODS_SELECTED);
  look::DrawPart(look::PartMenuPopupItem, hot ? look::Hot : look::Normal, dc, r);
  if (separator) {
    const int middle = (r.top + r.bottom) / 2;
    look::DrawPart(look::PartMenuPopupSeparator, look::Normal, dc,
                   {r.left + CheckColumn(), middle, r.right - TextGap, middle + 1});
    return;
  }
  const COLORREF ink = look::PartTextColour(look::PartMenuPopupItem, state);
  if (d.itemState & ODS_CHECKED) DrawMark(dc, r, info.fType, look::LookOf(state) == look::Disabled ? look::Disabled : look::Normal);
  std::wstring label, shortcut;
  SplitAtTab(TextAt(menu, position), &label, &shortcut);
  const ScopedSelection font(dc, MenuFontNow());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  const UINT prefix = (d.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  RECT text = {r.left + CheckColumn() + TextGap, r.top, r.right - ArrowWidth() - TextGap, r.bottom};
  DrawTextW(dc, label.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefix);
  DrawTextW(dc, shortcut.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (info.hSubMenu) {
    DrawSubmenuArrow(dc, r, state);
    // The system draws its own arrow after WM_DRAWITEM, through the same DC: clipped out here.
    ExcludeClipRect(dc, r.right - ArrowWidth() - 1, r.top, r.right, r.bottom);
  }
}

LRESULT OnDrawItem(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  const auto menu = reinterpret_cast<HMENU>(d->hwndItem);
  const int position = FindOurs(menu, d->itemID);
  if (position < 0) return Pass(previous, window, message, wParam, lParam);
  DrawItem(*d, menu, position);
  return TRUE;
}

LRESULT OnInitMenuPopup(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  const auto menu = reinterpret_cast<HMENU>(wParam);
  if (IsMenu(menu)) Convert(menu);
  return result;
}

// An owner-drawn item's mnemonic is the owner's to find: the one of our items whose text has it.
LRESULT OnMenuChar(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (HIWORD(result) != MNC_IGNORE) return result;
  const auto menu = reinterpret_cast<HMENU>(lParam);
  const wint_t key = std::towupper(static_cast<wint_t>(LOWORD(wParam)));
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const MENUITEMINFOW info = ItemAt(menu, i);
    if (!(info.fType & MFT_OWNERDRAW) || !IsOurs(menu, info.wID)) continue;
    const std::wstring text = TextAt(menu, i);
    const size_t amp = text.find(L'&');
    if (amp != std::wstring::npos && amp + 1 < text.size() && std::towupper(text[amp + 1]) == key) {
      return MAKELRESULT(i, MNC_EXECUTE);
    }
  }
  return result;
}

constexpr UINT MnGetHMenu = 0x01E1;  // MN_GETHMENU
constexpr char PopupMenuClass[] = "#32768";

// A ring from `outer` in to `inner` (both in the DC's coordinates): the outer line, the rest the
// menu's background.
void PaintRing(HDC dc, const RECT& outer, const RECT& inner) {
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  look::DrawPart(look::PartMenuPopupBackground, look::Normal, dc, outer);
  RestoreDC(dc, saved);
  look::DrawPart(look::PartMenuPopupBorder, look::Normal, dc, outer);
}

// The popup's client area outside its items: under Wine the raised frame and the margin.
void PaintPopupInside(HWND popup) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MnGetHMenu, 0, 0));
  RECT client = {};
  GetClientRect(popup, &client);
  RECT items = {};
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    if (!GetMenuItemRect(popup, menu, i, &item)) continue;
    MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&item), 2);
    UnionRect(&items, &items, &item);
  }
  IntersectRect(&items, &items, &client);
  if (IsRectEmpty(&items)) items = {client.right / 2, client.bottom / 2, client.right / 2, client.bottom / 2};
  const BorrowedDc dc(popup);
  PaintRing(dc.get(), client, items);
}

// Around the client area, where Windows draws a popup's frame.
void PaintPopupFrame(HWND popup) {
  RECT window = {}, client = {};
  GetWindowRect(popup, &window);
  GetClientRect(popup, &client);
  MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&client), 2);
  if (EqualRect(&window, &client)) return;
  OffsetRect(&client, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  const BorrowedDc dc(popup, BorrowedDc::Whole);
  PaintRing(dc.get(), window, client);
}

LRESULT OnPopupPaint(WNDPROC previous, HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, popup, message, wParam, lParam);
  if (DetachedMeanwhile(popup)) return result;
  if (message == WM_NCPAINT) {
    PaintPopupFrame(popup);
  } else {
    PaintPopupInside(popup);
  }
  return result;
}

// A bar owner's frame: items the program rewrote are converted again before the frame (with the
// bar, by the default procedure) is painted, and the bar's background after.
LRESULT OnBarOwnerNcPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ConvertMenuBarAgain(window);
  const SkinHandler frame = FrameHandlerFor(window, message);
  const LRESULT result = frame ? frame(previous, window, message, wParam, lParam)
                               : Pass(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window) && frame && !IsIconic(window)) {
    PaintMenuBarBackground(window, frame::LayoutOf(window).Caption.bottom);
  }
  return result;
}

bool OwnsTakenBar(HWND window) {
  return std::any_of(BarOwners.begin(), BarOwners.end(), [&](const BarOwner& o) { return o.window == window; });
}

}  // namespace

SkinHandler MenuHandlerFor(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITMENUPOPUP && message != WM_MENUCHAR && message != WM_MEASUREITEM &&
      message != WM_DRAWITEM && message != WM_PAINT && message != WM_NCPAINT) {
    return nullptr;
  }
  if (!OnDressedThread(window)) return nullptr;
  switch (message) {
    case WM_PAINT: return WindowClassName(window) == PopupMenuClass ? &OnPopupPaint : nullptr;
    case WM_NCPAINT:
      if (WindowClassName(window) == PopupMenuClass) return &OnPopupPaint;
      return OwnsTakenBar(window) ? &OnBarOwnerNcPaint : nullptr;
    case WM_INITMENUPOPUP: return &OnInitMenuPopup;
    case WM_MENUCHAR: return Converted.empty() ? nullptr : &OnMenuChar;
    case WM_MEASUREITEM:
      return reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU ? &OnMeasureItem : nullptr;
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU ? &OnDrawItem : nullptr;
    default: return nullptr;
  }
}

void TakeMenuBar(HWND window) {
  if (!GetProperty(window, NcFrameProperty) || (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) return;
  const HMENU bar = GetMenu(window);
  if (!bar || !IsMenu(bar)) return;
  BarOwners.push_back({window, bar});
  Convert(bar);
  DrawMenuBar(window);
}

void ConvertMenuBarAgain(HWND window) {
  const auto owner = std::find_if(BarOwners.begin(), BarOwners.end(), [&](const BarOwner& o) { return o.window == window; });
  if (owner == BarOwners.end() || GetMenu(window) != owner->bar || !IsMenu(owner->bar)) return;
  const int count = GetMenuItemCount(owner->bar);
  for (int i = 0; i < count; ++i) {
    if (DrawnBySkin(ItemAt(owner->bar, i), true)) {
      Convert(owner->bar);
      return;
    }
  }
}

void PaintMenuBarBackground(HWND window, int captionBottom) {
  MENUBARINFO info = {};
  info.cbSize = sizeof info;
  const HMENU bar = GetMenu(window);
  if (!bar || !IsBar(bar) || !GetMenuBarInfo(window, OBJID_MENU, 0, &info)) return;
  RECT bounds = {}, client = {};
  GetWindowRect(window, &bounds);
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int edge = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CYEDGE) : 0;
  // The bar, and the line the system draws under it, down to the client area and its edge.
  // From the caption's bottom: the system keeps a row above the bar's items.
  RECT band = {info.rcBar.left, info.rcBar.top, info.rcBar.right, client.top - edge};
  OffsetRect(&band, -bounds.left, -bounds.top);
  band.top = std::min<LONG>(band.top, captionBottom);
  RECT items = {}, last = {};
  const int count = GetMenuItemCount(bar);
  if (count > 0 && GetMenuItemRect(window, bar, 0, &items) && GetMenuItemRect(window, bar, count - 1, &last)) {
    UnionRect(&items, &items, &last);
    OffsetRect(&items, -bounds.left, -bounds.top);
  }
  const BorrowedDc dc(window, BorrowedDc::Whole);
  ExcludeClipRect(dc.get(), items.left, items.top, items.right, items.bottom);
  look::DrawPart(look::PartMenuBarBackground, look::Normal, dc.get(), band);
}

void GiveBack(const ConvertedItem& c) {
  if (!IsMenu(c.menu)) return;
  const int count = GetMenuItemCount(c.menu);
  for (int i = 0; i < count; ++i) {
    const MENUITEMINFOW info = ItemAt(c.menu, i);
    if (info.wID == c.id && (info.fType & MFT_OWNERDRAW)) SetOwnerDrawn(c.menu, i, info.fType & ~MFT_OWNERDRAW);
  }
}

void GiveBackMenuBar(HWND window) {
  const auto owner = std::find_if(BarOwners.begin(), BarOwners.end(), [&](const BarOwner& o) { return o.window == window; });
  if (owner == BarOwners.end()) return;
  const HMENU bar = owner->bar;
  BarOwners.erase(owner);
  for (const ConvertedItem& c : Converted) {
    if (c.menu == bar) GiveBack(c);
  }
  Converted.erase(std::remove_if(Converted.begin(), Converted.end(), [&](const ConvertedItem& c) { return c.menu == bar; }),
                  Converted.end());
  Initialised.erase(std::remove(Initialised.begin(), Initialised.end(), bar), Initialised.end());
  if (IsWindow(window) && GetMenu(window) == bar) DrawMenuBar(window);
}

void GiveBackMenus() {
  while (!BarOwners.empty()) GiveBackMenuBar(BarOwners.back().window);
  for (const ConvertedItem& c : Converted) GiveBack(c);
  Converted.clear();
  Initialised.clear();
}


}  // namespace skin
