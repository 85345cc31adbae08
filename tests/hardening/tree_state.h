// What the skin changes on each window of a tree and must give back when it comes off: the
// window procedure, the type bits of the style (push buttons become owner-drawn), the window
// region (buttons get a rounded one) and the skin's own window properties.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gallery/gallery.h"

namespace hardening {

// The window, every window below it, and the drop-down lists its combo boxes own: those are
// pop-ups, not children, and join the skin only once they are drawn.
std::vector<HWND> WindowTree(HWND root);

// The names of the skin's properties that a window carries now.
std::vector<std::string> SkinPropertiesOf(HWND window);

struct WindowState {
  LONG_PTR procedure;
  LONG typeBits;
  int regionType;
  bool operator==(const WindowState& other) const {
    return procedure == other.procedure && typeBits == other.typeBits && regionType == other.regionType;
  }
};
using TreeState = std::map<HWND, WindowState>;

WindowState StateOf(HWND window);
TreeState StateOfTree(HWND root);
// Expects every window recorded in `before` to be as it was then and to carry no skin property.
void ExpectRestored(const TreeState& before);
// Expects the process to hold nothing of the skin: no skinned window, no atlas.
void ExpectSkinReleased();

// Every window of this thread: top-level ones (pop-ups included) and all below them.
std::vector<HWND> ThreadWindows();
// How many of this thread's windows really run the skin: SkinWindowProc with "PROCADDR" set.
// skin::SkinnedWindowCount must always equal it.
int SkinnedWindowsOfThread();

// A whole number from the environment (scripts/soak.sh sets the long-run counts), or `fallback`
// when the variable is unset or not a positive number.
int SettingOr(const char* name, int fallback);

// Wine keeps up to 64 window device contexts in a cache and adds one, for good, whenever a
// window asks for a device context and none is free: to the GDI meter that looks like a leak.
// This fills the cache with free ones (64 taken at once from a window that is then destroyed),
// so that it does not grow while the meter runs.
void FillWindowDcCache();

// The gallery, created, recorded while still plain, then skinned, with Wine's window device
// context cache filled. Destroyed with the fixture.
class RecordedGallery {
 public:
  // `beforeRecording` may subclass windows as an application does before it skins them.
  explicit RecordedGallery(const std::function<void(const gallery::Controls&)>& beforeRecording = nullptr);
  ~RecordedGallery();
  RecordedGallery(const RecordedGallery&) = delete;
  RecordedGallery& operator=(const RecordedGallery&) = delete;

  const gallery::Controls* operator->() const { return &controls_; }
  const TreeState& before() const { return before_; }
  // The form and everything below it, drop-down lists included.
  std::vector<HWND> windows() const;

  // Closes any open drop-down list, takes the skin off the form and off the drop-down lists that
  // joined it, and checks that every window is as it was and nothing of the skin is left.
  void DetachAndExpectRestored();

 private:
  gallery::Controls controls_;
  TreeState before_;
};

// Counts, per window, the posted messages of one kind that this thread takes from its queue (a
// WH_GETMESSAGE hook): a WM_TIMER shows here whichever procedure the window has by then.
class PostedMessageLog {
 public:
  explicit PostedMessageLog(UINT message);
  ~PostedMessageLog();
  PostedMessageLog(const PostedMessageLog&) = delete;
  PostedMessageLog& operator=(const PostedMessageLog&) = delete;
  // How many of the message were taken from the queue for `window` since the log began.
  int CountFor(HWND window) const;

 private:
  HHOOK hook_;
};

}  // namespace hardening
