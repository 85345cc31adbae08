// Real input and screen reads for tests that drive windows as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Moves the pointer to a screen point, clicks the left button there, presses a key (with an
// optional modifier held), all through SendInput.
void MovePointer(POINT screen);
void Click(POINT screen);
void PressKey(WORD key, WORD modifier = 0);
// Turns the wheel under the pointer at a screen point by notches, towards the user when positive.
void Wheel(POINT screen, int notches);

// For a modal loop on this thread (a held caption button, a move, a menu): `steps` runs on another
// thread, sending input with the two calls below (each waits a little, never pumps), while this
// thread pumps until they end.
void WhileModal(const std::function<void()>& steps);
void SendPointer(DWORD flags, POINT screen);
void TypeKey(WORD key, WORD modifier = 0);
// A press at `from`, moves by (dx, dy) in `steps` steps, and the release, while this thread runs
// the modal loop the press starts (a caption, a frame, a scroll bar).
void Drag(POINT from, int dx, int dy, int steps = 4);

// Polls `done` every 20 ms, pumping this thread's messages in between, until it holds or
// `timeoutMs` has passed. Returns its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Pumps this thread's messages for `ms`.
void Pump(DWORD ms);

// Centre of a window on the screen.
POINT CentreOf(HWND window);
// A point given in a window's client coordinates, on the screen.
POINT ClientToScreenPoint(HWND window, int x, int y);

// The visible top-level windows of a process with the given class (and caption, when given).
// Captions are read and compared in UTF-16.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className, const wchar_t* caption = nullptr);

// A descendant of `parent` with the given class and caption, at any depth.
HWND FindDescendant(HWND parent, const char* className, const wchar_t* caption);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOfThread(HWND window);

// Pixels of a window's client area as the screen shows them, row by row (COLORREFs).
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // How many pixels of row y, between x0 and x1 (exclusive), have the given colour.
  int CountInRow(int y, int x0, int x1, COLORREF colour) const;
  int CountInRect(const RECT& area, COLORREF colour) const;
};
Capture CaptureClient(HWND window);
// Whether a block of 24 x 8 or 8 x 24 pixels of the capture, outside `leftOut` (in the capture's
// coordinates), has at least 90 % of its pixels bright: luminance over 180 of 255.
bool HasBrightBlock(const Capture& capture, const RECT& leftOut = {});
// Pixels of a rectangle of the screen, in screen coordinates.
Capture CaptureScreen(const RECT& area);

}  // namespace testing_support
