// Label pictures the user cut from their own CoffeeTime: which files of the labels folder count,
// how they are searched, and the window picture handed over when nothing could be read.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "imaging/bmp_encoder.h"
#include "tests/native/workflow/workflow_fixture.h"
#include "workflow/label_folder.h"

namespace workflow {
namespace {

using ::testing::ElementsAre;

constexpr char16_t kLabels[] = u"C:\\tool\\orvellanQZ\\labels";
constexpr const char* kShot = "C:\\tool\\orvellanQZ\\labels\\截图\\CoffeeTime窗口-14_7";

// A 24-bit picture whose pixels depend on `seed`; bottom-up unless topDown.
std::string Bmp24(int32_t width, int32_t height, uint8_t seed, bool topDown = false) {
  imaging::ColourImage image{width, height, {}};
  image.pixels.assign(static_cast<size_t>(image.stride() * height), 0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < 3 * width; ++x) {
      image.pixels[y * image.stride() + x] = static_cast<uint8_t>(seed + y * 7 + x);
    }
  }
  std::string file = imaging::EncodeBmp24(image);
  if (topDown) {
    // The same picture stored top row first, as some programs save it.
    const int32_t negative = -height;
    std::memcpy(file.data() + 22, &negative, 4);
    const size_t stride = static_cast<size_t>(image.stride());
    for (int32_t y = 0; y < height; ++y) {
      std::memcpy(file.data() + 54 + y * stride, image.pixels.data() + (height - 1 - y) * stride, stride);
    }
  }
  return file;
}

// A valid 32-bit picture: decodable, but not what Paint saves as 24-bit.
std::string Bmp32(int32_t width, int32_t height) {
  std::string file = Bmp24(1, 1, 0).substr(0, 54);
  const uint32_t size = 54 + 4u * width * height;
  std::memcpy(file.data() + 2, &size, 4);
  std::memcpy(file.data() + 18, &width, 4);
  std::memcpy(file.data() + 22, &height, 4);
  file[28] = 32;
  return file + std::string(4u * width * height, '\x40');
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(LabelFileNames, CountOnlyTheNineCpuidsAndTheMeField) {
  const std::pair<std::u16string, const char*> cases[] = {
      {u"506E1.bmp", "506E1"},     {u"506e1.BMP", "506E1"},  {u"906EA_cut 2.bmp", "906EA"},
      {u"906ea_.bmp", "906EA"},    {u"me.bmp", "ME"},        {u"ME_Enabled_v2.Bmp", "ME"},
      {u"506E0_截图.bmp", "506E0"}, {u"506E1x.bmp", nullptr}, {u"_506E1.bmp", nullptr},
      {u"506E1.png", nullptr},     {u"506E1.bmp.txt", nullptr}, {u"A0671.bmp", nullptr},
      {u"MEI.bmp", nullptr},       {u".bmp", nullptr},       {u"506E1", nullptr},
  };
  for (const auto& [name, label] : cases) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    const std::optional<std::string> counted = LabelOfFileName(name);
    EXPECT_EQ(counted.has_value(), label != nullptr);
    if (counted && label) {
      EXPECT_EQ(*counted, label);
    }
  }
}

TEST(LabelFolder, LoadsUsablePicturesInNameOrderAndNamesTheRest) {
  fake::FakeDesktop desktop;
  const std::u16string folder = kLabels;
  desktop.AddFile(folder, platform::kFileAttributeDirectory);
  const auto put = [&](const std::u16string& name, const std::string& bytes) {
    desktop.SetFileContent(folder + u"\\" + name, Bytes(bytes));
  };
  put(u"906EA_b.bmp", Bmp24(30, 12, 1));
  put(u"906ea_A.bmp", Bmp24(30, 12, 2, true));
  put(u"ME.bmp", Bmp24(400, 200, 3));
  put(u"506E8_wide.bmp", Bmp24(401, 10, 4));
  put(u"506E3_tall.bmp", Bmp24(10, 201, 5));
  put(u"506E3_32bit.bmp", Bmp32(10, 10));
  put(u"506E1_短.bmp", "BM not a picture");
  put(u"notes.txt", "BM");
  put(u"A0671.bmp", Bmp24(10, 10, 6));
  desktop.AddFile(folder + u"\\906E9.bmp", platform::kFileAttributeDirectory);
  desktop.SetFileContent(folder + u"\\截图\\506E0.bmp", Bytes(Bmp24(10, 10, 7)));

  const LabelFolderContents contents = LoadLabelFolder(desktop, "C:\\tool\\orvellanQZ\\labels");
  std::vector<std::string> names;
  for (const FolderLabel& label : contents.labels) names.push_back(label.name);
  EXPECT_THAT(names, ElementsAre("906EA", "906EA", "ME"));
  EXPECT_TRUE(contents.labels[0].picture == Bmp24(30, 12, 2)) << "stored bottom-up like ours";
  EXPECT_TRUE(contents.labels[1].picture == Bmp24(30, 12, 1));
  std::vector<std::string> unusable;
  for (const UnusableLabel& file : contents.unusable) unusable.push_back(file.fileName);
  EXPECT_THAT(unusable, ElementsAre("506E1_短.bmp", "506E3_32bit.bmp", "506E3_tall.bmp", "506E8_wide.bmp"));
  EXPECT_EQ(desktop.OpenHandleCount(), 0u);
  EXPECT_TRUE(LoadLabelFolder(desktop, "C:\\nowhere").labels.empty());
}

// The own-art patcher with an empty labels folder.
struct OwnArtRig : WorkflowRig {
  OwnArtRig() {
    coffee.ownArt = true;
    desktop.AddFile(kLabels, platform::kFileAttributeDirectory);
  }

