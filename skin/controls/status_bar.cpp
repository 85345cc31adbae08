// "msctls_statusbar32": the header strip's background under every pane, the panes parted by
// lines in the border colour (a visual style's panes each with the line at its end), their texts
// on top. A bar with an owner-drawn pane is left to its own painting.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/gdi/guards.h"
#include "skin/controls/status_bar.h"

#include "skin/controls/shared.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

using namespace controls;

constexpr int MaxParts = 256;

// The right edges of the panes (-1: to the bar's end); one pane, SB_SIMPLEID, in simple mode.
std::vector<int> PaneEdges(HWND bar) {
  if (SendMessageW(bar, SB_ISSIMPLE, 0, 0)) return {-1};
  std::vector<int> edges(MaxParts);
  const auto count = static_cast<int>(SendMessageW(bar, SB_GETPARTS, MaxParts, reinterpret_cast<LPARAM>(edges.data())));
  edges.resize(static_cast<size_t>(std::max(count, 0)));
  return edges;
}

WPARAM PaneId(HWND bar, size_t index) {
  return SendMessageW(bar, SB_ISSIMPLE, 0, 0) ? SB_SIMPLEID : static_cast<WPARAM>(index);
}

std::wstring PaneText(HWND bar, WPARAM id) {
  const auto length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, id, 0));
  std::wstring text(length + 1u, L'\0');
  SendMessageW(bar, SB_GETTEXTW, id, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(length);
  return text;
}

bool HasOwnerDrawnPane(HWND bar, const std::vector<int>& edges) {
  for (size_t i = 0; i < edges.size(); ++i) {
    if (HIWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, PaneId(bar, i), 0)) & SBT_OWNERDRAW) return true;
  }
  return false;
}

LRESULT PaintBar(WNDPROC previous, HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::vector<int> edges = PaneEdges(bar);
  if (HasOwnerDrawnPane(bar, edges)) return Pass(previous, bar, message, wParam, lParam);
  RECT client = {};
  GetClientRect(bar, &client);
  const int w = client.right;
  const int h = client.bottom;
  const ScopedSurface surface(w, h);
  const HDC dc = surface.get();
  const look::PartState state = EnabledState(bar);
  look::DrawPart(look::PartStatusBar, state, dc, {0, 0, w, h});
  const ScopedSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look::PartTextColour(look::PartStatusPane, state));
  const RECT margins = look::PartContentMargins(look::PartStatusPane);
  int left = 0;
  for (size_t i = 0; i < edges.size(); ++i) {
    const int right = edges[i] < 0 || edges[i] > w ? w : edges[i];
    // The pane where the bar lays it out (a visual style draws each with its end line).
    if (RECT pane = {}; SendMessageW(bar, SB_GETRECT, i, reinterpret_cast<LPARAM>(&pane))) {
      look::DrawPart(look::PartStatusPane, state, dc, pane);
    }
    const std::wstring text = PaneText(bar, PaneId(bar, i));
    DrawTextIn(dc, text, left + margins.left, 1, right - left - margins.left - margins.right, h - 1,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (i + 1 < edges.size()) look::DrawPart(look::PartStatusSeparator, state, dc, {right - 1, 3, right, h - 2});
    left = right;
  }
  const PaintScope paint(bar);
  BitBlt(paint.dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
  return 0;
}

SkinHandler HandlerFor(HWND, UINT message) { return message == WM_PAINT ? &PaintBar : nullptr; }

void Nothing(HWND) {}

}  // namespace

const controls::Room controls::StatusBarRoom = {&Nothing, &Nothing, &HandlerFor};

}  // namespace skin
