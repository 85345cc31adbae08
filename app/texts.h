// User-interface texts, in UTF-16 from here to the screen: they go only to the wide window
// functions, so they read the same whatever ANSI code page the system has.
#pragma once

namespace app {

inline constexpr wchar_t MainWindowCaption[] = L"Tavrin";
inline constexpr wchar_t InstructionsCaption[] = L"使用说明";
inline constexpr wchar_t OperationsFrameCaption[] = L"操作功能";

inline constexpr wchar_t OptimiseCaption[] = L"优化虚拟内存";
inline constexpr wchar_t RestoreCaption[] = L"还原内存优化";
inline constexpr wchar_t RestartShellCaption[] = L"刷新后马上生效";
inline constexpr wchar_t InstructionsButtonCaption[] = L"使用说明";

inline constexpr wchar_t PublisherName[] = L"Quillmere";
// The link shows the address without a trailing slash and opens it with one.
inline constexpr wchar_t ForumAddress[] = L"http://bbs.quillmere.cn";
// The address that the link opens goes into an ANSI command line; it is plain ASCII.
inline constexpr char ForumUrl[] = "http://bbs.quillmere.cn/";

inline constexpr wchar_t InstructionsText[] =
    L"    有些老电脑由于内存或者虚拟内存太小\r\n"
    L"，玩游戏时间过久或者运行大型软件的时候\r\n"
    L"，就会出现提示虚拟内存太小等虚拟内存出\r\n"
    L"错问题，然后系统运行很缓慢。\r\n"
    L"    试用这个工具优化看，有可能会得到意\r\n"
    L"想不到的好效果。\r\n";

inline constexpr wchar_t MessageTitle[] = L"提示";
inline constexpr wchar_t OptimisedMessage[] = L"优化虚拟内存成功，刷新后即可生效！";
inline constexpr wchar_t RestoredMessage[] = L"还原内存优化成功，刷新后即可生效！";
inline constexpr wchar_t RestartConfirmation[] =
    L"      刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！";

// What the user is told when a step fails; each names the step and what to do about it.
// The payload path goes between these two.
inline constexpr wchar_t PayloadNotWrittenHead[] = L"无法写入注册表导入文件：\r\n";
inline constexpr wchar_t PayloadNotWrittenTail[] =
    L"\r\n\r\n注册表没有被修改。请以管理员身份运行本程序，"
    L"并确认该位置没有同名的只读、隐藏或系统文件。";
inline constexpr wchar_t EditorNotStartedMessage[] =
    L"无法启动注册表编辑器（regedit.exe），注册表没有被修改。";
inline constexpr wchar_t EditorTimedOutMessage[] =
    L"注册表编辑器在 30 秒内没有完成导入，PagedPoolSize 没有被修改。";
inline constexpr wchar_t ValueUnchangedMessage[] =
    L"注册表编辑器已运行，但 PagedPoolSize 没有被修改。\r\n请以管理员身份运行本程序后重试。";
inline constexpr wchar_t ShellRestartFailedMessage[] =
    L"无法启动命令解释器（cmd.exe），Windows 外壳没有重新启动。";
inline constexpr wchar_t ShellToolMissingMessage[] =
    L"本系统没有 taskkill.exe（如 Windows XP 家庭版），无法自动重新启动 Windows 外壳，"
    L"外壳没有重新启动。\r\n请注销后重新登录，或重新启动计算机，使设置生效。";
// Followed by the address.
inline constexpr wchar_t ForumLinkFailedHead[] = L"无法打开论坛网址：\r\n";

}  // namespace app
