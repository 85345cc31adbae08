// Which items of which menus the skin draws, known by their positions. Items may share an
// identifier (every popup of an extended menu resource has 0, separators have 0, programs reuse
// one) and the item data is the program's, so neither names an item; nothing is written into the
// menus but the owner-drawn bit of the items the skin converts (and MFT_BITMAP of an MDI button).
//
// Each converted menu is read just before the system measures it (a popup when its window is
// made and after the program's WM_INITMENUPOPUP; a bar when its window joins and at every
// WM_NCCALCSIZE and WM_NCPAINT of that window), and the reading is compared in order with the
// last one, so that an owner-drawn item keeps being known as the skin's or the program's while
// the program inserts, deletes and rewrites items. The system measures items in position order,
// once per show for a popup, so WM_MEASUREITEM is matched against that reading with a cursor;
// WM_DRAWITEM carries the item's rectangle, which gives its position.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/frame/frame.h"
#include "skin/gdi/guards.h"
#include "skin/menus/menus.h"
#include "skin/menus/places.h"

namespace skin {
namespace menus {
namespace {

constexpr size_t None = static_cast<size_t>(-1);
// The system's own pictures (HBMMENU_*) are small numbers: 1 to 7 a bar's, 8 to 11 a popup's.
constexpr INT_PTR FirstMagicBitmap = 1;      // HBMMENU_SYSTEM
constexpr INT_PTR FirstPopupBitmap = 8;      // HBMMENU_POPUP_CLOSE
constexpr INT_PTR LastMagicBitmap = 11;      // HBMMENU_POPUP_MINIMIZE
constexpr int MagicBarBitmapInset = 4;       // a bar's picture is SM_CYMENU less this, square
// A maximised MDI child's buttons in its frame's bar (HBMMENU_MBAR_*).
constexpr INT_PTR MdiRestorePicture = 2, MdiMinimisePicture = 3, MdiClosePicture = 5;
constexpr INT_PTR MdiCloseGreyed = 6, MdiMinimiseGreyed = 7;
constexpr char PopupMenuClass[] = "#32768";
constexpr wchar_t ScreenReaderKey[] = L"Control Panel\\Accessibility\\Blind Access";
constexpr wchar_t ScreenReaderValue[] = L"On";

std::vector<Converted> Menus;

// The measuring the system is expected to do next: the menu, its owner, the next item in
// position order. For a bar also its line as the system lays it out: an item that does not fit
// after others is measured again at the start of the next line.
struct Measuring {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  size_t next = 0;
  size_t current = None;
  bool bar = false;
  int x = 0;
  size_t lineStart = 0;
  int width = 0;
};
Measuring Expected;

// A popup named by WM_INITMENUPOPUP before its window is made, and the window told: the owner of
// a popup window that the system makes without one.
HMENU InitialisedMenu = nullptr;
HWND InitialisedBy = nullptr;

bool ScreenReaderOn = false;

bool OwnerDrawn(const SeenItem& item) { return (item.type & MFT_OWNERDRAW) != 0; }

// Text items and separators. A popup's items may carry the system's own caption-button pictures
// (HBMMENU_POPUP_*), which the skin's drawing replaces; a bar's MDI buttons are the skin's while
// the look draws them; a bar's other items with pictures (an MDI child's icon) keep their type.
// An item is judged by its own type, without the owner-drawn bit the skin gave it.
bool DrawnBySkin(const SeenItem& item, bool bar) {
  const UINT type = item.ours ? item.type & ~MFT_OWNERDRAW : item.type;
  if (type & MFT_OWNERDRAW) return false;
  const look::Part button = bar ? MdiButtonOf(item.bitmap, nullptr) : look::PartCount;
  if (button != look::PartCount) return look::PartDrawn(button);
  if (type & MFT_BITMAP) return false;
  if (item.bitmap == nullptr) return true;
  const auto magic = reinterpret_cast<INT_PTR>(item.bitmap);
  return !bar && magic >= FirstPopupBitmap && magic <= LastMagicBitmap;
}

// The items the system sends WM_MEASUREITEM for: owner-drawn ones, the program's too, and those
// whose picture the program measures (HBMMENU_CALLBACK).
bool SendsMeasure(const SeenItem& item) {
  return OwnerDrawn(item) || (!(item.type & MFT_SEPARATOR) && item.bitmap == HBMMENU_CALLBACK);
}

bool SameItem(const SeenItem& a, const SeenItem& b) {
  return a.id == b.id && a.data == b.data && a.submenu == b.submenu && a.bitmap == b.bitmap &&
         (a.type & MFT_SEPARATOR) == (b.type & MFT_SEPARATOR);
}

SeenItem ReadItem(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_DATA;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {0xFFFFFFFFu, 0, nullptr, 0, nullptr, false, false};
  return {info.wID, info.dwItemData, info.hSubMenu, info.fType, info.hbmpItem, false, false};
}

std::vector<SeenItem> ReadItems(HMENU menu) {
  std::vector<SeenItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) items.push_back(ReadItem(menu, i));
  return items;
}

// Which owner-drawn items of `now` are the skin's: each is matched in order with an item of the
// last reading (an item moved is found out of order), and keeps what that one was. An owner-drawn
// item the last reading did not have is the program's.
void Reconcile(const std::vector<SeenItem>& before, std::vector<SeenItem>* now) {
  std::vector<bool> used(before.size(), false);
  std::vector<bool> matched(now->size(), false);
  auto take = [&](size_t i, size_t k) {
    used[k] = matched[i] = true;
    (*now)[i].ours = before[k].ours && OwnerDrawn((*now)[i]);
    (*now)[i].picture = (*now)[i].ours && before[k].picture;
  };
  size_t from = 0;
  for (size_t i = 0; i < now->size(); ++i) {
    for (size_t k = from; k < before.size(); ++k) {
      if (used[k] || !SameItem(before[k], (*now)[i])) continue;
      take(i, k);
      from = k + 1;
      break;
    }
  }
  for (size_t i = 0; i < now->size(); ++i) {
    for (size_t k = 0; k < before.size() && !matched[i]; ++k) {
      if (!used[k] && SameItem(before[k], (*now)[i])) take(i, k);
    }
  }
}

void SetType(HMENU menu, size_t position, UINT type) {
  MENUITEMINFOW set = {};
  set.cbSize = sizeof set;
  set.fMask = MIIM_FTYPE;
  set.fType = type;
  SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &set);
}

// The item made owner-drawn. The system refuses MFT_BITMAP beside MIIM_FTYPE: a picture item loses
// it (its picture stays, and the owner-drawn bit goes before it is looked at) and gets it back.
void TakeItem(HMENU menu, size_t position, SeenItem* item) {
  item->picture = (item->type & MFT_BITMAP) != 0;
  SetType(menu, position, (item->type & ~MFT_BITMAP) | MFT_OWNERDRAW);
  item->type = ReadItem(menu, position).type;
  item->ours = true;
}

void GiveBackItem(HMENU menu, size_t position, SeenItem* item) {
  if (item->picture) {
    // The older way of writing a type, which takes MFT_BITMAP with the picture.
    MENUITEMINFOW set = {};
    set.cbSize = sizeof set;
    set.fMask = MIIM_TYPE;
    set.fType = (item->type & ~MFT_OWNERDRAW) | MFT_BITMAP;
    set.dwTypeData = reinterpret_cast<LPWSTR>(item->bitmap);
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &set);
  } else {
    SetType(menu, position, item->type & ~MFT_OWNERDRAW);
  }
  item->type = ReadItem(menu, position).type;
  item->ours = item->picture = false;
}

