// Menus in the skin's look. The system draws menus itself, in a modal loop of its own and
// straight through the popup's DC, and the same way under Wine and on every Windows only for
// owner-drawn items: so the text items and separators of a popup (when its window is made, and
// again after the program has enabled, checked or renamed them at WM_INITMENUPOPUP) and of a
// window's bar are made owner-drawn, and drawn from the theme when the system asks the owner; so
// are a maximised MDI child's buttons on its frame's bar while the look draws them. Only the
// owner-drawn bit of an item's type is changed (and MFT_BITMAP, which the system will not take
// beside it, for those buttons); which items are the skin's is kept in places.cpp, by position, and
// given back when a popup closes and at undress. Items the program draws itself and items with
// bitmaps of their own are left alone.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>

#include "skin/frame/frame.h"
#include "skin/gdi/guards.h"
#include "skin/gdi/kept.h"
#include "skin/look/parts.h"
#include "skin/menus/menus.h"
#include "skin/menus/places.h"

namespace skin {
namespace menus {
namespace {

constexpr UINT ObmMenuArrow = 32739;    // OBM_MNARROW: the system's submenu arrow
constexpr int TextGap = 6;              // around an item's text and between text and shortcut
constexpr int SeparatorHeight = 7;
constexpr int ArrowRows = 4;
// The system's average character width is that of the 52 letters, rounded.
constexpr wchar_t Alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int AlphabetLetters = 52;

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

void AnswerMeasure(HMENU menu, int position, MEASUREITEMSTRUCT* measure) {
  const MENUITEMINFOW info = ItemAt(menu, position);
  if (info.fType & MFT_SEPARATOR) {
    measure->itemWidth = 0;
    measure->itemHeight = SeparatorHeight;
    return;
  }
  std::wstring label, shortcut;
  SplitAtTab(TextAt(menu, position), &label, &shortcut);
  const BorrowedDc dc(nullptr);
  const ScopedSelection font(dc.get(), MenuFont());
  const SIZE text = TextSize(dc.get(), label);
  if (IsConvertedBar(menu)) {
    // The system adds twice the average character width to an owner-drawn bar item, as to a
    // text item: the same place as the plain bar's, an MDI button's as wide as the system's picture.
    const bool button = MdiButtonOf(info.hbmpItem, nullptr) != look::PartCount;
    measure->itemWidth = button ? std::max(0, MdiButtonWidth() - 2 * AverageCharWidth()) : text.cx;
    measure->itemHeight = GetSystemMetrics(SM_CYMENU) - 1;
    return;
  }
  // Every item keeps the submenu arrow's column, where shortcuts end, as the system's items do.
  const SIZE keys = shortcut.empty() ? SIZE{0, 0} : TextSize(dc.get(), shortcut);
  measure->itemWidth = CheckColumn() + TextGap + text.cx + (keys.cx ? 2 * TextGap + keys.cx : 0) + TextGap + ArrowWidth();
  measure->itemHeight = std::max<int>(text.cy, GetSystemMetrics(SM_CYMENUCHECK)) + 6;
}

// The skin answers for its own items; the program's owner-drawn items and pictures go to the
// program, and keep the cursor in step all the same.
LRESULT OnMeasureItem(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  HMENU menu = nullptr;
  const int position = MeasuredPosition(window, *measure, &menu);
  if (position < 0) return Pass(previous, window, message, wParam, lParam);
  LRESULT result = TRUE;
  if (IsSkinsItem(menu, position)) {
    AnswerMeasure(menu, position, measure);
  } else {
    result = Pass(previous, window, message, wParam, lParam);
  }
  Measured(measure->itemWidth);
  return result;
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

// An MDI child's button on the bar's background, where the system draws its picture: the item less
// a pixel on each side. Pressed while the system's menu loop has it selected.
void DrawMdiButton(const DRAWITEMSTRUCT& d, look::Part part, bool greyed) {
  look::DrawPart(look::PartMenuBarBackground, look::Normal, d.hDC, d.rcItem);
  RECT button = d.rcItem;
  InflateRect(&button, -1, -1);
  look::PartState state = look::Normal;
  if (greyed || (d.itemState & (ODS_GRAYED | ODS_DISABLED))) {
    state = look::Disabled;
  } else if (d.itemState & ODS_SELECTED) {
    state = look::Pressed;
  } else if (d.itemState & ODS_HOTLIGHT) {
    state = look::Hot;
  }
  look::DrawPart(part, state, d.hDC, button);
}

void DrawBarItem(const DRAWITEMSTRUCT& d, HMENU menu, int position) {
  bool greyed = false;
  const look::Part button = MdiButtonOf(ItemAt(menu, position).hbmpItem, &greyed);
  if (button != look::PartCount) {
    DrawMdiButton(d, button, greyed);
    return;
  }
  const HDC dc = d.hDC;
  const RECT& r = d.rcItem;
  const bool hot = (d.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const look::PartState state = ItemState(d, ODS_SELECTED | ODS_HOTLIGHT);
  look::DrawPart(look::PartMenuBarItem, hot ? look::Hot : look::Normal, dc, r);
  const ScopedSelection font(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(look::PartMenuBarItem, state));
  RECT text = r;
  DrawTextW(dc, TextAt(menu, position).c_str(), -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((d.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
}

void DrawItem(const DRAWITEMSTRUCT& d, HMENU menu, int position) {
  if (IsConvertedBar(menu)) {
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
    const int height = std::max<int>(1, look::PartNaturalSize(look::PartMenuPopupSeparator).cy);
    const int top = (r.top + r.bottom - height) / 2;
    look::DrawPart(look::PartMenuPopupSeparator, look::Normal, dc,
                   {r.left + CheckColumn(), top, r.right - TextGap, top + height});
    return;
  }
  const COLORREF ink = look::PartTextColour(look::PartMenuPopupItem, state);
  if (d.itemState & ODS_CHECKED) {
    DrawMark(dc, r, info.fType, look::LookOf(state) == look::Disabled ? look::Disabled : look::Normal);
  }
  std::wstring label, shortcut;
  SplitAtTab(TextAt(menu, position), &label, &shortcut);
  const ScopedSelection font(dc, MenuFont());
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
  const int position = DrawnPosition(*d);
  if (position < 0) return Pass(previous, window, message, wParam, lParam);
  DrawItem(*d, reinterpret_cast<HMENU>(d->hwndItem), position);
  return TRUE;
}

LRESULT OnInitMenuPopup(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto menu = reinterpret_cast<HMENU>(wParam);
  BeforeInitMenuPopup(menu, window);
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  AfterInitMenuPopup(menu, window);
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
    if (!IsSkinsItem(menu, i)) continue;
    const std::wstring text = TextAt(menu, i);
    const size_t amp = text.find(L'&');
    if (amp != std::wstring::npos && amp + 1 < text.size() && std::towupper(text[amp + 1]) == key) {
      return MAKELRESULT(i, MNC_EXECUTE);
    }
  }
  return result;
}

constexpr UINT MnGetHMenu = 0x01E1;  // MN_GETHMENU

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
  if (DetachedMeanwhile(popup) || !IsConvertedPopupWindow(popup)) return result;
  if (message == WM_NCPAINT) {
    PaintPopupFrame(popup);
  } else {
    PaintPopupInside(popup);
  }
  return result;
}

// A bar owner's frame: the bar is read again before the system lays out and paints it (with the
// frame's painter or the previous procedure), and its background painted after.
LRESULT OnBarOwnerNcPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const SkinHandler frame = FrameHandlerFor(window, message);
  const LRESULT result = WithMenuBar(frame ? frame : &Pass, previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window) && frame && !IsIconic(window)) {
    PaintMenuBarBackground(window, frame::LayoutOf(window).Caption.bottom);
  }
  return result;
}

LRESULT OnBarOwnerNcCalcSize(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return WithMenuBar(&Pass, previous, window, message, wParam, lParam);
}

}  // namespace

HFONT MenuFont() { return KeptFontOf(KeptMenuFont); }

// Measured now: the font may have been made again since.
int AverageCharWidth() {
  const BorrowedDc dc(nullptr);
  const ScopedSelection font(dc.get(), MenuFont());
  SIZE letters = {};
  if (!GetTextExtentPoint32W(dc.get(), Alphabet, AlphabetLetters, &letters)) return 0;
  return (letters.cx / (AlphabetLetters / 2) + 1) / 2;
}

}  // namespace menus

SkinHandler MenuHandlerFor(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITMENUPOPUP && message != WM_MENUCHAR && message != WM_MEASUREITEM &&
      message != WM_DRAWITEM && message != WM_PAINT && message != WM_NCPAINT && message != WM_NCCALCSIZE) {
    return nullptr;
  }
  if (!OnDressedThread(window) || MenusStayPlain()) return nullptr;
  switch (message) {
    case WM_PAINT: return IsConvertedPopupWindow(window) ? &menus::OnPopupPaint : nullptr;
    case WM_NCPAINT:
      if (IsConvertedPopupWindow(window)) return &menus::OnPopupPaint;
      return GetProperty(window, NcFrameProperty) ? &menus::OnBarOwnerNcPaint : nullptr;
    case WM_NCCALCSIZE: return GetProperty(window, NcFrameProperty) ? &menus::OnBarOwnerNcCalcSize : nullptr;
    case WM_INITMENUPOPUP: return &menus::OnInitMenuPopup;
    case WM_MENUCHAR: return &menus::OnMenuChar;
    case WM_MEASUREITEM:
      return reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU ? &menus::OnMeasureItem : nullptr;
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU ? &menus::OnDrawItem : nullptr;
    default: return nullptr;
  }
}

void PaintMenuBarBackground(HWND window, int captionBottom) {
  MENUBARINFO info = {};
  info.cbSize = sizeof info;
  const HMENU bar = GetMenu(window);
  if (!bar || !IsConvertedBar(bar) || !GetMenuBarInfo(window, OBJID_MENU, 0, &info)) return;
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
  const BorrowedDc dc(window, BorrowedDc::Whole);
  // Every item by itself: on a bar of several lines the items do not make one run.
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    if (!GetMenuItemRect(window, bar, i, &item)) continue;
    OffsetRect(&item, -bounds.left, -bounds.top);
    ExcludeClipRect(dc.get(), item.left, item.top, item.right, item.bottom);
  }
  look::DrawPart(look::PartMenuBarBackground, look::Normal, dc.get(), band);
}

}  // namespace skin
