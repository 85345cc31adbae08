// Starts Tavrin.exe (the build this machine runs) for a test and makes sure it is gone afterwards.
#pragma once

#include <windows.h>

#include "tests/support/desktop.h"

namespace testing_support {

class TavrinProcess {
 public:
  TavrinProcess();
  ~TavrinProcess();
  TavrinProcess(const TavrinProcess&) = delete;
  TavrinProcess& operator=(const TavrinProcess&) = delete;

  DWORD id() const { return process_.dwProcessId; }
  HWND form1() const { return form1_; }
  bool running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit(DWORD timeoutMs) const;

  // A button of Form1 by its caption.
  HWND Button(const wchar_t* caption) const;
  // The program's visible message box once it is up, or null after `timeoutMs`.
  HWND WaitForMessageBox(DWORD timeoutMs = 10000) const;
  // Whether the program shows no message box any more, after at most `timeoutMs`.
  bool WaitForNoMessageBox(DWORD timeoutMs = 5000) const;

 private:
  PROCESS_INFORMATION process_ = {};
  HWND form1_ = nullptr;
};

}  // namespace testing_support
