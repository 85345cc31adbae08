// Classification by class name and the window properties, on real windows.
#include <gtest/gtest.h>

#include "skin/controls/push_button.h"
#include "skin/engine.h"
// After windows.h, which skin.h brings.
#include <windows.h>
#include <commctrl.h>

namespace {

// A registered class of the given name, and a window of it, both gone at the end of the scope.
class WindowOfClass {
 public:
  explicit WindowOfClass(const std::string& className) : name_(className) {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = name_.c_str();
    registered_ = RegisterClassA(&cls) != 0;
    window_ = CreateWindowA(name_.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  ~WindowOfClass() {
    DestroyWindow(window_);
    if (registered_) UnregisterClassA(name_.c_str(), GetModuleHandleA(nullptr));
  }
  HWND get() const { return window_; }

 private:
  std::string name_;
  bool registered_ = false;
  HWND window_ = nullptr;
};

TEST(ClassifyWindowTest, KnowsEveryKindByItsClassNameInAnyCapitalisation) {
  InitCommonControls();
  struct Case {
    const char* className;
    skin::WindowKind kind;
  };
  const Case cases[] = {
      {"Button", skin::KindButton},           {"ComboBox", skin::KindCombo},
      {"ComboLBox", skin::KindDropList},      {"#32770", skin::KindContainer},
      {"SysHeader32", skin::KindHeader},      {"Edit", skin::KindOther},
      {"Form", skin::KindContainer},          {"THUNDERRT6FORMDC", skin::KindContainer},
      {"ThunderRT6CommandButton", skin::KindButton}, {"thundercombobox", skin::KindCombo},
      {"ThunderRT6DriveListBox", skin::KindDriveList}, {"ThunderCheckBox", skin::KindCheck},
      {"ThunderRT6OptionButton", skin::KindOption}, {"ProgressBar20WndClass", skin::KindProgress},
      {"MSVB_Lib_Header", skin::KindHeader},  {"DataListWndClass", skin::KindDataList},
      {"DBListWndClass", skin::KindDataList}, {"ApexGridOleDB32", skin::KindGrid},
      {"APEXGRID", skin::KindGrid},           {"MyApexGrid", skin::KindOther},
      {"Combo", skin::KindCombo},             {"ButtonX", skin::KindOther},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    WindowOfClass window(c.className);
    ASSERT_NE(window.get(), nullptr);
    EXPECT_EQ(skin::ClassifyWindow(window.get()), c.kind);
  }
}

TEST(ClassifyWindowTest, LongNamesAreCutAndMissingWindowsAreOther) {
  const std::string longName = "ApexGrid" + std::string(247, 'x');  // 255 characters
  WindowOfClass window(longName);
  ASSERT_NE(window.get(), nullptr);
  EXPECT_EQ(skin::WindowClassName(window.get()), longName.substr(0, 254));
  EXPECT_EQ(skin::ClassifyWindow(window.get()), skin::KindGrid);

  HWND gone = CreateWindowA("Button", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(skin::WindowClassName(gone), "");
  EXPECT_EQ(skin::ClassifyWindow(gone), skin::KindOther);
  EXPECT_EQ(skin::ClassifyWindow(nullptr), skin::KindOther);
}

TEST(WindowTextTest, ReadsTheWholeCaptionAndNothingBeyond) {
  const std::wstring caption(300, L'c');
  HWND button = CreateWindowW(L"Button", caption.c_str(), WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(skin::WindowText(button), caption);
  SetWindowTextW(button, L"");
  EXPECT_EQ(skin::WindowText(button), L"");
  DestroyWindow(button);
}

TEST(PropertiesTest, AreSignedAndMissingOnesReadZero) {
  HWND window = CreateWindowA("Button", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(skin::GetProperty(window, skin::HdIndexProperty), 0);
  skin::SetProperty(window, skin::HdIndexProperty, -1);
  EXPECT_EQ(skin::GetProperty(window, skin::HdIndexProperty), -1);
  skin::RemoveProperty(window, skin::HdIndexProperty);
  EXPECT_EQ(skin::GetProperty(window, skin::HdIndexProperty), 0);
  EXPECT_EQ(skin::StateSurfaceProperty(2), "2HDC");
  EXPECT_EQ(skin::StateBitmapProperty(0), "0BMP");
  DestroyWindow(window);
}

TEST(PushButtonStyleTest, OnlyThePushButtonTypes) {
  EXPECT_TRUE(skin::IsPushButtonStyle(BS_PUSHBUTTON));
  EXPECT_TRUE(skin::IsPushButtonStyle(BS_DEFPUSHBUTTON | WS_TABSTOP | BS_MULTILINE));
  EXPECT_TRUE(skin::IsPushButtonStyle(8));  // BS_USERBUTTON
  EXPECT_FALSE(skin::IsPushButtonStyle(BS_AUTORADIOBUTTON));  // 9: bits 1 and 2 clear as well
  EXPECT_FALSE(skin::IsPushButtonStyle(BS_OWNERDRAW));
  EXPECT_FALSE(skin::IsPushButtonStyle(BS_AUTOCHECKBOX));
  EXPECT_FALSE(skin::IsPushButtonStyle(BS_RADIOBUTTON));
  EXPECT_FALSE(skin::IsPushButtonStyle(BS_GROUPBOX));
}

}  // namespace
