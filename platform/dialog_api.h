#pragma once
// comdlg32: the common open and save file dialogs.
#include "platform/types.h"

namespace platform {

class DialogApi {
 public:
  virtual ~DialogApi() = default;
  virtual bool GetOpenFileNameA(OpenFileRecord* record) = 0;
  virtual bool GetSaveFileNameA(OpenFileRecord* record) = 0;
  // Why the last dialog call returned false: 0 when the user cancelled.
  virtual uint32_t CommDlgExtendedError() = 0;
};

}  // namespace platform
