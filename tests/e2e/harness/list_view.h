#pragma once
// Reading another process's list view. Its item texts can only be copied into memory of the
// list's own process, so the request and the text buffer are placed there for each read.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

using ListRow = std::vector<std::wstring>;

// Every row of the list with `columns` cells each; nullopt when the list could not be read.
std::optional<std::vector<ListRow>> ReadListRows(HWND listView, int columns);

}  // namespace e2e
