#include "cards/card_entry.h"
#include "cards/card_list.h"
#include "cards/card_version.h"
#include "platform/device_events.h"

#include "fake_card_list_view.h"
#include "support/test_files.h"

#include <QHash>

namespace quillmar {

namespace {

// Drives answered from tables; counts how often the drives are listed.
class FakeDrives : public DriveSource {
public:
    QStringList roots;
    QHash<QString, QString> labels;
    QHash<QString, VolumeSpace> spaces;
    int listings = 0;

    QStringList RemovableRoots() override { return ++listings, roots; }
    QString VolumeLabel(const QString& root) override { return labels.value(root); }
    std::optional<VolumeSpace> Space(const QString& root) override {
        return spaces.contains(root) ? std::optional(spaces.value(root)) : std::nullopt;
    }
};

// Removable drives E and G with cards in real folders; E carries a label and
// a version, which G must not borrow.
class CardListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(e) && QDir().mkpath(g) && test_support::WriteRaw(e + "version.txt", "V1.02\r\n"));
        drives.roots = {e, g};
        drives.labels = {{e, "CAMERA"}};
        drives.spaces = {{e, {31914983424, 30866227200}}, {g, {8053063680, 1073741823}}};
        view.owner = &list;
    }

    QTemporaryDir dir;
    const QString e = dir.path() + "/E/", g = dir.path() + "/G/";
    const QStringList rowE{e, "CAMERA", "29436 MB/30436 MB(28 G/29 G)", "V1.02\r\n"};
    const QStringList rowG{g, "", "1023 MB/7680 MB(0 G/7 G)", kNoVersionText};
    FakeDrives drives;
    FakeCardListView view;
    CardList list{view, drives};
};

TEST_F(CardListTest, UserChoiceHoldsUntilADeviceChangeAndAnEmptiedListKeepsTheTarget) {
    list.RefreshCardList();
    EXPECT_EQ(view.rows, (QList<QStringList>{rowE, rowG}));
    EXPECT_EQ(list.card_roots(), (QStringList{e, g}));
    view.Click(1);
    EXPECT_EQ(list.target_root(), g);
    view.Click(-1);  // click on empty space: only the row losing the selection is reported
    EXPECT_EQ(list.target_root(), g);
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEARRIVAL, 0));
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(list.target_root(), e);
    view.Click(1);
    drives.roots.clear();
    EXPECT_TRUE(list.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0));
    for (const quint32 other : {0x0007, 0x8001, 0x8003, 0x0018}) EXPECT_TRUE(list.OnDeviceChange(other, 0x1234));
    EXPECT_EQ(drives.listings, 3);  // only arrival and removal refresh
    EXPECT_TRUE(view.rows.isEmpty());
    EXPECT_EQ(list.target_root(), g);
}

}  // namespace

}  // namespace quillmar
