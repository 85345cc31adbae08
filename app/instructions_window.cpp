#include "app/instructions_window.h"

#include "app/form.h"
#include "app/layout.h"
#include "app/texts.h"
#include "skin/skin.h"

namespace app {
namespace {

constexpr DWORD InstructionsStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD Text1Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
// One pixel wider and two taller than the client area: the box's right and bottom border fall
// outside the window.
constexpr TwipsRect Text1Place{0, 0, 5895, 2055};
constexpr COLORREF Text1Colour = 0x00004000;
constexpr FontDesign Text1Font{L"宋体", L"SimSun", 1425, FW_NORMAL, false};
// Gap between the main window and Form2 below it, in pixels at 96 dpi.
constexpr int PlacementGap = 8;

constexpr char Text1FontProperty[] = "TEXTFONT";

HWND instructions = nullptr;

bool CreateText1(HWND form) {
  const RECT place = ToPixels(Text1Place);
  const HWND text = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", InstructionsText, Text1Style,
                                    place.left, place.top, place.right - place.left,
                                    place.bottom - place.top, form,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(Text1Id)),
                                    GetModuleHandleA(nullptr), nullptr);
  if (!text) return false;
  // The font lives as long as the form; WM_NCDESTROY deletes it after the text box has gone.
  const HFONT font = CreateLayoutFont(Text1Font);
  SetPropA(form, Text1FontProperty, font);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return true;
}

LRESULT OnCtlColorEdit(HDC dc) {
  SetTextColor(dc, skin::SkinStandsAside() ? GetSysColor(COLOR_WINDOWTEXT) : Text1Colour);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void OnNcDestroy(HWND form) {
  if (const HANDLE font = RemovePropA(form, Text1FontProperty)) DeleteObject(font);
  ForgetFocus(form);
  if (instructions == form) instructions = nullptr;
}

LRESULT InstructionsProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return CreateText1(form) ? 0 : -1;
    case WM_CTLCOLOREDIT: return OnCtlColorEdit(reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) RememberFocus(form);
      break;
    case WM_SETFOCUS: RestoreFocus(form, GetDlgItem(form, Text1Id)); return 0;
    case WM_NCDESTROY: OnNcDestroy(form); break;
    default: break;
  }
  return DefWindowProcW(form, message, wParam, lParam);
}

// Form2 goes just below the main window, so that it covers none of its buttons, when the work
// area has room there; otherwise it is centred on the screen.
bool PlaceBelow(HWND mainWindow, SIZE client, POINT* at) {
  RECT main = {};
  RECT work = {};
  if (!mainWindow || !GetWindowRect(mainWindow, &main) ||
      !SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    return false;
  }
  RECT frame = {0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, InstructionsStyle, FALSE, 0);
  *at = POINT{main.left, main.bottom + ScaleFromDesign(PlacementGap)};
  return at->y + (frame.bottom - frame.top) <= work.bottom;
}

}  // namespace

HWND ShowInstructions(HWND mainWindow) {
  if (!instructions) {
    const RECT area = ToPixels(InstructionsClientArea);
    const SIZE client = {area.right, area.bottom};
    POINT at = {};
    const bool below = PlaceBelow(mainWindow, client, &at);
    instructions = CreateForm(GetModuleHandleA(nullptr), InstructionsCaption, client,
                              InstructionsStyle, below ? &at : nullptr, &InstructionsProc);
    if (!instructions) return nullptr;
  }
  ShowWindow(instructions, SW_SHOWNORMAL);
  SetForegroundWindow(instructions);
  return instructions;
}

HWND InstructionsWindow() { return instructions; }

void CloseInstructions() {
  if (instructions) DestroyWindow(instructions);
}

}  // namespace app
