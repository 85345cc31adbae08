#include "tests/support/message_boxes.h"

#include <iterator>

namespace testing_support {
namespace {
MessageBoxCatcher* active = nullptr;
constexpr UINT GetTextTimeoutMs = 2000;
}  // namespace

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, GetTextTimeoutMs, &length);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

SeenMessageBox ReadMessageBox(HWND box) {
  SeenMessageBox seen;
  seen.title = TextOf(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    const std::string kind = ClassOf(child);
    if (_stricmp(kind.c_str(), "Button") == 0) {
      seen.buttons.push_back(GetDlgCtrlID(child));
      // As the dialog manager asks: an owner-drawn skinned button answers for its type.
      if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) seen.defaultButton = GetDlgCtrlID(child);
    } else if (_stricmp(kind.c_str(), "Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        seen.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
      } else if (seen.text.empty()) {
        seen.text = TextOf(child);
      }
    }
  }
  return seen;
}

MessageBoxCatcher::MessageBoxCatcher(int answer, std::function<void(HWND)> whileShown)
    : answer_(answer), whileShown_(std::move(whileShown)) {
  active = this;
  hook_ = SetWindowsHookExA(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
  UnhookWindowsHookEx(hook_);
  active = nullptr;
}

void MessageBoxCatcher::Record(HWND box) {
  seen_.push_back(ReadMessageBox(box));
  if (whileShown_) whileShown_(box);
  // Posted, so the answer arrives through the box's own modal loop once it is up.
  if (answer_ == VK_RETURN) {
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
  } else {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
  }
}

LRESULT CALLBACK MessageBoxCatcher::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  const auto window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && active && ClassOf(window) == "#32770") active->Record(window);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace testing_support
