// A stand-in registry editor that never ends: started as "hung_editor <ms> /s <file>", it holds
// the file open without letting it be deleted, sets PagedPoolSize to 0xFFFFFFFF (what Ykpz.reg
// sets) after <ms> milliseconds, and then waits for ever.
#include <windows.h>

#include <cstdlib>

#include "app/commands.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const HANDLE held = CreateFileA(argv[3], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  Sleep(static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)));
  HKEY key = nullptr;
  const DWORD value = 0xFFFFFFFF;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, app::MemoryManagementKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegSetValueExA(key, app::PagedPoolSizeName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(key);
  }
  Sleep(INFINITE);
  CloseHandle(held);
  return 0;
}
