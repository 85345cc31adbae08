// Headers. Attached, and on a dressed thread when no item has a picture, a sort arrow or an owner
// who draws it: the whole header painted by the skin, each item a face with its caption, hot under
// the pointer ("HMINDEX") and pressed while held ("HDINDEX"), -1 for none. A header that has such
// items is painted by the control first, then each item that is not owner-drawn gets the skin's
// face with its picture, caption and arrow drawn again on it. On the dressed thread the parts of
// an item go where the system's own header puts them for the item's format, so that a dressed list
// view shows its columns as the plain one does; attached headers keep every caption centred.
#include "skin/controls/header.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

constexpr int TextCapacity = 256;
constexpr intptr_t NoItem = -1;
constexpr int RichFormats = HDF_OWNERDRAW | HDF_IMAGE | HDF_BITMAP | HDF_SORTUP | HDF_SORTDOWN;
constexpr UINT CaptionCut = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

// ---------------------------------------------------------------- where an item's parts go

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

// Where the system's header puts an item's parts inside the item's rectangle, for the item's
// format (HDF_RTLREADING is reading order and moves nothing): the caption, drawn there cut at its
// right end; the image or bitmap; the sort arrow, which takes the place of any picture. Parts the
// item lacks get empty rectangles. `dc` has the header's font: the caption and the arrow are
// measured in it. `picture` is the size of the image or bitmap shown, {0, 0} for none.
struct ItemPlaces {
  RECT Caption;
  RECT Picture;
  RECT Arrow;
};

ItemPlaces PlaceItem(HWND header, HDC dc, RECT item, int format, const std::wstring& caption, SIZE picture) {
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

  ItemPlaces places = {};
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

// A caption in its place; nothing when that place has no width.
void DrawCaptionAt(HDC dc, const std::wstring& caption, const RECT& place) {
  if (place.right <= place.left) return;
  DrawTextIn(dc, caption, place.left, place.top, place.right - place.left, place.bottom - place.top, CaptionCut);
}

// A header item's caption into `dc`, `item` being the item's rectangle there: placed as the system
// places it on the dressed thread, centred elsewhere. The font is the caller's.
void DrawCaption(HWND header, HDC dc, int index, const RECT& item) {
  const std::wstring caption = HeaderItemCaption(header, index);
  if (caption.empty()) return;
  if (!OnDressedThread(header)) {
    DrawTextIn(dc, caption, item.left, item.top, item.right - item.left, item.bottom - item.top, CaptionFormat);
    return;
  }
  HDITEMW data = {};
  data.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&data));
  DrawCaptionAt(dc, caption, PlaceItem(header, dc, item, data.fmt, caption, {0, 0}).Caption);
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)); }

// ---------------------------------------------------------------- the skin's own header

int ItemCount(HWND header) { return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); }

look::PartState FaceOf(intptr_t index, intptr_t pressed, intptr_t hot) {
  return index == pressed ? look::Pressed : index == hot ? look::Hot : look::Normal;
}

LRESULT PaintWhole(WNDPROC, HWND window, UINT, WPARAM, LPARAM) {
  WindowBounds b;
  GetWindowBounds(window, &b);
  const ScopedSurface surface(b.Width, b.Height);
  const HDC dc = surface.get();
  look::DrawPart(look::PartHeaderBackground, look::Normal, dc, {0, 0, b.Width, b.Height});
  const int count = ItemCount(window);
  const intptr_t pressed = GetProperty(window, HdIndexProperty);
  const intptr_t hot = GetProperty(window, HmIndexProperty);
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    SendMessageA(window, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const look::PartState face = FaceOf(i, pressed, hot);
    look::DrawPart(look::PartHeaderItem, face, dc, {item.left, 0, item.right, b.Height});
    SelectObject(dc, FontOf(window));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look::PartTextColour(look::PartHeaderItem, face));
    DrawCaption(window, dc, i, {item.left, 0, item.right, item.bottom});
  }
  const PaintScope paint(window);
  BitBlt(paint.dc(), 0, 0, b.Width, b.Height, dc, 0, 0, SRCCOPY);
  return 0;
}

