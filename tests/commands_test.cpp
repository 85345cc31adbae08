// The tuning commands against the real Wine registry, the real system directory and, where the
// test does not record process starts, the real registry editor.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/process.h"
#include "tests/support/message_boxes.h"
#include "tests/support/system_state.h"

namespace {

using namespace testing_support;

constexpr DWORD Untouched = 0x00001234;
constexpr DWORD Missing = 0xDEADBEEF;

HICON SystemIcon(LPCSTR id) { return LoadIconA(nullptr, id); }

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Ykpz.reg", "Nkpz.reg"}) {
      const std::string path = app::PayloadPath(name);
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
      RemoveDirectoryA(path.c_str());
    }
    SetPagedPoolSize(Untouched);
  }
  void TearDown() override { SetUp(); }
};

TEST_F(CommandsTest, EachImportWritesItsPayloadSetsTheValueAndCleansUp) {
  struct Case {
    const app::PayloadImport& import;
    std::string payload;
    size_t size;
    const wchar_t* message;
  };
  const Case cases[] = {
      {app::OptimiseImport, PagedPoolPayload("ffffffff", true), 324, L"优化虚拟内存成功，刷新后即可生效！"},
      {app::RestoreImport, PagedPoolPayload("00000000", false), 320, L"还原内存优化成功，刷新后即可生效！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.import.fileName);
    const std::string path = app::PayloadPath(c.import.fileName);
    std::string onDisk;
    {
      MessageBoxCatcher boxes(IDOK, [&](HWND) { onDisk = ReadFileBytes(path); });
      EXPECT_EQ(app::ImportPayload(nullptr, c.import), app::ImportOutcome::Applied);
      ASSERT_EQ(boxes.seen().size(), 1u);
      EXPECT_EQ(boxes.seen()[0].title, L"提示");
      EXPECT_EQ(boxes.seen()[0].text, c.message);
      EXPECT_EQ(boxes.seen()[0].buttons, std::vector<int>{IDOK});
      EXPECT_EQ(boxes.seen()[0].icon, SystemIcon(IDI_INFORMATION));
    }
    EXPECT_EQ(onDisk.size(), c.size);
    EXPECT_EQ(onDisk, c.payload);
    EXPECT_EQ(PagedPoolSizeOr(Missing), c.import.value);
    EXPECT_FALSE(FileExists(path));
  }
}

TEST_F(CommandsTest, SystemDirectoryComesFromTheSystemAndIsQuotedForTheEditor) {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, MAX_PATH);
  EXPECT_EQ(app::PayloadPath("Ykpz.reg"), std::string(directory) + "\\Ykpz.reg");

  ProcessRecorder recorder(ProcessRecorder::Succeed);
  MessageBoxCatcher boxes;
  app::OptimisePagedPool(nullptr);
  ASSERT_EQ(recorder.started().size(), 1u);
  EXPECT_EQ(recorder.started()[0].commandLine, "regedit /s \"" + app::PayloadPath("Ykpz.reg") + "\"");
  EXPECT_EQ(recorder.started()[0].showState, SW_HIDE);
}

TEST_F(CommandsTest, AForeignFileAtThePathIsReplacedNotImported) {
  const std::string path = app::PayloadPath("Ykpz.reg");
  const std::string foreign = PagedPoolPayload("00000bad", true);
  ASSERT_TRUE(WriteFileBytes(path, foreign + std::string(4096, 'x')));
  std::string onDisk;
  MessageBoxCatcher boxes(IDOK, [&](HWND) { onDisk = ReadFileBytes(path); });
  EXPECT_EQ(app::ImportPayload(nullptr, app::OptimiseImport), app::ImportOutcome::Applied);
  EXPECT_EQ(onDisk, PagedPoolPayload("ffffffff", true));
  EXPECT_EQ(PagedPoolSizeOr(Missing), 0xFFFFFFFFu);
}

// Tests run as root, where permissions do not stop a write; a directory in the way does, and a
// hidden file does for CREATE_ALWAYS without the hidden attribute.
TEST_F(CommandsTest, APathThatCannotBeWrittenImportsNothingAndSaysSo) {
  const std::string path = app::PayloadPath("Ykpz.reg");
  const std::string hiddenContent = "not ours";
  for (bool hiddenFile : {false, true}) {
    SCOPED_TRACE(hiddenFile ? "hidden file in the way" : "directory in the way");
    SetUp();
    if (hiddenFile) {
      ASSERT_TRUE(WriteFileBytes(path, hiddenContent));
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    } else {
      ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    }
    ProcessRecorder recorder;
    MessageBoxCatcher boxes;
    EXPECT_EQ(app::ImportPayload(nullptr, app::OptimiseImport), app::ImportOutcome::PayloadNotWritten);
    EXPECT_TRUE(recorder.started().empty());
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].title, L"提示");
    EXPECT_NE(boxes.seen()[0].text.find(std::wstring(path.begin(), path.end())), std::wstring::npos);
    EXPECT_EQ(boxes.seen()[0].icon, SystemIcon(IDI_ERROR));
    EXPECT_EQ(PagedPoolSizeOr(Missing), Untouched);
    // What was in the way is left as it was.
    EXPECT_TRUE(FileExists(path));
    if (hiddenFile) {
      EXPECT_EQ(ReadFileBytes(path), hiddenContent);
    }
  }
}

