// User-interface texts. The source is UTF-8; the compiler turns every narrow literal of the
// program into code page 936 (-fexec-charset=CP936), the encoding that the ANSI window functions
// expect on a Simplified Chinese system.
#pragma once

namespace app {

inline constexpr char MainWindowCaption[] = "Tavrin";
inline constexpr char InstructionsCaption[] = "使用说明";
inline constexpr char OperationsFrameCaption[] = "操作功能";

inline constexpr char OptimiseCaption[] = "优化虚拟内存";
inline constexpr char RestoreCaption[] = "还原内存优化";
inline constexpr char RestartShellCaption[] = "刷新后马上生效";
inline constexpr char InstructionsButtonCaption[] = "使用说明";

inline constexpr char PublisherName[] = "Quillmere";
// The link shows the address without a trailing slash and opens it with one.
inline constexpr char ForumAddress[] = "http://bbs.quillmere.cn";
inline constexpr char ForumUrl[] = "http://bbs.quillmere.cn/";

inline constexpr char InstructionsText[] =
    "    有些老电脑由于内存或者虚拟内存太小\r\n"
    "，玩游戏时间过久或者运行大型软件的时候\r\n"
    "，就会出现提示虚拟内存太小等虚拟内存出\r\n"
    "错问题，然后系统运行很缓慢。\r\n"
    "    试用这个工具优化看，有可能会得到意\r\n"
    "想不到的好效果。\r\n";

inline constexpr char MessageTitle[] = "提示";
inline constexpr char OptimisedMessage[] = "优化虚拟内存成功，刷新后即可生效！";
inline constexpr char RestoredMessage[] = "还原内存优化成功，刷新后即可生效！";
inline constexpr char RestartConfirmation[] =
    "      刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！";

// What the user is told when a step fails; each names the step and what to do about it.
// The payload path goes between these two.
inline constexpr char PayloadNotWrittenHead[] = "无法写入注册表导入文件：\r\n";
inline constexpr char PayloadNotWrittenTail[] =
    "\r\n\r\n注册表没有被修改。请以管理员身份运行本程序，"
    "并确认该位置没有同名的只读、隐藏或系统文件。";
inline constexpr char EditorNotStartedMessage[] =
    "无法启动注册表编辑器（regedit.exe），注册表没有被修改。";
inline constexpr char EditorTimedOutMessage[] =
    "注册表编辑器在 30 秒内没有完成导入，PagedPoolSize 没有被修改。";
inline constexpr char ValueUnchangedMessage[] =
    "注册表编辑器已运行，但 PagedPoolSize 没有被修改。\r\n请以管理员身份运行本程序后重试。";
inline constexpr char ShellRestartFailedMessage[] =
    "无法启动命令解释器（cmd.exe），Windows 外壳没有重新启动。";
inline constexpr char ShellToolMissingMessage[] =
    "本系统没有 taskkill.exe（如 Windows XP 家庭版），无法自动重新启动 Windows 外壳，"
    "外壳没有重新启动。\r\n请注销后重新登录，或重新启动计算机，使设置生效。";
// Followed by the address.
inline constexpr char ForumLinkFailedHead[] = "无法打开论坛网址：\r\n";

}  // namespace app
