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

std::string FakeForm::StatusWritten() const {
  return texts.at("编辑框2").substr(kInitialStatus.size());
}

bool FakeForm::IsDisabled(const std::string& control) const {
  auto it = disabled.find(control);
  return it != disabled.end() && it->second;
}

void FakeForm::SetDisabled(std::string_view control, bool value) {
  disabled[std::string(control)] = value;
  log.push_back("SetDisabled " + std::string(control) + (value ? " 1" : " 0"));
}

bool FakeForm::IsChecked(std::string_view control) {
  log.push_back("IsChecked " + std::string(control));
  return checked[std::string(control)];
}

void FakeForm::SetCaption(std::string_view control, const std::string& text) {
  captions[std::string(control)] = text;
  log.push_back("SetCaption " + std::string(control) + " " + text);
}

std::string FakeForm::GetText(std::string_view control) { return texts[std::string(control)]; }

void FakeForm::SetText(std::string_view control, const std::string& text) {
  texts[std::string(control)] = text;
  log.push_back("SetText " + std::string(control) + " " + text);
}

void FakeForm::AppendText(std::string_view control, const std::string& text) {
  texts[std::string(control)] += text;
  log.push_back("AppendText " + std::string(control) + " " + text);
}

void FakeForm::SetPicture(std::string_view control, std::string_view imageFile) {
  pictureBytes[std::string(control)] = imageFile.size();
  log.push_back("SetPicture " + std::string(control));
}

void FakeForm::SetInterval(std::string_view control, int milliseconds) {
  intervals[std::string(control)] = milliseconds;
  log.push_back("SetInterval " + std::string(control) + " " + std::to_string(milliseconds));
}

void FakeForm::Navigate(std::string_view control, const std::string& url) {
  urls[std::string(control)] = url;
  log.push_back("Navigate " + std::string(control) + " " + url);
}

platform::Hwnd FakeForm::NativeHandle(std::string_view control) {
  return control.empty() ? mainWindow : 0x900;
}

void FakeForm::ClearRows(std::string_view control) {
  rows.clear();
  log.push_back("ClearRows " + std::string(control));
}

int FakeForm::AppendRow(std::string_view control, const std::string& text) {
  rows.push_back({text, ""});
  log.push_back("AppendRow " + std::string(control));
  return static_cast<int>(rows.size()) - 1;
}

void FakeForm::SetCell(std::string_view control, int row, int column, const std::string& text) {
  rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)) = text;
  log.push_back("SetCell " + std::string(control) + " " + std::to_string(row) + " " +
                std::to_string(column) + " " + text);
}

void FakeForm::SetTitle(const std::string& text) {
  title = text;
  log.push_back("SetTitle " + text);
}

void FakeForm::SetLeft(int value) {
  left = value;
  log.push_back("SetLeft " + std::to_string(value));
}

void FakeForm::SetTop(int value) {
  top = value;
  log.push_back("SetTop " + std::to_string(value));
}

void FakeForm::SetWidth(int value) {
  width = value;
  log.push_back("SetWidth " + std::to_string(value));
}

void FakeForm::SetHeight(int value) {
  height = value;
  log.push_back("SetHeight " + std::to_string(value));
}

}  // namespace fake
