// "SysHeader32" items with an image, a bitmap or a sort arrow, and owner-drawn items: a header
// that has any is painted by the control first, then each item that is not owner-drawn gets the
// skin's item face with its image, caption and arrow drawn again on it. Owner-drawn items keep
// what their owner draws, over the item face the skin lays under it first. Headers without such
// items keep the skin's own header painting.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "skin/gdi/guards.h"
#include "skin/standard/standard.h"

namespace skin::standard {
namespace {

constexpr int TextCapacity = 256;
constexpr int RichFormats = HDF_OWNERDRAW | HDF_IMAGE | HDF_BITMAP | HDF_SORTUP | HDF_SORTDOWN;

int ItemCount(HWND header) { return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); }

int FormatOf(HWND header, int index) {
  HDITEMW item = {};
  item.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item.fmt;
}

bool HasRichItems(HWND header) {
  const int count = ItemCount(header);
  for (int i = 0; i < count; ++i) {
    if (FormatOf(header, i) & RichFormats) return true;
  }
  return false;
}

// The size of the picture the system's header shows for the item: its image, else its bitmap.
SIZE PictureSize(HWND header, const HDITEMW& item) {
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
  int cx = 0;
  int cy = 0;
  if ((item.fmt & HDF_IMAGE) && images && ImageList_GetIconSize(images, &cx, &cy)) return {cx, cy};
  BITMAP bitmap = {};
  if ((item.fmt & HDF_BITMAP) && item.hbm && GetObjectW(item.hbm, sizeof bitmap, &bitmap)) {
    return {bitmap.bmWidth, bitmap.bmHeight};
  }
  return {0, 0};
}

void DrawItem(HWND header, HDC dc, int index, RECT place, int state) {
  wchar_t text[TextCapacity] = {};
  HDITEMW item = {};
  item.mask = HDI_FORMAT | HDI_TEXT | HDI_IMAGE | HDI_BITMAP;
  item.pszText = text;
  item.cchTextMax = TextCapacity;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.fmt & HDF_OWNERDRAW) return;
  look::DrawPart(look::PartHeaderItem, static_cast<look::PartState>(state), dc, place);
  const std::wstring caption(text, wcsnlen(text, TextCapacity));
  const SIZE picture = PictureSize(header, item);
  const HeaderItemPlaces places = PlaceHeaderItem(header, dc, place, item.fmt, caption, picture);
  // Parts are cut at the item's edges, as the caption is.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
  if (!IsRectEmpty(&places.Arrow)) {
    look::DrawPart((item.fmt & HDF_SORTUP) ? look::PartSortArrowUp : look::PartSortArrowDown,
                   EnabledState(header), dc, places.Arrow);
  } else if (!IsRectEmpty(&places.Picture)) {
    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    if ((item.fmt & HDF_IMAGE) && images) {
      ImageList_Draw(images, item.iImage, dc, places.Picture.left, places.Picture.top, ILD_TRANSPARENT);
    } else {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(item.hbm), 0, places.Picture.left,
                 places.Picture.top, picture.cx, picture.cy, DST_BITMAP);
    }
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(look::PartHeaderItem, static_cast<look::PartState>(state)));
  DrawHeaderCaptionAt(dc, caption, places.Caption);
  RestoreDC(dc, saved);
}

LRESULT PaintHeader(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(previous, header, message, wParam, lParam);
  if (DetachedMeanwhile(header)) return result;
  RECT client = {};
  GetClientRect(header, &client);
  const BorrowedDc dc(header);
  const ScopedSelection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(header, WM_GETFONT, 0, 0)));
  const intptr_t pressed = GetProperty(header, HdIndexProperty);
  const intptr_t hot = GetProperty(header, HmIndexProperty);
  const int count = ItemCount(header);
  LONG end = 0;
  for (int i = 0; i < count; ++i) {
    RECT place = {};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    DrawItem(header, dc.get(), i, place, i == pressed ? StatePressed : i == hot ? StateHot : StateNormal);
    end = std::max(end, place.right);
  }
  look::DrawPart(look::PartHeaderBackground, look::Normal, dc.get(), {end, 0, client.right, client.bottom});
  return result;
}

// The skin's header states run as usual (they draw a plain item face); when they changed the
// pressed or the hot item, the header is painted again with its images and arrows.
LRESULT FollowHeaderStates(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const intptr_t pressed = GetProperty(header, HdIndexProperty);
  const intptr_t hot = GetProperty(header, HmIndexProperty);
  SkinHandler usual = &SkinOnMouseMove;
  if (message == WM_LBUTTONDOWN) usual = &SkinOnLButtonDown;
  if (message == WM_LBUTTONDBLCLK) usual = &SkinOnLButtonDblClk;
  if (message == WM_MOUSELEAVE) usual = &SkinOnMouseLeave;
  LRESULT result = 0;
  if (message == WM_LBUTTONUP) {
    result = SkinOnLButtonUp(previous, header, message, wParam, lParam);
  } else {
    result = usual(previous, header, message, wParam, lParam);
  }
  if (!DetachedMeanwhile(header) && (pressed != GetProperty(header, HdIndexProperty) ||
                                     hot != GetProperty(header, HmIndexProperty))) {
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return result;
}

}  // namespace

SkinHandler HeaderFamily(HWND header, UINT message) {
  switch (message) {
    case WM_PAINT:
      return HasRichItems(header) ? &PaintHeader : nullptr;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return HasRichItems(header) ? &FollowHeaderStates : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace skin::standard

namespace skin {

bool PrepareOwnerDrawnHeaderItem(const DRAWITEMSTRUCT& item) {
  if (DressedThreadId == 0 || GetWindowThreadProcessId(item.hwndItem, nullptr) != DressedThreadId) return false;
  const RECT& r = item.rcItem;
  look::DrawPart(look::PartHeaderItem, (item.itemState & ODS_SELECTED) ? look::Pressed : look::Normal, item.hDC,
                 item.rcItem);
  return true;
}

}  // namespace skin
