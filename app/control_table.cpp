#include "app/control_table.h"

#include <iterator>

namespace app {
namespace {

constexpr FontSpec kYaHei12{"微软雅黑", 12, 400};
constexpr FontSpec kYaHei14{"微软雅黑", 14, 400};
constexpr FontSpec kYaHei14Bold{"微软雅黑", 14, 700};
constexpr FontSpec kYaHei16{"微软雅黑", 16, 400};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kTitleBlue{0, 96, 192};
constexpr Rgb kRowNavy{0, 0, 128};
constexpr Rgb kListBlue{0, 0, 255};

using K = ControlKind;
using E = FormEvent;
using P = Picture;

constexpr MainWindowSpec kMainWindow{"ORVELLANQZ-1151主板魔改BIOS制作器", 859, 180};

// clang-format off
constexpr ControlSpec kControls[] = {
  // name            kind           parent      x    y    w    h    text                colour      font           picture     event                  stackAbove
  // Top band.
  {"分组框2",        K::kGroupBox,   "",        136,   8, 432, 136, "打开原BIOS路径",   kBlack,     nullptr,       P::kNone,   E::kNone,              ""},
  {"编辑框1",        K::kEditLine,   "分组框2",   8,  20, 416,  28, "请选择原版BIOS",   kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"按钮4",          K::kButton,     "分组框2",  93,  56,  80,  32, "打开",             kBlack,     nullptr,       P::kNone,   E::kOpenClicked,       ""},
  {"按钮5",          K::kButton,     "分组框2", 232,  56,  80,  32, "读取",             kBlack,     nullptr,       P::kNone,   E::kReadClicked,       ""},
  {"透明标签18",     K::kLabel,      "分组框2", 288, 104, 136,  24, "实时在线人数：",   kBlack,     &kYaHei14Bold, P::kNone,   E::kNone,              ""},
  {"时钟2",          K::kTimer,      "分组框2",   0,   0,   0,   0, "",                 kBlack,     nullptr,       P::kNone,   E::kNoticeTick,        ""},
  {"超文本浏览框1",  K::kPageViewer, "分组框2", 176, 120,   0,   0, "",                 kBlack,     nullptr,       P::kNone,   E::kNone,              ""},
  {"按钮3",          K::kButton,     "",         24,  64,  80,  32, "许可协议",         kBlack,     nullptr,       P::kNone,   E::kLicenceClicked,    ""},
  {"透明标签17",     K::kLabel,      "",          8,   8, 120,  24, "首次使用先点这",   kTitleBlue, &kYaHei16,     P::kNone,   E::kNone,              ""},
  {"编辑框2",        K::kEditMulti,  "",        576,  13, 272, 131, "工作状态：\r\n",   kBlack,     &kYaHei12,     P::kNone,   E::kNone,              ""},
  // Microcode band.
  {"分组框1",        K::kGroupBox,   "",          8, 158, 840, 408, "微码区",           kBlack,     nullptr,       P::kNone,   E::kNone,              ""},
  {"透明标签13",     K::kLabel,      "分组框1",  16,  16, 152,  24, "主板BIOS原有微码", kTitleBlue, &kYaHei16,     P::kNone,   E::kNone,              ""},
  {"透明标签14",     K::kLabel,      "分组框1", 192,  16, 152,  24, "微码刷入前编辑区", kTitleBlue, &kYaHei16,     P::kNone,   E::kNone,              ""},
  {"超级列表框1",    K::kListView,   "",         24, 198, 152, 360, "",                 kListBlue,  &kYaHei16,     P::kNone,   E::kNone,              "分组框1"},
  {"图片框2",        K::kPictureBox, "",        167, 170,  24,  24, "",                 kBlack,     nullptr,       P::kRefresh, E::kRefreshPressed,   "分组框1"},
  {"外形框1",        K::kFrame,      "分组框1", 192,  38, 640, 360, "",                 kBlack,     nullptr,       P::kNone,   E::kNone,              ""},
  {"透明标签1",      K::kLabel,      "外形框1",  16,   8,  56,  24, "CPUID",            kTitleBlue, &kYaHei16,     P::kNone,   E::kNone,              ""},
  {"透明标签2",      K::kLabel,      "外形框1", 112,   8,  56,  24, "步进",             kTitleBlue, &kYaHei16,     P::kNone,   E::kNone,              ""},
  {"透明标签3",      K::kLabel,      "外形框1", 192,   8,  56,  24, "说明",             kTitleBlue, &kYaHei16,     P::kNone,   E::kNone,              ""},
  {"按钮1",          K::kButton,     "外形框1", 504,   4, 128,  32, "解锁微码编辑区",   kBlack,     nullptr,       P::kNone,   E::kMicrocodeClicked,  ""},
  {"透明标签16",     K::kWrapLabel,  "外形框1",  19, 319, 600,  36,
   "注：主板微码数量 100/200系列主板通常最高3-5个,可自行勾选生成后再重新识别主板原有微码是否刷入,执行制作前建议多刷新几次确实是否更换好微码！",
                                                                                      kTitleBlue, &kYaHei14Bold, P::kNone,   E::kNone,              ""},
  // The nine microcode rows: check box at (16, 40 + 32k), description label at (120, 40 + 32k).
  {"W506E0",         K::kCheckBox,   "外形框1",  16,  40,  64,  24, "506E0",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签4",      K::kWrapLabel,  "外形框1", 120,  40, 480,  24, "A0             6代ES不显 (QH5N/QH73/QH8E/QH8F/QH8G)", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W506E1",         K::kCheckBox,   "外形框1",  16,  72,  64,  24, "506E1",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签5",      K::kWrapLabel,  "外形框1", 120,  72, 480,  24, "Q0             6代ES不显 (QHJE/QHQF/QHQG/QHQJ/QHW0/QHVX/QHVZ)", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W506E3",         K::kCheckBox,   "外形框1",  16, 104,  64,  24, "506E3",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签6",      K::kWrapLabel,  "外形框1", 120, 104, 480,  24, "R0/S0       6代ES正显与正式版 (至强E3 V5)", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W506E8",         K::kCheckBox,   "外形框1",  16, 136,  64,  24, "506E8",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签7",      K::kWrapLabel,  "外形框1", 120, 136, 480,  24, "A0             7代ES不显 (QKYL/QKYM/QKYN/QKYP/QL32/QL33)", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W906E9",         K::kCheckBox,   "外形框1",  16, 168,  64,  24, "906E9",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签8",      K::kWrapLabel,  "外形框1", 120, 168, 512,  24, "B0             7代ES正显与正式版", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W906EA",         K::kCheckBox,   "外形框1",  16, 200,  64,  24, "906EA",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签9",      K::kWrapLabel,  "外形框1", 120, 200, 512,  24, "U0             8代、9代ES不显、正显与正式版 (QN8G/QN8H/QN8J/QNCU/QNCV)", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W906EB",         K::kCheckBox,   "外形框1",  16, 232,  64,  24, "906EB",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签10",     K::kWrapLabel,  "外形框1", 120, 232, 480,  24, "B0              8代、9代ES正显与正式版", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W906EC",         K::kCheckBox,   "外形框1",  16, 264,  64,  24, "906EC",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签11",     K::kWrapLabel,  "外形框1", 120, 264, 520,  24, "P0             9代ES不显、正显与正式版 (QQBY/QQBZ/QQC0/QQM5/QQM6)", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  {"W906ED",         K::kCheckBox,   "外形框1",  16, 296,  64,  24, "906ED",            kBlack,     &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"透明标签12",     K::kWrapLabel,  "外形框1", 120, 296, 512,  24, "R0             9代ES正显与正式版", kRowNavy, &kYaHei14, P::kNone, E::kNone, ""},
  // Bottom band.
  {"透明标签15",     K::kLabel,      "",          8, 572, 680,  24,
   "注：ME版本默认为Bexmor最新版本,以便于兼容大部分主板,ME默认为关闭（后期有需求调节再更新出区域调节）",
                                                                                      kTitleBlue, &kYaHei14,     P::kNone,   E::kNone,              ""},
  {"按钮2",          K::kButton,     "",        696, 570, 144,  34, "执行制作",         kBlack,     nullptr,       P::kNone,   E::kMakeClicked,       ""},
  {"图片框1",        K::kPictureBox, "",          8, 606, 536, 112, "",                 kBlack,     nullptr,       P::kBanner, E::kNone,              ""},
  {"编辑框3",        K::kEditMulti,  "",        560, 624, 272,  96, "工作状态：\r\n",   kBlack,     &kYaHei12,     P::kNone,   E::kNone,              ""},
};
// clang-format on

constexpr ListColumn kListColumns[] = {{"序号", 50}, {"CPUID", 100}};

}  // namespace

const MainWindowSpec& MainWindowLayout() { return kMainWindow; }

std::span<const ControlSpec> ControlTable() { return kControls; }

const ControlSpec* FindControl(std::string_view name) {
  for (const ControlSpec& spec : kControls) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

int ControlId(std::string_view name) {
  for (size_t i = 0; i < std::size(kControls); ++i) {
    if (kControls[i].name == name) return kFirstControlId + static_cast<int>(i);
  }
  return -1;
}

int ControlIndexOfId(int id) {
  const int index = id - kFirstControlId;
  return index >= 0 && index < static_cast<int>(std::size(kControls)) ? index : -1;
}

bool TakesTabStop(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kEditLine:
    case ControlKind::kEditMulti:
    case ControlKind::kListView:
    case ControlKind::kPageViewer:
      return true;
    default:
      return false;
  }
}

bool DisabledAtCreation(ControlKind kind) {
  return kind == ControlKind::kEditLine || kind == ControlKind::kEditMulti;
}

bool HasWindow(ControlKind kind) { return kind != ControlKind::kTimer; }

std::span<const ListColumn> MicrocodeListColumns() { return kListColumns; }

}  // namespace app
