// Tavrin: tunes the kernel's paged-pool size through the system registry editor.
#include <windows.h>

#include "app/commands.h"
#include "app/main_window.h"

namespace {
constexpr wchar_t StartFailedMessage[] = L"无法创建主窗口，程序将退出。";
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!app::RegisterWindowClasses(instance)) {
    app::ShowNotice(nullptr, StartFailedMessage, app::FailureFlags);
    return 1;
  }
  const HWND form1 = app::CreateMainWindow(instance);
  if (!form1) {
    app::ShowNotice(nullptr, StartFailedMessage, app::FailureFlags);
    return 1;
  }
  ShowWindow(form1, showCommand);
  UpdateWindow(form1);
  return app::RunMessageLoop();
}
