// SkinProbe.dll: hooked by a test into a program that SkinDress.exe dressed, it runs the test's
// commands on the program's own user-interface thread, the only one allowed to dress it.
#include <windows.h>

#include <cstdint>

#include "tests/support/gdi_headroom.h"
#include "tests/wine_programs/probe.h"

namespace {

using namespace testing_support;

using SkinThreadCall = int(WINAPI*)();
constexpr UINT RepaintFlags =
    RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME | RDW_INVALIDATE | RDW_ERASE;

int CallSkin(const char* function) {
  const HMODULE skin = GetModuleHandleW(L"TavrinSkin.dll");
  const FARPROC call = skin ? GetProcAddress(skin, function) : nullptr;
  return call ? reinterpret_cast<SkinThreadCall>(call)() : ProbeNoSkin;
}

BOOL CALLBACK Repaint(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RepaintFlags);
  return TRUE;
}

intptr_t Run(WPARAM command) {
  switch (command) {
    case ProbeUndress:
      return CallSkin("SkinDetachThread");
    case ProbeDress: {
      const int dressed = CallSkin("SkinAttachThread");
      EnumThreadWindows(GetCurrentThreadId(), &Repaint, 0);
      return dressed;
    }
    case ProbeHeadroom:
      return GdiHeadroom();
  }
  return 0;
}

}  // namespace

// The WH_GETMESSAGE hook: a command is run when its message is taken off the queue (not when it
// is only peeked at), and the program's window then gets a WM_NULL in its place.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM removal,
                                                            LPARAM message) {
  static const UINT command = RegisterWindowMessageA(ProbeCommandMessage);
  auto& posted = *reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && posted.message == command) {
    SetPropA(posted.hwnd, ProbeAnswerProperty, reinterpret_cast<HANDLE>(Run(posted.wParam)));
    SetPropA(posted.hwnd, ProbeSerialProperty, reinterpret_cast<HANDLE>(posted.lParam));
    posted.message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removal, message);
}
