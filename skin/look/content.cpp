// Content colours of a dressed thread: backgrounds and texts of windows and controls.
#include "skin/engine.h"

namespace skin::look {

void TakeContentColours(HWND) {}
void RetakeContentColours(HWND) {}
void GiveBackContentColours(HWND) {}

}  // namespace skin::look
