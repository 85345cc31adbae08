// Catches the message boxes a test's own thread opens, records what they show and answers them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO, ... in child order
  int defaultButton = 0;     // the button with BS_DEFPUSHBUTTON, 0 if none
  HICON icon = nullptr;
};

// While it lives, every dialog box of class "#32770" that becomes active on this thread is
// recorded and answered: with `answer` as if that button were clicked, or, when `answer` is
// VK_RETURN, with the Enter key as a user would press it.
class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(int answer = IDOK, std::function<void(HWND)> whileShown = nullptr);
  ~MessageBoxCatcher();
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

  const std::vector<SeenMessageBox>& seen() const { return seen_; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
  void Record(HWND box);

  int answer_;
  std::function<void(HWND)> whileShown_;
  std::vector<SeenMessageBox> seen_;
  HHOOK hook_ = nullptr;
};

// What a message box shows, read from its child windows; works across processes.
SeenMessageBox ReadMessageBox(HWND box);

// Text of a window through WM_GETTEXT sent as a Unicode message, which also reaches windows of
// other processes and reads the text whatever the ANSI code page.
std::wstring TextOf(HWND window);

std::string ClassOf(HWND window);

}  // namespace testing_support
