// The seam's own names for platform values, checked against the platform's headers: a value
// re-declared wrongly fails the build instead of a run.
#include <windows.h>
#include <cderr.h>

#include "platform/api_values.h"
#include "platform/types.h"

namespace platform {
namespace {

#define BMT_SAME(ours, theirs) static_assert((ours) == (theirs), #ours " is not " #theirs)

BMT_SAME(kWmNull, WM_NULL);
BMT_SAME(kWmClose, WM_CLOSE);
BMT_SAME(kWmContextMenu, WM_CONTEXTMENU);
BMT_SAME(kWmSetIcon, WM_SETICON);
BMT_SAME(kWmKeyDown, WM_KEYDOWN);
BMT_SAME(kWmKeyUp, WM_KEYUP);
BMT_SAME(kWmChar, WM_CHAR);
BMT_SAME(kWmSysKeyDown, WM_SYSKEYDOWN);
BMT_SAME(kWmSysKeyUp, WM_SYSKEYUP);
BMT_SAME(kWmMouseMove, WM_MOUSEMOVE);
BMT_SAME(kWmLButtonDown, WM_LBUTTONDOWN);
BMT_SAME(kWmLButtonUp, WM_LBUTTONUP);
BMT_SAME(kWmLButtonDblClk, WM_LBUTTONDBLCLK);
BMT_SAME(kWmRButtonDown, WM_RBUTTONDOWN);
BMT_SAME(kWmRButtonUp, WM_RBUTTONUP);
BMT_SAME(kWmRButtonDblClk, WM_RBUTTONDBLCLK);
BMT_SAME(kWmMButtonDown, WM_MBUTTONDOWN);
BMT_SAME(kWmMButtonUp, WM_MBUTTONUP);
BMT_SAME(kWmMButtonDblClk, WM_MBUTTONDBLCLK);
BMT_SAME(kWmMouseWheel, WM_MOUSEWHEEL);

BMT_SAME(kGwlExStyle, GWL_EXSTYLE);
BMT_SAME(kWsExTransparent, WS_EX_TRANSPARENT);
BMT_SAME(kWsExLayered, WS_EX_LAYERED);
BMT_SAME(kLwaColorKey, LWA_COLORKEY);
BMT_SAME(kLwaAlpha, LWA_ALPHA);
BMT_SAME(kWsDisabled, WS_DISABLED);
BMT_SAME(kSwHide, SW_HIDE);
BMT_SAME(kSwShowNormal, SW_SHOWNORMAL);

BMT_SAME(kSmtoAbortIfHung, SMTO_ABORTIFHUNG);
BMT_SAME(kWaitObject0, WAIT_OBJECT_0);
BMT_SAME(kWaitTimeout, WAIT_TIMEOUT);
BMT_SAME(kWaitFailed, WAIT_FAILED);
BMT_SAME(kInfinite, INFINITE);
// The input mask as the older headers define QS_ALLINPUT: every kind of input but raw input,
// touch and pointer messages, which the tool never asks for.
BMT_SAME(kQsAllInput, QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER |
                          QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY);

BMT_SAME(kSmCxScreen, SM_CXSCREEN);
BMT_SAME(kSmCyScreen, SM_CYSCREEN);
BMT_SAME(kMbIconExclamation, MB_ICONEXCLAMATION);
BMT_SAME(kMbIconInformation, MB_ICONINFORMATION);
BMT_SAME(kMbSystemModal, MB_SYSTEMMODAL);
BMT_SAME(kMbTaskModal, MB_TASKMODAL);
BMT_SAME(kMbYesNo, MB_YESNO);
BMT_SAME(kIdYes, IDYES);

BMT_SAME(kFileAttributeDirectory, FILE_ATTRIBUTE_DIRECTORY);
BMT_SAME(kFileShareRead, FILE_SHARE_READ);
BMT_SAME(kFileShareWrite, FILE_SHARE_WRITE);
BMT_SAME(kFileShareDelete, FILE_SHARE_DELETE);
BMT_SAME(kErrorFileNotFound, ERROR_FILE_NOT_FOUND);
BMT_SAME(kErrorPathNotFound, ERROR_PATH_NOT_FOUND);
BMT_SAME(kErrorSharingViolation, ERROR_SHARING_VIOLATION);
BMT_SAME(kErrorAlreadyExists, ERROR_ALREADY_EXISTS);
BMT_SAME(kFnErrBufferTooSmall, FNERR_BUFFERTOOSMALL);
BMT_SAME(kInvalidFileAttributes, INVALID_FILE_ATTRIBUTES);

#undef BMT_SAME

}  // namespace
}  // namespace platform
