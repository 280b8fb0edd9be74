#pragma once
// The control operations through which the steps reach the main window's controls by name.
// The main window implements it on Win32; native tests use a recording fake.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace workflow {

// The left (or top) edge that centres a window of `windowSize` on a screen of `screenSize`
// pixels: (screen - window) / 2, truncated toward zero (C++ division), also when the window is
// the larger. The main window is placed by it when it is made and after a read.
constexpr int CentredCoordinate(int screenSize, int windowSize) {
  return (screenSize - windowSize) / 2;
}

class Form {
 public:
  virtual ~Form() = default;

  // Any control: true greys it out and takes away input.
  virtual void SetDisabled(std::string_view control, bool disabled) = 0;
  // Check box: true while the box shows its tick.
  virtual bool IsChecked(std::string_view control) = 0;
  // Button caption.
  virtual void SetCaption(std::string_view control, const std::string& text) = 0;
  // Edit box content.
  virtual std::string GetText(std::string_view control) = 0;
  // Edit box content or label text; repaints.
  virtual void SetText(std::string_view control, const std::string& text) = 0;
  // Edit box: caret to the end (EM_SETSEL length, length), EM_SCROLLCARET, EM_REPLACESEL.
  virtual void AppendText(std::string_view control, const std::string& text) = 0;
  // Picture box: the bytes of an image file (PNG or JPEG), scaled to the box.
  virtual void SetPicture(std::string_view control, std::string_view imageFile) = 0;
  // Timer: negative counts as 0; the same value changes nothing; else restart (0 = stopped).
  virtual void SetInterval(std::string_view control, int milliseconds) = 0;
  // Page viewer: load that address.
  virtual void Navigate(std::string_view control, const std::string& url) = 0;
  // Window handle of a control, or of the main window for the empty name.
  virtual platform::Hwnd NativeHandle(std::string_view control) = 0;
  // List view rows.
  virtual void ClearRows(std::string_view control) = 0;
  virtual int AppendRow(std::string_view control, const std::string& text = {}) = 0;
  virtual void SetCell(std::string_view control, int row, int column, const std::string& text) = 0;
  // Main window.
  virtual void SetTitle(const std::string& text) = 0;
  virtual int Left() = 0;
  virtual int Top() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual void SetLeft(int value) = 0;
  virtual void SetTop(int value) = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
};

// Control names, as the form calls them.
namespace controls {
inline constexpr std::string_view kMainWindow = "";
inline constexpr std::string_view kPathBox = "编辑框1";
inline constexpr std::string_view kStatusBox = "编辑框2";
inline constexpr std::string_view kNoticeBox = "编辑框3";
inline constexpr std::string_view kOpenButton = "按钮4";
inline constexpr std::string_view kReadButton = "按钮5";
inline constexpr std::string_view kMicrocodeButton = "按钮1";
inline constexpr std::string_view kLicenceButton = "按钮3";
inline constexpr std::string_view kMakeButton = "按钮2";
inline constexpr std::string_view kRefreshPicture = "图片框2";
inline constexpr std::string_view kBannerPicture = "图片框1";
inline constexpr std::string_view kMicrocodeList = "超级列表框1";
inline constexpr std::string_view kNoticeTimer = "时钟2";
inline constexpr std::string_view kPageViewer = "超文本浏览框1";
inline constexpr std::string_view kOnlineCountLabel = "透明标签18";
}  // namespace controls

}  // namespace workflow
