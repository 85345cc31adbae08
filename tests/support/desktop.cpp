#include "tests/support/desktop.h"

#include <atomic>
#include <thread>

namespace testing_support {
namespace {

constexpr DWORD PollIntervalMs = 20;
constexpr DWORD InputSettleMs = 60;
constexpr int AbsoluteScale = 65535;

void SendMouse(DWORD flags, POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, AbsoluteScale, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, AbsoluteScale, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MovePointer(POINT screen) {
  SendMouse(MOUSEEVENTF_MOVE, screen);
  Pump(InputSettleMs);
}

void Click(POINT screen) {
  MovePointer(screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
  Pump(InputSettleMs);
  SendMouse(MOUSEEVENTF_LEFTUP, screen);
  Pump(InputSettleMs);
}

void Wheel(POINT screen, int notches) {
  MovePointer(screen);
  for (int notch = 0; notch < (notches < 0 ? -notches : notches); ++notch) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(notches < 0 ? WHEEL_DELTA : -WHEEL_DELTA);
    SendInput(1, &input, sizeof input);
    Pump(InputSettleMs);
  }
}

void PressKey(WORD key, WORD modifier) {
  if (modifier) SendKey(modifier, 0);
  SendKey(key, 0);
  SendKey(key, KEYEVENTF_KEYUP);
  if (modifier) SendKey(modifier, KEYEVENTF_KEYUP);
  Pump(InputSettleMs);
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, PollIntervalMs, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

void WhileModal(const std::function<void()>& steps) {
  std::atomic<bool> done{false};
  std::thread input([&] {
    steps();
    done = true;
  });
  WaitUntil([&] { return done.load(); }, 15000);
  input.join();
  Pump(200);
}

void SendPointer(DWORD flags, POINT screen) {
  SendMouse(flags, screen);
  Sleep(80);
}

void Drag(POINT from, int dx, int dy, int steps) {
  WhileModal([&] {
    SendPointer(MOUSEEVENTF_MOVE, from);
    SendPointer(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= steps; ++step) {
      SendPointer(MOUSEEVENTF_MOVE, {from.x + dx * step / steps, from.y + dy * step / steps});
    }
    SendPointer(MOUSEEVENTF_LEFTUP, {from.x + dx, from.y + dy});
  });
}

void TypeKey(WORD key, WORD modifier) {
  if (modifier) SendKey(modifier, 0);
  SendKey(key, 0);
  SendKey(key, KEYEVENTF_KEYUP);
  if (modifier) SendKey(modifier, KEYEVENTF_KEYUP);
  Sleep(120);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return done();
    Pump(PollIntervalMs);
  }
  return true;
}

POINT CentreOf(HWND window) {
  RECT place = {};
  GetWindowRect(window, &place);
  return POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  const wchar_t* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[256] = {};
  wchar_t text[256] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextW(window, text, 256);
  if (owner == search.processId && IsWindowVisible(window) && lstrcmpA(name, search.className) == 0 &&
      (!search.caption || lstrcmpW(text, search.caption) == 0)) {
    search.found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className, const wchar_t* caption) {
  WindowSearch search{processId, className, caption, {}};
  EnumWindows(&CollectTopLevelWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDescendant(HWND parent, const char* className, const wchar_t* caption) {
  for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(parent, child, nullptr, nullptr)) {
    char name[256] = {};
    wchar_t text[256] = {};
    GetClassNameA(child, name, sizeof name);
    GetWindowTextW(child, text, 256);
    if (lstrcmpiA(name, className) == 0 && lstrcmpW(text, caption) == 0) return child;
    if (const HWND nested = FindDescendant(child, className, caption)) return nested;
  }
  return nullptr;
}

HWND FocusOfThread(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

int Capture::CountInRow(int y, int x0, int x1, COLORREF colour) const {
  int count = 0;
  for (int x = x0; x < x1; ++x) count += at(x, y) == colour;
  return count;
}

int Capture::CountInRect(const RECT& area, COLORREF colour) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) count += CountInRow(y, area.left, area.right, colour);
  return count;
}

bool HasBrightBlock(const Capture& capture, const RECT& leftOut) {
  const int w = capture.width, h = capture.height;
  // Bright pixels summed over every rectangle from the origin.
  std::vector<int> sums(static_cast<size_t>(w + 1) * (h + 1), 0);
  const auto sum = [&](int x, int y) -> int& { return sums[static_cast<size_t>(y) * (w + 1) + x]; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF p = capture.at(x, y);
      const POINT point = {x, y};
      const bool bright = !PtInRect(&leftOut, point) &&
                          0.299 * GetRValue(p) + 0.587 * GetGValue(p) + 0.114 * GetBValue(p) > 180;
      sum(x + 1, y + 1) = bright + sum(x, y + 1) + sum(x + 1, y) - sum(x, y);
    }
  }
  for (const SIZE block : {SIZE{24, 8}, SIZE{8, 24}}) {
    const int least = block.cx * block.cy * 9 / 10;
    for (int y = 0; y + block.cy <= h; ++y) {
      for (int x = 0; x + block.cx <= w; ++x) {
        const int x1 = x + block.cx, y1 = y + block.cy;
        if (sum(x1, y1) - sum(x, y1) - sum(x1, y) + sum(x, y) >= least) return true;
      }
    }
  }
  return false;
}

Capture CaptureClient(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  const POINT origin = ClientToScreenPoint(window, 0, 0);
  return CaptureScreen({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
}

Capture CaptureScreen(const RECT& area) {
  Capture capture;
  capture.width = area.right - area.left;
  capture.height = area.bottom - area.top;
  const POINT origin = {area.left, area.top};

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
  for (size_t i = 0; i < capture.pixels.size(); ++i) {
    const DWORD bgr = pixels[i];
    capture.pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }
  SelectObject(memory, previous);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

}  // namespace testing_support
