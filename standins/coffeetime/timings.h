#pragma once
// How long the stand-in patcher takes, in one place. While it is busy its GUI thread takes no
// messages, as a Qt program of its kind does while it works: posted clicks and characters wait
// in the queue (none is lost), and a message sent to it gets no answer until the work is done.
// Each value is close to what the real patcher needs, so a tool whose fixed waits were too
// short would meet a busy window here too.
#include <windows.h>

namespace standin {

constexpr DWORD kLoadBusyMs = 2500;      // after the load click; the title changes at the click
constexpr DWORD kFlashBusyMs = 3000;     // after the last of the four ME clicks
constexpr DWORD kMeSwitchBusyMs = 200;   // after the ME switch
constexpr DWORD kUnlockBusyMs = 300;     // after the second unlock click
constexpr DWORD kTickBusyMs = 100;       // after each microcode tick
// After the apply, the table is redrawn only when this is over. Meanwhile messages sent to the
// window are served (a capture sees the table as it was); posted input waits.
constexpr DWORD kApplyBusyMs = 3000;
constexpr UINT kSaveDialogDelayMs = 600;   // from the save click to the dialog
constexpr DWORD kSaveWriteBusyMs = 1500;   // from "保存(&S)" to the written file
constexpr UINT kLateWriteDelayMs = 8000;   // the late-write fault: the file comes this much later
constexpr UINT kLatePaintMs = 800;  // the late-paint fault: one colour this long after a show

}  // namespace standin
