// SkinGdiHeld: how many GDI objects the skin holds in a program it dresses, in the built-in light
// look and in Wine's light style, against the same program plain. Each program is started plainly
// or through SkinDress.exe (with --theme for the style), SkinBenchProbe.dll is hooked into its
// user-interface thread, and round after round the probe measures the GDI headroom of the program
// (the brushes it can still make: GetGuiResources is a stub under Wine, the headroom is exact);
// a dressed program is undressed and measured, then dressed again and measured once more.
// Undressed minus dressed is what the skin holds; the first rounds also fill the system's own
// caches, so the last round is the figure.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/wine_programs/probe.h"

namespace {

using namespace testing_support;

constexpr DWORD StartTimeoutMs = 20000;
constexpr DWORD AnswerTimeoutMs = 30000;
constexpr DWORD DialogTimeoutMs = 10000;
constexpr DWORD PollMs = 20;
constexpr DWORD SettleMs = 300;
constexpr DWORD CloseTimeoutMs = 5000;
constexpr int Rounds = 4;
constexpr char WineLightStyle[] = "C:\\windows\\resources\\themes\\light\\light.msstyles";

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(1);
  } while (GetTickCount() - start < ms);
}

template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return done();
    Pump(PollMs);
  }
  return true;
}

std::string Beside(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  directory.erase(directory.find_last_of("\\/") + 1);
  return directory + name;
}

void PressKey(WORD key, WORD modifier) {
  INPUT inputs[4] = {};
  const WORD keys[4] = {modifier, key, key, modifier};
  const DWORD flags[4] = {0, 0, KEYEVENTF_KEYUP, KEYEVENTF_KEYUP};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.dwFlags = flags[i];
  }
  SendInput(4, inputs, sizeof(INPUT));
}

struct TopLevelSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopLevelSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner != search->processId || !IsWindowVisible(window) || lstrcmpA(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND TopLevelOf(DWORD processId, const char* className) {
  TopLevelSearch search = {processId, className, nullptr};
  EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One of Wine's programs, started through SkinDress.exe or plainly, with the probe hooked into it;
// ended with the object.
class Dressed {
 public:
  Dressed(bool dressed, const std::string& options, const char* program, const char* mainClass) {
    std::string line = dressed ? "\"" + Beside("SkinDress.exe") + "\" " + options + program : std::string(program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &starter_)) return;
    WaitFor([&] { return (main_ = FindWindowA(mainClass, nullptr)) != nullptr && IsWindowVisible(main_); },
            StartTimeoutMs);
    if (!main_) return;
    const DWORD thread = GetWindowThreadProcessId(main_, &id_);
    program_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id_);
    const HMODULE probe = LoadLibraryA(Beside("SkinBenchProbe.dll").c_str());
    const auto hook = probe ? reinterpret_cast<HOOKPROC>(GetProcAddress(probe, "ProbeHook")) : nullptr;
    hook_ = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe, thread) : nullptr;
    Pump(SettleMs);
  }
  ~Dressed() {
    if (hook_) UnhookWindowsHookEx(hook_);
    for (HANDLE process : {program_, starter_.hProcess}) {
      if (!process) continue;
      TerminateProcess(process, 1);
      WaitForSingleObject(process, CloseTimeoutMs);
      CloseHandle(process);
    }
    if (starter_.hThread) CloseHandle(starter_.hThread);
  }
  Dressed(const Dressed&) = delete;
  Dressed& operator=(const Dressed&) = delete;

  bool ready() const { return main_ && hook_; }
  HWND main() const { return main_; }
  DWORD id() const { return id_; }

  // The probe's answer to a command run on the program's thread; -1 when none came.
  intptr_t Ask(ProbeCommand command) {
    const LPARAM serial = ++serial_;
    PostMessageA(main_, RegisterWindowMessageA(ProbeCommandMessage), command, serial);
    if (!WaitFor([&] { return reinterpret_cast<LPARAM>(GetPropA(main_, ProbeSerialProperty)) == serial; },
                 AnswerTimeoutMs)) {
      return -1;
    }
    return reinterpret_cast<intptr_t>(GetPropA(main_, ProbeAnswerProperty));
  }

 private:
  PROCESS_INFORMATION starter_ = {};
  HANDLE program_ = nullptr;
  HWND main_ = nullptr;
  DWORD id_ = 0;
  HHOOK hook_ = nullptr;
  LPARAM serial_ = 0;
};

