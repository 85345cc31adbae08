// High contrast: while the system's mode is on the skin stands aside (StandingAside in
// skin/engine.h), and every window it has is handed over to the system's colours and back.
#pragma once

#include <windows.h>

namespace skin {

// Whether the system's high-contrast mode is on. The default asks SystemParametersInfoW; tests put
// in their own answer (nullptr puts the system's back).
using HighContrastQuery = bool (*)();
bool SystemHighContrast();
void SetHighContrastQuery(HighContrastQuery query);
// Asks the mode again. When it changed, every skinned window of this thread is handed over and
// redrawn, frame included.
void FollowHighContrast();
// Calls `each` for every window of this thread, descendants before their top-level window, then
// redraws each top-level window whole, frames included.
void HandOverEveryWindow(WNDENUMPROC each);

}  // namespace skin
