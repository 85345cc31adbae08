// Putting the skin on a window tree and taking it off again. Attach lets the window's room and
// frame take what they need, then installs SkinWindowProc and keeps the previous procedure in
// "PROCADDR"; detach undoes each step, children first, and the last detach releases the atlas.
#include "skin/joining.h"

#include "skin/controls/room.h"
#include "skin/engine.h"
#include "skin/frame/frame.h"
#include "skin/gdi/kept.h"
#include "skin/high_contrast.h"
#include "skin/menus/menus.h"
#include "skin/scrollbars/scrollbars.h"

namespace skin {
namespace {

constexpr UINT RedrawFlags = RDW_INVALIDATE | RDW_INTERNALPAINT;
constexpr WPARAM WholeFrame = 1;
constexpr char TrackMouseEventName[] = "TrackMouseEvent";
constexpr char User32Name[] = "User32";

void Repaint(HWND window) {
  SendMessageA(window, WM_NCPAINT, WholeFrame, 0);
  RedrawWindow(window, nullptr, nullptr, RedrawFlags);
}

// The skin's procedure makes every window it is installed on a Unicode window. A previous
// procedure that answers in both character sets (those of the system's controls) keeps the window
// Unicode when it is put back through the wide function; put back once more through the ANSI one,
// it makes the window the ANSI window it was.
void ReturnToAnsi(HWND window) {
  SetWindowLongPtrA(window, GWLP_WNDPROC, GetWindowLongPtrA(window, GWLP_WNDPROC));
}

// What the window needs before SkinWindowProc sees its first message.
void Prepare(HWND window) {
  TakeFrame(window);
  controls::NoteRoom(window);
  controls::RoomOf(window).Take(window);
}

void Undo(HWND window) {
  GiveBackMenuBar(window);
  GiveBackFrame(window);
  controls::JoinedRoomOf(window).GiveBack(window);
  RemoveProperty(window, RoomProperty);
}

// The window is counted and marked as this copy's, with the procedure below SkinWindowProc.
void Enlist(HWND window, LONG_PTR previous) {
  ++SkinnedWindowCount;
  SetProperty(window, ProcAddrProperty, previous);
  SetProperty(window, SkinCopyProperty, reinterpret_cast<intptr_t>(&SkinWindowProc));
  look::TakeContentColours(window);
  TakeMenuBar(window);
  Repaint(window);
}

// Installed as a Unicode procedure, and the previous one is only ever called through
// CallWindowProcW: text messages then reach a Unicode window unconverted, and an ANSI window gets
// them converted by the window system as before.
LONG_PTR InstallSkinWindowProc(HWND window) {
  if (!IsWindowUnicode(window)) SetProperty(window, AnsiWindowProperty, 1);
  return SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWindowProc));
}

// Whether the library is loaded or can be loaded and exports the function.
bool ProbeExport(const char* function, const char* library) {
  HMODULE module = GetModuleHandleA(library);
  const bool loadedHere = module == nullptr;
  if (loadedHere) module = LoadLibraryA(library);
  if (!module) return false;
  const bool exported = GetProcAddress(module, function) != nullptr;
  if (loadedHere) FreeLibrary(module);
  return exported;
}

}  // namespace

// Only a live window of this thread that no copy of the skin has yet can take SkinWindowProc and
// share the skin's state. A destroyed window's handle, a stray value in a message, or another
// program's window that WM_ACTIVATE names would be counted but could never be detached.
bool CanJoinSkin(HWND window) {
  return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() &&
         GetProperty(window, ProcAddrProperty) == 0 && GetProperty(window, PassProcProperty) == 0 &&
         !(DressedThreadId != 0 && IsLeftOut(window));
}

void InitialiseSkin() {
  if (SkinInitialised) return;
  SkinInitialised = true;
  SkinThreadId = GetCurrentThreadId();
  TrackMouseEventAvailable = ProbeExport(TrackMouseEventName, User32Name);
  ReadCheckSize();
  FollowHighContrast();
  BuildSkinAtlas();
}

void StartJoining(HWND window) {
  if (!CanJoinSkin(window)) return;
  SetProperty(window, PassProcProperty, InstallSkinWindowProc(window));
}

void FinishJoining(HWND window) {
  const intptr_t previous = GetProperty(window, PassProcProperty);
  if (previous == 0 || DressedThreadId != GetCurrentThreadId()) return;
  // Messages that the preparation sends still go straight on meanwhile.
  Prepare(window);
  RemoveProperty(window, PassProcProperty);
  Enlist(window, previous);
}

// The atlas is built when the first window joins, never for a handle that is refused.
int SkinAttach(HWND window) {
  if (!CanJoinSkin(window)) return 0;
  InitialiseSkin();
  return SkinAttachWindow(window);
}

int SkinDetach(HWND window) { return SkinDetachWindow(window); }

BOOL CALLBACK AttachChildCallback(HWND child, LPARAM) {
  SkinAttachWindow(child);
  return TRUE;
}

BOOL CALLBACK DetachChildCallback(HWND child, LPARAM) {
  SkinDetachWindow(child);
  return TRUE;
}

int SkinAttachWindow(HWND window) {
  if (!CanJoinSkin(window)) return 0;
  Prepare(window);
  Enlist(window, InstallSkinWindowProc(window));
  return 1;
}

// A window subclassed again above the skin keeps SkinWindowProc in its chain, passing every
// message on: putting its previous procedure back would cut the newer subclass off.
int SkinDetachWindow(HWND window) {
  if (!window || !IsSkinnedHere(window)) return 0;
  const intptr_t previous = GetProperty(window, ProcAddrProperty);
  look::GiveBackContentColours(window);
  Undo(window);
  scrollbars::ForgetBars(window);
  RemoveProperty(window, ProcAddrProperty);
  RemoveProperty(window, SkinCopyProperty);
  if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SkinWindowProc)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, previous);
    if (GetProperty(window, AnsiWindowProperty)) ReturnToAnsi(window);
  } else {
    SetProperty(window, PassProcProperty, previous);
  }
  RemoveProperty(window, AnsiWindowProperty);
  Repaint(window);
  if (--SkinnedWindowCount <= 0) {
    SkinnedWindowCount = 0;
    // A dressed thread keeps the atlas for the windows it has yet to create.
    if (DressedThreadId == 0) ReleaseSkin();
  }
  return 1;
}

void ReleaseSkin() {
  ReleaseSkinAtlas();
  ReleaseKeptObjects();
  SkinInitialised = false;
  SkinThreadId = 0;
}

}  // namespace skin
