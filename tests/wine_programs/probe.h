// What the tests share with the probe they hook into a dressed program: one registered message,
// posted to a window of the program with a command in wParam and a serial number in lParam, and
// two properties the probe sets on that window once the command has run: its answer, then the
// serial number.
#pragma once

namespace testing_support {

inline constexpr char ProbeCommandMessage[] = "TavrinSkinProbeCommand";
inline constexpr char ProbeAnswerProperty[] = "PROBEANSWER";
inline constexpr char ProbeSerialProperty[] = "PROBESERIAL";

enum ProbeCommand {
  ProbeUndress = 1,   // SkinDetachThread's result
  ProbeDress = 2,     // SkinAttachThread's result; then every window of the thread is repainted
  ProbeHeadroom = 3,  // the GDI headroom of the program
};
// What Undress and Dress answer when the program has no TavrinSkin.dll with the export.
inline constexpr int ProbeNoSkin = -1;

}  // namespace testing_support
