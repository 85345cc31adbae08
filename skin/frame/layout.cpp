// Where the system puts a window's frame, caption, icon and caption buttons. Frame widths and
// caption height come from AdjustWindowRectEx, the buttons' places from the system metrics the
// default procedure lays them out and hit-tests them with: the close button at the right, a gap,
// then maximise and minimise side by side; help where maximise would be.
#include "skin/frame/frame.h"

namespace skin::frame {
namespace {

constexpr int ButtonInset = 2;   // between the caption's edge and a button, and after the close button
constexpr int IconInset = 2;     // before the icon, and between the icon and the title

constexpr intptr_t ActiveCaption = 2;

bool Has(LONG style, LONG bits) { return (style & bits) != 0; }

RECT ButtonAt(int right, int top, int width, int height) {
  return {right - width, top + ButtonInset, right - ButtonInset, top + height - ButtonInset};
}

}  // namespace

Layout LayoutOf(HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  Layout l = {};
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  l.Width = bounds.right - bounds.left;
  l.Height = bounds.bottom - bounds.top;
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle & ~WS_EX_CLIENTEDGE);
  l.FrameX = -frame.left;
  l.FrameY = frame.bottom;
  l.Small = Has(exStyle, WS_EX_TOOLWINDOW);
  const int captionHeight = GetSystemMetrics(l.Small ? SM_CYSMCAPTION : SM_CYCAPTION);
  const int right = l.Width - l.FrameX;
  l.Caption = {l.FrameX, l.FrameY, right, l.FrameY + captionHeight};
  const bool sysMenu = Has(style, WS_SYSMENU);
  l.TextRight = right;
  if (sysMenu) {
    const int cx = GetSystemMetrics(l.Small ? SM_CXSMSIZE : SM_CXSIZE);
    const int cy = GetSystemMetrics(l.Small ? SM_CYSMSIZE : SM_CYSIZE);
    l.Close = ButtonAt(right, l.FrameY, cx, cy);
    l.TextRight = l.Close.left;
    const RECT second = ButtonAt(right - cx, l.FrameY, cx, cy);
    if (!l.Small && Has(style, WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
      l.Maximise = second;
      l.Minimise = second;
      OffsetRect(&l.Minimise, -(cx - ButtonInset), 0);
      l.TextRight = l.Minimise.left;
    } else if (!l.Small && Has(exStyle, WS_EX_CONTEXTHELP)) {
      l.Help = second;
      l.TextRight = l.Help.left;
    }
  }
  l.TextLeft = l.FrameX + IconInset;
  l.Icon = sysMenu && !l.Small ? CaptionIcon(window) : nullptr;
  if (l.Icon) {
    l.IconAt = {l.FrameX + IconInset, l.FrameY + (captionHeight - GetSystemMetrics(SM_CYSMICON)) / 2};
    l.TextLeft += GetSystemMetrics(SM_CXSMICON) + IconInset;
  }
  l.TextRight -= ButtonInset;
  return l;
}

bool CaptionActive(HWND window) {
  const intptr_t told = GetProperty(window, NcActiveProperty);
  if (told != 0) return told == ActiveCaption;
  WINDOWINFO info = {};
  info.cbSize = sizeof info;
  return GetWindowInfo(window, &info) && info.dwWindowStatus == WS_ACTIVECAPTION;
}

// The window's small icon, its large one, its class's, and for windows other than modal-frame
// dialogs the system's default: the icon the system puts in the caption.
HICON CaptionIcon(HWND window) {
  HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  if (!icon && !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME)) {
    // A shared icon: loaded once, never destroyed.
    static const auto standard = static_cast<HICON>(
        LoadImageW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WINLOGO), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
    icon = standard;
  }
  return icon;
}

// As the system decides: close by the system menu's Close item, maximise and minimise by the
// window's style and their system-menu items being there, help by the style.
bool ButtonEnabled(HWND window, int hit) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const HMENU menu = GetSystemMenu(window, FALSE);
  const auto itemThere = [&](UINT command, bool mustBeEnabled) {
    const UINT state = menu ? GetMenuState(menu, command, MF_BYCOMMAND) : 0xFFFFFFFFu;
    return state != 0xFFFFFFFFu && !(mustBeEnabled && (state & (MF_DISABLED | MF_GRAYED)));
  };
  switch (hit) {
    case HTCLOSE: return itemThere(SC_CLOSE, true);
    case HTMAXBUTTON: return Has(style, WS_MAXIMIZEBOX) && itemThere(SC_MAXIMIZE, false);
    case HTMINBUTTON: return Has(style, WS_MINIMIZEBOX) && itemThere(SC_MINIMIZE, false);
    case HTHELP: return Has(GetWindowLongA(window, GWL_EXSTYLE), WS_EX_CONTEXTHELP);
    default: return false;
  }
}

}  // namespace skin::frame
