// The parts of the Wine prefix that the commands change: the PagedPoolSize value, files in the
// system directory, and the processes the program starts (recorded instead of run).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Sets PagedPoolSize (REG_DWORD), or removes it.
void SetPagedPoolSize(DWORD value);
void DeletePagedPoolSize();
// The value, or `missing` when it is absent.
DWORD PagedPoolSizeOr(DWORD missing);

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// A registry-import file as the payloads are: a byte-order mark and UTF-16LE text.
std::string Utf16Payload(const std::string& asciiText);
// The import file that sets PagedPoolSize to `hexValue` ("ffffffff"), ended by CR LF or not.
std::string PagedPoolPayload(const std::string& hexValue, bool endWithNewLine);

struct StartedProcess {
  std::string commandLine;
  int showState;
};

// While it lives, StartProcess records each command line instead of running it. `outcome`
// decides what the recorded start reports: Succeed hands back a handle that is already signalled
// (as if the program had ended at once), Hang one that never is, Slow one that is signalled after
// SlowProgramMs, Fail reports that nothing could be started. HungEditor starts the real process
// of hung_editor.cpp with the command's arguments; it is ended with the recorder at the latest.
class ProcessRecorder {
 public:
  enum Outcome { Succeed, Hang, Slow, Fail, HungEditor };
  static constexpr DWORD SlowProgramMs = 5000;
  static constexpr DWORD HungEditorWritesAfterMs = 3000;
  explicit ProcessRecorder(Outcome outcome = Succeed);
  ~ProcessRecorder();
  ProcessRecorder(const ProcessRecorder&) = delete;
  ProcessRecorder& operator=(const ProcessRecorder&) = delete;

  const std::vector<StartedProcess>& started() const;
  bool AllEnded() const;  // every real process it started
};

}  // namespace testing_support
