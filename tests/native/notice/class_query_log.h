#pragma once
// A window seam that forwards every call and notes which windows had their class asked for.
#include <vector>

#include "platform/window_api.h"

namespace notice_test {

// Forwards to another window seam and notes which windows had their class asked for.
class ClassQueryLog final : public platform::WindowApi {
 public:
  explicit ClassQueryLog(platform::WindowApi& d) : d_(d) {}
  std::vector<platform::Hwnd> asked;

  platform::Hwnd FindWindowExA(platform::Hwnd p, platform::Hwnd a, const char* c, const char* t) override {
    return d_.FindWindowExA(p, a, c, t);
  }
  bool GetWindowInfo(platform::Hwnd w, platform::WindowInfo* i) override { return d_.GetWindowInfo(w, i); }
  bool GetWindowRect(platform::Hwnd w, platform::Rect* r) override { return d_.GetWindowRect(w, r); }
  bool GetClientRect(platform::Hwnd w, platform::Rect* r) override { return d_.GetClientRect(w, r); }
  bool ClientToScreen(platform::Hwnd w, platform::Point* p) override { return d_.ClientToScreen(w, p); }
  int GetClassNameA(platform::Hwnd w, char* b, int n) override {
    asked.push_back(w);
    return d_.GetClassNameA(w, b, n);
  }
  bool IsWindow(platform::Hwnd w) override { return d_.IsWindow(w); }
  bool IsIconic(platform::Hwnd w) override { return d_.IsIconic(w); }
  bool IsWindowVisible(platform::Hwnd w) override { return d_.IsWindowVisible(w); }
  platform::Hwnd GetDesktopWindow() override { return d_.GetDesktopWindow(); }
  bool PostMessageA(platform::Hwnd w, uint32_t m, uint32_t wp, uint32_t lp) override {
    return d_.PostMessageA(w, m, wp, lp);
  }
  bool PostMessageW(platform::Hwnd w, uint32_t m, uint32_t wp, uint32_t lp) override {
    return d_.PostMessageW(w, m, wp, lp);
  }
  int32_t SendMessageA(platform::Hwnd w, uint32_t m, uint32_t wp, uint32_t lp) override {
    return d_.SendMessageA(w, m, wp, lp);
  }
  uint32_t SendMessageTimeoutA(platform::Hwnd w, uint32_t m, uint32_t wp, uint32_t lp, uint32_t f,
                               uint32_t t, uint32_t* r) override {
    return d_.SendMessageTimeoutA(w, m, wp, lp, f, t, r);
  }
  uint32_t MapVirtualKeyA(uint32_t c, uint32_t t) override { return d_.MapVirtualKeyA(c, t); }
  int32_t GetWindowLongA(platform::Hwnd w, int i) override { return d_.GetWindowLongA(w, i); }
  int32_t SetWindowLongA(platform::Hwnd w, int i, int32_t v) override { return d_.SetWindowLongA(w, i, v); }
  bool SetLayeredWindowAttributes(platform::Hwnd w, uint32_t k, uint8_t a, uint32_t f) override {
    return d_.SetLayeredWindowAttributes(w, k, a, f);
  }
  bool ShowWindowAsync(platform::Hwnd w, int c) override { return d_.ShowWindowAsync(w, c); }
  uint32_t RegisterWindowMessageA(const char* n) override { return d_.RegisterWindowMessageA(n); }
  int GetSystemMetrics(int i) override { return d_.GetSystemMetrics(i); }
  uint32_t GetDpiForWindow(platform::Hwnd w) override { return d_.GetDpiForWindow(w); }
  int MessageBoxA(platform::Hwnd o, const char* t, const char* c, uint32_t s) override {
    return d_.MessageBoxA(o, t, c, s);
  }
  uint32_t MsgWaitForMultipleObjects(uint32_t c, const platform::Handle* h, bool a, uint32_t t,
                                     uint32_t m) override {
    return d_.MsgWaitForMultipleObjects(c, h, a, t, m);
  }
  bool ProcessPendingMessages() override { return d_.ProcessPendingMessages(); }
  bool QuitPending() override { return d_.QuitPending(); }
  uint32_t GetWindowProcessId(platform::Hwnd w) override { return d_.GetWindowProcessId(w); }

 private:
  platform::WindowApi& d_;
};

}  // namespace notice_test
