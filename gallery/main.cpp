// SkinGallery: one control of every kind the skin knows, skinned, to try the skin by hand.
#include <windows.h>

#include "gallery/gallery.h"
#include "skin/skin.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!gallery::RegisterGalleryClasses(instance)) return 1;
  const gallery::Controls controls = gallery::CreateGallery(instance, 40, 40);
  if (!controls.form) return 1;
  skin::SkinAttach(controls.form);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(controls.form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
