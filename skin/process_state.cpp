// The skin's process-wide state, used on the user-interface thread only.
#include "skin/engine.h"

namespace skin {

bool SkinInitialised = false;
DWORD SkinThreadId = 0;
bool TrackMouseEventAvailable = false;
DWORD DressedThreadId = 0;
int32_t SkinnedWindowCount = 0;
SkinAtlasSurfaces SkinAtlas = {};
DrawingObjects SkinDrawing = {};
bool StandingAside = false;

namespace {

SIZE CheckMarkSize = {};

}  // namespace

void ReadCheckSize() {
  CheckMarkSize = {GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
}

SIZE CheckSize() {
  if (CheckMarkSize.cx == 0 && CheckMarkSize.cy == 0) ReadCheckSize();
  return CheckMarkSize;
}

}  // namespace skin