// The header item whose left..right, bounds included, holds x; a shared edge hits the lower index.
intptr_t ItemAt(HWND header, LPARAM point) {
  const int count = ItemCount(header);
  const int x = SignedLowWord(static_cast<int32_t>(point));
  for (int i = 0; i < count; ++i) {
    RECT item = {};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    if (item.left <= x && x <= item.right) return i;
  }
  return NoItem;
}

void PaintItem(HWND header, intptr_t index, int state) { PaintHeaderItem(header, nullptr, static_cast<int>(index), state); }

LRESULT OnPress(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, header, message, wParam, lParam);
  if (DetachedMeanwhile(header) || ItemCount(header) <= 0) return result;
  const intptr_t hit = ItemAt(header, lParam);
  SetProperty(header, HdIndexProperty, hit);
  PaintItem(header, hit, StatePressed);
  return result;
}

// While the button is held the hot item stays; only the pressed one shows when re-entered.
LRESULT OnMouseMove(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, header, message, wParam, lParam);
  if (DetachedMeanwhile(header)) return result;
  controls::EnterOnce(header);
  const intptr_t hit = ItemAt(header, lParam);
  const intptr_t hot = GetProperty(header, HmIndexProperty);
  const intptr_t down = GetProperty(header, HdIndexProperty);
  if (hot == hit) return result;
  if (hot >= 0 && hot != down) PaintItem(header, hot, StateNormal);
  if (wParam & MK_LBUTTON) {
    if (down == hit) PaintItem(header, hit, StatePressed);
  } else {
    SetProperty(header, HmIndexProperty, hit);
    PaintItem(header, hit, StateHot);
  }
  return result;
}

LRESULT OnRelease(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, header, message, wParam, lParam);
  if (DetachedMeanwhile(header)) return result;
  const intptr_t released = GetProperty(header, HdIndexProperty);
  SetProperty(header, HdIndexProperty, NoItem);
  if (released >= 0) PaintItem(header, released, controls::IsUnderCursor(header) ? StateHot : StateNormal);
  return result;
}

LRESULT OnMouseLeave(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, header, message, wParam, lParam);
  if (DetachedMeanwhile(header)) return result;
  const intptr_t hot = GetProperty(header, HmIndexProperty);
  SetProperty(header, MouseFlagProperty, 0);
  SetProperty(header, HdIndexProperty, NoItem);
  SetProperty(header, HmIndexProperty, NoItem);
  PaintItem(header, hot, StateNormal);
  return result;
}

SkinHandler StatesHandlerFor(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE: return &OnMouseMove;
    case WM_MOUSELEAVE: return &OnMouseLeave;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return &OnPress;
    case WM_LBUTTONUP: return &OnRelease;
    default: return nullptr;
  }
}

// ---------------------------------------------------------------- items with pictures, dressed

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

void DrawRichItem(HWND header, HDC dc, int index, RECT place, look::PartState state) {
  wchar_t text[TextCapacity] = {};
  HDITEMW item = {};
  item.mask = HDI_FORMAT | HDI_TEXT | HDI_IMAGE | HDI_BITMAP;
  item.pszText = text;
  item.cchTextMax = TextCapacity;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (item.fmt & HDF_OWNERDRAW) return;
  look::DrawPart(look::PartHeaderItem, state, dc, place);
  const std::wstring caption(text, wcsnlen(text, TextCapacity));
  const SIZE picture = PictureSize(header, item);
  const ItemPlaces places = PlaceItem(header, dc, place, item.fmt, caption, picture);
  // Parts are cut at the item's edges, as the caption is.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
  if (!IsRectEmpty(&places.Arrow)) {
    look::DrawPart((item.fmt & HDF_SORTUP) ? look::PartSortArrowUp : look::PartSortArrowDown,
                   controls::EnabledState(header), dc, places.Arrow);
  } else if (!IsRectEmpty(&places.Picture)) {
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
    if ((item.fmt & HDF_IMAGE) && images) {
      ImageList_Draw(images, item.iImage, dc, places.Picture.left, places.Picture.top, ILD_TRANSPARENT);
    } else {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(item.hbm), 0, places.Picture.left,
                 places.Picture.top, picture.cx, picture.cy, DST_BITMAP);
    }
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(look::PartHeaderItem, state));
  DrawCaptionAt(dc, caption, places.Caption);
  RestoreDC(dc, saved);
}

