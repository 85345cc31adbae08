/* Dresses its thread, then its dialog, through TavrinSkin.dll: exit 0 only when the button took
 * the skin and gave it back both times, and the themes by name were taken and a missing folder
 * refused. */
#include <TavrinSkin.h>

int main(void) {
  HWND form = CreateWindowExA(0, "#32770", "consumer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL,
                              NULL, NULL, NULL);
  HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10,
                                80, 24, form, NULL, NULL, NULL);
  int thread = SkinAttachThread() && GetPropA(button, "PROCADDR") && SkinDetachThread() &&
               !GetPropA(button, "PROCADDR");
  int window = SkinAttach(form) && GetPropA(button, "PROCADDR") && SkinDetach(form) &&
               !GetPropA(button, "PROCADDR");
  int theme = SkinSetTheme(L"dark") && !SkinSetTheme(L"Z:\\no\\such\\theme") &&
              SkinSetTheme(L"light");
  DestroyWindow(form);
  return thread && window && theme ? 0 : 1;
}
