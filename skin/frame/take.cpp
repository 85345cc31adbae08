// Which windows' frames the skin draws, and the desktop compositor told to leave them to it. On
// Windows Vista and later the compositor draws frames itself unless a window's non-client
// rendering is turned off; Windows XP has no compositor and no dwmapi.dll, so the function is
// looked up at run time.
#include "skin/frame/frame.h"

namespace skin {
namespace {

constexpr DWORD NcRenderingPolicyAttribute = 2;  // DWMWA_NCRENDERING_POLICY
constexpr int PolicyUseWindowStyle = 0;          // DWMNCRP_USEWINDOWSTYLE
constexpr int PolicyDisabled = 1;                // DWMNCRP_DISABLED
constexpr char DwmLibrary[] = "dwmapi.dll";
constexpr char DwmSetAttributeName[] = "DwmSetWindowAttribute";

using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

NcRenderingPolicySetter SetPolicy = &SystemSetNcRenderingPolicy;

// Looked up once; the library stays loaded for the process's life.
DwmSetWindowAttributeFunction DwmSetAttribute() {
  static const auto function = [] {
    HMODULE library = GetModuleHandleA(DwmLibrary);
    if (!library) library = LoadLibraryA(DwmLibrary);
    return library ? reinterpret_cast<DwmSetWindowAttributeFunction>(
                         reinterpret_cast<void*>(GetProcAddress(library, DwmSetAttributeName)))
                   : nullptr;
  }();
  return function;
}

bool HasCaption(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

}  // namespace

void SystemSetNcRenderingPolicy(HWND window, int policy) {
  if (const DwmSetWindowAttributeFunction set = DwmSetAttribute()) {
    set(window, NcRenderingPolicyAttribute, &policy, sizeof policy);
  }
}

void SetNcRenderingPolicySetter(NcRenderingPolicySetter setter) {
  SetPolicy = setter ? setter : &SystemSetNcRenderingPolicy;
}

void TakeFrame(HWND window) {
  if (!OnDressedThread(window)) return;
  if (!HasCaption(window) || GetProperty(window, NcFrameProperty)) return;
  SetProperty(window, NcFrameProperty, 1);
  SetPolicy(window, PolicyDisabled);
}

void GiveBackFrame(HWND window) {
  if (!GetProperty(window, NcFrameProperty)) return;
  for (const char* name : {NcFrameProperty, NcHotProperty, NcPressedProperty, NcActiveProperty}) RemoveProperty(window, name);
  SetPolicy(window, PolicyUseWindowStyle);
}

}  // namespace skin