// What is at the path or in the registry beforehand never decides what is imported: a large
// foreign file is replaced by the payload, a read-only one is left alone and nothing is imported,
// and a restore creates the value when it is missing.
TEST_F(CommandsTest, FilesInTheWayAndAMissingValueNeverImportWhatWasNotAsked) {
  const std::string path = app::PayloadPath("Ykpz.reg");
  ASSERT_TRUE(WriteFileBytes(path, PagedPoolPayload("00000bad", true) + std::string(1 << 20, ';')));
  {
    MessageBoxCatcher boxes;
    EXPECT_EQ(app::ImportPayload(nullptr, app::OptimiseImport), app::ImportOutcome::Applied);
  }
  EXPECT_EQ(PagedPoolSizeOr(Missing), 0xFFFFFFFFu);
  EXPECT_FALSE(FileExists(path));

  SetPagedPoolSize(Untouched);
  const std::string readOnly = PagedPoolPayload("00000bad", true);
  ASSERT_TRUE(WriteFileBytes(path, readOnly));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  {
    ProcessRecorder recorder;
    MessageBoxCatcher boxes;
    EXPECT_EQ(app::ImportPayload(nullptr, app::OptimiseImport), app::ImportOutcome::PayloadNotWritten);
    EXPECT_TRUE(recorder.started().empty());
  }
  EXPECT_EQ(PagedPoolSizeOr(Missing), Untouched);
  EXPECT_EQ(ReadFileBytes(path), readOnly);

  DeletePagedPoolSize();
  {
    MessageBoxCatcher boxes;
    EXPECT_EQ(app::ImportPayload(nullptr, app::RestoreImport), app::ImportOutcome::Applied);
  }
  EXPECT_EQ(PagedPoolSizeOr(Missing), 0u);
}

// The registry editor reports nothing, so only the value read back may decide the message.
TEST_F(CommandsTest, EveryFailedStepIsReportedAsWhatItIs) {
  struct Case {
    ProcessRecorder::Outcome start;
    app::ImportOutcome outcome;
    const wchar_t* message;
  };
  const Case cases[] = {
      {ProcessRecorder::Fail, app::ImportOutcome::EditorNotStarted, app::EditorNotStartedMessage},
      {ProcessRecorder::Succeed, app::ImportOutcome::ValueUnchanged, app::ValueUnchangedMessage},
      {ProcessRecorder::Hang, app::ImportOutcome::EditorTimedOut, app::EditorTimedOutMessage},
  };
  constexpr DWORD ShortTimeoutMs = 200;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ProcessRecorder recorder(c.start);
    MessageBoxCatcher boxes;
    EXPECT_EQ(app::ImportPayload(nullptr, app::OptimiseImport, ShortTimeoutMs), c.outcome);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, c.message);
    EXPECT_EQ(boxes.seen()[0].icon, SystemIcon(IDI_ERROR));
    EXPECT_EQ(PagedPoolSizeOr(Missing), Untouched);
    EXPECT_FALSE(FileExists(app::PayloadPath("Ykpz.reg")));
  }
}

// An editor that outlives the wait is ended before the value is read back and the file deleted:
// the stand-in would set the value 3 s after it started, well after the message.
TEST_F(CommandsTest, AnEditorThatNeverEndsIsEndedBeforeTheValueIsReadBackAndTheFileDeleted) {
  ProcessRecorder recorder(ProcessRecorder::HungEditor);
  MessageBoxCatcher boxes;
  EXPECT_EQ(app::ImportPayload(nullptr, app::OptimiseImport, 1000), app::ImportOutcome::EditorTimedOut);
  ASSERT_EQ(boxes.seen().size(), 1u);
  EXPECT_EQ(boxes.seen()[0].text, L"注册表编辑器在 30 秒内没有完成导入，PagedPoolSize 没有被修改。");
  EXPECT_TRUE(recorder.AllEnded());
  EXPECT_FALSE(FileExists(app::PayloadPath("Ykpz.reg")));
  Sleep(4000);
  EXPECT_EQ(PagedPoolSizeOr(Missing), Untouched);
}

TEST_F(CommandsTest, ValueAlreadyAsRequestedCountsAsApplied) {
  SetPagedPoolSize(0);
  ProcessRecorder recorder(ProcessRecorder::Succeed);
  MessageBoxCatcher boxes;
  EXPECT_EQ(app::ImportPayload(nullptr, app::RestoreImport), app::ImportOutcome::Applied);
  ASSERT_EQ(boxes.seen().size(), 1u);
  EXPECT_EQ(boxes.seen()[0].text, L"还原内存优化成功，刷新后即可生效！");
}

