// The gallery of every control kind, created and skinned for one test, with pixel reads of its
// windows through their own device contexts.
#pragma once

#include <windows.h>

#include "gallery/gallery.h"
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

// What a whole window (non-client area included) shows, read through GetWindowDC.
COLORREF WindowPixel(HWND window, int x, int y);
// A copy of the whole window's pixels.
void CaptureWindow(HWND window, Dib& into);

skin::WindowBounds BoundsOf(HWND window);

}  // namespace testing_support
