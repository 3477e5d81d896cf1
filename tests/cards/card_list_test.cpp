#include "cards/card_entry.h"
#include "cards/card_list.h"
#include "cards/card_list_view.h"
#include "cards/card_version.h"
#include "platform/device_events.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <utility>

namespace quillmar {

namespace {

namespace fs = std::filesystem;

// An in-memory list control that behaves like the window's: selecting a row
// reports it to the card list.
class FakeCardListView : public CardListView {
public:
    using Row = std::vector<std::string>;
    CardList* owner = nullptr;  // receives item changes
    int selected = -1;
    std::vector<Row> rows;

    int ItemCount() const override { return static_cast<int>(rows.size()); }
    bool DeleteItem(int row) override {
        if (row < 0 || row >= ItemCount()) return false;
        rows.erase(rows.begin() + row);
        selected = selected == row ? -1 : selected - (selected > row);
        return true;
    }
    int InsertItem(int row, const std::string& text) override {
        return row < 0 || row > ItemCount() ? -1 : (rows.insert(rows.begin() + row, Row{text, "", "", ""}), row);
    }
    bool SetItemText(int row, int column, const std::string& text) override {
        return row >= 0 && row < ItemCount() && column >= 0 && column <= 3 && (rows[row][column] = text, true);
    }
    void SelectAndFocusItem(int row) override { owner->OnCardItemChanged(selected = row); }
    std::string ItemText(int row, int column) const override {
        return row >= 0 && row < ItemCount() && column >= 0 && column <= 3 ? rows[row][column] : std::string();
    }
    // A user's click: the row losing the selection is reported, then the
    // one gaining it; a click on empty space (-1) reports only the loser.
    void Click(int row) {
        const int old = std::exchange(selected, row);
        if (old >= 0) owner->OnCardItemChanged(old);
        if (row >= 0) owner->OnCardItemChanged(row);
    }
};

// Drives answered from tables; counts how often the drives are listed.
class FakeDrives : public DriveSource {
public:
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
    const std::unique_ptr<const fs::path, void (*)(const fs::path*)> removeDir(&dir,
                                                                               [](auto* d) { fs::remove_all(*d); });
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
    EXPECT_EQ(view.rows, (std::vector<FakeCardListView::Row>{{e, "CAMERA", "29436 MB/30436 MB(28 G/29 G)", "V1.02\r\n"},
                                                             {g, "", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText}}));
    EXPECT_EQ(list.CardRoots(), (std::vector{e, g}));
    view.Click(1);
    EXPECT_EQ(list.TargetRoot(), g);
    view.Click(-1);  // click on empty space: only the row losing the selection is reported
    EXPECT_EQ(list.TargetRoot(), g);
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEARRIVAL, 0));
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(list.TargetRoot(), e);
    view.Click(1);
    drives.roots.clear();
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0));
    for (const std::uint32_t other : {0x0007, 0x8001, 0x8003, 0x0018}) EXPECT_TRUE(list.OnDeviceChange(other, 0x1234));
    EXPECT_EQ(drives.listings, 3);  // only arrival and removal refresh
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(list.TargetRoot(), g);
}

}  // namespace

}  // namespace quillmar
