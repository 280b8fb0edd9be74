#include "tests/fakes/fake_form.h"

namespace fake {

namespace {
constexpr std::string_view kInitialStatus = "工作状态：\r\n";
}

FakeForm::FakeForm() {
  texts["编辑框1"] = "请选择原版BIOS";
  texts["编辑框2"] = std::string(kInitialStatus);
  texts["编辑框3"] = std::string(kInitialStatus);
  captions["按钮1"] = "解锁微码编辑区";
  for (const char* box : {"编辑框1", "编辑框2", "编辑框3"}) disabled[box] = true;
}

void FakeForm::Note(std::string entry) {
  log.push_back(std::move(entry));
  logTimes.push_back(clock());
}

int64_t FakeForm::TimeOf(const std::string& entry) const {
  for (size_t i = 0; i < log.size(); ++i) {
    if (log[i].rfind(entry, 0) == 0) return logTimes[i];
  }
  return -1;
}

std::string FakeForm::StatusWritten() const {
  return texts.at("编辑框2").substr(kInitialStatus.size());
}

bool FakeForm::IsDisabled(const std::string& control) const {
  auto it = disabled.find(control);
  return it != disabled.end() && it->second;
}

void FakeForm::SetDisabled(std::string_view control, bool value) {
  disabled[std::string(control)] = value;
  Note("SetDisabled " + std::string(control) + (value ? " 1" : " 0"));
}

bool FakeForm::IsChecked(std::string_view control) {
  Note("IsChecked " + std::string(control));
  return checked[std::string(control)];
}

void FakeForm::SetCaption(std::string_view control, const std::string& text) {
  captions[std::string(control)] = text;
  Note("SetCaption " + std::string(control) + " " + text);
}

std::string FakeForm::GetText(std::string_view control) { return texts[std::string(control)]; }

void FakeForm::SetText(std::string_view control, const std::string& text) {
  texts[std::string(control)] = text;
  Note("SetText " + std::string(control) + " " + text);
}

void FakeForm::AppendText(std::string_view control, const std::string& text) {
  texts[std::string(control)] += text;
  Note("AppendText " + std::string(control) + " " + text);
}

void FakeForm::SetPicture(std::string_view control, std::string_view imageFile) {
  pictureBytes[std::string(control)] = imageFile.size();
  Note("SetPicture " + std::string(control));
}

void FakeForm::SetInterval(std::string_view control, int milliseconds) {
  intervals[std::string(control)] = milliseconds;
  Note("SetInterval " + std::string(control) + " " + std::to_string(milliseconds));
}

void FakeForm::Navigate(std::string_view control, const std::string& url) {
  urls[std::string(control)] = url;
  Note("Navigate " + std::string(control) + " " + url);
}

platform::Hwnd FakeForm::NativeHandle(std::string_view control) {
  if (control.empty()) return mainWindow;
  auto it = handles.find(control);
  return it == handles.end() ? 0x900 : it->second;
}

std::vector<std::string> FakeForm::Operations() const {
  std::vector<std::string> operations;
  for (const std::string& entry : log) {
    const size_t first = entry.find(' ');
    const size_t second = first == std::string::npos ? first : entry.find(' ', first + 1);
    operations.push_back(entry.substr(0, second));
  }
  return operations;
}

void FakeForm::ClearRows(std::string_view control) {
  rows.clear();
  Note("ClearRows " + std::string(control));
}

int FakeForm::AppendRow(std::string_view control, const std::string& text) {
  rows.push_back({text, ""});
  Note("AppendRow " + std::string(control));
  return static_cast<int>(rows.size()) - 1;
}

void FakeForm::SetCell(std::string_view control, int row, int column, const std::string& text) {
  rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)) = text;
  Note("SetCell " + std::string(control) + " " + std::to_string(row) + " " +
                std::to_string(column) + " " + text);
}

void FakeForm::SetTitle(const std::string& text) {
  title = text;
  Note("SetTitle " + text);
}

void FakeForm::SetLeft(int value) {
  left = value;
  Note("SetLeft " + std::to_string(value));
}

void FakeForm::SetTop(int value) {
  top = value;
  Note("SetTop " + std::to_string(value));
}

void FakeForm::SetWidth(int value) {
  width = value;
  Note("SetWidth " + std::to_string(value));
}

void FakeForm::SetHeight(int value) {
  height = value;
  Note("SetHeight " + std::to_string(value));
}

}  // namespace fake
