// The form's control operations on the real main window, in this process.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/win32/main_window.h"
#include "app/win32/window_form.h"

namespace app {
namespace {

constexpr std::string_view kList = "超级列表框1";

std::string CellText(HWND list, int row, int column) {
  char buffer[64] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

// The detection numbers rows from what AppendRow hands back: after the list was emptied the
// first new row must be 0 again, and its cells must land in that row.
TEST(WindowFormOnWindows, RowsCountFromZeroAgainAfterTheListIsCleared) {
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                      ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&commonControls);
  MainWindow window;
  WindowForm windowForm(window);
  workflow::Form& form = windowForm;  // as the workflow reaches it
  ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr), {}));
  EXPECT_EQ(form.AppendRow(kList), 0);
  EXPECT_EQ(form.AppendRow(kList), 1);
  form.ClearRows(kList);
  const int row = form.AppendRow(kList);
  EXPECT_EQ(row, 0);
  form.SetCell(kList, row, 1, "906E9");
  HWND list = window.ControlHandle(kList);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(CellText(list, 0, 1), "906E9");
}

}  // namespace
}  // namespace app
