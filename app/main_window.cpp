#include "app/main_window.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app/commands.h"
#include "app/form.h"
#include "app/frame.h"
#include "app/instructions_window.h"
#include "app/process.h"
#include "skin/gdi/guards.h"
#include "skin/skin.h"

namespace app {
namespace {

constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD CommandButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr COLORREF OperationsCaptionColour = 0x00FF00FF;

constexpr char LinkHoverProperty[] = "LINKHOVER";
constexpr char LinkDownProperty[] = "LINKDOWN";
// Set while a command runs (its registry import dispatches messages meanwhile), and when the
// window was asked to close during that time.
constexpr char CommandRunningProperty[] = "COMMANDRUNNING";
constexpr char ClosePendingProperty[] = "CLOSEPENDING";
// The buttons' and frames' font when the form made one (see CreateChineseGuiFont); it lives as
// long as the form.
constexpr char ControlFontProperty[] = "CONTROLFONT";

enum class ControlType { Frame, CommandButton };

struct ControlDesign {
  ControlType type;
  int id;
  int parentId;  // 0: the form itself
  const wchar_t* caption;
  TwipsRect place;
  int tabIndex;
  COLORREF textColour;
};

// Form1's controls in the order they are created, parents before their children.
constexpr ControlDesign Form1Controls[] = {
    {ControlType::Frame, Frame1Id, 0, L"", {4200, 120, 1575, 1695}, 6, CLR_INVALID},
    {ControlType::CommandButton, Command4Id, Frame1Id, InstructionsButtonCaption, {120, 240, 1335, 1335}, 7, CLR_INVALID},
    {ControlType::Frame, Frame2Id, 0, OperationsFrameCaption, {120, 120, 4095, 1695}, 0, OperationsCaptionColour},
    {ControlType::CommandButton, Command1Id, Frame2Id, RestartShellCaption, {120, 1200, 3855, 375}, 3, CLR_INVALID},
    {ControlType::CommandButton, Command3Id, Frame2Id, RestoreCaption, {120, 720, 3855, 375}, 2, CLR_INVALID},
    {ControlType::CommandButton, Command2Id, Frame2Id, OptimiseCaption, {120, 240, 3855, 375}, 1, CLR_INVALID},
};

HWND ControlOf(HWND form, int id) {
  if (id == 0) return form;
  const HWND direct = GetDlgItem(form, id);
  if (direct) return direct;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (const HWND nested = GetDlgItem(child, id)) return nested;
  }
  return nullptr;
}

HFONT ControlFont(HWND form) {
  const auto made = static_cast<HFONT>(GetPropA(form, ControlFontProperty));
  return made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND CreateControl(HWND form, const ControlDesign& control) {
  const HWND parent = ControlOf(form, control.parentId);
  const RECT place = ToPixels(control.place);
  const HWND created =
      control.type == ControlType::Frame
          ? CreateFrame(parent, control.id, control.caption, place, control.textColour)
          : CreateWindowExW(0, L"Button", control.caption, CommandButtonStyle, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                            GetModuleHandleA(nullptr), nullptr);
  if (created) SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(form)), FALSE);
  return created;
}

