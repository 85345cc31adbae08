// Form1, the main window: two frames, four command buttons and two windowless labels that the
// form draws and hit-tests itself (the publisher's name and the forum link).
#pragma once

#include <windows.h>

#include "app/layout.h"
#include "app/texts.h"

namespace app {

// Control identifiers. None is IDOK or IDCANCEL, which the dialog manager sends for Enter and Esc.
enum ControlId : int {
  Command1Id = 1001,
  Command2Id = 1002,
  Command3Id = 1003,
  Command4Id = 1004,
  Frame1Id = 2001,
  Frame2Id = 2002,
};

struct LabelDesign {
  const wchar_t* text;
  TwipsRect place;
  COLORREF colour;
  FontDesign font;
};

inline constexpr LabelDesign Label2{PublisherName, {600, 1920, 1305, 240}, 0x00404000,
                                  {L"黑体", L"SimHei", 1200, FW_BOLD, false}};
inline constexpr LabelDesign Label3{ForumAddress, {2280, 1920, 2775, 240}, 0x00FF0000,
                                  {L"宋体", L"SimSun", 1200, FW_NORMAL, true}};

// Registers "Form" and the frame class.
bool RegisterWindowClasses(HINSTANCE instance);

// Creates Form1 with all of its controls, centred on the screen and not yet shown.
HWND CreateMainWindow(HINSTANCE instance);

// Runs the message loop until Form1 has gone; returns the exit code.
int RunMessageLoop();

// Tab and the arrow keys move the focus through a form's controls as in a dialog box; Enter
// clicks the focused command button. True when the message was handled so and must not be
// dispatched. Every message loop of the program routes its messages through here first.
bool TranslateFormKeys(MSG& message);

// Opens the forum in the default browser through the system's URL handler.
void OpenForumLink(HWND owner);

// True while the pointer's last move over Form1 was over the link, which then shows without its
// underline.
bool IsLinkHovered(HWND form);

}  // namespace app
