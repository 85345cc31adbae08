// Content colours of a dressed thread as the window procedure takes them: the answers to the
// WM_CTLCOLOR* messages, erasing in the theme's colour, a program setting a control's colours.
#pragma once

#include "skin/engine.h"

namespace skin {

// The answer to a WM_CTLCOLOR* message in the content colours of the theme, from the answer of
// the window's previous procedure.
LRESULT RecolourAnswer(HWND window, UINT message, WPARAM wParam, LRESULT answer);
// On the dressed thread, the handler of a message that content colours need, or nullptr.
SkinHandler ContentHandlerFor(HWND window, UINT message);

}  // namespace skin
