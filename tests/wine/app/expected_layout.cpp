#include "expected_layout.h"

namespace apptest {

std::vector<ExpectedControl> ExpectedControls() {
  std::vector<ExpectedControl> controls = {
      {"分组框2", "Button", "", 136, 8, 432, 136, "打开原BIOS路径", true, false},
      {"编辑框1", "Edit", "分组框2", 8, 20, 416, 28, "请选择原版BIOS", false, true},
      {"按钮4", "Button", "分组框2", 93, 56, 80, 32, "打开", true, true},
      {"按钮5", "Button", "分组框2", 232, 56, 80, 32, "读取", true, true},
      {"透明标签18", "Static", "分组框2", 288, 104, 136, 24, nullptr, true, false},
      {"超文本浏览框1", nullptr, "分组框2", 176, 120, 0, 0, nullptr, true, true},
      {"按钮3", "Button", "", 24, 64, 80, 32, "许可协议", true, true},
      {"透明标签17", "Static", "", 8, 8, 120, 24, "首次使用先点这", true, false},
      {"编辑框2", "Edit", "", 576, 13, 272, 131, nullptr, false, true},
      {"分组框1", "Button", "", 8, 158, 840, 408, "微码区", true, false},
      {"透明标签13", "Static", "分组框1", 16, 16, 152, 24, "主板BIOS原有微码", true, false},
      {"透明标签14", "Static", "分组框1", 192, 16, 152, 24, "微码刷入前编辑区", true, false},
      {"超级列表框1", "SysListView32", "", 24, 198, 152, 360, nullptr, true, true},
      {"图片框2", "Static", "", 167, 170, 24, 24, nullptr, true, false},
      {"外形框1", "Static", "分组框1", 192, 38, 640, 360, nullptr, true, false},
      {"透明标签1", "Static", "外形框1", 16, 8, 56, 24, "CPUID", true, false},
      {"透明标签2", "Static", "外形框1", 112, 8, 56, 24, "步进", true, false},
      {"透明标签3", "Static", "外形框1", 192, 8, 56, 24, "说明", true, false},
      {"按钮1", "Button", "外形框1", 504, 4, 128, 32, "解锁微码编辑区", true, true},
      {"透明标签16", "Static", "外形框1", 19, 319, 600, 36,
       "注：主板微码数量 100/200系列主板通常最高3-5个,可自行勾选生成后再重新识别主板原有微码是否刷入,"
       "执行制作前建议多刷新几次确实是否更换好微码！",
       true, false},
      {"透明标签15", "Static", "", 8, 572, 680, 24,
       "注：ME版本默认为Bexmor最新版本,以便于兼容大部分主板,ME默认为关闭（后期有需求调节再更新出区域调节）", true,
       false},
      {"按钮2", "Button", "", 696, 570, 144, 34, "执行制作", true, true},
      {"图片框1", "Static", "", 8, 606, 536, 112, nullptr, true, false},
      {"编辑框3", "Edit", "", 560, 624, 272, 96, nullptr, false, true},
  };
  struct Row {
    const char* cpuid;
    const char* label;
    int labelWidth;
    const char* description;
  };
  const Row rows[] = {
      {"506E0", "透明标签4", 480, "A0             6代ES不显 (QH5N/QH73/QH8E/QH8F/QH8G)"},
      {"506E1", "透明标签5", 480, "Q0             6代ES不显 (QHJE/QHQF/QHQG/QHQJ/QHW0/QHVX/QHVZ)"},
      {"506E3", "透明标签6", 480, "R0/S0       6代ES正显与正式版 (至强E3 V5)"},
      {"506E8", "透明标签7", 480, "A0             7代ES不显 (QKYL/QKYM/QKYN/QKYP/QL32/QL33)"},
      {"906E9", "透明标签8", 512, "B0             7代ES正显与正式版"},
      {"906EA", "透明标签9", 512, "U0             8代、9代ES不显、正显与正式版 (QN8G/QN8H/QN8J/QNCU/QNCV)"},
      {"906EB", "透明标签10", 480, "B0              8代、9代ES正显与正式版"},
      {"906EC", "透明标签11", 520, "P0             9代ES不显、正显与正式版 (QQBY/QQBZ/QQC0/QQM5/QQM6)"},
      {"906ED", "透明标签12", 512, "R0             9代ES正显与正式版"},
  };
  int k = 0;
  for (const Row& row : rows) {
    const int y = 40 + 32 * k++;
    controls.push_back({std::string("W") + row.cpuid, "Button", "外形框1", 16, y, 64, 24, row.cpuid,
                        false, true});
    controls.push_back({row.label, "Static", "外形框1", 120, y, row.labelWidth, 24, row.description,
                        true, false});
  }
  return controls;
}

}  // namespace apptest
