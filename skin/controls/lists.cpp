// A combo box's drop-down list and a data list get the look's control frame over what they drew;
// a grid with a border gets the one-pixel border. A data list's frame stays its own.
#include "skin/controls/lists.h"

#include <windows.h>

#include "skin/controls/borders.h"
#include "skin/controls/shared.h"
#include "skin/gdi/guards.h"
#include "skin/look/parts.h"

namespace skin {
namespace {

void PaintListBorder(HWND window) {
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  DrawControlBorder(dc.get(), b.Width, b.Height, IsWindowEnabled(window) != FALSE);
}

void PaintGridBorder(HWND window) {
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_BORDER)) return;
  WindowBounds b;
  GetWindowBounds(window, &b);
  const BorrowedDc dc(window, BorrowedDc::Whole);
  look::DrawPart(look::PartControlBorder, controls::EnabledState(window), dc.get(), {0, 0, b.Width, b.Height});
}

LRESULT OnPaint(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool grid = ClassifyWindow(window) == KindGrid;
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (DetachedMeanwhile(window)) return result;
  if (grid) {
    PaintGridBorder(window);
  } else {
    PaintListBorder(window);
  }
  return result;
}

SkinHandler HandlerFor(HWND window, UINT message) {
  if (message == WM_PAINT) return &OnPaint;
  // A data list's frame is never flattened.
  if (message == WM_NCPAINT && ClassifyWindow(window) == KindDataList) return &Pass;
  return nullptr;
}

void Nothing(HWND) {}

}  // namespace

const controls::Room controls::ListsRoom = {&Nothing, &Nothing, &HandlerFor};

}  // namespace skin