// Reads the menu again and makes every item the skin draws owner-drawn, and gives back those it no
// longer draws (a bar's MDI buttons after the look changed). Only items whose type changes are
// written: a write makes the system lay the menu out again.
void Convert(Converted& c) {
  std::vector<SeenItem> now = ReadItems(c.menu);
  Reconcile(c.items, &now);
  for (size_t i = 0; i < now.size(); ++i) {
    const bool drawn = DrawnBySkin(now[i], c.bar);
    if (drawn && !now[i].ours) TakeItem(c.menu, i, &now[i]);
    if (!drawn && now[i].ours) GiveBackItem(c.menu, i, &now[i]);
  }
  c.items = std::move(now);
  c.nextDrawn = 0;
}

// The skin's items get their own types back.
void GiveBackItems(Converted& c) {
  if (!IsMenu(c.menu)) return;
  std::vector<SeenItem> now = ReadItems(c.menu);
  Reconcile(c.items, &now);
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i].ours) GiveBackItem(c.menu, i, &now[i]);
  }
  c.items = std::move(now);
}

bool ChangedAt(const Converted& c, int position) {
  const SeenItem item = ReadItem(c.menu, position);
  return !SameItem(item, c.items[position]) || item.type != c.items[position].type;
}

bool CountChanged(const Converted& c) {
  const int count = GetMenuItemCount(c.menu);
  return count < 0 || static_cast<size_t>(count) != c.items.size();
}

