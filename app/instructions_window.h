// Form2, the instructions window: one multi-line text box with a paragraph of instructions.
// There is at most one; it has no owner, so it stays open beside the main window.
#pragma once

#include <windows.h>

namespace app {

inline constexpr int Text1Id = 1;

// Creates Form2 on first use (just below `mainWindow` when there is room) and shows it; shows
// the existing one otherwise. Returns it, or null when it could not be created.
HWND ShowInstructions(HWND mainWindow);

// The open Form2, or null.
HWND InstructionsWindow();

// Closes Form2 if it is open.
void CloseInstructions();

}  // namespace app
