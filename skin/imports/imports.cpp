// Import tables read and changed in place: an entry's page is made writable for the change and
// given its protection back at once.
#include "skin/imports/imports.h"

#include <tlhelp32.h>

#include <cstring>

namespace skin::imports {
namespace {

bool Write(void** slot, void* value) {
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return false;
  *slot = value;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

}  // namespace

std::vector<void**> EntriesFor(HMODULE module, const char* dll, void* target) {
  std::vector<void**> found;
  if (!module || !target) return found;
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return found;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return found;
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return found;
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
    for (auto* slot = reinterpret_cast<void**>(base + entry->FirstThunk); *slot; ++slot) {
      if (*slot == target) found.push_back(slot);
    }
  }
  return found;
}

void TakeIn(TakenEntries* taken, HMODULE module, const char* dll, void* target, void* replacement) {
  for (void** slot : EntriesFor(module, dll, target)) {
    void* const original = *slot;
    if (Write(slot, replacement)) taken->push_back({slot, original});
  }
}

void GiveBack(TakenEntries* taken) {
  // Last taken, first given back: an entry taken twice ends with what it first held.
  for (auto entry = taken->rbegin(); entry != taken->rend(); ++entry) Write(entry->Slot, entry->Original);
  taken->clear();
}

std::vector<HMODULE> LoadedModules() {
  std::vector<HMODULE> modules;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  if (snapshot == INVALID_HANDLE_VALUE) return modules;
  MODULEENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    modules.push_back(entry.hModule);
  }
  CloseHandle(snapshot);
  return modules;
}

HMODULE SkinModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&SkinModule), &module);
  return module;
}

}  // namespace skin::imports