LRESULT PaintRich(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, header, message, wParam, lParam);
  if (DetachedMeanwhile(header)) return result;
  RECT client = {};
  GetClientRect(header, &client);
  const BorrowedDc dc(header);
  const ScopedSelection font(dc.get(), FontOf(header));
  const intptr_t pressed = GetProperty(header, HdIndexProperty);
  const intptr_t hot = GetProperty(header, HmIndexProperty);
  const int count = ItemCount(header);
  LONG end = 0;
  for (int i = 0; i < count; ++i) {
    RECT place = {};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    DrawRichItem(header, dc.get(), i, place, FaceOf(i, pressed, hot));
    end = std::max(end, place.right);
  }
  look::DrawPart(look::PartHeaderBackground, look::Normal, dc.get(), {end, 0, client.right, client.bottom});
  return result;
}

// The header's states run as usual (they draw a plain item face); when they changed the pressed
// or the hot item, the header is painted again with its pictures and arrows.
LRESULT FollowRichStates(WNDPROC previous, HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  const intptr_t pressed = GetProperty(header, HdIndexProperty);
  const intptr_t hot = GetProperty(header, HmIndexProperty);
  const LRESULT result = StatesHandlerFor(message)(previous, header, message, wParam, lParam);
  if (!DetachedMeanwhile(header) &&
      (pressed != GetProperty(header, HdIndexProperty) || hot != GetProperty(header, HmIndexProperty))) {
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return result;
}

SkinHandler HandlerFor(HWND header, UINT message) {
  const SkinHandler states = StatesHandlerFor(message);
  if (message != WM_PAINT && !states) return nullptr;
  const bool rich = OnDressedThread(header) && HasRichItems(header);
  if (message == WM_PAINT) return rich ? &PaintRich : &PaintWhole;
  return rich ? &FollowRichStates : states;
}

void Take(HWND window) {
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, HdIndexProperty, NoItem);
  SetProperty(window, HmIndexProperty, NoItem);
}

void GiveBack(HWND window) {
  RemoveProperty(window, MouseFlagProperty);
  RemoveProperty(window, HdIndexProperty);
  RemoveProperty(window, HmIndexProperty);
}

}  // namespace

const controls::Room controls::HeaderRoom = {&Take, &GiveBack, &HandlerFor};

std::wstring HeaderItemCaption(HWND header, int index) {
  wchar_t text[TextCapacity] = {};
  HDITEMW item = {};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = TextCapacity;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return std::wstring(text, wcsnlen(text, TextCapacity));
}

void PaintHeaderItem(HWND window, HDC dc, int index, int state) {
  if (index < 0) return;
  WindowBounds b;
  GetWindowBounds(window, &b);
  RECT item = {};
  SendMessageA(window, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const int width = item.right - item.left;
  const int height = item.bottom - item.top;

  const ScopedSurface face(width, b.Height);
  ScopedSelection font(face.get(), FontOf(window));
  SetBkMode(face.get(), TRANSPARENT);
  const auto partState = static_cast<look::PartState>(state);
  SetTextColor(face.get(), look::PartTextColour(look::PartHeaderItem, partState));
  look::DrawPart(look::PartHeaderItem, partState, face.get(), {0, 0, width, b.Height});
  DrawCaption(window, face.get(), index, {0, 0, width, b.Height});
  const DrawTarget target(window, dc);
  BitBlt(target.get(), item.left, 0, width, height, face.get(), 0, 0, SRCCOPY);
}

bool PrepareOwnerDrawnHeaderItem(const DRAWITEMSTRUCT& item) {
  if (!OnDressedThread(item.hwndItem)) return false;
  look::DrawPart(look::PartHeaderItem, (item.itemState & ODS_SELECTED) ? look::Pressed : look::Normal, item.hDC,
                 item.rcItem);
  return true;
}

}  // namespace skin
