// Putting the skin on a window tree and taking it off again. Attach prepares what each kind
// needs, then installs SkinWindowProc and keeps the previous procedure in "PROCADDR"; detach
// undoes each step, children first, and the last detach releases the atlas.
#include "skin/gdi/guards.h"
#include "skin/engine.h"
#include "skin/frame/frame.h"
#include "skin/scrollbars/scrollbars.h"

namespace skin {
namespace {

constexpr int RoundCorner = 3;
constexpr UINT RedrawFlags = RDW_INVALIDATE | RDW_INTERNALPAINT;
constexpr WPARAM WholeFrame = 1;
constexpr char TrackMouseEventName[] = "TrackMouseEvent";
constexpr char User32Name[] = "User32";

// Four new face bitmaps of the given size, made together or not at all (the GDI table may be
// full).
bool CreateFaceBitmaps(HDC reference, const WindowBounds& b, HBITMAP (&bitmaps)[VisualStateCount]) {
  bool made = true;
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    bitmaps[state] = made ? CreateCompatibleBitmap(reference, b.Width, b.Height) : nullptr;
    made = made && bitmaps[state];
  }
  if (!made) {
    for (HBITMAP bitmap : bitmaps) {
      if (bitmap) DeleteObject(bitmap);
    }
  }
  return made;
}

// Four face surfaces as large as the whole window, made together or not at all. True when they
// were made; the properties are set only then.
bool CreateButtonFaces(HWND window, HDC reference, const WindowBounds& b) {
  HDC surfaces[VisualStateCount] = {};
  HBITMAP bitmaps[VisualStateCount] = {};
  bool made = true;
  for (HDC& surface : surfaces) {
    surface = made ? CreateCompatibleDC(reference) : nullptr;
    made = made && surface;
  }
  made = made && CreateFaceBitmaps(reference, b, bitmaps);
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    if (!made) {
      if (surfaces[state]) DeleteDC(surfaces[state]);
      continue;
    }
    SelectObject(surfaces[state], bitmaps[state]);
    SetProperty(window, StateSurfaceProperty(state).c_str(), reinterpret_cast<intptr_t>(surfaces[state]));
    SetProperty(window, StateBitmapProperty(state).c_str(), reinterpret_cast<intptr_t>(bitmaps[state]));
  }
  return made;
}

// The faces, rendered (when they can be made: the button keeps its own painting until they can);
// the state properties; the rounded outline. Push buttons become owner-drawn once they have faces.
void PrepareButton(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  SetProperty(window, OldStyleProperty, style);
  SetProperty(window, MouseFlagProperty, 0);
  SetProperty(window, TimerIdProperty, 0);
  SetProperty(window, OldStateProperty, IsWindowEnabled(window) ? StateNormal : StateDisabled);
  SetProperty(window, AlphaLevelProperty, 0);
  if (!WantsFaces(window)) return;
  // In high contrast the button keeps its own look until the skin draws again.
  if (MakeButtonFaces(window) && IsPushButtonStyle(style) && !StandingAside) {
    SendMessageA(window, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
  }
  if (StandingAside) return;
  WindowBounds b;
  GetWindowBounds(window, &b);
  SetButtonOutline(window, b);
}

// Gives back what PrepareButton took. Only the button-type bits of the style are restored: the
// rest (visible, enabled, ...) may have changed while the skin was on and stays as it is now.
void RestoreButton(HWND window) {
  ReleaseButtonFaces(window);
  // By its id: "TIMERID" may no longer name a fade that still runs.
  KillTimer(window, FadeTimerId);
  const auto oldStyle = static_cast<LONG>(GetProperty(window, OldStyleProperty));
  const LONG current = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, (current & ~BS_TYPEMASK) | (oldStyle & BS_TYPEMASK));
  for (const char* name : {OldStyleProperty, MouseFlagProperty, TimerIdProperty, OldStateProperty,
                           AlphaLevelProperty}) {
    RemoveProperty(window, name);
  }
  SetWindowRgn(window, nullptr, TRUE);
}

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

// What each kind needs before SkinWindowProc sees its first message.
void PrepareKind(HWND window) {
  TakeFrame(window);
  switch (ClassifyWindow(window)) {
    case KindContainer:
      EnumChildWindows(window, &AttachChildCallback, 0);
      break;
    case KindButton:
      PrepareButton(window);
      break;
    case KindCombo:
    case KindDriveList:
    case KindCheck:
    case KindOption:
      SetProperty(window, MouseFlagProperty, 0);
      SetProperty(window, OldStateProperty, StateNormal);
      break;
    case KindHeader:
      SetProperty(window, MouseFlagProperty, 0);
      SetProperty(window, HdIndexProperty, -1);
      SetProperty(window, HmIndexProperty, -1);
      break;
    default:
      break;
  }
}

