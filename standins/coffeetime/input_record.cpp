#include "standins/coffeetime/input_record.h"

namespace standin {

namespace {

bool IsInput(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

}  // namespace

InputRecord::InputRecord() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(kRecordVariable, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  file_ = _wfopen(path, L"a");
}

InputRecord::~InputRecord() {
  if (file_) fclose(file_);
}

void InputRecord::Note(const MSG& message) {
  if (!file_ || !IsInput(message.message)) return;
  fprintf(file_, "%lu %04x %llx %llx\n", static_cast<unsigned long>(message.time), message.message,
          static_cast<unsigned long long>(message.wParam),
          static_cast<unsigned long long>(message.lParam));
  fflush(file_);
}

}  // namespace standin
