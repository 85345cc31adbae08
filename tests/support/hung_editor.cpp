// A registry editor that never ends: "hung_editor /s <file>" holds the file open so that it
// cannot be deleted, sets PagedPoolSize to 0xFFFFFFFF (as Ykpz.reg does) late, and waits for ever.
#include "tests/support/system_state.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  Sleep(testing_support::ProcessRecorder::HungEditorWritesAfterMs);
  testing_support::SetPagedPoolSize(0xFFFFFFFF);
  Sleep(INFINITE);
}
