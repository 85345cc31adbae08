// The commands behind the buttons of the frame "操作功能": two registry imports that set
// PagedPoolSize through the system registry editor, and the restart of the Windows shell.
#pragma once

#include <windows.h>

#include <string>

#include "app/resources/resource_ids.h"
#include "app/texts.h"

namespace app {

inline constexpr char MemoryManagementKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline constexpr char PagedPoolSizeName[] = "PagedPoolSize";

inline constexpr char PayloadResourceType[] = "CUSTOM";
inline constexpr WORD PayloadLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

inline constexpr char RestartShellCommandLine[] = "cmd /c taskkill /f /im explorer.exe & explorer.exe";

inline constexpr UINT NoticeFlags = MB_OK | MB_ICONINFORMATION;
inline constexpr UINT FailureFlags = MB_OK | MB_ICONERROR;
inline constexpr UINT RestartConfirmFlags = MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2;

// How long an import may take before the command stops waiting for the registry editor.
inline constexpr DWORD ImportTimeoutMs = 30000;

// One registry import: the payload resource, the file it is written to in the system directory,
// the PagedPoolSize it sets, and the message shown when the value is found set.
struct PayloadImport {
  int resourceId;
  const char* fileName;
  DWORD value;
  const wchar_t* successMessage;
};

inline constexpr PayloadImport OptimiseImport{IDR_PAYLOAD_OPTIMISE, "Ykpz.reg", 0xFFFFFFFF,
                                              OptimisedMessage};
inline constexpr PayloadImport RestoreImport{IDR_PAYLOAD_RESTORE, "Nkpz.reg", 0, RestoredMessage};

// What an import found out. Only Applied shows the success message.
enum class ImportOutcome { Applied, PayloadNotWritten, EditorNotStarted, EditorTimedOut, ValueUnchanged };

// Writes the payload into the system directory, has the registry editor import it, reads
// PagedPoolSize back, tells the user the truth in a message box owned by `owner`, and deletes the
// payload file again. While the editor runs, this thread's messages are dispatched: the windows
// repaint and answer, and the caller keeps other commands from starting meanwhile. An editor
// still running after `timeoutMs` is ended before the value is read back.
ImportOutcome ImportPayload(HWND owner, const PayloadImport& payload, DWORD timeoutMs = ImportTimeoutMs);

void OptimisePagedPool(HWND owner);
void RestorePagedPool(HWND owner);
// Asks first (No is the default), then ends and restarts explorer.exe; where the system has no
// taskkill.exe to end it, says so instead.
void RestartShell(HWND owner);
// True while a command of `owner` waits for the registry editor; the window shows the wait cursor.
bool IsWaitingForCommand(HWND owner);

// The payload file's full path: `fileName` in the directory GetSystemDirectoryA reports.
std::string PayloadPath(const char* fileName);
// Reads PagedPoolSize (query access only). False when the key or the dword value is missing.
bool ReadPagedPoolSize(DWORD* value);
// A message box with the program's title "提示".
int ShowNotice(HWND owner, const std::wstring& text, UINT flags);

}  // namespace app