struct Program {
  const char* name;
  const char* file;
  const char* mainClass;
  bool findDialog;  // Ctrl+F opens notepad's Find dialog, which has push buttons
  bool pages;       // a property sheet whose pages are each shown
};
constexpr Program Programs[] = {
    {"notepad, its Find dialog open", "notepad.exe", "Notepad", true, false},
    {"winecfg, each of its pages shown", "winecfg.exe", "#32770", false, true},
};

// What the program shows, shown again in every round, dressed or not.
void ShowEverything(Dressed& program, const Program& what) {
  if (what.pages) {
    const HWND tabs = FindWindowExA(program.main(), nullptr, "SysTabControl32", nullptr);
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int page = 0; page < pages; ++page) {
      SendMessageA(program.main(), PSM_SETCURSEL, page, 0);
      Pump(SettleMs);
    }
  }
  Pump(SettleMs);
}

bool OpenFindDialog(Dressed& program) {
  SetForegroundWindow(program.main());
  WaitFor([&] { return GetForegroundWindow() == program.main(); }, DialogTimeoutMs);
  PressKey('F', VK_CONTROL);
  return WaitFor([&] { return TopLevelOf(program.id(), "#32770") != nullptr; }, DialogTimeoutMs);
}

}  // namespace

// How one program looks: started plain, or through SkinDress.exe with these options.
struct Look {
  const char* name;
  bool dressed;
  std::string options;
};

// "SkinGdiHeld.exe" prints, for each program and look, the GDI headroom of the program in the
// last round (plain: as it came; dressed: while dressed), what the skin held while dressed in each
// round (the headroom undressed minus dressed), and what undressing left behind compared with the
// program started plain (its headroom then minus the undressed headroom of the last round).
int main() {
  const Look looks[] = {{"plain (not dressed)", false, ""},
                        {"the built-in light look", true, ""},
                        {"Wine's light style", true, std::string("--theme \"") + WineLightStyle + "\" "}};
  std::printf("| program | look | headroom | held while dressed, rounds 1 to %d | left after undressing |\n"
              "|---|---|---|---|---|\n",
              Rounds);
  int status = 0;
  for (const Program& what : Programs) {
    intptr_t plainHeadroom = -1;
    for (const Look& look : looks) {
      Dressed program(look.dressed, look.options, what.file, what.mainClass);
      if (!program.ready() || (what.findDialog && !OpenFindDialog(program))) {
        std::printf("| %s | %s | could not be started, hooked or shown | | |\n", what.name, look.name);
        status = 1;
        continue;
      }
      std::string held = "-";
      intptr_t headroom = -1, undressed = -1;
      for (int round = 0; round < Rounds; ++round) {
        if (!look.dressed) {
          ShowEverything(program, what);
          headroom = program.Ask(ProbeHeadroom);
          continue;
        }
        program.Ask(ProbeUndress);
        ShowEverything(program, what);
        undressed = program.Ask(ProbeHeadroom);
        program.Ask(ProbeDress);
        ShowEverything(program, what);
        headroom = program.Ask(ProbeHeadroom);
        held = (round ? held + ", " : "") + std::to_string(static_cast<long long>(undressed - headroom));
      }
      if (!look.dressed) plainHeadroom = headroom;
      const std::string left = look.dressed && plainHeadroom >= 0
                                   ? std::to_string(static_cast<long long>(plainHeadroom - undressed))
                                   : "-";
      std::printf("| %s | %s | %lld | %s | %s |\n", what.name, look.name, static_cast<long long>(headroom),
                  held.c_str(), left.c_str());
      std::fflush(stdout);
    }
  }
  return status;
}
