#include "tests/support/system_state.h"

#include <fstream>
#include <iterator>

#include "app/commands.h"
#include "app/process.h"

namespace testing_support {
namespace {

std::vector<StartedProcess> recorded;
ProcessRecorder::Outcome recordedOutcome = ProcessRecorder::Succeed;
app::ProcessStarter replaced = nullptr;
std::vector<HANDLE> realProcesses;

// CreateProcess looks for the stand-in in this test executable's directory first.
bool StartHungEditor(const std::string& commandLine, HANDLE* process) {
  std::string line = "hung_editor.exe" + commandLine.substr(commandLine.find(' '));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  realProcesses.push_back(started.hProcess);
  const HANDLE self = GetCurrentProcess();
  return !process || DuplicateHandle(self, started.hProcess, self, process, 0, FALSE, DUPLICATE_SAME_ACCESS);
}

DWORD WINAPI RunSlowly(void*) {
  Sleep(ProcessRecorder::SlowProgramMs);
  return 0;
}

bool RecordStart(const std::string& commandLine, int showState, HANDLE* process) {
  recorded.push_back({commandLine, showState});
  if (recordedOutcome == ProcessRecorder::Fail) return false;
  if (recordedOutcome == ProcessRecorder::HungEditor) return StartHungEditor(commandLine, process);
  const BOOL signalled = recordedOutcome == ProcessRecorder::Succeed;
  // A thread's handle is signalled when the thread ends, as a process's is.
  const HANDLE standIn = recordedOutcome == ProcessRecorder::Slow
                             ? CreateThread(nullptr, 0, &RunSlowly, nullptr, 0, nullptr)
                             : CreateEventA(nullptr, TRUE, signalled, nullptr);
  if (process) {
    *process = standIn;
  } else {
    CloseHandle(standIn);
  }
  return true;
}

HKEY OpenMemoryManagement(REGSAM access) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, app::MemoryManagementKey, 0, nullptr, 0, access, nullptr,
                  &key, nullptr);
  return key;
}

}  // namespace

void SetPagedPoolSize(DWORD value) {
  const HKEY key = OpenMemoryManagement(KEY_SET_VALUE);
  RegSetValueExA(key, app::PagedPoolSizeName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof value);
  RegCloseKey(key);
}

void DeletePagedPoolSize() {
  const HKEY key = OpenMemoryManagement(KEY_SET_VALUE);
  RegDeleteValueA(key, app::PagedPoolSizeName);
  RegCloseKey(key);
}

DWORD PagedPoolSizeOr(DWORD missing) {
  DWORD value = 0;
  return app::ReadPagedPoolSize(&value) ? value : missing;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Utf16Payload(const std::string& asciiText) {
  std::string bytes = "\xFF\xFE";
  for (char c : asciiText) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

std::string PagedPoolPayload(const std::string& hexValue, bool endWithNewLine) {
  return Utf16Payload(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management]\r\n"
      "\"PagedPoolSize\"=dword:" + hexValue + (endWithNewLine ? "\r\n" : ""));
}

ProcessRecorder::ProcessRecorder(Outcome outcome) {
  recorded.clear();
  recordedOutcome = outcome;
  replaced = app::SetProcessStarter(&RecordStart);
}

ProcessRecorder::~ProcessRecorder() {
  app::SetProcessStarter(replaced);
  for (HANDLE process : realProcesses) {
    TerminateProcess(process, 1);
    CloseHandle(process);
  }
  realProcesses.clear();
}

const std::vector<StartedProcess>& ProcessRecorder::started() const { return recorded; }

bool ProcessRecorder::AllEnded() const {
  for (HANDLE process : realProcesses) {
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) return false;
  }
  return true;
}

}  // namespace testing_support
