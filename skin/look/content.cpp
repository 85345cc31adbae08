// Content colours of a dressed thread: the answers to WM_CTLCOLOR*, the backgrounds of windows
// whose class paints a system colour, and the own colours of list views, tree views, rich edits
// and their tooltips. A theme that colours content replaces a colour only where it is one of the
// system's; a colour of the program's own wins, and so does the text drawn on it.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <uxtheme.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

#include "skin/engine.h"
#include "skin/look/content.h"
#include "skin/gdi/kept.h"

namespace skin {
namespace look {
namespace {

// A list view's, tree view's, rich edit's or tooltip's own colours that the theme replaced:
// background, text, text background (list views) and lines (tree views), each a COLORREF as the
// control gave it ("default" and "none" included), and "KEPTCOLOURS", bit 0 to 3 saying which of
// the four are kept (bit 4: a rich edit's default text colour was automatic). A rich edit's
// background is given back as the system's colour.
constexpr char OldBkColourProperty[] = "OLDBKCOLOR";
constexpr char OldTextColourProperty[] = "OLDTEXTCOLOR";
constexpr char OldTextBkColourProperty[] = "OLDTEXTBKCOLOR";
constexpr char OldLineColourProperty[] = "OLDLINECOLOR";
constexpr char KeptColoursProperty[] = "KEPTCOLOURS";
// Set on a dialog whose visual-style texture (a property sheet page's) the theme turned off.
constexpr char OldDialogTextureProperty[] = "OLDDIALOGTEXTURE";

// GetSysColor's indices, COLOR_SCROLLBAR to COLOR_MENUBAR: a class brush of 1 to this is one.
constexpr int SystemColourCount = COLOR_MENUBAR + 1;

// The content colours of the theme before a switch: what the windows wear until they retake.
COLORREF WornBeforeSwitch[RoleCount] = {};
// Set while the skin itself sets a control's colours, which come back through SkinWindowProc.
bool Setting = false;

struct RolePair {
  Role back;
  Role text;
};
constexpr RolePair WindowPair = {RoleWindow, RoleWindowText};
constexpr RolePair DialogPair = {RoleDialog, RoleDialogText};
constexpr RolePair TooltipPair = {RoleTooltip, RoleTooltipText};

// A control's own colour, read and set by a pair of messages; the colour goes in wParam or lParam.
struct ColourSetter {
  UINT get;
  UINT set;
  bool inWParam;
  Role role;
};

// The kept colours: one property per slot, and "KEPTCOLOURS" says which slots hold one.
enum Slot { SlotBack, SlotText, SlotTextBack, SlotLine, SlotCount };
constexpr const char* SlotProperties[SlotCount] = {OldBkColourProperty, OldTextColourProperty,
                                                   OldTextBkColourProperty, OldLineColourProperty};
// A rich edit's default text colour was automatic (the system's window text).
constexpr intptr_t KeptAutomaticText = 1 << SlotCount;

constexpr ColourSetter ListViewSetters[SlotCount] = {
    {LVM_GETBKCOLOR, LVM_SETBKCOLOR, false, RoleWindow},
    {LVM_GETTEXTCOLOR, LVM_SETTEXTCOLOR, false, RoleWindowText},
    {LVM_GETTEXTBKCOLOR, LVM_SETTEXTBKCOLOR, false, RoleWindow},
    {0, 0, false, RoleWindow}};
constexpr ColourSetter TreeViewSetters[SlotCount] = {
    {TVM_GETBKCOLOR, TVM_SETBKCOLOR, false, RoleWindow},
    {TVM_GETTEXTCOLOR, TVM_SETTEXTCOLOR, false, RoleWindowText},
    {0, 0, false, RoleWindow},
    {TVM_GETLINECOLOR, TVM_SETLINECOLOR, false, RoleGrayText}};
constexpr ColourSetter TooltipSetters[SlotCount] = {
    {TTM_GETTIPBKCOLOR, TTM_SETTIPBKCOLOR, true, RoleTooltip},
    {TTM_GETTIPTEXTCOLOR, TTM_SETTIPTEXTCOLOR, true, RoleTooltipText},
    {0, 0, false, RoleWindow},
    {0, 0, false, RoleWindow}};

enum ContentKind { ContentListView, ContentTreeView, ContentRichEdit, ContentOther };

ContentKind ContentKindOf(HWND window) {
  const std::string name = LowerClassName(window);
  if (name == "syslistview32") return ContentListView;
  if (name == "systreeview32") return ContentTreeView;
  if (name.compare(0, 8, "richedit") == 0) return ContentRichEdit;
  return ContentOther;
}


intptr_t Stored(COLORREF colour) { return static_cast<intptr_t>(static_cast<LONG>(colour)); }
COLORREF Restored(intptr_t value) { return static_cast<COLORREF>(static_cast<DWORD>(value)); }

// A background in the window colour keeps to the window roles, one in the tooltip colour to the
// tooltip roles; otherwise edits and lists take the window roles and the rest the dialog roles.
RolePair PairFor(UINT message, COLORREF background) {
  if (background == SystemColour(COLOR_WINDOW)) return WindowPair;
  if (background == SystemColour(COLOR_INFOBK)) return TooltipPair;
  return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? WindowPair : DialogPair;
}

// ---------------------------------------------------------------- dialog texture

// A dialog that the visual style textures (a property sheet's page shows the tab's body) is
// painted and answers its statics in that texture, not in a colour the theme could replace: the
// texture is turned off while the theme colours content, and on again after. Without the
// visual-style library loaded no dialog can have it.
using TextureQuery = BOOL(WINAPI*)(HWND);
using TextureSwitch = HRESULT(WINAPI*)(HWND, DWORD);

template <typename Function>
Function VisualStyleFunction(const char* name) {
  const HMODULE library = GetModuleHandleA("uxtheme.dll");
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

void TakeDialogTexture(HWND window) {
  const auto textured = VisualStyleFunction<TextureQuery>("IsThemeDialogTextureEnabled");
  const auto texture = VisualStyleFunction<TextureSwitch>("EnableThemeDialogTexture");
  if (!textured || !texture || !textured(window)) return;
  texture(window, ETDT_DISABLE);
  SetProperty(window, OldDialogTextureProperty, 1);
}

// Given back as the tab's texture, the one property sheets ask for.
void GiveBackDialogTexture(HWND window) {
  if (GetProperty(window, OldDialogTextureProperty) == 0) return;
  RemoveProperty(window, OldDialogTextureProperty);
  if (const auto texture = VisualStyleFunction<TextureSwitch>("EnableThemeDialogTexture")) {
    texture(window, ETDT_ENABLETAB);
  }
}

// ---------------------------------------------------------------- controls' own colours

COLORREF GetColour(HWND window, const ColourSetter& setter) {
  return static_cast<COLORREF>(SendMessageW(window, setter.get, 0, 0));
}

void SetColour(HWND window, const ColourSetter& setter, COLORREF colour) {
  Setting = true;
  if (setter.inWParam) {
    SendMessageW(window, setter.set, colour, 0);
  } else {
    SendMessageW(window, setter.set, 0, static_cast<LPARAM>(colour));
  }
  Setting = false;
}

// Nothing unless the background is a system colour: the program's own background keeps the text
// the program chose for it.
void TakeSetterColours(HWND window, const ColourSetter (&setters)[SlotCount]) {
  if (!window || GetProperty(window, KeptColoursProperty) != 0) return;
  if (!IsSystemColour(GetColour(window, setters[SlotBack]))) return;
  intptr_t kept = 0;
  for (int slot = 0; slot < SlotCount; ++slot) {
    const ColourSetter& setter = setters[slot];
    if (setter.get == 0) continue;
    const COLORREF own = GetColour(window, setter);
    if (!IsSystemColour(own)) continue;
    SetProperty(window, SlotProperties[slot], Stored(own));
    SetColour(window, setter, Colour(setter.role));
    kept |= intptr_t{1} << slot;
  }
  SetProperty(window, KeptColoursProperty, kept);
}

// A colour the program changed while the skin's was on stays as the program set it.
void GiveBackSetterColours(HWND window, const ColourSetter (&setters)[SlotCount], const COLORREF* worn) {
  if (!window) return;
  const intptr_t kept = GetProperty(window, KeptColoursProperty);
  for (int slot = 0; slot < SlotCount; ++slot) {
    if ((kept & (intptr_t{1} << slot)) == 0) continue;
    const ColourSetter& setter = setters[slot];
    if (GetColour(window, setter) == worn[setter.role]) {
      SetColour(window, setter, Restored(GetProperty(window, SlotProperties[slot])));
    }
    RemoveProperty(window, SlotProperties[slot]);
  }
  RemoveProperty(window, KeptColoursProperty);
}

HWND TooltipOf(HWND window, ContentKind kind) {
  const UINT message = kind == ContentListView ? LVM_GETTOOLTIPS : TVM_GETTOOLTIPS;
  return reinterpret_cast<HWND>(SendMessageW(window, message, 0, 0));
}

// A rich edit's background, and the colour of its default character format only: formatting its
// text would mark the document as modified. The background can only be read by setting it.
void TakeRichEditColours(HWND window) {
  if (GetProperty(window, KeptColoursProperty) != 0) return;
  Setting = true;
  const auto own = static_cast<COLORREF>(SendMessageW(window, EM_SETBKGNDCOLOR, 0, Colour(RoleWindow)));
  Setting = false;
  if (!IsSystemColour(own)) {
    Setting = true;
    SendMessageW(window, EM_SETBKGNDCOLOR, 0, own);
    Setting = false;
    return;
  }
  intptr_t kept = intptr_t{1} << SlotBack;
  CHARFORMAT2W format = {};
  format.cbSize = sizeof format;
  SendMessageW(window, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  const bool automatic = (format.dwEffects & CFE_AUTOCOLOR) != 0;
  if (automatic || IsSystemColour(format.crTextColor)) {
    SetProperty(window, OldTextColourProperty, Stored(format.crTextColor));
    kept |= (intptr_t{1} << SlotText) | (automatic ? KeptAutomaticText : 0);
    CHARFORMAT2W theme = {};
    theme.cbSize = sizeof theme;
    theme.dwMask = CFM_COLOR;
    theme.crTextColor = Colour(RoleWindowText);
    SendMessageW(window, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&theme));
  }
  SetProperty(window, KeptColoursProperty, kept);
}

void GiveBackRichEditColours(HWND window, const COLORREF* worn) {
  const intptr_t kept = GetProperty(window, KeptColoursProperty);
  if (kept == 0) return;
  Setting = true;
  const auto now = static_cast<COLORREF>(SendMessageW(window, EM_SETBKGNDCOLOR, 1, 0));
  if (now != worn[RoleWindow]) SendMessageW(window, EM_SETBKGNDCOLOR, 0, now);
  Setting = false;
  CHARFORMAT2W format = {};
  format.cbSize = sizeof format;
  SendMessageW(window, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  if ((kept & (intptr_t{1} << SlotText)) && !(format.dwEffects & CFE_AUTOCOLOR) &&
      format.crTextColor == worn[RoleWindowText]) {
    CHARFORMAT2W own = {};
    own.cbSize = sizeof own;
    own.dwMask = CFM_COLOR;
    own.dwEffects = (kept & KeptAutomaticText) ? CFE_AUTOCOLOR : 0;
    own.crTextColor = Restored(GetProperty(window, OldTextColourProperty));
    SendMessageW(window, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&own));
  }
  RemoveProperty(window, OldTextColourProperty);
  RemoveProperty(window, KeptColoursProperty);
}

void TakeOwnColours(HWND window) {
  switch (const ContentKind kind = ContentKindOf(window)) {
    case ContentListView:
    case ContentTreeView:
      TakeSetterColours(window, kind == ContentListView ? ListViewSetters : TreeViewSetters);
      TakeSetterColours(TooltipOf(window, kind), TooltipSetters);
      break;
    case ContentRichEdit:
      TakeRichEditColours(window);
      break;
    default:
      break;
  }
}

void GiveBackOwnColours(HWND window, const COLORREF* worn) {
  GiveBackDialogTexture(window);
  switch (const ContentKind kind = ContentKindOf(window)) {
    case ContentListView:
    case ContentTreeView:
      GiveBackSetterColours(window, kind == ContentListView ? ListViewSetters : TreeViewSetters, worn);
      GiveBackSetterColours(TooltipOf(window, kind), TooltipSetters, worn);
      break;
    case ContentRichEdit:
      GiveBackRichEditColours(window, worn);
      break;
    default:
      break;
  }
}

// What the window wears given back against `worn`, then taken again from the theme in use.
void Renew(HWND window, const COLORREF* worn) {
  GiveBackOwnColours(window, worn);
  if (!OnDressedThread(window) || StandingAside) return;
  RenderStateImagesAgain(window);
  if (ColoursContent()) TakeOwnColours(window);
  InvalidateRect(window, nullptr, TRUE);
}

// ---------------------------------------------------------------- handlers

// The colour of the window's class brush, given as COLOR_x + 1 or as a solid brush.
bool ClassBrushColour(HWND window, COLORREF* colour) {
  const LONG_PTR brush = GetClassLongPtrW(window, GCLP_HBRBACKGROUND);
  if (brush == 0) return false;
  if (brush <= SystemColourCount) {
    *colour = SystemColour(static_cast<int>(brush) - 1);
    return true;
  }
  LOGBRUSH logical = {};
  const auto handle = reinterpret_cast<HGDIOBJ>(brush);
  if (GetObjectType(handle) != OBJ_BRUSH || !GetObjectW(handle, sizeof logical, &logical)) return false;
  *colour = logical.lbColor;
  return logical.lbStyle == BS_SOLID;
}

// The theme's brush stands in for a class brush of a system colour while the previous procedure
// erases: what the program paints itself stays as it is.
LRESULT EraseInTheme(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TakeDialogTexture(window);
  COLORREF colour = 0;
  if (!ClassBrushColour(window, &colour) || !IsSystemColour(colour)) {
    return Pass(previous, window, message, wParam, lParam);
  }
  const LONG_PTR own = GetClassLongPtrW(window, GCLP_HBRBACKGROUND);
  const HBRUSH theme = ContentBrush(PairFor(WM_CTLCOLORDLG, colour).back);
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(theme));
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, own);
  return result;
}

LRESULT AnswerColourMessage(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TakeDialogTexture(window);
  const LRESULT answer = Pass(previous, window, message, wParam, lParam);
  return RecolourAnswer(window, message, wParam, answer);
}

// The program set a colour or turned check boxes on: its choice is weighed again.
LRESULT PassThenRenew(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Pass(previous, window, message, wParam, lParam);
  if (Setting || DetachedMeanwhile(window)) return result;
  ForgetReplacedStateImages(window);
  Renew(window, CurrentTheme().Colours);
  return result;
}

// The class is looked at only for the few messages that set a control's colours.
bool IsColourSetter(HWND window, UINT message) {
  switch (message) {
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR:
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return ContentKindOf(window) == ContentListView;
    case TVM_SETBKCOLOR:
    case TVM_SETTEXTCOLOR:
    case TVM_SETLINECOLOR:
    case WM_STYLECHANGED:
      return ContentKindOf(window) == ContentTreeView;
    case EM_SETBKGNDCOLOR:
      return ContentKindOf(window) == ContentRichEdit;
    default:
      return false;
  }
}

}  // namespace

bool ContentColouredHere(HWND window) { return OnDressedThread(window) && !StandingAside && ColoursContent(); }

HBRUSH ContentBrush(Role role) { return KeptBrushOf(Colour(role)); }

void LeaveContentTheme() {
  std::copy(std::begin(CurrentTheme().Colours), std::end(CurrentTheme().Colours), WornBeforeSwitch);
}

void TakeContentColours(HWND window) {
  if (!OnDressedThread(window) || StandingAside) return;
  TakeStateImages(window);
  if (ColoursContent()) TakeOwnColours(window);
}

void RetakeContentColours(HWND window) { Renew(window, WornBeforeSwitch); }

// The window's background is erased again: a dressed one wore the theme's.
void GiveBackContentColours(HWND window) {
  GiveBackOwnColours(window, CurrentTheme().Colours);
  GiveBackStateImages(window);
  if (ColoursContent()) InvalidateRect(window, nullptr, TRUE);
}

}  // namespace look