bool ChangedSince(const Converted& c) {
  if (CountChanged(c)) return true;
  for (size_t i = 0; i < c.items.size(); ++i) {
    if (ChangedAt(c, static_cast<int>(i)) || DrawnBySkin(c.items[i], c.bar) != c.items[i].ours) return true;
  }
  return false;
}

Converted* FindBarOf(HWND window) {
  for (Converted& c : Menus) {
    if (c.bar && c.owner == window) return &c;
  }
  return nullptr;
}

Converted* FindPopupWindow(HWND popup) {
  for (Converted& c : Menus) {
    if (!c.bar && c.popup == popup) return &c;
  }
  return nullptr;
}

void Erase(const Converted* c) {
  Menus.erase(Menus.begin() + (c - Menus.data()));
}

// Entries of menus destroyed meanwhile go, before a new menu can take their handles.
void ForgetDestroyedMenus() {
  Menus.erase(std::remove_if(Menus.begin(), Menus.end(), [](const Converted& c) { return !IsMenu(c.menu); }),
              Menus.end());
}

bool IsOwnersWindow(HWND window) {
  return window && OnDressedThread(window) &&
         IsSkinnedHere(window);
}

void Expect(const Converted& c, int barWidth) {
  Expected = {};
  Expected.menu = c.menu;
  Expected.owner = c.owner;
  Expected.bar = c.bar;
  Expected.width = barWidth;
}

// ------------------------------------------------------------------ a bar's line

bool StartsLine(const SeenItem& item) { return (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0; }

// An item placed on the bar's line, `width` wide as the system measured it: it goes on the next
// line when it does not fit after others.
bool PlaceOnLine(size_t position, int width) {
  if (Expected.x + width > Expected.width && position != Expected.lineStart) {
    Expected.lineStart = position;
    Expected.x = 0;
    return false;
  }
  Expected.x = std::min(Expected.x + width, Expected.width);
  return true;
}

int BitmapWidth(HMENU menu, size_t position, HBITMAP bitmap) {
  const auto magic = reinterpret_cast<INT_PTR>(bitmap);
  if (bitmap == HBMMENU_SYSTEM) {
    // The picture of an MDI child's system menu is the item's data, or the system's.
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    bitmap = reinterpret_cast<HBITMAP>(info.dwItemData);
    if (!bitmap) return GetSystemMetrics(SM_CYMENU) - MagicBarBitmapInset;
  } else if (magic >= FirstMagicBitmap && magic <= LastMagicBitmap) {
    return magic >= FirstPopupBitmap ? GetSystemMetrics(SM_CXMENUSIZE) : GetSystemMetrics(SM_CYMENU) - MagicBarBitmapInset;
  }
  BITMAP b = {};
  return GetObjectW(bitmap, sizeof b, &b) ? b.bmWidth : 0;
}

// The width the system gives a bar item that is not owner-drawn: its picture (`picture` wide, as
// the program measured it, or -1: as the system measures it), and its text with an average
// character's width on each side.
int SystemBarItemWidth(HMENU menu, size_t position, const SeenItem& item, int picture) {
  if (item.type & MFT_SEPARATOR) return 0;
  int width = 0;
  wchar_t text[256] = {};
  const int length = GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  if (item.bitmap) width += (picture >= 0 ? picture : BitmapWidth(menu, position, item.bitmap)) + (length > 0 ? 2 : 0);
  if (length > 0) {
    const BorrowedDc dc(nullptr);
    const ScopedSelection font(dc.get(), MenuFont());
    RECT r = {0, 0, 0, 0};
    DrawTextW(dc.get(), text, length, &r, DT_SINGLELINE | DT_CALCRECT);
    width += r.right + 2 * AverageCharWidth();
  }
  return width;
}

// The width of the line the system lays a window's bar out on: the window less its frame.
int BarWidth(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RECT outer = {};
  if (message == WM_NCCALCSIZE && lParam) {
    outer = wParam ? reinterpret_cast<const NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<const RECT*>(lParam);
  } else {
    GetWindowRect(window, &outer);
  }
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)) & ~WS_EX_CLIENTEDGE);
  return (outer.right - outer.left) - (frame.right - frame.left);
}

