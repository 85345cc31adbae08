// Scope guards for GDI: whatever a drawing call creates, selects or borrows is given back on the
// path that took it.
#pragma once

#include <windows.h>

namespace skin {

// Deletes a GDI object (pen, brush, font, bitmap, region, palette) when the scope ends.
template <typename Handle>
class UniqueGdiObject {
 public:
  UniqueGdiObject() = default;
  explicit UniqueGdiObject(Handle handle) : handle_(handle) {}
  ~UniqueGdiObject() { reset(); }
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives up ownership, e.g. when a window takes the object over.
  Handle release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// Selects an object into a device context for the scope and puts the previous one back.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A device context borrowed from a window with GetDC (client area) or GetWindowDC (whole window,
// non-client area included) and released again.
class BorrowedDc {
 public:
  enum Area { Client, Whole };
  explicit BorrowedDc(HWND window, Area area = Client)
      : window_(window), dc_(area == Whole ? GetWindowDC(window) : GetDC(window)) {}
  ~BorrowedDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  BorrowedDc(const BorrowedDc&) = delete;
  BorrowedDc& operator=(const BorrowedDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The device context a painter draws into: the caller's when it gives one (neither fetched nor
// released here), otherwise the window's own whole-window DC, released at the end of the scope.
class DrawTarget {
 public:
  DrawTarget(HWND window, HDC given)
      : window_(window), dc_(given ? given : GetWindowDC(window)), borrowed_(given == nullptr) {}
  ~DrawTarget() {
    if (borrowed_ && dc_) ReleaseDC(window_, dc_);
  }
  DrawTarget(const DrawTarget&) = delete;
  DrawTarget& operator=(const DrawTarget&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  bool borrowed_;
};

// An off-screen surface of at least width x height for the scope: the skin's kept paint surface
// when it is free (its DC state saved and restored again, its contents undefined), otherwise one
// made with CreateSurface and released at the end of the scope. Only the width x height corner
// is meant to be drawn and copied.
class ScopedSurface {
 public:
  ScopedSurface(int width, int height);
  ~ScopedSurface();
  ScopedSurface(const ScopedSurface&) = delete;
  ScopedSurface& operator=(const ScopedSurface&) = delete;

  HDC get() const { return surface_; }

 private:
  HDC surface_ = nullptr;
  bool lent_ = false;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_ = nullptr;
};

}  // namespace skin
