#include "app/process.h"

#include <vector>

namespace app {
namespace {

ProcessStarter currentStarter = &StartSystemProcess;

std::string FirstWord(const std::string& commandLine) {
  const auto end = commandLine.find(' ');
  return commandLine.substr(0, end);
}

std::string WithExeSuffix(std::string name) {
  if (name.find('.') == std::string::npos) name += ".exe";
  return name;
}

// Full path of a system program, or empty when neither system directory holds it.
std::string FindSystemProgram(const std::string& name) {
  char directory[MAX_PATH + 1] = {};
  using DirectoryQuery = UINT(WINAPI*)(LPSTR, UINT);
  for (DirectoryQuery query : {DirectoryQuery{&GetSystemDirectoryA}, DirectoryQuery{&GetWindowsDirectoryA}}) {
    const UINT length = query(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) continue;
    const std::string candidate = std::string(directory) + "\\" + WithExeSuffix(name);
    const DWORD attributes = GetFileAttributesA(candidate.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
  }
  return {};
}

}  // namespace

bool StartSystemProcess(const std::string& commandLine, int showState, HANDLE* process) {
  const std::string program = FindSystemProgram(FirstWord(commandLine));
  if (program.empty()) return false;
  char windowsDirectory[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryA(windowsDirectory, MAX_PATH);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showState);
  PROCESS_INFORMATION started = {};
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');
  if (!CreateProcessA(program.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      length > 0 && length < MAX_PATH ? windowsDirectory : nullptr, &startup,
                      &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  if (process) {
    *process = started.hProcess;
  } else {
    CloseHandle(started.hProcess);
  }
  return true;
}

bool SystemProgramExists(const std::string& name) { return !FindSystemProgram(name).empty(); }

bool StartProcess(const std::string& commandLine, int showState, HANDLE* process) {
  return currentStarter(commandLine, showState, process);
}

ProcessStarter SetProcessStarter(ProcessStarter starter) {
  const ProcessStarter previous = currentStarter;
  currentStarter = starter ? starter : &StartSystemProcess;
  return previous;
}

}  // namespace app
