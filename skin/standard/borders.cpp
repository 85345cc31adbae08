// "Edit", "ListBox", "SysListView32", "SysTreeView32", "RichEdit20W" and "RichEdit20A": whatever
// frame they have (a border, a client edge, a static edge) becomes the one-pixel skin border,
// with the rest of the frame in the window colour. Their scroll bars are drawn by skin/scrollbars.
#include <windows.h>

#include "skin/standard/standard.h"

namespace skin::standard {
namespace {

LRESULT PaintFrame(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(previous, window, message, wParam, lParam);
  if (!DetachedMeanwhile(window) && HasAnyBorder(window)) DrawFlatFrame(window, look::PartContentBorder);
  return result;
}

}  // namespace

SkinHandler BorderFamily(HWND, UINT message) { return message == WM_NCPAINT ? &PaintFrame : nullptr; }

}  // namespace skin::standard
