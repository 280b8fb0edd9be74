#include "tests/e2e/harness/list_view.h"

#include <commctrl.h>

namespace e2e {

namespace {

constexpr int kTextUnits = 256;
constexpr UINT kSendTimeoutMs = 2000;

// One block in the list's process: the item request followed by its text buffer.
class RemoteBlock {
 public:
  RemoteBlock(DWORD processId, size_t size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           processId);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    return offset + size <= size_ && WriteProcessMemory(process_, at(offset), data, size, &done) &&
           done == size;
  }
  bool Read(size_t offset, void* data, size_t size) {
    SIZE_T done = 0;
    return offset + size <= size_ && ReadProcessMemory(process_, at(offset), data, size, &done) &&
           done == size;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

}  // namespace

std::optional<std::vector<ListRow>> ReadListRows(HWND listView, int columns) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(listView, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &count)) {
    return std::nullopt;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(listView, &processId);
  const size_t textOffset = sizeof(LVITEMW);
  RemoteBlock block(processId, textOffset + kTextUnits * sizeof(wchar_t));
  if (!block.ok()) return std::nullopt;

  std::vector<ListRow> rows;
  for (int row = 0; row < int(count); ++row) {
    ListRow cells;
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.iSubItem = column;
      item.pszText = reinterpret_cast<LPWSTR>(block.at(textOffset));
      item.cchTextMax = kTextUnits;
      const wchar_t empty = L'\0';
      DWORD_PTR copied = 0;
      if (!block.Write(0, &item, sizeof item) || !block.Write(textOffset, &empty, sizeof empty) ||
          !SendMessageTimeoutW(listView, LVM_GETITEMTEXTW, WPARAM(row),
                               reinterpret_cast<LPARAM>(block.at(0)), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &copied)) {
        return std::nullopt;
      }
      std::wstring text(kTextUnits, L'\0');
      if (!block.Read(textOffset, text.data(), kTextUnits * sizeof(wchar_t))) return std::nullopt;
      text.resize(wcsnlen(text.c_str(), kTextUnits));
      cells.push_back(text);
    }
    rows.push_back(cells);
  }
  return rows;
}

}  // namespace e2e
