#pragma once
// A controller wired to the fake desktop, form, image search and CoffeeTime, on the virtual
// clock that starts at 14:07.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/gbk_text.h"
#include "automation/input_injector.h"
#include "platform/api_values.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_form.h"
#include "tests/fakes/fake_image_finder.h"
#include "tests/native/workflow/fake_coffee_time.h"
#include "workflow/controller.h"

namespace workflow {

struct Click {
  int32_t x, y;
  int64_t atMs;
  bool operator==(const Click&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Click& c) {
  return os << "(" << c.x << ", " << c.y << ") at " << c.atMs << " ms";
}

// Everything a workflow test drives; a table-driven test makes one per case.
struct WorkflowRig {
  WorkflowRig() {
    form.clock = [this] { return desktop.NowMs(); };
    desktop.AddFile(u"C:\\tool\\orvellanQZ", platform::kFileAttributeDirectory);
    desktop.AddFile(u"C:\\tool\\orvellanQZ\\ov.exe");
    desktop.AddFile(u"C:\\tool\\orvellanQZ\\bin\\fit\\fit.exe");
  }

  // Left clicks posted to a window, in order, with their virtual times.
  std::vector<Click> ClicksTo(platform::Hwnd window) const {
    std::vector<Click> clicks;
    for (const auto& m : desktop.posted) {
      if (m.window == window && m.message == platform::kWmLButtonDown) {
        clicks.push_back({static_cast<int16_t>(m.lParam & 0xFFFF),
                          static_cast<int16_t>(m.lParam >> 16), m.atMs});
      }
    }
    return clicks;
  }

  // Lines of the status box written after start-up.
  std::vector<std::string> StatusLines() const {
    std::vector<std::string> lines;
    const std::string text = form.StatusWritten();
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
  }

  // The vendor file is what the fake patcher holds before the read, unless a test wrote it.
  void OpenFile(const std::string& path) {
    const std::u16string widePath = automation::ToUtf16(desktop, path, true);
    if (!desktop.FileContent(widePath)) desktop.SetFileContent(widePath, coffee.ImageBytes());
    desktop.openDialogAnswers.push_back(path);
    controller.OnOpenClicked();
  }

  // Open and read a file that CoffeeTime accepts.
  void OpenAndRead(const std::string& path = "C:\\b.bin") {
    OpenFile(path);
    controller.OnReadClicked();
  }

  fake::FakeDesktop desktop;
  fake::FakeForm form;
  fake::FakeImageFinder finder{desktop};
  fake::FakeCoffeeTime coffee{desktop};
  std::string banner = "banner-png-bytes";
  Controller controller{desktop.AsPlatform(), form, finder, banner, {}};
};

class WorkflowTest : public ::testing::Test, public WorkflowRig {};

}  // namespace workflow
