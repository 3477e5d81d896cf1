#include "cards/card_entry.h"
#include "cards/card_list.h"
#include "cards/card_version.h"
#include "platform/device_events.h"

#include "fake_card_list_view.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace quillmar {

namespace {

namespace fs = std::filesystem;

// Drives answered from tables; counts how often the drives are listed.
struct FakeDrives : DriveSource {
    std::vector<std::string> roots;
    std::map<std::string, std::string> labels;
    std::map<std::string, VolumeSpace> spaces;
    int listings = 0;

    std::vector<std::string> RemovableRoots() override { return ++listings, roots; }
    std::string VolumeLabel(const std::string& root) override { return labels[root]; }
    std::optional<VolumeSpace> Space(const std::string& root) override {
        return spaces.contains(root) ? std::optional(spaces[root]) : std::nullopt;
    }
};

// Removable drives E and G with cards in real folders; E carries a label and
// a version, which G must not borrow.
TEST(CardList, UserChoiceHoldsUntilADeviceChangeAndAnEmptiedListKeepsTheTarget) {
    const fs::path dir = fs::temp_directory_path() / ("card_list_test_" + std::to_string(std::random_device()()));
    fs::create_directories(dir / "E"), fs::create_directories(dir / "G");
    std::ofstream(dir / "E" / "version.txt", std::ios::binary) << "V1.02\r\n";
    const std::string e = (dir / "E/").string(), g = (dir / "G/").string();
    FakeDrives drives;
    drives.roots = {e, g};
    drives.labels = {{e, "CAMERA"}};
    drives.spaces = {{e, {31914983424, 30866227200}}, {g, {8053063680, 1073741823}}};
    FakeCardListView view;
    CardList list{view, drives};
    view.owner = &list;

    list.RefreshCardList();
    EXPECT_EQ(view.rows, (decltype(view.rows){{e, "CAMERA", "29436 MB/30436 MB(28 G/29 G)", "V1.02\r\n"},
                                              {g, "", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText}}));
    view.Click(1);
    EXPECT_EQ(list.TargetRoot(), g);
    view.Click(-1);  // click on empty space: only the row losing the selection is reported
    EXPECT_EQ(list.TargetRoot(), g);
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEARRIVAL, 0));
    EXPECT_EQ(list.TargetRoot(), e);
    view.Click(1);
    drives.roots.clear();
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0));
    for (const std::uint32_t other : {0x0007, 0x8001, 0x8003, 0x0018}) EXPECT_TRUE(list.OnDeviceChange(other, 0x1234));
    EXPECT_EQ(drives.listings, 3);  // only arrival and removal refresh
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(list.TargetRoot(), g);
    fs::remove_all(dir);
}

}  // namespace

}  // namespace quillmar
