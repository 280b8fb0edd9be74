#pragma once
// A record of the input the patcher receives, for tests that must show what reached it and
// when. Chosen by the environment variable BMT_STANDIN_RECORD (a file path, appended to); off
// when it is not set.
#include <windows.h>

#include <cstdio>

namespace standin {

constexpr const wchar_t* kRecordVariable = L"BMT_STANDIN_RECORD";

class InputRecord {
 public:
  InputRecord();
  ~InputRecord();
  InputRecord(const InputRecord&) = delete;
  InputRecord& operator=(const InputRecord&) = delete;

  // One line per mouse, key or character message taken from the queue: the time it was posted
  // (GetMessageTime, the tick count), the message, wParam and lParam, in hexadecimal.
  void Note(const MSG& message);

 private:
  FILE* file_ = nullptr;
};

}  // namespace standin
