// Starting the system programs behind the commands (registry editor, command interpreter, URL
// handler). Every start goes through one replaceable starter so that tests can record the
// command lines instead of running them.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// Owns a kernel handle and closes it on every path out of the scope that took it.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  // Releases what is held and hands out the slot for a function that writes a new handle.
  HANDLE* put() { reset(); return &handle_; }
  void reset() {
    if (*this) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// Starts `commandLine` as a new process with the show state `showState` (SW_HIDE,
// SW_SHOWNORMAL, ...) and does not wait for it. When `process` is given it receives the process
// handle, which the caller closes. Returns false when nothing was started.
using ProcessStarter = bool (*)(const std::string& commandLine, int showState, HANDLE* process);

bool StartProcess(const std::string& commandLine, int showState, HANDLE* process = nullptr);

// The real starter. The program named by the first word of the command line is looked up in the
// system directory and then in the Windows directory only, and the child starts in the Windows
// directory: the commands run elevated, so a program planted in the current directory or on the
// search path must never be the one that runs.
bool StartSystemProcess(const std::string& commandLine, int showState, HANDLE* process);

// Whether the system directory or the Windows directory holds the program (".exe" added when
// the name has no extension).
bool SystemProgramExists(const std::string& name);

// Installs `starter` for every later StartProcess and returns the one it replaces.
ProcessStarter SetProcessStarter(ProcessStarter starter);

}  // namespace app