  // A picture in the labels folder that the own-art window shows as `shownAs`.
  void Put(const std::u16string& name, const std::string& shownAs, uint8_t seed) {
    const std::string picture = Bmp24(20, 10, seed);
    desktop.SetFileContent(std::u16string(kLabels) + u"\\" + name, Bytes(picture));
    finder.namedPictures[picture] = shownAs;
  }

  std::vector<std::string> ListedCpuids() const {
    std::vector<std::string> cpuids;
    for (const auto& row : form.rows) cpuids.push_back(row.at(1));
    return cpuids;
  }

  size_t Count(std::string_view fragment) const {
    const std::string status = form.StatusWritten();
    size_t count = 0;
    for (size_t at = status.find(fragment); at != std::string::npos; at = status.find(fragment, at + 1)) ++count;
    return count;
  }
};

class LabelPicturesTest : public ::testing::Test, public OwnArtRig {};

TEST_F(LabelPicturesTest, OwnArtIsReadWithTheFolderPicturesAndTheMeSwitchedOff) {
  Put(u"506E3.bmp", "506E3/own", 1);
  Put(u"906e9_cut.bmp", "906E9/own", 2);
  Put(u"ME.bmp", "ME/own", 3);
  OpenAndRead();
  EXPECT_EQ(Count("已载入labels文件夹中的3张标签图片\r\n"), 1u);
  EXPECT_EQ(coffee.meSwitchClicks, 1);
  EXPECT_EQ(Count("ME版本已经关闭"), 0u);
  EXPECT_EQ(Count("未能识别"), 0u);
  EXPECT_THAT(ListedCpuids(), ElementsAre("506E3", "906E9"));
  EXPECT_EQ(Count("CoffeeTime窗口画面"), 0u) << "nothing to hand over";

  desktop.AddFile(u"D:\\out", platform::kFileAttributeDirectory);
  desktop.saveDialogAnswers.push_back("D:\\out\\ORVELLAN");
  controller.OnMakeClicked();
  EXPECT_EQ(Count("已核对"), 1u) << form.StatusWritten();
}

// A folder of many unusable files costs few lines: five named with their reason, the rest
// counted; a picture of nearly one colour (found in any window) is one of them.
TEST_F(LabelPicturesTest, UnusableFilesAreNamedFiveAtMostWithTheirReason) {
  imaging::ColourImage plain{20, 10, {}};
  plain.pixels.assign(static_cast<size_t>(plain.stride() * 10), 0x80);
  desktop.SetFileContent(std::u16string(kLabels) + u"\\506E1.bmp", Bytes(imaging::EncodeBmp24(plain)));
  for (char16_t n = u'1'; n <= u'6'; ++n) {
    desktop.SetFileContent(std::u16string(kLabels) + u"\\506E3_" + n + u".bmp", Bytes("BM"));
  }
  OpenAndRead();
  EXPECT_EQ(Count("已载入labels文件夹中的0张标签图片"), 1u);
  EXPECT_EQ(Count("标签图片506E3_"), 4u);
  EXPECT_EQ(Count("标签图片506E1.bmp无法使用,图片几乎只有一种颜色\r\n"), 1u) << form.StatusWritten();
  EXPECT_EQ(Count("另有2张标签图片无法使用\r\n"), 1u);
}

// The window picture is handed over once per read, where the line says; a name already taken
// is kept, and a picture that cannot be saved is said with the reason.
TEST_F(LabelPicturesTest, UnreadWindowIsSavedOnceWhereTheLineSays) {
  struct Case {
    const char* name;
    std::function<void(OwnArtRig&)> arrange;
    std::string savedAt;  // or, when it cannot be saved, the reason
  };
  const std::u16string shots = u"C:\\tool\\orvellanQZ\\labels\\截图";
  const auto minuteFull = [&](OwnArtRig& t) {
    t.desktop.AddFile(shots, platform::kFileAttributeDirectory);
    t.desktop.AddFile(shots + u"\\CoffeeTime窗口-14_7.bmp");
    for (int n = 2; n <= 99; ++n) {
      const std::string digits = std::to_string(n);
      t.desktop.AddFile(shots + u"\\CoffeeTime窗口-14_7-" + std::u16string(digits.begin(), digits.end()) + u".bmp");
    }
  };
  const Case cases[] = {
      {"empty folder", [](auto&) {}, std::string(kShot) + ".bmp"},
      {"name taken",
       [](auto& t) {
         t.desktop.AddFile(u"C:\\tool\\orvellanQZ\\labels\\截图", platform::kFileAttributeDirectory);
         t.desktop.AddFile(u"C:\\tool\\orvellanQZ\\labels\\截图\\CoffeeTime窗口-14_7.bmp");
       },
       std::string(kShot) + "-2.bmp"},
      {"folders cannot be made", [](auto& t) { t.desktop.Fail("CreateDirectoryW"); }, "(文件夹无法写入)"},
      {"截图 is a file", [&](auto& t) { t.desktop.AddFile(shots); }, "(labels\\截图不是文件夹)"},
      {"99 pictures this minute", minuteFull, "(这一分钟已保存了99张画面)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OwnArtRig t;
    c.arrange(t);
    t.OpenAndRead();
    EXPECT_EQ(t.coffee.meSwitchClicks, 0);
    EXPECT_TRUE(t.form.rows.empty());
    if (c.savedAt.starts_with("(")) {
      EXPECT_EQ(t.Count(std::string("CoffeeTime窗口画面无法保存到") + kShot + ".bmp" + c.savedAt + "\r\n"), 1u)
          << t.form.StatusWritten();
      continue;
    }
    EXPECT_EQ(t.Count("已把CoffeeTime窗口画面保存到" + c.savedAt +
                      ",可从中剪下微码格和ME状态(Enabled)的图片存为24位BMP放入C:\\tool\\orvellanQZ\\labels,再重新打开本工具\r\n"),
              1u)
        << t.form.StatusWritten();
    EXPECT_EQ(t.Count("已把CoffeeTime窗口画面"), 1u) << "the ME and the list unread: one picture";
    const std::vector<uint8_t>* saved =
        t.desktop.FileContent(automation::ToUtf16(t.desktop, c.savedAt, true));
    ASSERT_NE(saved, nullptr);
    const std::string expected =
        imaging::EncodeBmp24({2, 1, {static_cast<uint8_t>(t.coffee.window & 0xFF), 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(std::string(saved->begin(), saved->end()), expected);
  }
}

// Microcode pictures alone list the microcodes, but say nothing of a window's ME field: the ME
// stays unread rather than taken for off. A damaged picture is named and the rest still work.
TEST_F(LabelPicturesTest, MicrocodePicturesWithoutAnMePictureDoNotShowTheMeOff) {
  Put(u"506E3.bmp", "506E3/own", 1);
  desktop.SetFileContent(std::u16string(kLabels) + u"\\ME_broken.bmp", Bytes("BM broken"));
  OpenAndRead();
  EXPECT_EQ(Count("已载入labels文件夹中的1张标签图片\r\n"), 1u);
  EXPECT_EQ(Count("标签图片ME_broken.bmp无法使用,须为不超过400×200的24位BMP\r\n"), 1u);
  EXPECT_EQ(Count("ME版本已经关闭"), 0u);
  EXPECT_EQ(Count("未能识别CoffeeTime窗口中的ME状态,ME开关未点击"), 1u);
  EXPECT_EQ(coffee.meSwitchClicks, 0);
  EXPECT_THAT(ListedCpuids(), ElementsAre("506E3"));
  EXPECT_EQ(Count("已把CoffeeTime窗口画面保存到"), 1u);
}

}  // namespace
}  // namespace workflow
