// Functions of the system taken through the import tables of the modules loaded in the process:
// while a thread is dressed, the skin points a module's entry for a function at its own, and puts
// back what the entry held when the thread is undressed. Modules loaded later keep their entries.
#pragma once

#include <windows.h>

#include <vector>

namespace skin::imports {

// An import entry the skin changed, and what it held.
struct TakenEntry {
  void** Slot;
  void* Original;
};
using TakenEntries = std::vector<TakenEntry>;

// The import address entries of `module` that hold `target`, from its import table of `dll`.
std::vector<void**> EntriesFor(HMODULE module, const char* dll, void* target);
// Points every entry of `module` that holds `target` at `replacement`, noting each in `taken`.
void TakeIn(TakenEntries* taken, HMODULE module, const char* dll, void* target, void* replacement);
// Puts back every entry noted in `taken`, and forgets them.
void GiveBack(TakenEntries* taken);

// The modules loaded in the process now.
std::vector<HMODULE> LoadedModules();
// The module that holds the skin's code: the DLL, or the program that links the skin.
HMODULE SkinModule();

// A function of a loaded module by name, or nullptr.
template <typename Function>
Function Find(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace skin::imports
