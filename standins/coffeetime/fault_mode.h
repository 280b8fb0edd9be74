#pragma once
// Misbehaviours the stand-ins can be told to show, so tests can check how the tool copes.
// Chosen by the environment variable BMT_STANDIN_FAULT, which only tests set: one name, or
// several separated by commas, each taking effect. It is inherited from the tool by the
// programs the tool starts.
#include <cstdint>
#include <string_view>

namespace standin {

constexpr const char* kFaultVariable = "BMT_STANDIN_FAULT";

enum class FaultMode {
  kNone,
  kRejectAll,        // every file is rejected, the window keeps answering
  kNeverFinishLoad,  // busy as for a good file, then the start window stays as it is
  kHangFlash,        // the ME flash blocks the GUI thread for ever
  kNoSaveDialog,     // the save button does nothing
  kLateWrite,        // the image is written some seconds after the dialog's save button
  kExitAbruptly,     // the process ends as soon as the load is clicked
  // Apply writes every chosen CPUID but the one chosen last (in click order; 906EA counts
  // from its second click) and reports them all as added; the table shows the others.
  kDropMicrocode,
  // The ME flash is busy and ends as usual, but the image keeps its old ME version; the ME
  // switch still works on it.
  kKeepOldMe,
  // Each time the window goes from hidden to visible, its client area is the background alone
  // (in WM_PAINT and WM_PRINTCLIENT alike) until kLatePaintMs after it became visible; then
  // the window redraws itself as usual.
  kLatePaint,
  // The microcode cells and the ME state field are drawn as plain text in a font and colours of
  // the window's own, none of the stored label pictures; everything else works as usual.
  kOwnArt,
  // The ME switch is busy as usual but changes nothing: the ME stays enabled.
  kStuckMeSwitch,
  // Apply writes the chosen updates but leaves the FIT as it was, so it does not list them.
  kStaleFit,
  // The next four change only the file Save writes, never the loaded image:
  // its GbE region holds another MAC address (the checksum word kept valid);
  kLoseMac,
  // its code volume leaves out the third code file, the pad file growing in its place;
  kDropFile,
  // its settings store is erased after the volume's header;
  kResetSettings,
  // its code volume holds the code files in reverse order (no fault for a reader that finds
  // files by name).
  kMoveFiles,
};

// The modes a stand-in shows at once.
struct FaultModes {
  uint32_t bits = 0;  // bit n: the FaultMode numbered n
  bool Has(FaultMode mode) const { return (bits >> int(mode) & 1u) != 0; }
};

// Unknown or empty names mean kNone: a stand-in started by hand behaves normally.
FaultMode ParseFaultMode(std::string_view name);
std::string_view FaultModeName(FaultMode mode);

// Names separated by commas; unknown ones are left out.
FaultModes ParseFaultModes(std::string_view names);

}  // namespace standin
