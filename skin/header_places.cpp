// Where a header item's caption, picture and sort arrow go. On the dressed thread they go where
// the system's own header puts them for the item's format, so that a dressed list view shows its
// columns' captions as the plain one does; windows skinned one by one keep every caption centred.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "skin/engine.h"

namespace skin {
namespace {

constexpr int FrameLines = 2;  // the classic header's edge: two one-pixel lines
constexpr int ArrowHeightPart = 4;  // the sort arrow is 4/13 of the font's height tall
constexpr int ArrowHeightWhole = 13;

using WindowThemeQuery = HANDLE(WINAPI*)(HWND);
using ContentRectQuery = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);
constexpr int HeaderItemPart = 1;  // HP_HEADERITEM
constexpr int NormalItemState = 1;  // HIS_NORMAL

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A themed header lays its items out inside the theme's content rectangle. Only a process that has
// the theme library loaded can have a themed header, so it is not loaded here.
bool InsideThemedFrame(HWND header, HDC dc, RECT* item) {
  const HMODULE themes = GetModuleHandleA("uxtheme.dll");
  if (!themes) return false;
  const auto windowTheme = Export<WindowThemeQuery>(themes, "GetWindowTheme");
  const auto contentRect = Export<ContentRectQuery>(themes, "GetThemeBackgroundContentRect");
  const HANDLE theme = windowTheme && contentRect ? windowTheme(header) : nullptr;
  return theme && SUCCEEDED(contentRect(theme, dc, HeaderItemPart, NormalItemState, item, item));
}

// The item's rectangle inside the edges the system draws for the header's theme or style.
RECT InsideFrame(HWND header, HDC dc, RECT item) {
  if (InsideThemedFrame(header, dc, &item)) return item;
  const LONG style = GetWindowLongA(header, GWL_STYLE);
  if (style & HDS_FLAT) return item;
  if (style & HDS_BUTTONS) {
    InflateRect(&item, -FrameLines, -FrameLines);
  } else {
    item.right -= FrameLines;
    item.bottom -= FrameLines;
  }
  return item;
}

int CaptionWidth(HDC dc, const std::wstring& caption) {
  RECT extent = {};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &extent, DT_SINGLELINE | DT_CALCRECT);
  return extent.right - extent.left;
}

RECT CentredRows(int left, int width, int top, int bottom, int height) {
  const int y = top + (bottom - top - height) / 2;
  return {left, y, left + width, y + height};
}

}  // namespace

HeaderItemPlaces PlaceHeaderItem(HWND header, HDC dc, RECT item, int format, const std::wstring& caption,
                                 SIZE picture) {
  const RECT r = InsideFrame(header, dc, item);
  // The header's own margin around each part: three edge widths unless the program set another.
  const int margin = static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
  int content = (format & HDF_STRING) ? CaptionWidth(dc, caption) + 2 * margin : 0;
  int arrowHeight = 0;
  int arrowRoom = 0;
  int pictureRoom = 0;
  if (format & (HDF_SORTUP | HDF_SORTDOWN)) {
    // The arrow takes the place of any picture.
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    arrowHeight = MulDiv(metrics.tmHeight, ArrowHeightPart, ArrowHeightWhole);
    arrowRoom = 2 * arrowHeight - 1 + 2 * margin;
    content += arrowRoom;
  } else if (picture.cx > 0) {
    pictureRoom = picture.cx + 2 * margin;
    content += pictureRoom;
  }

  // Aligned as if everything fitted, then cut at the item's edges.
  const int justify = format & HDF_JUSTIFYMASK;
  int x = justify == HDF_LEFT     ? r.left
          : justify == HDF_CENTER ? r.left + (r.right - r.left) / 2 - content / 2
                                  : r.right - content;
  if (x < r.left) x = r.left;
  if (x + content > r.right) content = r.right - x;

  HeaderItemPlaces places = {};
  int textLeft = x + margin;
  const int textWidth = content - 2 * margin - arrowRoom - pictureRoom;
  const int afterText = x + textWidth + 3 * margin;
  if (arrowRoom) {
    places.Arrow = CentredRows(afterText, 2 * arrowHeight - 1, r.top, r.bottom, arrowHeight);
  } else if (pictureRoom) {
    const bool onRight = (format & HDF_BITMAP_ON_RIGHT) != 0;
    places.Picture = CentredRows(onRight ? afterText : x + margin, picture.cx, r.top, r.bottom, picture.cy);
    if (!onRight) textLeft += pictureRoom;
  }
  places.Caption = {textLeft, r.top, textLeft + textWidth, r.bottom};
  return places;
}

bool PlacesHeaderItemsAsSystem(HWND header) {
  return DressedThreadId != 0 && GetWindowThreadProcessId(header, nullptr) == DressedThreadId;
}

void DrawHeaderCaption(HWND header, HDC dc, int index, const RECT& item) {
  const std::wstring caption = HeaderItemCaption(header, index);
  if (caption.empty()) return;
  if (!PlacesHeaderItemsAsSystem(header)) {
    DrawTextIn(dc, caption, item.left, item.top, item.right - item.left, item.bottom - item.top,
               CaptionFormat);
    return;
  }
  HDITEMW data = {};
  data.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&data));
  DrawHeaderCaptionAt(dc, caption, PlaceHeaderItem(header, dc, item, data.fmt, caption, {0, 0}).Caption);
}

void DrawHeaderCaptionAt(HDC dc, const std::wstring& caption, const RECT& place) {
  if (place.right <= place.left) return;
  DrawTextIn(dc, caption, place.left, place.top, place.right - place.left, place.bottom - place.top,
             HeaderCaptionFormat);
}

}  // namespace skin
