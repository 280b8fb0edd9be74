#pragma once
// The platform's numeric values the seam passes: window messages and their flags, show and
// window styles, message box flags and answers, wait results, system metrics, file attributes,
// share flags and error codes, as the platform defines them. Own names (k...) so this header
// can sit beside windows.h without macro clashes; win32/api_values_check.cpp holds each to
// the platform's headers at build time.
#include <cstdint>

namespace platform {

constexpr uint32_t kWmNull = 0x0000;
constexpr uint32_t kWmClose = 0x0010;
constexpr uint32_t kWmContextMenu = 0x007B;
constexpr uint32_t kWmSetIcon = 0x0080;
constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmKeyUp = 0x0101;
constexpr uint32_t kWmChar = 0x0102;
constexpr uint32_t kWmSysKeyDown = 0x0104;
constexpr uint32_t kWmSysKeyUp = 0x0105;
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmLButtonDblClk = 0x0203;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmRButtonUp = 0x0205;
constexpr uint32_t kWmRButtonDblClk = 0x0206;
constexpr uint32_t kWmMButtonDown = 0x0207;
constexpr uint32_t kWmMButtonUp = 0x0208;
constexpr uint32_t kWmMButtonDblClk = 0x0209;
constexpr uint32_t kWmMouseWheel = 0x020A;

constexpr int kGwlExStyle = -20;
constexpr uint32_t kWsExTransparent = 0x20;
constexpr uint32_t kWsExLayered = 0x80000;
constexpr uint32_t kLwaColorKey = 1;
constexpr uint32_t kLwaAlpha = 2;
constexpr uint32_t kWsDisabled = 0x08000000;

constexpr int kSwHide = 0;
constexpr int kSwShowNormal = 1;

constexpr uint32_t kSmtoAbortIfHung = 2;
constexpr uint32_t kWaitObject0 = 0;
constexpr uint32_t kWaitTimeout = 258;
constexpr uint32_t kWaitFailed = 0xFFFFFFFFu;
constexpr uint32_t kInfinite = 0xFFFFFFFFu;
constexpr uint32_t kQsAllInput = 0xFF;

constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;

constexpr uint32_t kMbIconExclamation = 0x30;
constexpr uint32_t kMbIconInformation = 0x40;
constexpr uint32_t kMbSystemModal = 0x1000;
constexpr uint32_t kMbTaskModal = 0x2000;
constexpr uint32_t kMbYesNo = 0x4;
constexpr int kIdYes = 6;

constexpr uint32_t kFileAttributeDirectory = 0x10;
constexpr uint32_t kFileShareRead = 1;
constexpr uint32_t kFileShareWrite = 2;
constexpr uint32_t kFileShareDelete = 4;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorAlreadyExists = 183;
constexpr uint32_t kCodePageGbk = 936;
constexpr uint32_t kFnErrBufferTooSmall = 0x3003;

}  // namespace platform
