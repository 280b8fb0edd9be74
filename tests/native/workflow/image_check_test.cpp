// What the made image's check asks beyond the microcodes and the ME: that the processor can
// load them (the FIT lists them, when the vendor's FIT listed its own), and why one is missing.
#include <functional>
#include <string>
#include <vector>

#include "tests/native/workflow/workflow_fixture.h"

namespace workflow {
namespace {

constexpr const char* kPassed = "已核对：所选微码和ME版本11.8.77.3664都已写入魔改BIOS";

TEST(MadeImageCheck, TheFitMustListWhatTheVendorsListedAndWhatWasAsked) {
  struct Case {
    const char* name;
    std::function<void(fake::FakeCoffeeTime&)> vendor;  // before "打开"
    std::function<void(fake::FakeCoffeeTime&)> made;    // before "执行制作"
    const char* warning;  // nullptr: the check passes
  };
  const auto withFit = [](fake::FakeCoffeeTime& c) { c.fit = true; };
  const Case cases[] = {
      {"every update listed", withFit, [](auto&) {}, nullptr},
      {"the chosen one not listed", withFit, [](auto& c) { c.unlistedInFit = {"906EA"}; },
       "警告：魔改BIOS的FIT表没有列出微码906EA,处理器可能无法加载它"},
      {"a vendor one no longer listed", withFit, [](auto& c) { c.unlistedInFit = {"506E3"}; },
       "警告：魔改BIOS的FIT表没有列出微码506E3,处理器可能无法加载它"},
      {"no FIT left", withFit, [](auto& c) { c.fit = false; }, "警告：魔改BIOS中没有找到FIT表"},
      {"vendor without a FIT asks for none", [](auto&) {}, [](auto&) {}, nullptr},
      {"the chosen one damaged", withFit, [](auto& c) { c.damagedUpdates = {"906EA"}; },
       "警告：魔改BIOS中的微码906EA已损坏(校验和错误)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig rig;
    rig.coffee.descriptor = true;
    c.vendor(rig.coffee);
    rig.OpenAndRead();
    rig.controller.OnMicrocodeButtonClicked();
    rig.form.checked["W906EA"] = true;
    rig.controller.OnMicrocodeButtonClicked();
    c.made(rig.coffee);
    rig.desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
    rig.desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
    rig.controller.OnMakeClicked();
    const std::string status = rig.form.StatusWritten();
    if (c.warning) {
      EXPECT_NE(status.find(c.warning), std::string::npos) << status;
      EXPECT_EQ(status.find("警告：", status.find("警告：") + 1), std::string::npos) << "one line says why";
      EXPECT_EQ(status.find(kPassed), std::string::npos);
      EXPECT_EQ(rig.desktop.messageBoxes.size(), 1u);
    } else {
      EXPECT_NE(status.find(kPassed), std::string::npos) << status;
      EXPECT_TRUE(rig.desktop.messageBoxes.empty());
    }
  }
}

TEST(MadeImageCheck, ComparesWithTheVendorFileAndSaysHowToFlash) {
  constexpr size_t kSize = 0x6000;  // the fake's image with a descriptor
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> save;
    std::vector<std::string> lines;  // the check's lines after the content line, report line aside
  };
  const Case cases[] = {
      {"nothing else changed", nullptr,
       {"对比原版：除ME区域、ME关闭位、微码和FIT表外,魔改BIOS与原版一致(0个文件相同)",
        "魔改BIOS是完整的闪存镜像(24576字节),可以用编程器刷入", kPassed}},
      {"a capsule header put in front", [](auto& b) { b.insert(b.begin(), 0x800, 0); },
       {"对比原版：除ME区域、ME关闭位、微码和FIT表外,魔改BIOS与原版一致(0个文件相同)",
        "魔改BIOS前面带有2048字节的文件头,只能用主板自带的BIOS更新工具刷入;用编程器刷入前须去掉前2048字节",
        kPassed}},
      {"a byte more", [](auto& b) { b.push_back(0); },
       {"警告：魔改BIOS的大小与原版不同(原版24576字节,魔改24577字节)",
        "魔改BIOS是完整的闪存镜像(24577字节),可以用编程器刷入"}},
      {"a descriptor byte beside HAP", [](auto& b) { b[0x104] ^= 1; },
       {"警告：魔改BIOS的描述符与原版不同(不只是ME关闭位)", "魔改BIOS是完整的闪存镜像(24576字节),可以用编程器刷入"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkflowRig rig;
    rig.coffee.descriptor = true;
    rig.OpenAndRead();
    ASSERT_EQ(rig.coffee.ImageBytes().size(), kSize);
    rig.coffee.alterSaved = c.save;
    rig.desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
    rig.desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
    rig.controller.OnMakeClicked();
    std::vector<std::string> lines = rig.StatusLines();
    ASSERT_GE(lines.size(), c.lines.size() + 1);
    lines = std::vector<std::string>(lines.end() - 1 - c.lines.size(), lines.end() - 1);
    for (std::string& line : lines) line = line.substr(line.find_first_not_of("0123456789:"));
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(rig.desktop.messageBoxes.size(), c.lines.back() == kPassed ? 0u : 1u);
  }
}

TEST_F(WorkflowTest, VendorBootGuardManifestsAreToldOnOpen) {
  coffee.descriptor = coffee.fit = coffee.bootGuard = true;
  OpenFile("C:\\b.bin");
  EXPECT_EQ(StatusLines().back(),
            "14:7原版BIOS带有Boot Guard清单,如果主板启用了Boot Guard,修改后的BIOS将无法启动");
}

}  // namespace
}  // namespace workflow
