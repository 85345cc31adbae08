// The drawing toolkit: device contexts, surfaces, nine-slice and colour-keyed copies, text and
// rectangles, and the objects it keeps so that a call costs about its blits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace skin {

// A memory DC kept for the life of the skin, holding a bitmap of Width x Height that is replaced
// by a larger one when a call needs more room. Width and Height are 0 while it holds none.
struct WorkSurface {
  HDC Dc;
  int Width;
  int Height;
};

// A keyed atlas image made ready for colour-keyed copies: a one-bit mask, 1 where the image has
// the key colour, and a copy of the image whose key pixels are black.
struct KeyedImage {
  HDC Image;  // the atlas surface it was made from
  HDC Mask;
  HDC Sprite;
  int Width;
  int Height;
};
inline constexpr int KeyedImageCount = 3;

// What the drawing toolkit keeps so that a call costs about its blits: a DC on the display from
// which surfaces are made, the halftone palette, its work surfaces and the masks of the keyed
// atlas images. Made with the atlas, released with it; while they are missing every call makes
// and frees its own.
struct DrawingObjects {
  HDC ReferenceDc;
  HPALETTE Halftone;
  WorkSurface SliceCanvas;  // BlitSliced assembles its nine pieces here
  WorkSurface Backdrop;     // BlitTransparent: the destination's pixels, then the result
  WorkSurface SourceCopy;   // BlitTransparent: the source's pixels, key pixels turned black
  WorkSurface MaskCopy;     // BlitTransparent: one bit per pixel, 1 where the source has the key
  WorkSurface PaintSurface;  // lent to one painter at a time as its off-screen surface
  bool PaintSurfaceLent;
  KeyedImage KeyedImages[KeyedImageCount];
};

extern DrawingObjects SkinDrawing;

// The transparency key of every atlas image, fixed: never a theme item.
inline constexpr COLORREF KeyColour = 0x00FF00FF;
// One centred line, cut with an ellipsis when it is too wide: how every caption is drawn.
inline constexpr UINT CaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

struct WindowBounds {
  int32_t Left, Top, Right, Bottom, Width, Height;
};

// Nearest integer, halves to the even neighbour (2.5 gives 2, 5.5 gives 6).
int RoundHalfEven(double value);
// x and y of a mouse message's lParam as signed client coordinates.
int32_t SignedLowWord(int32_t value);
int32_t SignedHighWord(int32_t value);

// The window rectangle in screen coordinates, non-client area included; all zeros on failure.
BOOL GetWindowBounds(HWND window, WindowBounds* bounds);

int DrawTextIn(HDC dc, const std::wstring& text, int x, int y, int width, int height, UINT format);
BOOL FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour);
BOOL FrameSolid(HDC dc, int x, int y, int width, int height, COLORREF colour);
BOOL DrawFocusBox(HDC dc, int x, int y, int width, int height);

// An off-screen surface: a memory device context holding a display-compatible bitmap of the given
// size. ReleaseSurface frees both. 0 when it cannot be made.
HDC CreateSurface(int width, int height);
void ReleaseSurface(HDC surface);

// Nine-slice copy of a source rectangle to width x height: corners kept, edges stretched along
// their length, centre both ways. With a key colour, destination pixels under key pixels of the
// result are left as they were. Nonzero when something was drawn; 0, with the destination
// untouched, when the width or height is 0 or negative, a source size is 0, or the work surfaces
// cannot be had.
int BlitSliced(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
               int ySource, int sourceWidth, int sourceHeight, int left, int top, int right,
               int bottom, std::optional<COLORREF> key = std::nullopt);
// Copies width x height from the source, leaving every destination pixel whose source pixel is
// the key colour unchanged. A null palette means the display's halftone palette. Draws nothing
// when a size is 0 or negative or its work surfaces cannot be had.
void BlitTransparent(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSource,
                     int ySource, COLORREF key, HPALETTE palette = nullptr);

// Makes the toolkit's kept objects in SkinDrawing: the reference DC, the palette and the (still
// empty) work surfaces. What cannot be made stays 0 and is made per call instead.
void KeepDrawingObjects();
// Makes the mask and the blackened copy of a keyed atlas image into the first free slot.
void PrepareKeyedImage(HDC image, int width, int height);
// Releases everything in SkinDrawing and clears it.
void ReleaseDrawingObjects();
// Gives the work surfaces their memory back: each is empty again, to grow when next used.
void ShrinkWorkSurfaces();

}  // namespace skin
