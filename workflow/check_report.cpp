#include "workflow/check_report.h"

#include <cstdio>

#include "automation/file_access.h"
#include "firmware/image_facts.h"
#include "platform/api_values.h"
#include "workflow/status_log.h"

namespace workflow {

namespace {

constexpr std::string_view kToolName = "ORVELLANQZ-1151主板魔改BIOS制作器";
constexpr std::string_view kVersion = BMT_VERSION_TEXT;

// imageinfo's lines end in LF; the report's in CR LF.
std::string WithCrLf(const std::string& lines) {
  std::string out;
  for (char c : lines) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string FactsPart(std::string_view heading, const std::string& path, const std::string& facts) {
  return std::string(heading) + path + "\r\n" + (facts.empty() ? "无法读取\r\n" : WithCrLf(facts));
}

}  // namespace

std::string CheckReportText(const CheckReport& report, const platform::LocalTime& time,
                            const std::string& statusBox) {
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute);
  std::string text = std::string(kToolName) + " " + std::string(kVersion) + " 核对报告 " + when + "\r\n\r\n";
  text += FactsPart("原版BIOS：", report.vendorPath, report.vendorFacts) + "\r\n";
  text += FactsPart("魔改BIOS：", report.madePath, report.madeFacts) + "\r\n";
  if (!report.comparison.empty()) text += "与原版对比：\r\n" + WithCrLf(report.comparison) + "\r\n";
  text += "所选微码：";
  for (size_t i = 0; i < report.applied.size(); ++i) {
    if (i != 0) text += ' ';
    text += firmware::HexText(report.applied[i]);
  }
  text += (report.applied.empty() ? "无" : "") + std::string("\r\n\r\n核对结果：\r\n");
  for (const std::string& line : report.verdict) text += line + "\r\n";
  return text + "\r\n状态栏：\r\n" + statusBox;
}

void SaveCheckReport(StepContext& ctx, const CheckReport& report) {
  const std::string path = report.madePath + ".txt";
  const std::string text = CheckReportText(report, ctx.platform.system.GetLocalTime(),
                                           ctx.form.GetText(controls::kStatusBox));
  switch (automation::WriteNewFile(ctx.platform.system, path, text)) {
    case automation::FileWriteStatus::kWritten: LogStatus(ctx, "核对报告已保存到" + path + "\r\n"); break;
    case automation::FileWriteStatus::kExists: LogStatus(ctx, "核对报告未保存：已有文件" + path + "\r\n"); break;
    case automation::FileWriteStatus::kFailed: LogStatus(ctx, "核对报告无法保存到" + path + "\r\n"); break;
  }
}

}  // namespace workflow
