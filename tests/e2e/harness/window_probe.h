#pragma once
// Looking at other processes' windows from a test: lookups by class and text, texts read
// with bounded sends (a hung target never blocks the test).
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

DWORD ProcessOf(HWND window);

// Top-level windows of the class (empty: any) whose title equals `title` (empty: any), owned
// by process `processId` (0: any process).
std::vector<HWND> TopLevelWindows(const std::wstring& className, const std::wstring& title,
                                  DWORD processId = 0);
HWND FirstTopLevel(const std::wstring& className, const std::wstring& title, DWORD processId = 0);

// Direct and indirect children of `parent` of the class (empty: any).
std::vector<HWND> Descendants(HWND parent, const std::wstring& className);
// First descendant of the class whose text equals `text`.
HWND DescendantWithText(HWND parent, const std::wstring& className, const std::wstring& text);

std::wstring ClassOf(HWND window);
// Window text through WM_GETTEXT, at most 2 s; empty when the window does not answer.
std::wstring TextOf(HWND window);
// The same as GBK bytes (WM_GETTEXT through the ANSI call).
std::string GbkTextOf(HWND window);

std::wstring FromGbk(const std::string& gbk);
std::string ToGbk(const std::wstring& text);

// WM_NULL with the tool's own 128 ms limit.
bool Answers(HWND window, DWORD timeoutMs = 128);

}  // namespace e2e
