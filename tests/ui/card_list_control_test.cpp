// The card list logic driving the window's real list control.

#include "cards/card_list.h"
#include "support/qt_application.h"
#include "ui/card_list_control.h"
#include "ui/templates/dialog_templates.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

class TwoCards : public DriveSource {
public:
    QStringList roots = {QStringLiteral("/media/A/"), QStringLiteral("/media/B/")};
    QStringList RemovableRoots() override { return roots; }
    QString VolumeLabel(const QString& root) override { return root == roots.value(0) ? QStringLiteral("CAM") : QString(); }
    std::optional<VolumeSpace> Space(const QString&) override { return VolumeSpace{1ull << 31, 1ull << 30}; }
};

class CardListControlTest : public ::testing::Test, private test_support::QtApplicationFirst {
protected:
    CardListControlTest() {
        table = new QTableWidget(&host);
        list.Attach(table);
        for (int column = 0; column < 4; ++column) list.InsertColumn(column, QString::number(column), 50);
        // What the window routes from the control's item-changed report.
        QObject::connect(table, &QTableWidget::itemSelectionChanged, [this] {
            if (cards) cards->OnCardItemChanged(list.GetSelectedItem());
        });
    }

    QWidget host;
    QTableWidget* table;
    CListCtrl list;
    CardListControl view{list};
    TwoCards drives;
    std::unique_ptr<CardList> cards;
};

TEST_F(CardListControlTest, RefreshFillsTheRowsAndTargetsTheFirst) {
    cards = std::make_unique<CardList>(view, drives);
    cards->RefreshCardList();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), QStringLiteral("/media/A/"));
    EXPECT_EQ(list.GetItemText(0, 1), QStringLiteral("CAM"));
    EXPECT_EQ(list.GetItemText(1, 2), QStringLiteral("1024 MB/2048 MB(1 G/2 G)"));
    EXPECT_EQ(cards->target_root(), QStringLiteral("/media/A/"));

    list.SelectItem(1);
    EXPECT_EQ(cards->target_root(), QStringLiteral("/media/B/"));
    drives.roots.removeFirst();
    cards->RefreshCardList();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(cards->target_root(), QStringLiteral("/media/B/"));
}

TEST_F(CardListControlTest, OutOfRangeCallsChangeNothing) {
    EXPECT_EQ(view.InsertItem(1, QStringLiteral("x")), -1);
    EXPECT_EQ(view.InsertItem(0, QStringLiteral("x")), 0);
    EXPECT_FALSE(view.SetItemText(0, 4, QStringLiteral("y")));
    EXPECT_FALSE(view.SetItemText(1, 0, QStringLiteral("y")));
    EXPECT_FALSE(view.DeleteItem(1));
    EXPECT_TRUE(view.DeleteItem(0));
    EXPECT_FALSE(view.DeleteItem(0));
    EXPECT_EQ(view.ItemText(0, 0), QString());
}

}  // namespace
