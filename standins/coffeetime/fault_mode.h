#pragma once
// Misbehaviours the stand-ins can be told to show, so tests can check how the tool copes.
// Chosen by the environment variable BMT_STANDIN_FAULT, which only tests set; it is inherited
// from the tool by the programs the tool starts.
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
};

// Unknown or empty names mean kNone: a stand-in started by hand behaves normally.
FaultMode ParseFaultMode(std::string_view name);
std::string_view FaultModeName(FaultMode mode);

}  // namespace standin