void UndoKind(HWND window) {
  GiveBackFrame(window);
  switch (ClassifyWindow(window)) {
    case KindContainer:
      EnumChildWindows(window, &DetachChildCallback, 0);
      break;
    case KindButton:
      RestoreButton(window);
      break;
    case KindCombo:
    case KindDriveList:
    case KindCheck:
    case KindOption:
      RemoveProperty(window, MouseFlagProperty);
      RemoveProperty(window, OldStateProperty);
      break;
    case KindHeader:
      RemoveProperty(window, MouseFlagProperty);
      RemoveProperty(window, HdIndexProperty);
      RemoveProperty(window, HmIndexProperty);
      break;
    default:
      ForgetStandardState(window);
      break;
  }
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
  PrepareKind(window);
  RemoveProperty(window, PassProcProperty);
  Enlist(window, previous);
}

namespace {

bool OnDressedThread(HWND window) {
  return DressedThreadId != 0 && GetWindowThreadProcessId(window, nullptr) == DressedThreadId;
}

}  // namespace

bool WantsFaces(HWND button) {
  if (!OnDressedThread(button)) return true;
  const LONG type = static_cast<LONG>(GetProperty(button, OldStyleProperty)) & BS_TYPEMASK;
  if (IsPushButtonStyle(type)) return true;
  if (!(GetWindowLongA(button, GWL_STYLE) & BS_PUSHLIKE)) return false;
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

void FitFacesToType(HWND button) {
  if (!OnDressedThread(button)) return;
  const bool held = StateSurface(button, StateNormal) != nullptr;
  if (WantsFaces(button)) {
    if (held || !MakeButtonFaces(button)) return;
    WindowBounds b;
    GetWindowBounds(button, &b);
    SetButtonOutline(button, b);
  } else if (held) {
    StopFadeTimer(button);
    ReleaseButtonFaces(button);
    SetWindowRgn(button, nullptr, TRUE);
  }
}

bool MakeButtonFaces(HWND window) {
  WindowBounds b;
  const BorrowedDc dc(window, BorrowedDc::Whole);
  GetWindowBounds(window, &b);
  if (!CreateButtonFaces(window, dc.get(), b)) return false;
  RenderButtonFaces(window);
  return true;
}

bool ResizeButtonFaces(HWND window) {
  WindowBounds b;
  HBITMAP bitmaps[VisualStateCount] = {};
  {
    const BorrowedDc dc(window, BorrowedDc::Whole);
    GetWindowBounds(window, &b);
    if (!StateSurface(window, StateNormal) || !CreateFaceBitmaps(dc.get(), b, bitmaps)) return false;
  }
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    DeleteObject(SelectObject(StateSurface(window, state), bitmaps[state]));
    SetProperty(window, StateBitmapProperty(state).c_str(), reinterpret_cast<intptr_t>(bitmaps[state]));
  }
  RenderButtonFaces(window);
  return true;
}

void ReleaseButtonFaces(HWND window) {
  for (int state = StateNormal; state < VisualStateCount; ++state) {
    const std::string surface = StateSurfaceProperty(state);
    const std::string bitmap = StateBitmapProperty(state);
    DeleteDC(reinterpret_cast<HDC>(GetProperty(window, surface.c_str())));
    DeleteObject(reinterpret_cast<HGDIOBJ>(GetProperty(window, bitmap.c_str())));
    RemoveProperty(window, surface.c_str());
    RemoveProperty(window, bitmap.c_str());
  }
}

void SetButtonOutline(HWND window, const WindowBounds& b) {
  // Right and bottom bounds of the region are exclusive, hence the + 1.
  SetWindowRgn(window, CreateRoundRectRgn(0, 0, b.Width + 1, b.Height + 1, RoundCorner, RoundCorner), TRUE);
}

bool ProbeExport(const char* function, const char* library) {
  HMODULE module = GetModuleHandleA(library);
  const bool loadedHere = module == nullptr;
  if (loadedHere) module = LoadLibraryA(library);
  if (!module) return false;
  const bool exported = GetProcAddress(module, function) != nullptr;
  if (loadedHere) FreeLibrary(module);
  return exported;
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
  PrepareKind(window);
  Enlist(window, InstallSkinWindowProc(window));
  return 1;
}

// A window subclassed again above the skin keeps SkinWindowProc in its chain, passing every
// message on: putting its previous procedure back would cut the newer subclass off.
int SkinDetachWindow(HWND window) {
  if (!window || !IsSkinnedHere(window)) return 0;
  const intptr_t previous = GetProperty(window, ProcAddrProperty);
  look::GiveBackContentColours(window);
  UndoKind(window);
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
  look::ReleaseContentBrushes();
  frame::ReleaseCaptionFonts();
  ReleaseMenuFont();
  SkinInitialised = false;
  SkinThreadId = 0;
}

}  // namespace skin