TEST(RestartShellTest, OnlyYesRestartsTheShellAndNoIsTheDefault) {
  struct Case {
    int answer;
    bool restarts;
  };
  for (const Case c : {Case{IDNO, false}, Case{VK_RETURN, false}, Case{IDYES, true}}) {
    SCOPED_TRACE(c.answer);
    ProcessRecorder recorder;
    MessageBoxCatcher boxes(c.answer);
    app::RestartShell(nullptr);
    ASSERT_EQ(boxes.seen().size(), 1u);
    const SeenMessageBox& box = boxes.seen()[0];
    EXPECT_EQ(box.title, L"提示");
    EXPECT_EQ(box.text, L"      刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.icon, SystemIcon(IDI_INFORMATION));
    if (c.restarts) {
      ASSERT_EQ(recorder.started().size(), 1u);
      EXPECT_EQ(recorder.started()[0].commandLine, "cmd /c taskkill /f /im explorer.exe & explorer.exe");
      EXPECT_EQ(recorder.started()[0].showState, SW_HIDE);
    } else {
      EXPECT_TRUE(recorder.started().empty());
    }
  }
}

TEST(RestartShellTest, AFailedStartIsReportedAndTheProgramGoesOn) {
  ProcessRecorder recorder(ProcessRecorder::Fail);
  MessageBoxCatcher boxes(IDYES);
  app::RestartShell(nullptr);
  ASSERT_EQ(boxes.seen().size(), 2u);
  EXPECT_EQ(boxes.seen()[1].text, app::ShellRestartFailedMessage);
  EXPECT_EQ(boxes.seen()[1].icon, SystemIcon(IDI_ERROR));
}

// Windows XP Home Edition has no taskkill.exe: there the shell is not restarted and the user is
// told so plainly, instead of a folder window opening as if it had been.
TEST(RestartShellTest, WithoutTaskkillNothingStartsAndTheUserIsToldToLogOff) {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, MAX_PATH);
  const std::string tool = std::string(directory) + "\\taskkill.exe";
  const std::string aside = tool + ".aside";
  MoveFileA(aside.c_str(), tool.c_str());  // left aside by an earlier run that crashed
  ASSERT_TRUE(MoveFileA(tool.c_str(), aside.c_str()));
  ProcessRecorder recorder;
  MessageBoxCatcher boxes(IDYES);
  app::RestartShell(nullptr);
  MoveFileA(aside.c_str(), tool.c_str());
  EXPECT_TRUE(recorder.started().empty());
  ASSERT_EQ(boxes.seen().size(), 2u);
  EXPECT_EQ(boxes.seen()[1].text,
            L"本系统没有 taskkill.exe（如 Windows XP 家庭版），无法自动重新启动 Windows 外壳，"
            L"外壳没有重新启动。\r\n请注销后重新登录，或重新启动计算机，使设置生效。");
  EXPECT_EQ(boxes.seen()[1].icon, SystemIcon(IDI_ERROR));
  EXPECT_TRUE(FileExists(tool));
}

TEST(ForumLinkTest, OpensTheAddressWithItsSlashThroughTheUrlHandler) {
  {
    ProcessRecorder recorder;
    app::OpenForumLink(nullptr);
    ASSERT_EQ(recorder.started().size(), 1u);
    EXPECT_EQ(recorder.started()[0].commandLine,
              "rundll32.exe url.dll,FileProtocolHandler \"http://bbs.quillmere.cn/\"");
    EXPECT_EQ(recorder.started()[0].showState, SW_SHOWNORMAL);
  }
  ProcessRecorder failing(ProcessRecorder::Fail);
  MessageBoxCatcher boxes;
  app::OpenForumLink(nullptr);
  ASSERT_EQ(boxes.seen().size(), 1u);
  EXPECT_NE(boxes.seen()[0].text.find(L"http://bbs.quillmere.cn/"), std::wstring::npos);
}

// The commands run elevated: a program of the same name in the current directory must not be
// the one that starts.
TEST(SystemProcessTest, StartsOnlyProgramsOfTheSystemDirectories) {
  HANDLE process = nullptr;
  ASSERT_TRUE(app::StartSystemProcess("cmd /c exit 7", SW_HIDE, &process));
  app::UniqueHandle owned(process);
  ASSERT_EQ(WaitForSingleObject(owned.get(), 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(owned.get(), &code);
  EXPECT_EQ(code, 7u);

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  ASSERT_TRUE(CopyFileA(self, "tavrinplanted.exe", FALSE));
  EXPECT_FALSE(app::StartSystemProcess("tavrinplanted --gtest_list_tests", SW_HIDE, nullptr));
  DeleteFileA("tavrinplanted.exe");
}

}  // namespace
