// The main window's Windows side: device news reaches the card list, and the window menu offers About.
#include "support/scratch_files.h"
#include "ui/main_window.h"
#include "ui/resource_ids.h"

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <dbt.h>

namespace quillmar {
namespace {

struct TableDrives : DriveSource {
    std::vector<std::string>& roots;
    explicit TableDrives(std::vector<std::string>& r) : roots(r) {}
    std::vector<std::string> RemovableRoots() override { return roots; }
    std::string VolumeLabel(const std::string&) override { return {}; }
    std::optional<VolumeSpace> Space(const std::string&) override { return std::nullopt; }
};

TEST(MainWindowWin32, DeviceNewsRefreshesTheCardsAndTheMenuOffersAbout) {
    const test_support::ScratchFolder folder;
    std::vector<std::string> roots{"E:\\"};
    CQuillmarVS2010Dlg window({{}, (folder.path / "cfg.ini").string()}, std::make_unique<TableDrives>(roots));
    ASSERT_TRUE(window.CreateTopLevel());
    roots.push_back("F:\\");
    SendMessageW(window.Window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(window.Window(), IDC_CARD_LIST)), 2);
    EXPECT_NE(GetMenuState(GetSystemMenu(window.Window(), FALSE), IDM_ABOUTBOX, MF_BYCOMMAND), UINT(-1));
}

}  // namespace
}  // namespace quillmar
