#include "app/commands.h"

#include "app/process.h"

namespace app {
namespace {

// Shows the wait cursor while the program blocks on the registry editor.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

// A read-only, hidden or system file, or a directory, at the path is someone else's: it is
// neither overwritten nor imported.
bool IsSomeoneElsesFile(const std::string& path) {
  constexpr DWORD Protected =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & Protected) != 0;
}

// Creates the file afresh (or truncates an ordinary file that is there) and writes the payload's
// bytes as they are. A partly written file is removed again.
bool WritePayload(int resourceId, const std::string& path) {
  if (IsSomeoneElsesFile(path)) return false;
  const HRSRC found =
      FindResourceExA(nullptr, PayloadResourceType, MAKEINTRESOURCEA(resourceId), PayloadLanguage);
  const DWORD size = found ? SizeofResource(nullptr, found) : 0;
  const HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return false;

  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  const bool complete = WriteFile(file.get(), bytes, size, &written, nullptr) && written == size;
  file.reset();
  if (!complete) DeleteFileA(path.c_str());
  return complete;
}

// The registry editor reports success whatever happened, so the value itself is the only truth.
ImportOutcome RunImport(const std::string& path, DWORD expected, DWORD timeoutMs) {
  UniqueHandle editor;
  if (!StartProcess("regedit /s \"" + path + "\"", SW_HIDE, editor.put())) {
    return ImportOutcome::EditorNotStarted;
  }
  bool ended = true;
  if (editor) {
    WaitCursor waiting;
    ended = WaitForSingleObject(editor.get(), timeoutMs) == WAIT_OBJECT_0;
  }
  DWORD value = 0;
  if (ReadPagedPoolSize(&value) && value == expected) return ImportOutcome::Applied;
  return ended ? ImportOutcome::ValueUnchanged : ImportOutcome::EditorTimedOut;
}

const char* FailureText(ImportOutcome outcome) {
  switch (outcome) {
    case ImportOutcome::EditorNotStarted: return EditorNotStartedMessage;
    case ImportOutcome::EditorTimedOut: return EditorTimedOutMessage;
    default: return ValueUnchangedMessage;
  }
}

}  // namespace

std::string PayloadPath(const char* fileName) {
  char directory[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(directory) + "\\" + fileName;
}

bool ReadPagedPoolSize(DWORD* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, MemoryManagementKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  const LONG status =
      RegQueryValueExA(key, PagedPoolSizeName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return false;
  *value = data;
  return true;
}

int ShowNotice(HWND owner, const std::string& text, UINT flags) {
  return MessageBoxA(owner, text.c_str(), MessageTitle, flags);
}

ImportOutcome ImportPayload(HWND owner, const PayloadImport& payload, DWORD timeoutMs) {
  const std::string path = PayloadPath(payload.fileName);
  if (path.empty() || !WritePayload(payload.resourceId, path)) {
    ShowNotice(owner, PayloadNotWrittenHead + path + PayloadNotWrittenTail, FailureFlags);
    return ImportOutcome::PayloadNotWritten;
  }
  const ImportOutcome outcome = RunImport(path, payload.value, timeoutMs);
  if (outcome == ImportOutcome::Applied) {
    ShowNotice(owner, payload.successMessage, NoticeFlags);
  } else {
    ShowNotice(owner, FailureText(outcome), FailureFlags);
  }
  DeleteFileA(path.c_str());
  return outcome;
}

void OptimisePagedPool(HWND owner) { ImportPayload(owner, OptimiseImport); }

void RestorePagedPool(HWND owner) { ImportPayload(owner, RestoreImport); }

void RestartShell(HWND owner) {
  if (ShowNotice(owner, RestartConfirmation, RestartConfirmFlags) != IDYES) return;
  if (!StartProcess(RestartShellCommandLine, SW_HIDE)) {
    ShowNotice(owner, ShellRestartFailedMessage, FailureFlags);
  }
}

}  // namespace app
