#include "gallery/gallery.h"

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>

namespace gallery {
namespace {

constexpr char GalleryClassName[] = "Form";
constexpr SIZE GalleryClient = {440, 290};
constexpr char StandardClassName[] = "TavrinStandardGallery";
constexpr SIZE StandardClient = {440, 370};
constexpr char ScrollClassName[] = "TavrinScrollGallery";
constexpr SIZE ScrollClient = {470, 270};
constexpr int ScrollRows = 100;
constexpr int ScrollBarRange = 100;
constexpr UINT ScrollBarPage = 10;
constexpr DWORD GalleryStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

struct Superclass {
  const char* name;
  const char* base;
};

constexpr Superclass Superclasses[] = {
    {"ThunderRT6CheckBox", "Button"},        {"ThunderRT6OptionButton", "Button"},
    {"ThunderRT6DriveListBox", "ComboBox"},  {"ProgressBar20WndClass", PROGRESS_CLASSA},
    {"DataListWndClass", "ListBox"},         {"ApexGridOleDB32", "Static"},
};

bool RegisterSuperclass(HINSTANCE instance, const Superclass& superclass) {
  WNDCLASSEXA cls = {};
  cls.cbSize = sizeof cls;
  if (!GetClassInfoExA(nullptr, superclass.base, &cls)) return false;
  cls.hInstance = instance;
  cls.lpszClassName = superclass.name;
  return RegisterClassExA(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND Make(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w,
          int h, DWORD exStyle = 0) {
  const HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                       w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

void AddComboItems(HWND combo) {
  for (const char* item : {"C:\\", "D:\\", "E:\\"}) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void AddHeaderItems(HWND header) {
  int index = 0;
  for (const char* caption : {"名称", "大小", ""}) {
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_CENTER | HDF_STRING;
    item.cxy = 90;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(header, HDM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
  }
}

void SetProgress(HWND bar, int position) {
  SendMessageA(bar, PBM_SETRANGE32, 0, 30000);
  SendMessageA(bar, PBM_SETPOS, position, 0);
}

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

// A "ScrollBar" control's notification, answered as a program answers it: the new position set.
void MoveScrollBar(HWND bar, int code) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &info);
  const int page = static_cast<int>(info.nPage > 0 ? info.nPage : 1);
  int position = info.nPos;
  switch (code) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  SetScrollPos(bar, SB_CTL, position, TRUE);
}

LRESULT CALLBACK ScrollFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_VSCROLL || message == WM_HSCROLL) && lParam != 0) {
    MoveScrollBar(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeTopLevel(HINSTANCE instance, const char* className, const char* caption, SIZE client, int x,
                  int y, DWORD style = GalleryStyle) {
  RECT frame = {0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  return CreateWindowExA(0, className, caption, style, x, y, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}

void AddListItems(HWND list, HWND listView, HWND treeView) {
  for (const char* item : {"第一行", "第二行", "第三行"}) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    LVITEMA row = {};
    row.mask = LVIF_TEXT;
    row.iItem = 99;
    row.pszText = const_cast<char*>(item);
    SendMessageA(listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    TVINSERTSTRUCTA node = {};
    node.hInsertAfter = TVI_LAST;
    node.item.mask = TVIF_TEXT;
    node.item.pszText = const_cast<char*>(item);
    SendMessageA(treeView, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&node));
  }
}

// Three header items: sorted upwards, with an image, and owner-drawn.
void AddRichHeaderItems(HWND header) {
  // The list lives as long as the program: a header does not own its image list.
  const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
  ImageList_AddIcon(images, LoadIconA(nullptr, IDI_INFORMATION));
  SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  const int formats[] = {HDF_STRING | HDF_SORTUP, HDF_STRING | HDF_IMAGE, HDF_OWNERDRAW};
  const char* captions[] = {"名称", "类型", ""};
  for (int i = 0; i < 3; ++i) {
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | (formats[i] & HDF_IMAGE ? HDI_IMAGE : 0);
    item.fmt = formats[i];
    item.cxy = 76;
    item.iImage = 0;
    item.pszText = const_cast<char*>(captions[i]);
    SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

// A flat toolbar of three standard images, the last one a checked toggle, in a rebar's band.
void AddToolbarBand(HWND reBar, HWND toolbar) {
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
  TBBUTTON buttons[] = {{STD_FILENEW, 1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
                        {STD_FILEOPEN, 2, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
                        {STD_PROPERTIES, 3, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, {}, 0, 0}};
  SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
  REBARBANDINFOA band = {};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE;
  band.hwndChild = toolbar;
  band.cxMinChild = 80;
  band.cyMinChild = 24;
  band.cx = 160;
  SendMessageA(reBar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

}  // namespace

bool RegisterGalleryClasses(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                                        ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                        ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  bool registered = true;
  for (const Superclass& superclass : Superclasses) registered &= RegisterSuperclass(instance, superclass);
  WNDCLASSEXA form = {};
  form.cbSize = sizeof form;
  form.lpfnWndProc = &GalleryProc;
  form.hInstance = instance;
  form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = GalleryClassName;
  registered &= RegisterClassExA(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  form.lpfnWndProc = &DefWindowProcA;
  form.lpszClassName = StandardClassName;
  registered &= RegisterClassExA(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  form.lpfnWndProc = &ScrollFormProc;
  form.lpszClassName = ScrollClassName;
  registered &= RegisterClassExA(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

Controls CreateGallery(HINSTANCE instance, int x, int y) {
  Controls c = {};
  c.form = MakeTopLevel(instance, GalleryClassName, "Skin gallery", GalleryClient, x, y);
  const HWND f = c.form;
  c.push = Make(f, "Button", "优化虚拟内存", WS_TABSTOP | BS_PUSHBUTTON, 10, 10, 120, 28);
  c.pushDisabled = Make(f, "Button", "还原内存优化", WS_TABSTOP | WS_DISABLED, 140, 10, 120, 28);
  c.check = Make(f, "ThunderRT6CheckBox", "选项一", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 50, 120, 20);
  c.checkIndeterminate = Make(f, "ThunderRT6CheckBox", "选项二", WS_TABSTOP | BS_AUTO3STATE, 10, 74, 120, 20);
  c.checkDisabled = Make(f, "ThunderRT6CheckBox", "选项三", WS_DISABLED | BS_AUTOCHECKBOX, 10, 98, 120, 20);
  c.option = Make(f, "ThunderRT6OptionButton", "单选一", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 140, 50, 120, 20);
  c.optionOther = Make(f, "ThunderRT6OptionButton", "单选二", BS_AUTORADIOBUTTON, 140, 74, 120, 20);
  c.optionDisabled = Make(f, "ThunderRT6OptionButton", "单选三", WS_DISABLED | WS_GROUP | BS_AUTORADIOBUTTON, 140, 98, 120, 20);
  SendMessageA(c.check, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(c.checkIndeterminate, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageA(c.checkDisabled, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(c.option, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(c.optionDisabled, BM_SETCHECK, BST_CHECKED, 0);

  c.comboSimple = Make(f, "ComboBox", "", WS_TABSTOP | CBS_SIMPLE, 280, 10, 150, 60);
  c.comboDropDown = Make(f, "ComboBox", "", WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 280, 76, 150, 120);
  c.comboDropList = Make(f, "ComboBox", "", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 280, 106, 150, 120);
  c.driveList = Make(f, "ThunderRT6DriveListBox", "", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 280, 136, 150, 120);
  for (HWND combo : {c.comboSimple, c.comboDropDown, c.comboDropList, c.driveList}) AddComboItems(combo);

  c.header = Make(f, WC_HEADERA, "", HDS_BUTTONS, 10, 130, 260, 24);
  AddHeaderItems(c.header);
  c.progress = Make(f, "ProgressBar20WndClass", "", WS_BORDER, 10, 166, 200, 18);
  c.progressVertical = Make(f, "ProgressBar20WndClass", "", WS_BORDER | PBS_VERTICAL | PBS_SMOOTH, 220, 160, 18, 60);
  SetProgress(c.progress, 15000);
  SetProgress(c.progressVertical, 20000);

  c.dataList = Make(f, "DataListWndClass", "", WS_VSCROLL | WS_BORDER, 280, 166, 150, 60);
  for (const char* item : {"第一行", "第二行", "第三行"}) {
    SendMessageA(c.dataList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  c.grid = Make(f, "ApexGridOleDB32", "", WS_BORDER, 10, 200, 200, 40);
  c.edit = Make(f, "Edit", "文本框", WS_TABSTOP | ES_AUTOHSCROLL, 10, 250, 200, 24, WS_EX_CLIENTEDGE);
  ShowWindow(c.form, SW_SHOWNORMAL);
  UpdateWindow(c.form);
  return c;
}

StandardControls CreateStandardGallery(HINSTANCE instance, int x, int y) {
  LoadLibraryA("riched20.dll");
  StandardControls c = {};
  // As a dialog is: without WS_CLIPCHILDREN, so that the group box's inside shows the window's
  // background.
  c.form = MakeTopLevel(instance, StandardClassName, "Standard controls", StandardClient, x, y,
                        GalleryStyle & ~WS_CLIPCHILDREN);
  const HWND f = c.form;
  c.check = Make(f, "Button", "复选(&C)", WS_TABSTOP | BS_AUTOCHECKBOX, 20, 26, 120, 20);
  c.checkThreeState = Make(f, "Button", "三态(&T)", WS_TABSTOP | BS_AUTO3STATE, 20, 50, 120, 20);
  c.checkLeftText = Make(f, "Button", "左文字(&L)", WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFTTEXT, 20, 74, 120, 20);
  c.radio = Make(f, "Button", "单选一(&1)", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 20, 98, 120, 20);
  c.radioOther = Make(f, "Button", "单选二(&2)", BS_AUTORADIOBUTTON, 20, 122, 120, 20);
  c.pushLike = Make(f, "Button", "按下(&P)", WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX | BS_PUSHLIKE, 20, 148, 80, 26);
  c.radioPushLike = Make(f, "Button", "按钮", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 110, 148, 80, 26);
  c.group = Make(f, "Button", "选项(&G)", BS_GROUPBOX, 10, 6, 200, 176);
  SendMessageA(c.check, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(c.checkThreeState, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageA(c.radio, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(c.pushLike, BM_SETCHECK, BST_CHECKED, 0);

  c.progress = Make(f, PROGRESS_CLASSA, "", WS_BORDER, 10, 192, 200, 18);
  c.progressVertical = Make(f, PROGRESS_CLASSA, "", PBS_VERTICAL, 220, 10, 18, 120);
  SendMessageA(c.progress, PBM_SETRANGE32, 0, 100);
  SendMessageA(c.progress, PBM_SETPOS, 50, 0);
  SendMessageA(c.progressVertical, PBM_SETRANGE32, 0, 100);
  SendMessageA(c.progressVertical, PBM_SETPOS, 25, 0);

  c.edit = Make(f, "Edit", "文本框", WS_TABSTOP | ES_AUTOHSCROLL, 250, 10, 180, 24, WS_EX_CLIENTEDGE);
  c.list = Make(f, "ListBox", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER, 250, 44, 180, 60);
  c.listView = Make(f, WC_LISTVIEWA, "", WS_TABSTOP | LVS_LIST, 250, 114, 180, 60, WS_EX_CLIENTEDGE);
  c.treeView = Make(f, WC_TREEVIEWA, "", WS_TABSTOP | WS_BORDER, 250, 184, 180, 50);
  c.richEdit = Make(f, "RichEdit20A", "富文本", WS_TABSTOP, 250, 244, 180, 24, WS_EX_CLIENTEDGE);
  AddListItems(c.list, c.listView, c.treeView);

  c.tabs = Make(f, WC_TABCONTROLA, "", WS_TABSTOP, 10, 218, 230, 60);
  int index = 0;
  for (const char* caption : {"常规", "高级", "关于"}) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(caption);
    SendMessageA(c.tabs, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&tab));
  }
  c.trackBar = Make(f, TRACKBAR_CLASSA, "", WS_TABSTOP | TBS_AUTOTICKS, 250, 276, 150, 30);
  SendMessageA(c.trackBar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageA(c.trackBar, TBM_SETPOS, TRUE, 3);
  c.upDown = Make(f, UPDOWN_CLASSA, "", 0, 410, 276, 20, 30);
  c.statusBar = Make(f, STATUSCLASSNAMEA, "就绪", 0, 0, 0, 0, 0);
  c.richHeader = Make(f, WC_HEADERA, "", HDS_BUTTONS, 10, 290, 230, 24);
  AddRichHeaderItems(c.richHeader);
  c.reBar = Make(f, REBARCLASSNAMEA, "", WS_BORDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                 250, 312, 180, 34);
  c.toolbar = Make(c.reBar, TOOLBARCLASSNAMEA, "",
                   TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, 100, 26);
  AddToolbarBand(c.reBar, c.toolbar);
  const int edges[] = {220, -1};
  SendMessageA(c.statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  SendMessageA(c.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("就绪"));
  SendMessageA(c.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("第二栏"));
  ShowWindow(c.form, SW_SHOWNORMAL);
  UpdateWindow(c.form);
  return c;
}

ScrollControls CreateScrollGallery(HINSTANCE instance, int x, int y) {
  ScrollControls c = {};
  c.form = MakeTopLevel(instance, ScrollClassName, "Scroll bars", ScrollClient, x, y);
  const HWND f = c.form;
  c.list = Make(f, "ListBox", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, 10, 10, 140, 120);
  c.edit = Make(f, "Edit", "", WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                160, 10, 150, 120, WS_EX_CLIENTEDGE);
  c.listView = Make(f, WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER, 320, 10, 140, 120,
                    WS_EX_CLIENTEDGE);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = 400;
  SendMessageA(c.listView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  std::string text;
  for (int row = 0; row < ScrollRows; ++row) {
    const std::string line = "第 " + std::to_string(row + 1) + " 行，一行长得超出窗口右边的文字";
    SendMessageA(c.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(line.c_str());
    SendMessageA(c.listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    text += line + (row + 1 < ScrollRows ? "\r\n" : "");
  }
  SetWindowTextA(c.edit, text.c_str());
  c.barVertical = Make(f, "ScrollBar", "", WS_TABSTOP | SBS_VERT, 10, 140, 17, 120);
  c.barHorizontal = Make(f, "ScrollBar", "", WS_TABSTOP | SBS_HORZ, 40, 140, 220, 17);
  for (const HWND bar : {c.barVertical, c.barHorizontal}) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = ScrollBarRange;
    info.nPage = ScrollBarPage;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
  }
  ShowWindow(c.form, SW_SHOWNOACTIVATE);
  UpdateWindow(c.form);
  return c;
}

}  // namespace gallery
