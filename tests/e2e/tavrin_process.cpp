#include "tests/e2e/tavrin_process.h"

#include <string>

namespace testing_support {
namespace {
constexpr DWORD StartTimeoutMs = 20000;
constexpr DWORD CloseTimeoutMs = 5000;
}  // namespace

TavrinProcess::TavrinProcess() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string commandLine = std::string("\"") + TAVRIN_DRIVEN_EXE + "\"";
  if (!CreateProcessA(TAVRIN_DRIVEN_EXE, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    return;
  }
  WaitUntil([&] {
    const auto windows = TopLevelWindows(id(), "Form", L"Tavrin");
    form1_ = windows.empty() ? nullptr : windows.front();
    return form1_ != nullptr || !running();
  }, StartTimeoutMs);
  // Let the first paint reach the screen.
  Pump(300);
}

TavrinProcess::~TavrinProcess() {
  if (!process_.hProcess) return;
  for (HWND box : TopLevelWindows(id(), "#32770")) PostMessageA(box, WM_CLOSE, 0, 0);
  if (IsWindow(form1_)) PostMessageA(form1_, WM_CLOSE, 0, 0);
  if (!WaitForExit(CloseTimeoutMs)) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool TavrinProcess::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND TavrinProcess::Button(const wchar_t* caption) const {
  return FindDescendant(form1_, "Button", caption);
}

HWND TavrinProcess::WaitForMessageBox(DWORD timeoutMs) const {
  HWND box = nullptr;
  WaitUntil([&] {
    const auto boxes = TopLevelWindows(id(), "#32770");
    box = boxes.empty() ? nullptr : boxes.front();
    return box != nullptr;
  }, timeoutMs);
  if (box) Pump(200);  // until it has painted and taken the focus
  return box;
}

bool TavrinProcess::WaitForNoMessageBox(DWORD timeoutMs) const {
  return WaitUntil([&] { return TopLevelWindows(id(), "#32770").empty(); }, timeoutMs);
}

}  // namespace testing_support
