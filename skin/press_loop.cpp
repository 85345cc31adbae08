// The loop of a held press.
#include "skin/press_loop.h"

namespace skin {
namespace {

// The next message for the loop, after any repeat that fell due first. False when the loop must
// end: the capture is gone, or WM_QUIT came (it is posted again).
bool NextMessage(HWND window, const PressSteps& steps, MSG* msg) {
  for (;;) {
    if (steps.Due && steps.Due(steps.context) == 0) steps.Repeat(steps.context);
    if (GetCapture() != window) return false;
    if (PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg->message != WM_QUIT) return true;
      PostQuitMessage(static_cast<int>(msg->wParam));
      return false;
    }
    const DWORD wait = steps.Due ? steps.Due(steps.context) : INFINITE;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
  }
}

}  // namespace

bool HoldPress(HWND window, int filter, const PressSteps& steps, POINT* releasedAt) {
  MSG msg = {};
  while (IsWindow(window) && NextMessage(window, steps, &msg)) {
    if (CallMsgFilterW(&msg, filter)) continue;
    if (msg.message == WM_LBUTTONUP) {
      if (releasedAt) *releasedAt = msg.pt;
      return true;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      steps.Move(steps.context, msg.pt);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return false;
}

}  // namespace skin
