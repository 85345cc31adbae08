// The gallery of every control kind, created and skinned for one test, with pixel reads of its
// windows through their own device contexts.
#pragma once

#include <windows.h>

#include "gallery/gallery.h"
#include "skin/controls/borders.h"
#include "skin/controls/check_box.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/header.h"
#include "skin/controls/push_button.h"
#include "skin/controls/shared.h"
#include "skin/engine.h"
#include "tests/support/dib.h"

namespace testing_support {

class SkinnedGallery {
 public:
  SkinnedGallery();
  ~SkinnedGallery();
  SkinnedGallery(const SkinnedGallery&) = delete;
  SkinnedGallery& operator=(const SkinnedGallery&) = delete;

  const gallery::Controls& controls() const { return controls_; }
  const gallery::Controls* operator->() const { return &controls_; }

 private:
  gallery::Controls controls_;
};

// The gallery's window of standard controls, created at (x, y) and the thread dressed for one
// test; at its end the thread is undressed in the light look and the window destroyed.
class DressedStandardGallery {
 public:
  DressedStandardGallery(int x, int y);
  ~DressedStandardGallery();
  DressedStandardGallery(const DressedStandardGallery&) = delete;
  DressedStandardGallery& operator=(const DressedStandardGallery&) = delete;
  bool dressed() const { return dressed_; }
  const gallery::StandardControls& controls() const { return controls_; }

 private:
  gallery::StandardControls controls_;
  bool dressed_;
};

// What a window's client area shows, read through its own client DC.
COLORREF ClientPixel(HWND window, int x, int y);
// What a whole window (non-client area included) shows, read through GetWindowDC.
COLORREF WindowPixel(HWND window, int x, int y);
// A copy of the whole window's pixels.
void CaptureWindow(HWND window, Dib& into);

skin::WindowBounds BoundsOf(HWND window);

}  // namespace testing_support
