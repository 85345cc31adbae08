// TavrinSkin.dll: the first message its hook sees on a thread dresses that thread, so that a
// program nobody here wrote wears the skin on every window it has and makes.
#include <windows.h>

#include "skin/skin.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK DressOnMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && skin::DressedThreadId == 0) skin::SkinAttachThread();
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
