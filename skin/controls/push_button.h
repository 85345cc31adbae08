// The push button's room: four faces rendered ahead into the button's "0HDC".."3HDC" surfaces,
// a rounded outline, the hover fade, and the push button's own behaviour kept although it is
// owner-drawn. Every "Button" gets this room's preparation, whatever its type; on a dressed thread
// only push buttons and push-like boxes hold faces.
#pragma once

#include <string>

#include "skin/controls/room.h"

namespace skin {

namespace controls {
extern const Room PushButtonRoom;
}  // namespace controls

// Every "Button"'s preparation and its undoing, whatever its type, and the push button's handlers,
// which every "Button" falls back on.
void TakeButton(HWND window);
void GiveBackButton(HWND window);
SkinHandler PushButtonHandlerFor(HWND window, UINT message);

// A KindButton window counts as a push button, and is painted by the skin, when its type before
// skinning is BS_PUSHBUTTON, BS_DEFPUSHBUTTON or BS_USERBUTTON.
bool IsPushButtonStyle(LONG style);
// Names of a push button's per-state face surface and its bitmap: "0HDC" .. "3HDC", "0BMP" ..
// "3BMP"; and the surface of a state, 0 when the button holds none.
std::string StateSurfaceProperty(int state);
std::string StateBitmapProperty(int state);
HDC StateSurface(HWND window, int state);

inline constexpr UINT_PTR FadeTimerId = 1;
inline constexpr UINT FadePeriodMs = 15;
inline constexpr int FadeStep = 3;
inline constexpr int OpaqueAlpha = 255;

// Renders a push button's four faces, one per state, into its "0HDC" .. "3HDC" surfaces.
void RenderButtonFaces(HWND window);
// Whether the button holds faces and the rounded outline: every button joined through SkinAttach
// (Tavrin's look depends on their outline); on the dressed thread only those that show a face.
bool WantsFaces(HWND button);
// A push button's four face surfaces at its current size, made together or not at all, and
// rendered. False when they cannot be made: the button then paints itself until they can.
bool MakeButtonFaces(HWND window);
// New bitmaps of the current size for the four faces, all or none, rendered. False, with the old
// faces untouched, when the button has none or they cannot all be made.
bool ResizeButtonFaces(HWND window);
void ReleaseButtonFaces(HWND window);
// A button's rounded outline: a window region whose 3 x 3 corner ellipses leave the corner
// pixels outside. The window system owns the region.
void SetButtonOutline(HWND window, const WindowBounds& bounds);
// A push button without faces gets back its own type and paints itself; once it has faces again
// it becomes owner-drawn again. Other buttons are left as they are.
void LetButtonPaintItself(WNDPROC previous, HWND window);
void OwnerDrawAgain(WNDPROC previous, HWND window, BOOL redraw);

// Lays the face of "OLDSTATE" over the window at the constant opacity "ALPHALEVEL", into `dc` (0:
// the window's own DC). A disabled window shows its disabled face.
LRESULT BlendStateFace(HWND window, HDC dc);
// Lays `face` over the whole window at a constant opacity, into `dc` (0: the window's own DC).
void LayFace(HWND window, HDC dc, HDC face, intptr_t alpha);
// SetTimer's result, or 0 when a fade timer already runs.
UINT_PTR StartFadeTimer(HWND window);
// KillTimer's result, or 0 when no fade timer runs.
BOOL StopFadeTimer(HWND window);

// High contrast: the button paints itself while the skin stands aside, and takes its faces,
// owner-drawn type and outline again, at its type and size then, when it draws again.
void StepButtonAside(HWND button);
void StepButtonBack(HWND button);
// A theme switch: the faces rendered again in the new look, shown at rest.
void RenderFacesAgain(HWND button);

}  // namespace skin