// Keyboard focus follows the z-order of sibling windows, so each control goes to the bottom of
// its siblings in tab-index order.
void ApplyTabOrder(HWND form) {
  int order[std::size(Form1Controls)];
  for (size_t i = 0; i < std::size(order); ++i) order[i] = static_cast<int>(i);
  std::sort(std::begin(order), std::end(order),
            [](int a, int b) { return Form1Controls[a].tabIndex < Form1Controls[b].tabIndex; });
  for (int index : order) {
    SetWindowPos(ControlOf(form, Form1Controls[index].id), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool CreateControls(HWND form) {
  for (const ControlDesign& control : Form1Controls) {
    if (!CreateControl(form, control)) return false;
  }
  ApplyTabOrder(form);
  return true;
}

constexpr UINT LabelTextFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

FontDesign LabelFont(const LabelDesign& label, bool underline) {
  FontDesign font = label.font;
  font.underline = underline;
  return font;
}

// A label's text is not clipped to its stored rectangle: with a substitute font whose cell is
// taller than the designed one, the underline would otherwise fall outside.
void DrawLabel(HDC dc, const LabelDesign& label, bool underline) {
  skin::UniqueGdiObject<HFONT> font(CreateLayoutFont(LabelFont(label, underline)));
  skin::ScopedSelection selected(dc, font.get());
  RECT place = ToPixels(label.place);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, skin::SkinStandsAside() ? GetSysColor(COLOR_BTNTEXT) : label.colour);
  DrawTextW(dc, label.text, -1, &place, LabelTextFormat);
}

// Repaints what the label's text covers: its stored rectangle, as far right as the text reaches,
// and down to the bottom of the form, because a font's underline may sit below its text cell.
void InvalidateLabel(HWND form, const LabelDesign& label) {
  RECT area = ToPixels(label.place);
  RECT ink = area;
  {
    skin::BorrowedDc dc(form);
    skin::UniqueGdiObject<HFONT> font(CreateLayoutFont(LabelFont(label, true)));
    skin::ScopedSelection selected(dc.get(), font.get());
    DrawTextW(dc.get(), label.text, -1, &ink, LabelTextFormat | DT_CALCRECT);
  }
  RECT client;
  GetClientRect(form, &client);
  area.right = std::max(area.right, ink.right);
  area.bottom = client.bottom;
  InvalidateRect(form, &area, TRUE);
}

void PaintLabels(HWND form) {
  skin::PaintScope paint(form);
  DrawLabel(paint.dc(), Label2, Label2.font.underline);
  DrawLabel(paint.dc(), Label3, !IsLinkHovered(form));
}

bool IsOverLabel(const LabelDesign& label, LPARAM clientPoint) {
  const RECT place = ToPixels(label.place);
  const POINT point = {static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  return PtInRect(&place, point) != FALSE;
}

bool IsOverLink(LPARAM clientPoint) { return IsOverLabel(Label3, clientPoint); }

void SetLinkHover(HWND form, bool hovered) {
  if (IsLinkHovered(form) == hovered) return;
  if (hovered) {
    SetPropA(form, LinkHoverProperty, reinterpret_cast<HANDLE>(1));
  } else {
    RemovePropA(form, LinkHoverProperty);
  }
  InvalidateLabel(form, Label3);
}

// Over the link the underline goes; over the bare client area it comes back. Over the other
// label nothing changes, and moves over the frames and buttons never reach the form.
void OnMouseMove(HWND form, LPARAM point) {
  if (IsOverLink(point)) {
    SetLinkHover(form, true);
  } else if (!IsOverLabel(Label2, point)) {
    SetLinkHover(form, false);
  }
}

bool OnSetCursor(HWND form, LPARAM hitTest) {
  if (IsWaitingForCommand(form)) {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    return true;
  }
  if (LOWORD(hitTest) != HTCLIENT) return false;
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(form, &cursor);
  if (!IsOverLink(MAKELPARAM(cursor.x, cursor.y))) return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  return true;
}

// A click on the link is a press and a release both over it.
void OnLButtonDown(HWND form, LPARAM point) {
  if (!IsOverLink(point)) return;
  SetPropA(form, LinkDownProperty, reinterpret_cast<HANDLE>(1));
  SetCapture(form);
}

void OnLButtonUp(HWND form, LPARAM point) {
  const bool pressed = RemovePropA(form, LinkDownProperty) != nullptr;
  if (GetCapture() == form) ReleaseCapture();
  if (pressed && IsOverLink(point)) OpenForumLink(form);
}

bool IsCommandRunning(HWND form) { return GetPropA(form, CommandRunningProperty) != nullptr; }

void RunCommand(HWND form, int id) {
  switch (id) {
    case Command1Id: RestartShell(form); break;
    case Command2Id: OptimisePagedPool(form); break;
    case Command3Id: RestorePagedPool(form); break;
    case Command4Id: ShowInstructions(form); break;
    default: break;
  }
}

// One command at a time: a click or Enter while one runs starts nothing. A close asked for
// meanwhile happens once the command has ended and the user has seen its outcome.
void OnCommand(HWND form, int id, int code) {
  if (code != BN_CLICKED || IsCommandRunning(form)) return;
  SetPropA(form, CommandRunningProperty, reinterpret_cast<HANDLE>(1));
  RunCommand(form, id);
  RemovePropA(form, CommandRunningProperty);
  if (RemovePropA(form, ClosePendingProperty)) PostMessageA(form, WM_CLOSE, 0, 0);
}

// Load: the controls, then the skin on the form and everything in it, before it is first shown.
bool OnLoad(HWND form) {
  if (const HFONT font = CreateChineseGuiFont()) SetPropA(form, ControlFontProperty, font);
  if (!CreateControls(form)) return false;
  skin::SkinAttach(form);
  return true;
}

// Unload: the skin comes off first, then the instructions window goes with the main window.
void OnClose(HWND form) {
  if (IsCommandRunning(form)) {
    SetPropA(form, ClosePendingProperty, reinterpret_cast<HANDLE>(1));
    return;
  }
  skin::SkinDetach(form);
  CloseInstructions();
  DestroyWindow(form);
}

void OnNcDestroy(HWND form) {
  RemovePropA(form, LinkHoverProperty);
  RemovePropA(form, LinkDownProperty);
  RemovePropA(form, CommandRunningProperty);
  RemovePropA(form, ClosePendingProperty);
  if (const HANDLE font = RemovePropA(form, ControlFontProperty)) DeleteObject(font);
  ForgetFocus(form);
  PostQuitMessage(0);
}

LRESULT MainWindowProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnLoad(form) ? 0 : -1;
    case WM_PAINT: PaintLabels(form); return 0;
    case WM_MOUSEMOVE: OnMouseMove(form, lParam); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(form, lParam)) return TRUE;
      break;
    case WM_LBUTTONDOWN: OnLButtonDown(form, lParam); return 0;
    case WM_LBUTTONUP: OnLButtonUp(form, lParam); return 0;
    case WM_CAPTURECHANGED: RemovePropA(form, LinkDownProperty); return 0;
    case WM_COMMAND: OnCommand(form, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) RememberFocus(form);
      break;
    case WM_SETFOCUS: RestoreFocus(form, ControlOf(form, Command2Id)); return 0;
    case WM_CLOSE: OnClose(form); return 0;
    case WM_NCDESTROY: OnNcDestroy(form); break;
    default: break;
  }
  return DefWindowProcW(form, message, wParam, lParam);
}

