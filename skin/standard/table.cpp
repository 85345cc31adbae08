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

look::PartState EnabledState(HWND window) { return IsEnabled(window) ? look::Normal : look::Disabled; }

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
  if (!DetachedMeanwhile(bar) && HasAnyBorder(bar)) DrawFlatFrame(bar, look::PartBarBorder);
  return result;
}

void DrawFlatFrame(HWND window, look::Part part) {
  int bx = 0;
  int by = 0;
  GetBorderInsets(window, &bx, &by);
  const int frame = std::max(1, std::max(bx, by));
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  ExcludeClipRect(dc.get(), frame, frame, b.Width - frame, b.Height - frame);
  look::DrawPart(part, EnabledState(window), dc.get(), {0, 0, b.Width, b.Height});
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
