// SkinGallery: one control of every kind the skin knows, skinned, to try the skin by hand; and a
// second window of the system's standard controls, worn through a dressed thread. With --plain
// neither wears the skin.
#include <windows.h>

#include <cstring>

#include "gallery/gallery.h"
#include "skin/skin.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (!gallery::RegisterGalleryClasses(instance)) return 1;
  const gallery::Controls controls = gallery::CreateGallery(instance, 40, 40);
  const gallery::StandardControls standard = gallery::CreateStandardGallery(instance, 500, 40);
  if (!controls.form || !standard.form) return 1;
  if (!std::strstr(commandLine, "--plain")) {
    skin::SkinAttach(controls.form);
    skin::SkinAttachThread();
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(controls.form, &message) || IsDialogMessageA(standard.form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
