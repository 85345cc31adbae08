// Which family paints a standard control, by lower-cased class name, and what they share.
#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

#include "skin/gdi/guards.h"
#include "skin/standard/standard.h"

namespace skin {
namespace standard {
namespace {

struct ClassFamily {
  const char* name;
  Family family;
};

constexpr ClassFamily Families[] = {
    {"button", &ButtonFamily},
    {"msctls_progress32", &ProgressFamily},
    {"edit", &BorderFamily},
    {"listbox", &BorderFamily},
    {"syslistview32", &BorderFamily},
    {"systreeview32", &BorderFamily},
    {"richedit20w", &BorderFamily},
    {"richedit20a", &BorderFamily},
    {"systabcontrol32", &TabFamily},
    {"msctls_statusbar32", &StatusBarFamily},
    {"msctls_trackbar32", &TrackBarFamily},
    {"msctls_updown32", &UpDownFamily},
    {"sysheader32", &HeaderFamily},
    {"rebarwindow32", &ReBarFamily},
};

Family FamilyOf(HWND window) {
  std::string name = WindowClassName(window);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto found = std::find_if(std::begin(Families), std::end(Families),
                                  [&](const ClassFamily& entry) { return name == entry.name; });
  return found == std::end(Families) ? nullptr : found->family;
}

}  // namespace

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

COLORREF BorderColour(HWND window) {
  return look::Colour(IsEnabled(window) ? look::RoleBorder : look::RoleBorderDisabled);
}

bool TrackHover(HWND window, UINT message) {
  if (message == WM_MOUSELEAVE) {
    SetProperty(window, MouseFlagProperty, 0);
    return false;
  }
  if (message == WM_MOUSEMOVE && GetProperty(window, MouseFlagProperty) == 0) {
    SetProperty(window, MouseFlagProperty, 1);
    RequestMouseLeave(window);
  }
  return GetProperty(window, MouseFlagProperty) != 0;
}

void FollowHotPart(HWND window, UINT message, int partUnderPointer) {
  if (message != WM_MOUSEMOVE && message != WM_MOUSELEAVE) return;
  const bool inside = TrackHover(window, message);
  const int part = inside ? partUnderPointer : -1;
  if (part == HotPart(window)) return;
  // Kept one up, so that a missing property reads as no part.
  SetProperty(window, HmIndexProperty, part + 1);
  InvalidateRect(window, nullptr, FALSE);
}

int HotPart(HWND window) { return static_cast<int>(GetProperty(window, HmIndexProperty)) - 1; }

POINT PointerIn(HWND window) {
  POINT point = {-1, -1};
  if (GetCursorPos(&point)) ScreenToClient(window, &point);
  return point;
}

void DrawButtonFace(HDC dc, const RECT& place, int state) {
  look::DrawSlicedPart(dc, place.left, place.top, place.right - place.left, place.bottom - place.top,
                       look::PartButtonFace, state);
}

void DrawArrow(HDC dc, const RECT& place, ArrowDirection direction, bool enabled) {
  constexpr int ArrowBase = 7;
  constexpr int ArrowRows = 4;
  const bool upright = direction == ArrowUp || direction == ArrowDown;
  const int across = upright ? ArrowBase : ArrowRows;
  const int along = upright ? ArrowRows : ArrowBase;
  const int x0 = place.left + RoundHalfEven((place.right - place.left - across) / 2.0);
  const int y0 = place.top + RoundHalfEven((place.bottom - place.top - along) / 2.0);
  const COLORREF colour = look::Colour(enabled ? look::RoleArrow : look::RoleArrowDisabled);
  for (int row = 0; row < ArrowRows; ++row) {
    const int line = direction == ArrowDown || direction == ArrowRight ? row : ArrowRows - 1 - row;
    const int length = ArrowBase - 2 * row;
    if (upright) {
      FillSolid(dc, x0 + row, y0 + line, length, 1, colour);
    } else {
      FillSolid(dc, x0 + line, y0 + row, 1, length, colour);
    }
  }
}

void ForgetState(HWND window) {
  if (!FamilyOf(window) || ClassifyWindow(window) == KindButton) return;
  RemoveProperty(window, MouseFlagProperty);
  RemoveProperty(window, HmIndexProperty);
}

bool HasAnyBorder(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) ||
         (GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

LRESULT PaintBarFrame(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(previous, bar, message, wParam, lParam);
  if (!DetachedMeanwhile(bar) && HasAnyBorder(bar)) DrawFlatFrame(bar, look::Colour(look::RoleControlFill));
  return result;
}

void DrawFlatFrame(HWND window, COLORREF inside) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(window, &bx, &by);
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  FrameSolid(dc.get(), 0, 0, b.Width, b.Height, BorderColour(window));
  for (int d = 1; d < std::max(bx, by); ++d) {
    FrameSolid(dc.get(), d, d, b.Width - 2 * d, b.Height - 2 * d, inside);
  }
}

}  // namespace standard

SkinHandler StandardHandlerFor(HWND window, UINT message) {
  if (DressedThreadId == 0 || GetWindowThreadProcessId(window, nullptr) != DressedThreadId) return nullptr;
  if (message == WM_NOTIFY) return &standard::ToolbarCustomDraw;
  const standard::Family family = standard::FamilyOf(window);
  return family ? family(window, message) : nullptr;
}

void ForgetStandardState(HWND window) { standard::ForgetState(window); }

}  // namespace skin
