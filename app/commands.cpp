#include "app/commands.h"

#include "app/main_window.h"
#include "app/process.h"

namespace app {
namespace {

constexpr char WaitingProperty[] = "WAITINGFORCOMMAND";
constexpr char ShellToolName[] = "taskkill";
// How long an editor that was ended by force may take to go.
constexpr DWORD EndedEditorWaitMs = 5000;

// Shows the wait cursor while a command waits for the registry editor, and marks the owner as
// waiting so that its window keeps that cursor when the pointer moves.
class WaitCursor {
 public:
  explicit WaitCursor(HWND owner) : owner_(owner), previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {
    if (owner_) SetPropA(owner_, WaitingProperty, reinterpret_cast<HANDLE>(1));
  }
  ~WaitCursor() {
    if (owner_) RemovePropA(owner_, WaitingProperty);
    SetCursor(previous_);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HWND owner_;
  HCURSOR previous_;
};

// Dispatches every message waiting for this thread, the forms' keys routed as the main loop
// routes them. False once WM_QUIT came: it is posted again for the program's own message loop,
// and no more messages are taken here.
bool DispatchPending(int* quitCode) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      *quitCode = static_cast<int>(message.wParam);
      return false;
    }
    if (TranslateFormKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// Waits for the process while this thread goes on dispatching its messages, so that the windows
// repaint and other programs' SendMessage calls are answered. True when it ended in time.
bool WaitResponsively(HANDLE process, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  int quitCode = 0;
  bool quitting = false;
  bool ended = false;
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    const DWORD left = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
    if (quitting) {
      ended = WaitForSingleObject(process, left) == WAIT_OBJECT_0;
      break;
    }
    const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
    if (woke != WAIT_OBJECT_0 + 1) {
      ended = woke == WAIT_OBJECT_0;
      break;
    }
    quitting = !DispatchPending(&quitCode);
  }
  if (quitting) PostQuitMessage(quitCode);
  return ended;
}

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
ImportOutcome RunImport(HWND owner, const std::string& path, DWORD expected, DWORD timeoutMs) {
  UniqueHandle editor;
  if (!StartProcess("regedit /s \"" + path + "\"", SW_HIDE, editor.put())) {
    return ImportOutcome::EditorNotStarted;
  }
  bool ended = true;
  if (editor) {
    WaitCursor waiting(owner);
    ended = WaitResponsively(editor.get(), timeoutMs);
    // An editor still running could import after the user has been told the value is unchanged,
    // and it holds the payload file open; it is ended before the value is read back.
    if (!ended && TerminateProcess(editor.get(), 1)) {
      WaitForSingleObject(editor.get(), EndedEditorWaitMs);
    }
  }
  DWORD value = 0;
  if (ReadPagedPoolSize(&value) && value == expected) return ImportOutcome::Applied;
  return ended ? ImportOutcome::ValueUnchanged : ImportOutcome::EditorTimedOut;
}

const wchar_t* FailureText(ImportOutcome outcome) {
  switch (outcome) {
    case ImportOutcome::EditorNotStarted: return EditorNotStartedMessage;
    case ImportOutcome::EditorTimedOut: return EditorTimedOutMessage;
    default: return ValueUnchangedMessage;
  }
}

// A path that the ANSI file functions gave, as the user is shown it.
std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
  return wide;
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

int ShowNotice(HWND owner, const std::wstring& text, UINT flags) {
  return MessageBoxW(owner, text.c_str(), MessageTitle, flags);
}

ImportOutcome ImportPayload(HWND owner, const PayloadImport& payload, DWORD timeoutMs) {
  const std::string path = PayloadPath(payload.fileName);
  if (path.empty() || !WritePayload(payload.resourceId, path)) {
    ShowNotice(owner, PayloadNotWrittenHead + FromAnsi(path) + PayloadNotWrittenTail, FailureFlags);
    return ImportOutcome::PayloadNotWritten;
  }
  const ImportOutcome outcome = RunImport(owner, path, payload.value, timeoutMs);
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

bool IsWaitingForCommand(HWND owner) { return owner && GetPropA(owner, WaitingProperty) != nullptr; }

// Without taskkill.exe (Windows XP Home Edition has none) the command line would end nothing and
// only open a folder window, so the user is told that the shell was not restarted.
void RestartShell(HWND owner) {
  if (ShowNotice(owner, RestartConfirmation, RestartConfirmFlags) != IDYES) return;
  if (!SystemProgramExists(ShellToolName)) {
    ShowNotice(owner, ShellToolMissingMessage, FailureFlags);
  } else if (!StartProcess(RestartShellCommandLine, SW_HIDE)) {
    ShowNotice(owner, ShellRestartFailedMessage, FailureFlags);
  }
}

}  // namespace app
