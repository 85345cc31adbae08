// "SysHeader32" items with an image, a bitmap or a sort arrow, and owner-drawn items: a header
// that has any is painted by the control first, then each item that is not owner-drawn gets the
// skin's item face with its image, caption and arrow drawn again on it. Owner-drawn items keep
// what their owner drew. Headers without such items keep the skin's own header painting.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/gdi/guards.h"
#include "skin/standard/standard.h"

namespace skin::standard {
namespace {

constexpr int TextCapacity = 256;
constexpr int Inset = 6;
constexpr int SortArrowRoom = 14;
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

void DrawItem(HWND header, HDC dc, int index, RECT place, int state) {
  wchar_t text[TextCapacity] = {};
  HDITEMW item = {};
  item.mask = HDI_FORMAT | HDI_TEXT | HDI_IMAGE | HDI_BITMAP;
  item.pszText = text;
  item.cchTextMax = TextCapacity;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.fmt & HDF_OWNERDRAW) return;
  look::DrawSlicedPart(dc, place.left, place.top, place.right - place.left, place.bottom - place.top,
                       look::PartHeaderFace, state);
  InflateRect(&place, -Inset, 0);
  if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
    const RECT arrow = {place.right - SortArrowRoom, place.top, place.right, place.bottom};
    DrawArrow(dc, arrow, (item.fmt & HDF_SORTUP) ? ArrowUp : ArrowDown, IsEnabled(header));
    place.right -= SortArrowRoom;
  }
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
  int cx = 0;
  int cy = 0;
  if ((item.fmt & HDF_IMAGE) && images && ImageList_GetIconSize(images, &cx, &cy)) {
    const bool right = (item.fmt & HDF_BITMAP_ON_RIGHT) != 0;
    const int x = right ? place.right - cx : place.left;
    ImageList_Draw(images, item.iImage, dc, x, place.top + (place.bottom - place.top - cy) / 2, ILD_TRANSPARENT);
    (right ? place.right : place.left) += right ? -(cx + Inset) : cx + Inset;
  } else if ((item.fmt & HDF_BITMAP) && item.hbm) {
    BITMAP bitmap = {};
    GetObjectW(item.hbm, sizeof bitmap, &bitmap);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(item.hbm), 0, place.left,
               place.top + (place.bottom - place.top - bitmap.bmHeight) / 2, bitmap.bmWidth,
               bitmap.bmHeight, DST_BITMAP);
    place.left += bitmap.bmWidth + Inset;
  }
  const int justify = item.fmt & HDF_JUSTIFYMASK;
  const UINT align = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::Colour(look::RoleFaceText));
  DrawTextW(dc, text, -1, &place, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
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
  look::DrawStretchedPart(dc.get(), end, 0, client.right - end, client.bottom, look::PartHeaderBackground, 0);
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
