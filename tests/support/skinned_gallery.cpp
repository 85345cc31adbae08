#include "tests/support/skinned_gallery.h"

#include "tests/support/desktop.h"

namespace testing_support {

SkinnedGallery::SkinnedGallery() {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  controls_ = gallery::CreateGallery(GetModuleHandleA(nullptr), 20, 20);
  skin::SkinAttach(controls_.form);
  Pump(100);
}

SkinnedGallery::~SkinnedGallery() {
  if (IsWindow(controls_.form)) {
    skin::SkinDetach(controls_.form);
    DestroyWindow(controls_.form);
  }
  Pump(20);
}

DressedStandardGallery::DressedStandardGallery(int x, int y) {
  gallery::RegisterGalleryClasses(GetModuleHandleA(nullptr));
  controls_ = gallery::CreateStandardGallery(GetModuleHandleA(nullptr), x, y);
  dressed_ = skin::SkinAttachThread() == 1;
  Pump(150);
}

DressedStandardGallery::~DressedStandardGallery() {
  skin::SkinSetTheme(L"light");
  skin::SkinDetachThread();
  DestroyWindow(controls_.form);
  Pump(20);
}

COLORREF ClientPixel(HWND window, int x, int y) {
  const HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

COLORREF WindowPixel(HWND window, int x, int y) {
  const HDC dc = GetWindowDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

void CaptureWindow(HWND window, Dib& into) {
  const HDC dc = GetWindowDC(window);
  BitBlt(into.dc(), 0, 0, into.width(), into.height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
}

skin::WindowBounds BoundsOf(HWND window) {
  skin::WindowBounds bounds;
  skin::GetWindowBounds(window, &bounds);
  return bounds;
}

}  // namespace testing_support
