#include "cards/card_entry.h"
#include "cards/card_list.h"
#include "cards/card_version.h"
#include "platform/device_events.h"

#include "fake_card_list_view.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Drives answered from tables; counts how often the drive list is read.
class FakeDrives : public DriveSource {
public:
    QStringList roots;
    QHash<QString, QString> labels;
    QHash<QString, VolumeSpace> spaces;
    int listings = 0;

    QStringList RemovableRoots() override {
        ++listings;
        return roots;
    }
    QString VolumeLabel(const QString& root) override { return labels.value(root); }
    std::optional<VolumeSpace> Space(const QString& root) override {
        if (!spaces.contains(root)) return std::nullopt;
        return spaces.value(root);
    }
};

constexpr quint64 kMiB = quint64{1} << 20;

class CardListTest : public ::testing::Test {
protected:
    void SetUp() override {
        e = Card("E");
        g = Card("G");
        drives.roots = {e, g};
        drives.labels = {{e, "CAMERA"}, {g, "BACKUP"}};
        drives.spaces = {{e, {31914983424, 30866227200}}, {g, {8053063680, 1073741823}}};
        WriteFile(e + "version.txt", "V1.02\r\n");
        view.owner = &list;
    }

    QString Card(const char* name) {
        QDir().mkpath(dir.path() + '/' + name);
        return dir.path() + '/' + name + '/';
    }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    QString e, g;
    FakeDrives drives;
    FakeCardListView view;
    CardList list{view, drives};
};

TEST_F(CardListTest, RefreshShowsEveryDriveAndTargetsRowZero) {
    list.RefreshCardList();
    EXPECT_EQ(list.card_roots(), (QStringList{e, g}));
    ASSERT_EQ(view.ItemCount(), 2);
    EXPECT_EQ(view.Row(0), (QStringList{e, "CAMERA", "29436 MB/30436 MB(28 G/29 G)", "V1.02\r\n"}));
    EXPECT_EQ(view.Row(1), (QStringList{g, "BACKUP", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText}));
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(list.target_root(), e);
}

TEST_F(CardListTest, DeviceChangeRetargetsRowZeroWhateverTheUserChose) {
    list.RefreshCardList();
    view.Click(1);
    EXPECT_EQ(list.target_root(), g);
    view.Click(-1);  // click on empty space: the row losing the selection is reported
    EXPECT_EQ(list.target_root(), g);
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEARRIVAL, 0));
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(list.target_root(), e);
}

TEST_F(CardListTest, EmptiedListKeepsTheLastTarget) {
    list.RefreshCardList();
    view.Click(1);
    drives.roots.clear();
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0));
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_TRUE(list.card_roots().isEmpty());
    EXPECT_EQ(list.target_root(), g);
    EXPECT_EQ(view.selected, -1);
}

TEST_F(CardListTest, OnlyArrivalAndRemovalRefreshAndEveryEventIsAnsweredTrue) {
    const struct {
        quint32 event;
        int listings;
    } cases[] = {{0x0007, 0}, {0x8001, 0}, {0x8003, 0}, {0x0018, 0}, {DBT_DEVICEARRIVAL, 1}, {DBT_DEVICEREMOVECOMPLETE, 1}};
    for (const auto& c : cases) {
        drives.listings = 0;
        EXPECT_TRUE(list.OnDeviceChange(c.event, 0x1234)) << c.event;
        EXPECT_EQ(drives.listings, c.listings) << c.event;
    }
}

TEST_F(CardListTest, EmptySlotAfterACardShowsItsOwnEmptyValues) {
    const QString slot = dir.path() + "/slot/";  // reader slot without a card: no folder at all
    drives.roots = {e, slot};
    list.RefreshCardList();
    EXPECT_EQ(view.Row(1), (QStringList{slot, "", "0 MB/0 MB(0 G/0 G)", kNoVersionText}));
}

TEST_F(CardListTest, StaleRowsAreAllRemovedAndARefusingListDoesNotHang) {
    view.AddLeftoverRow("old1");
    view.AddLeftoverRow("old2");
    view.AddLeftoverRow("old3");
    list.RefreshCardList();
    EXPECT_EQ(view.ItemCount(), 2);
    EXPECT_EQ(view.Row(0)[0], e);

    view.refuse_delete = true;
    drives.roots = {g};
    list.RefreshCardList();  // rows cannot go; the refresh still ends
    EXPECT_EQ(view.Row(0)[0], g);
}

TEST_F(CardListTest, RowThatCannotBeInsertedIsSkipped) {
    view.refuse_inserts = 1;
    list.RefreshCardList();
    ASSERT_EQ(view.ItemCount(), 1);
    EXPECT_EQ(view.Row(0), (QStringList{g, "BACKUP", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText}));
    EXPECT_EQ(list.target_root(), g);
}

TEST_F(CardListTest, ReportsOfRowsThatDoNotExistAreIgnored) {
    list.OnCardItemChanged(0);  // before any refresh: no rows yet
    EXPECT_TRUE(list.target_root().isEmpty());
    list.RefreshCardList();
    list.OnCardItemChanged(-1);
    list.OnCardItemChanged(2);
    EXPECT_EQ(list.target_root(), e);
}

TEST_F(CardListTest, FoldersFollowTheDrivesAsAbsoluteRoots) {
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    FakeCardListView folderView;
    CardList withFolders(folderView, drives, {"G", dir.path() + "/E//", "/"});
    folderView.owner = &withFolders;
    withFolders.RefreshCardList();
    QDir::setCurrent(cwd);
    EXPECT_EQ(withFolders.card_roots(), (QStringList{e, g, g, e, "/"}));
    EXPECT_EQ(folderView.ItemCount(), 5);
}

TEST(CardCapacity, MegabytesAndGigabytesAreTruncatedShifts) {
    const struct {
        quint64 total, free;
        const char* text;
    } cases[] = {
        {31914983424, 30866227200, "29436 MB/30436 MB(28 G/29 G)"},
        {8053063680, 1073741823, "1023 MB/7680 MB(0 G/7 G)"},
        {kMiB - 1, 0, "0 MB/0 MB(0 G/0 G)"},
        {1024 * kMiB, 1024 * kMiB - 1, "1023 MB/1024 MB(0 G/1 G)"},
        // Past 2^31 MB the count stays positive; past 2^32 MB the low 32 bits remain.
        {(quint64{1} << 51) + 5 * kMiB, quint64{1} << 51, "2147483648 MB/2147483653 MB(2097152 G/2097152 G)"},
        {(quint64{1} << 52) + 5 * kMiB, quint64{1} << 52, "0 MB/5 MB(0 G/0 G)"},
    };
    for (const auto& c : cases) {
        FakeDrives drives;
        drives.spaces.insert("/x/", {c.total, c.free});
        const CardEntry entry = DescribeCard(drives, "/x/");
        EXPECT_EQ(CapacityText(entry.free_mb, entry.total_mb), QString::fromLatin1(c.text)) << c.text;
    }
}

}  // namespace
