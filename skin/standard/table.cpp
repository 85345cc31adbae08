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
  return IsEnabled(window) ? SkinBorderColour : SkinBorderDisabledColour;
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

bool HasAnyBorder(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) ||
         (GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
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
  const standard::Family family = standard::FamilyOf(window);
  return family ? family(window, message) : nullptr;
}

}  // namespace skin