// A system colour behind the text is replaced by the theme's, and the text's system colour with
// it; a brush or a text colour of the program's own stays. A hollow brush leaves the parent's
// background showing, which the theme colours: only the text's colour changes then.
LRESULT RecolourAnswer(HWND window, UINT message, WPARAM wParam, LRESULT answer) {
  if (!look::ContentColouredHere(window) || message == WM_CTLCOLORSCROLLBAR) return answer;
  const auto brush = reinterpret_cast<HGDIOBJ>(answer);
  LOGBRUSH logical = {};
  if (!brush || GetObjectType(brush) != OBJ_BRUSH || !GetObjectW(brush, sizeof logical, &logical)) {
    return answer;
  }
  const bool hollow = logical.lbStyle == BS_NULL;
  if (!hollow && (logical.lbStyle != BS_SOLID || !look::IsSystemColour(logical.lbColor))) return answer;
  const auto dc = reinterpret_cast<HDC>(wParam);
  const look::RolePair pair =
      hollow ? look::PairFor(message, CLR_NONE) : look::PairFor(message, logical.lbColor);
  if (look::IsSystemColour(GetTextColor(dc))) SetTextColor(dc, look::Colour(pair.text));
  if (look::IsSystemColour(GetBkColor(dc))) SetBkColor(dc, look::Colour(pair.back));
  return hollow ? answer : reinterpret_cast<LRESULT>(look::ContentBrush(pair.back));
}

SkinHandler ContentHandlerFor(HWND window, UINT message) {
  if (!OnDressedThread(window)) return nullptr;
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return look::ColoursContent() ? &look::AnswerColourMessage : nullptr;
    case WM_ERASEBKGND:
      return look::ColoursContent() ? &look::EraseInTheme : nullptr;
    default:
      return look::IsColourSetter(window, message) ? &look::PassThenRenew : nullptr;
  }
}

}  // namespace skin