// ------------------------------------------------------------------ positions of drawn items

// The item's rectangle in the coordinates WM_DRAWITEM gives: the popup's client area, or the
// bar's window.
bool LocalItemRect(const Converted& c, int position, RECT* r) {
  if (!GetMenuItemRect(c.bar ? c.owner : c.popup, c.menu, position, r)) return false;
  if (c.bar) {
    RECT window = {};
    GetWindowRect(c.owner, &window);
    OffsetRect(r, -window.left, -window.top);
  } else {
    MapWindowPoints(nullptr, c.popup, reinterpret_cast<POINT*>(r), 2);
  }
  return true;
}

bool NamesItem(const Converted& c, int position, const DRAWITEMSTRUCT& d) {
  if (position < 0 || static_cast<size_t>(position) >= c.items.size()) return false;
  const SeenItem item = ReadItem(c.menu, position);
  return OwnerDrawn(item) && item.id == d.itemID && item.data == d.itemData;
}

bool DrawnAt(const Converted& c, int position, const DRAWITEMSTRUCT& d) {
  RECT r = {};
  return NamesItem(c, position, d) && LocalItemRect(c, position, &r) && EqualRect(&r, &d.rcItem);
}

// The rectangle the system drew at: the item's own, or, in a popup scrolled by its arrows, the
// item's shifted by the scroll position, which the item under it on the screen gives.
int PlaceOf(const Converted& c, const DRAWITEMSTRUCT& d) {
  const int count = static_cast<int>(c.items.size());
  if (DrawnAt(c, c.nextDrawn, d)) return c.nextDrawn;
  for (int i = 0; i < count; ++i) {
    if (DrawnAt(c, i, d)) return i;
  }
  POINT origin = {};
  if (!GetDCOrgEx(d.hDC, &origin)) return -1;
  const RECT& r = d.rcItem;
  const LONG rows[] = {(r.top + r.bottom) / 2, r.top, r.bottom - 1};
  for (const LONG y : rows) {
    const POINT at = {origin.x + (r.left + r.right) / 2, origin.y + y};
    const int position = MenuItemFromPoint(c.bar ? c.owner : c.popup, c.menu, at);
    if (NamesItem(c, position, d)) return position;
  }
  return -1;
}

BOOL CALLBACK TakeBarOf(HWND window, LPARAM) {
  TakeMenuBar(window);
  return TRUE;
}

