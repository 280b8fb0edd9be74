#include "automation/file_dialogs.h"

#include <vector>

#include "platform/api_values.h"

namespace automation {

namespace {

constexpr size_t kFileBufferBytes = 512;
constexpr size_t kDirectoryBytes = 260;
constexpr std::string_view kSaveTitle = "保存文件";
constexpr std::string_view kOpenTitle = "打开文件";
constexpr std::string_view kSaveFilter = "TXT文档(*.txt)|*.txt|所有文件(*.*)|*.*";
constexpr std::string_view kOpenFilter = "所有文件(*.*)|*.*";

std::string CurrentDirectory(platform::SystemApi& system) {
  std::vector<char> buffer(kDirectoryBytes + 1, '\0');
  const uint32_t n = system.GetCurrentDirectoryA(static_cast<uint32_t>(kDirectoryBytes), buffer.data());
  if (n == 0 || n > kDirectoryBytes) return {};
  return std::string(buffer.data(), n);
}

DialogAnswer RunDialog(platform::Platform& p, const FileDialogRequest& request, bool save) {
  const std::string remembered = CurrentDirectory(p.system);
  const std::string initialDir = request.initialDir.value_or(remembered);
  const std::string title(request.title.value_or(std::string(save ? kSaveTitle : kOpenTitle)));
  const std::string filter =
      BuildNativeFilter(request.filter.value_or(std::string(save ? kSaveFilter : kOpenFilter)));

  // Save: the default name then zeros, 512 bytes, capacity 512 minus the name's length. A name
  // that leaves no room for an answer is dropped rather than overrun the buffer.
  std::string name = save ? request.defaultName.value_or("") : std::string();
  if (name.size() >= kFileBufferBytes) name.clear();
  std::vector<char> file(kFileBufferBytes + 1, '\0');
  std::copy(name.begin(), name.end(), file.begin());
  std::vector<char> fileTitle(kFileBufferBytes, ' ');
  fileTitle.push_back('\0');
  char emptyCustomFilter[1] = {'\0'};
  char emptyExtension[1] = {'\0'};

  platform::OpenFileRecord record;
  record.structSize = 76;
  record.owner = request.owner;
  record.filter = filter.c_str();
  record.customFilter = emptyCustomFilter;
  record.maxCustomFilter = 0;
  record.filterIndex = save ? static_cast<uint32_t>(request.filterIndex == 0 ? 1 : request.filterIndex) : 1;
  record.file = file.data();
  record.maxFile = static_cast<uint32_t>(save ? kFileBufferBytes - name.size() : kFileBufferBytes);
  record.fileTitle = fileTitle.data();
  record.maxFileTitle = static_cast<uint32_t>(kFileBufferBytes);
  record.initialDir = initialDir.c_str();
  record.title = title.c_str();
  record.defaultExtension = emptyExtension;

  const bool chosen = save ? p.dialogs.GetSaveFileNameA(&record) : p.dialogs.GetOpenFileNameA(&record);
  if (!request.keepDirectory && !remembered.empty()) p.system.SetCurrentDirectoryA(remembered.c_str());
  if (chosen) return {DialogEnd::kChosen, std::string(file.data())};
  switch (p.dialogs.CommDlgExtendedError()) {
    case 0: return {DialogEnd::kCancelled, {}};
    case platform::kFnErrBufferTooSmall: return {DialogEnd::kNameTooLong, {}};
    default: return {DialogEnd::kFailed, {}};
  }
}

}  // namespace

std::string BuildNativeFilter(std::string_view filterText) {
  std::string out;
  size_t start = 0;
  for (;;) {
    const size_t bar = filterText.find('|', start);
    out.append(filterText.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    out.push_back('\0');
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  out.push_back('\0');
  return out;
}

DialogAnswer AskSaveFile(platform::Platform& platform, const FileDialogRequest& request) {
  return RunDialog(platform, request, true);
}

DialogAnswer AskOpenFile(platform::Platform& platform, const FileDialogRequest& request) {
  return RunDialog(platform, request, false);
}

std::string ShowSaveFileDialog(platform::Platform& platform, const FileDialogRequest& request) {
  return AskSaveFile(platform, request).path;
}

std::string ShowOpenFileDialog(platform::Platform& platform, const FileDialogRequest& request) {
  return AskOpenFile(platform, request).path;
}

}  // namespace automation