bool IsCommandButton(HWND window) {
  const HWND root = GetAncestor(window, GA_ROOT);
  if (!root || !IsForm(root)) return false;
  const int id = GetDlgCtrlID(window);
  return id >= Command1Id && id <= Command4Id && ControlOf(root, id) == window;
}

}  // namespace

bool TranslateFormKeys(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && IsCommandButton(message.hwnd)) {
    SendMessageA(message.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  return root && IsForm(root) && IsDialogMessageW(root, &message);
}

bool RegisterWindowClasses(HINSTANCE instance) {
  return RegisterFormClass(instance) && RegisterFrameClass(instance);
}

HWND CreateMainWindow(HINSTANCE instance) {
  const RECT client = ToPixels(MainClientArea);
  return CreateForm(instance, MainWindowCaption, SIZE{client.right, client.bottom}, MainWindowStyle,
                    nullptr, &MainWindowProc);
}

int RunMessageLoop() {
  MSG message;
  BOOL status;
  while ((status = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (TranslateFormKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return status == 0 ? static_cast<int>(message.wParam) : 1;
}

void OpenForumLink(HWND owner) {
  const std::string commandLine =
      std::string("rundll32.exe url.dll,FileProtocolHandler \"") + ForumUrl + "\"";
  if (!StartProcess(commandLine, SW_SHOWNORMAL)) {
    const std::string url = ForumUrl;
    ShowNotice(owner, ForumLinkFailedHead + std::wstring(url.begin(), url.end()), FailureFlags);
  }
}

bool IsLinkHovered(HWND form) { return GetPropA(form, LinkHoverProperty) != nullptr; }

}  // namespace app