bool ScreenReaderInRegistry() {
  HKEY key = nullptr;
  BOOL fallback = FALSE;
  SystemParametersInfoW(SPI_GETSCREENREADER, 0, &fallback, 0);
  if (RegOpenKeyExW(HKEY_CURRENT_USER, ScreenReaderKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return fallback;
  wchar_t value[16] = {};
  DWORD size = sizeof value - sizeof(wchar_t), type = 0;
  const LONG status = RegQueryValueExW(key, ScreenReaderValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return fallback;
  if (type == REG_DWORD) {
    DWORD number = 0;
    std::memcpy(&number, value, sizeof number);
    return number != 0;
  }
  return type == REG_SZ ? value[0] == L'1' : fallback != FALSE;
}

}  // namespace

Converted* Find(HMENU menu) {
  for (Converted& c : Menus) {
    if (c.menu == menu) return &c;
  }
  return nullptr;
}

void BeforeInitMenuPopup(HMENU menu, HWND owner) {
  Converted* c = Find(menu);
  if (!c || c->bar) {
    InitialisedMenu = menu;
    InitialisedBy = owner;
    return;
  }
  if (!c->owner && IsOwnersWindow(owner)) c->owner = owner;
  if (c->owner == owner) GiveBackItems(*c);
}

void AfterInitMenuPopup(HMENU menu, HWND owner) {
  Converted* c = Find(menu);
  if (!c || c->bar || c->owner != owner || !IsMenu(menu) || MenusStayPlain()) return;
  Convert(*c);
  Expect(*c, 0);
}

int MeasuredPosition(HWND owner, const MEASUREITEMSTRUCT& measure, HMENU* menu) {
  Converted* c = Expected.menu ? Find(Expected.menu) : nullptr;
  if (c && Expected.owner == owner) {
    for (size_t k = Expected.next; k < c->items.size(); ++k) {
      const SeenItem& item = c->items[k];
      if (!SendsMeasure(item) || item.id != measure.itemID || item.data != measure.itemData) continue;
      if (c->bar) {
        // The items between, which the system measures itself, take their places on the line.
        for (size_t j = Expected.next; j < k; ++j) {
          if (j != Expected.lineStart && StartsLine(c->items[j])) Expected.lineStart = j, Expected.x = 0;
          const int width = SystemBarItemWidth(c->menu, j, c->items[j], -1);
          if (!PlaceOnLine(j, width)) PlaceOnLine(j, width);
        }
        if (k != Expected.lineStart && StartsLine(item)) Expected.lineStart = k, Expected.x = 0;
      }
      Expected.current = k;
      *menu = c->menu;
      return static_cast<int>(k);
    }
  }
  // Outside the system's measuring of a menu: the first of the skin's items of this owner's
  // menus that the message names.
  for (const bool bar : {false, true}) {
    for (const Converted& other : Menus) {
      if (other.bar != bar || other.owner != owner) continue;
      for (size_t k = 0; k < other.items.size(); ++k) {
        const SeenItem& item = other.items[k];
        if (item.ours && item.id == measure.itemID && item.data == measure.itemData) {
          *menu = other.menu;
          return static_cast<int>(k);
        }
      }
    }
  }
  return -1;
}

void Measured(UINT width) {
  const size_t k = Expected.current;
  const Converted* c = Expected.menu ? Find(Expected.menu) : nullptr;
  Expected.current = None;
  if (k == None || !c || k >= c->items.size()) return;
  if (!Expected.bar) {
    Expected.next = k + 1;
    return;
  }
  // The system adds twice the average character width to an owner-drawn item, and the text to a
  // picture the program measures; an item measured again at the start of the next line keeps the
  // cursor where it is.
  const SeenItem& item = c->items[k];
  const int placed = OwnerDrawn(item) ? static_cast<int>(width) + 2 * AverageCharWidth()
                                      : SystemBarItemWidth(c->menu, k, item, static_cast<int>(width));
  Expected.next = PlaceOnLine(k, placed) ? k + 1 : k;
}

int DrawnPosition(const DRAWITEMSTRUCT& d) {
  Converted* c = Find(reinterpret_cast<HMENU>(d.hwndItem));
  if (!c || !IsMenu(c->menu)) return -1;
  if (CountChanged(*c)) Convert(*c);
  const int position = PlaceOf(*c, d);
  if (position < 0) return -1;
  if (ChangedAt(*c, position)) Convert(*c);
  if (!c->items[position].ours) return -1;
  c->nextDrawn = position + 1;
  return position;
}

look::Part MdiButtonOf(HBITMAP picture, bool* disabled) {
  const auto magic = reinterpret_cast<INT_PTR>(picture);
  if (disabled) *disabled = magic == MdiCloseGreyed || magic == MdiMinimiseGreyed;
  switch (magic) {
    case MdiClosePicture:
    case MdiCloseGreyed: return look::PartMdiClose;
    case MdiRestorePicture: return look::PartMdiRestore;
    case MdiMinimisePicture:
    case MdiMinimiseGreyed: return look::PartMdiMinimise;
    default: return look::PartCount;
  }
}

int MdiButtonWidth() { return GetSystemMetrics(SM_CYMENU) - MagicBarBitmapInset; }

bool IsSkinsItem(HMENU menu, int position) {
  const Converted* c = Find(menu);
  return c && position >= 0 && static_cast<size_t>(position) < c->items.size() && c->items[position].ours;
}

}  // namespace menus

using menus::Converted;
using menus::Menus;

bool MenusStayPlain() { return menus::ScreenReaderOn || StandingAside; }

void JoinPopupMenu(HWND popup, const CREATESTRUCTW& creation) {
  if (WindowClassName(popup) != menus::PopupMenuClass || MenusStayPlain()) return;
  const auto menu = static_cast<HMENU>(creation.lpCreateParams);
  if (!IsMenu(menu)) return;
  menus::ForgetDestroyedMenus();
  Converted* shown = menus::Find(menu);
  if (shown && shown->bar) return;
  if (shown) {
    menus::GiveBackItems(*shown);
    menus::Erase(shown);
  }
  HWND owner = creation.hwndParent;
  if (!owner && menus::InitialisedMenu == menu) owner = menus::InitialisedBy;
  // A popup whose owner the skin does not have would never be asked about its items.
  if (owner && !menus::IsOwnersWindow(owner)) return;
  Menus.push_back({menu, owner, popup, false, {}, 0});
  if (!owner) return;
  menus::Convert(Menus.back());
  menus::Expect(Menus.back(), 0);
}

void LeavePopupMenu(HWND popup) {
  Converted* c = menus::FindPopupWindow(popup);
  if (!c) return;
  menus::GiveBackItems(*c);
  if (menus::Expected.menu == c->menu) menus::Expected = {};
  menus::Erase(c);
}

bool IsConvertedPopupWindow(HWND popup) {
  const Converted* c = menus::FindPopupWindow(popup);
  return c && c->owner;
}

void TakeMenuBar(HWND window) {
  if (MenusStayPlain() || !GetProperty(window, NcFrameProperty) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) {
    return;
  }
  const HMENU bar = GetMenu(window);
  if (!bar || !IsMenu(bar) || menus::FindBarOf(window)) return;
  menus::ForgetDestroyedMenus();
  if (menus::Find(bar)) return;
  Menus.push_back({bar, window, nullptr, true, {}, 0});
  menus::Convert(Menus.back());
  DrawMenuBar(window);
}

// The bar the window has now: a new one taken, one the program changed read and converted again.
void FollowMenuBar(HWND window) {
  if (MenusStayPlain()) return;
  Converted* c = menus::FindBarOf(window);
  const HMENU bar = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(window);
  if (c && c->menu != bar) {
    menus::GiveBackItems(*c);
    menus::Erase(c);
    c = nullptr;
  }
  if (!c) {
    if (!bar || !IsMenu(bar) || !GetProperty(window, NcFrameProperty)) return;
    menus::ForgetDestroyedMenus();
    if (menus::Find(bar)) return;
    Menus.push_back({bar, window, nullptr, true, {}, 0});
    c = &Menus.back();
    menus::Convert(*c);
    return;
  }
  if (menus::ChangedSince(*c)) menus::Convert(*c);
}

LRESULT WithMenuBar(SkinHandler next, WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FollowMenuBar(window);
  const Converted* c = menus::FindBarOf(window);
  if (!c) return next(previous, window, message, wParam, lParam);
  const menus::Measuring saved = menus::Expected;
  menus::Expect(*c, menus::BarWidth(window, message, wParam, lParam));
  const LRESULT result = next(previous, window, message, wParam, lParam);
  menus::Expected = saved;
  return result;
}

bool IsConvertedBar(HMENU menu) {
  const Converted* c = menus::Find(menu);
  return c && c->bar;
}

void GiveBackMenuBar(HWND window) {
  Converted* c = menus::FindBarOf(window);
  if (!c) return;
  const HMENU bar = c->menu;
  menus::GiveBackItems(*c);
  if (menus::Expected.menu == bar) menus::Expected = {};
  menus::Erase(c);
  if (IsWindow(window) && GetMenu(window) == bar) DrawMenuBar(window);
}

void GiveBackMenus() {
  std::vector<Converted> all;
  all.swap(Menus);
  menus::Expected = {};
  menus::InitialisedMenu = nullptr;
  menus::InitialisedBy = nullptr;
  for (Converted& c : all) menus::GiveBackItems(c);
  for (const Converted& c : all) {
    if (c.bar && IsWindow(c.owner) && GetMenu(c.owner) == c.menu) DrawMenuBar(c.owner);
  }
}

void ReadScreenReader() {
  BOOL on = FALSE;
  SystemParametersInfoW(SPI_GETSCREENREADER, 0, &on, 0);
  menus::ScreenReaderOn = on != FALSE;
}

void FollowMenusPlain(bool wasPlain) {
  if (DressedThreadId != GetCurrentThreadId() || MenusStayPlain() == wasPlain) return;
  if (MenusStayPlain()) {
    GiveBackMenus();
  } else {
    EnumThreadWindows(DressedThreadId, &menus::TakeBarOf, 0);
  }
}

void FollowScreenReader(WPARAM setting) {
  if (setting != SPI_SETSCREENREADER || DressedThreadId != GetCurrentThreadId()) return;
  const bool wasPlain = MenusStayPlain();
  menus::ScreenReaderOn = menus::ScreenReaderInRegistry();
  FollowMenusPlain(wasPlain);
}

}  // namespace skin
