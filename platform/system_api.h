#pragma once
// kernel32 as the toolkit uses it: timers, handles, files, processes, local time and the
// code page conversion. The native implementation converts with iconv.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  // Unnamed auto-reset waitable timer; 0 on failure.
  virtual Handle CreateWaitableTimerA() = 0;
  // dueTime in 100 ns units, negative = relative to now; period 0, no completion routine.
  virtual bool SetWaitableTimer(Handle timer, int64_t dueTime) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  virtual uint64_t GetTickCount64() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual LocalTime GetLocalTime() = 0;

  // Same contract as the platform call; char16_t units are UTF-16LE.
  virtual int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* text,
                                  int length, char16_t* buffer, int bufferUnits) = 0;
  // WideCharToMultiByte with flags 0 and the code page's default character for what it
  // cannot hold; same counting as MultiByteToWideChar.
  virtual int WideCharToMultiByte(uint32_t codePage, const char16_t* text, int length,
                                  char* buffer, int bufferBytes) = 0;

  virtual Handle FindFirstFileW(const char16_t* path, FindData* data) = 0;
  // The next entry of a search FindFirstFileW began; false when there is none left.
  virtual bool FindNextFileW(Handle search, FindData* data) = 0;
  virtual bool FindClose(Handle search) = 0;
  // CreateDirectoryW without security attributes; false also when the folder is already there
  // (GetLastError tells).
  virtual bool CreateDirectoryW(const char16_t* path) = 0;
  // CreateFileW for reading only: GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, with the
  // given share mode (kFileShare...). kInvalidHandle on failure; GetLastError tells why.
  virtual Handle CreateFileW(const char16_t* path, uint32_t shareMode) = 0;
  virtual bool GetFileSizeEx(Handle file, uint64_t* size) = 0;
  // GetFileAttributesW: kInvalidFileAttributes when there is no such entry.
  virtual uint32_t GetFileAttributesW(const char16_t* path) = 0;
  // CreateFileW of a new file that is gone again once its handle is closed: GENERIC_WRITE, no
  // sharing, CREATE_NEW, hidden and temporary, FILE_FLAG_DELETE_ON_CLOSE. kInvalidHandle on
  // failure (never opens or changes an existing file).
  virtual Handle CreateTemporaryFileW(const char16_t* path) = 0;
  virtual bool ReadFile(Handle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) = 0;
  // CreateFileW of a new file to write: GENERIC_WRITE, no sharing, CREATE_NEW, normal
  // attributes. kInvalidHandle on failure; never opens or changes an existing file.
  virtual Handle CreateNewFileW(const char16_t* path) = 0;
  virtual bool WriteFile(Handle file, const void* buffer, uint32_t bytesToWrite,
                         uint32_t* bytesWritten) = 0;
  virtual uint32_t GetLastError() = 0;
  // Returns the length written (without NUL), or the size needed, or 0 on failure.
  virtual uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) = 0;
  virtual bool SetCurrentDirectoryA(const char* path) = 0;
  // Directory of the running executable, without trailing backslash.
  virtual std::string ProgramDirectory() = 0;

  // CreateProcessA with the whole command line, no inherited handles, creation flags 0,
  // STARTF_USESHOWWINDOW with the given show mode.
  virtual bool CreateProcessA(const char* commandLine, int showMode, ProcessInfo* info) = 0;
  virtual uint32_t WaitForInputIdle(Handle process, uint32_t milliseconds) = 0;
  virtual uint32_t WaitForSingleObject(Handle handle, uint32_t milliseconds) = 0;
  virtual bool TerminateProcess(Handle process, uint32_t exitCode) = 0;
};

}  // namespace platform
