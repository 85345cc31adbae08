/* Dresses its thread through TavrinSkin.dll: exit 0 only when the button was dressed and
 * undressed, and the DLL's functions are found by their plain names. */
#include <TavrinSkin.h>

static int ExportedPlain(void) {
  static const char* names[] = {"SkinAttach", "SkinDetach", "SkinAttachThread", "SkinDetachThread"};
  HMODULE dll = GetModuleHandleA("TavrinSkin.dll");
  unsigned i;
  for (i = 0; i < sizeof names / sizeof names[0]; ++i) {
    if (!dll || !GetProcAddress(dll, names[i])) return 0;
  }
  return 1;
}

int main(void) {
  HWND form = CreateWindowExA(0, "STATIC", "consumer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL,
                              NULL, NULL, NULL);
  HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10,
                                80, 24, form, NULL, NULL, NULL);
  int dressed = SkinAttachThread() != 0 && GetPropA(button, "PROCADDR") != NULL;
  int undressed = SkinDetachThread() != 0 && GetPropA(button, "PROCADDR") == NULL;
  DestroyWindow(form);
  return dressed && undressed && ExportedPlain() ? 0 : 1;
}
