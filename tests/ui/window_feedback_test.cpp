// What the window tells the user: the status after "Set", the message when
// there is no card, a card list that shows whole values, a window that fits
// its screen, a Photo page that shows what "Set" writes, and a refused
// profile name kept for correcting.

#include "cards/card_entry.h"
#include "platform/qt_text_bridge.h"
#include "settings/camera_conf.h"
#include "settings/settings_schema.h"
#include "ui/card_cells.h"
#include "ui/card_list_control.h"
#include "ui/dialog/window_fit.h"
#include "ui/resource_ids.h"
#include "ui/resources.h"
#include "ui/templates/dialog_templates.h"
#include "ui_test_support.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>

namespace quillmar {

namespace {

using ui_test::Click;
using ui_test::IsChecked;
using ui_test::PagesFixture;

class WindowFeedbackTest : public ui_test::MainWindowFixture {
protected:
    QString Status() const { return window_->Status()->isVisible() ? window_->Status()->Message() : QString(); }
};

// No card in the list: a message, and no file anywhere. The command line
// tool is not touched by this.
TEST_F(WindowFeedbackTest, SetWithoutACardWritesNothing) {
    Open();
    ASSERT_EQ(qobject_cast<QTableWidget*>(window_->GetDlgItem(IDC_CARD_LIST))->rowCount(), 0)
        << "this machine has a removable drive; the test needs none";
    Click(*window_, IDC_SET);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.contains("No memory card was found") && boxes_[0].owner == window_.get());
    EXPECT_EQ(FolderEntries(), QStringList{"cfg.ini"});
    EXPECT_TRUE(Status().isEmpty());
}

// The status names the card and the time, and goes with the next change of
// settings, profile or card; a failed "Set" shows none.
TEST_F(WindowFeedbackTest, StatusAfterSetLastsUntilTheNextChange) {
    QTemporaryDir parent;
    const QString card = parent.filePath("CAMERA_SD"), other = parent.filePath("OTHER");
    ASSERT_TRUE(QDir().mkpath(card) && QDir().mkpath(other));
    Open(AppOptions{{card, other}, {}});
    auto* rows = qobject_cast<QTableWidget*>(window_->GetDlgItem(IDC_CARD_LIST));
    const QRegularExpression written("^camera\\.conf written to CAMERA_SD at \\d\\d:\\d\\d$");
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"radio",
         [&] {
             ChooseTab(kModeTab);
             Click(window_->Page(kModeTab), IDC_MODE1_1920X1080P30);
         }},
        {"check box",
         [&] {
             ChooseTab(kSystemTab);
             Click(window_->Page(kSystemTab), IDC_SYNC_CLOCK);
         }},
        {"slider",
         [&] {
             ChooseTab(kVideoTab);
             auto* slider = window_->Page(kVideoTab).GetDlgItem(IDC_MIC_VOLUME_SLIDER);
             slider->setFocus();
             QTest::keyClick(slider, Qt::Key_Left);
         }},
        {"profile",
         [&] {
             NewProfile("second");
             ClickItem(0);
         }},
        {"card row", [&] { rows->selectRow(1), rows->selectRow(0); }},
        {"card", [&] { window_->OnDeviceChange(0x8000); }},
    };
    for (const auto& [what, change] : changes) {
        Click(*window_, IDC_SET);
        EXPECT_TRUE(written.match(Status()).hasMatch()) << Status().toStdString();
        ChooseTab(kImageTab);  // switching tabs changes nothing
        EXPECT_FALSE(Status().isEmpty());
        change();
        EXPECT_TRUE(Status().isEmpty()) << what;
    }
    ASSERT_TRUE(QDir(card).removeRecursively());
    Click(*window_, IDC_SET);
    EXPECT_TRUE(Status().isEmpty() && boxes_.size() == 1);
}

// The status strip takes more actions after its text; each shows with
// the messages that name it and goes with the next Clear or message.
TEST(StatusAreaTest, ActionsFollowTheTextThatNamesThem) {
    test_support::EnsureQtApplication();
    StatusArea area;
    area.show();
    auto* action = new QPushButton("Eject");
    area.AddAction(action);
    EXPECT_TRUE(action->isHidden());
    area.ShowMessage("written", {action});
    EXPECT_TRUE(!action->isHidden() && area.Message() == "written");
    area.ShowMessage("loaded");
    EXPECT_TRUE(action->isHidden() && area.Message() == "loaded");
    area.ShowMessage("written", {action}, StatusArea::Lasting::kOverCardListChanges);
    area.Clear();
    EXPECT_TRUE(action->isHidden() && area.Message().isEmpty());
    EXPECT_EQ(area.HowLong(), StatusArea::Lasting::kUntilAnyChange);
}

TEST(CardCellsTest, DeviceShowsTheFolderName) {
    const struct {
        const char* root;
        const char* shown;
    } cases[] = {
        {"/media/user/CAMERA_SD/", "CAMERA_SD"},
        {"/media/user/CAMERA_SD", "CAMERA_SD"},
        {"/run/media/a b/NO NAME/", "NO NAME"},
        {"/", "/"},
        {"E:\\", "E:"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CardDisplayName(c.root), c.shown) << c.root;
}

// A long mount path and a 128 GB card: Device, Label and Description show
// whole, Version takes the rest and is whole in its tooltip; screen readers
// get the folder name and the path.
TEST(CardCellsTest, ColumnsShowDeviceLabelAndDescriptionWhole) {
    test_support::EnsureQtApplication();
    QTableWidget table;
    table.resize(654, 120);
    CListCtrl list;
    list.Attach(&table);
    for (const char* heading : {"Device", "Label", "Description", "Version"})
        list.InsertColumn(list->columnCount(), heading, 65);
    table.setItemDelegate(new CardCells(&table));
    list.SetImage(LoadIconResource(IDI_CARD));
    CardListControl view(list);
    const QString version = "firmware 2.31 build 2024-11-02 region EU, long release notes " + QString(40, u'x');
    const struct {
        QString root, label, description, version;
    } rows[] = {
        {"/media/a-rather-long-user-name/CAMERA_SD_CARD_128/", "CAMERA_SD_CARD_128",
         QString::fromStdString(CapacityText(119000, 122104)), version},
        {"/media/u/X/", "", QString::fromStdString(CapacityText(0, 0)), "No infomation"},
    };
    for (int row = 0; row < 2; ++row) {
        view.InsertItem(row, rows[row].root.toStdString());
        view.SetItemText(row, 1, rows[row].label.toStdString());
        view.SetItemText(row, 2, rows[row].description.toStdString());
        view.SetItemText(row, 3, rows[row].version.toStdString());
    }
    FitCardColumns(table);
    const QFontMetrics metrics(table.font());
    const int icon = table.style()->pixelMetric(QStyle::PM_SmallIconSize);
    for (int row = 0; row < 2; ++row) {
        const QString shown[] = {CardDisplayName(rows[row].root), rows[row].label, rows[row].description};
        for (int column = 0; column < 3; ++column)
            EXPECT_GT(table.columnWidth(column), metrics.horizontalAdvance(shown[column]) + (column ? 0 : icon))
                << row << ", " << column;
        EXPECT_TRUE(table.item(row, 0)->toolTip() == rows[row].root &&
                    table.item(row, 3)->toolTip() == rows[row].version);
        EXPECT_EQ(table.item(row, 0)->data(Qt::AccessibleTextRole).toString(), shown[0]);
        EXPECT_EQ(table.item(row, 0)->data(Qt::AccessibleDescriptionRole).toString(), rows[row].root);
        EXPECT_EQ(view.ItemText(row, 0), rows[row].root.toStdString())
            << "the row keeps the root that \"Set\" writes to";
    }
    int total = 0;
    for (int column = 0; column < 4; ++column) total += table.columnWidth(column);
    EXPECT_EQ(total, table.contentsRect().width()) << "Version takes the rest";
    EXPECT_LT(table.columnWidth(3), metrics.horizontalAdvance(version)) << "and is elided";
    EXPECT_EQ(table.textElideMode(), Qt::ElideRight);
}

TEST(WindowFitTest, FittedWindowSize) {
    const struct {
        QSize whole, room, fitted;
    } cases[] = {
        {{1157, 844}, {1366, 700}, {1157 + 15, 700}},  // too tall: a vertical bar, full width
        {{1157, 844}, {1280, 1200}, {1157, 844}},      // fits: unchanged
        {{1157, 844}, {1157, 844}, {1157, 844}},       // fits exactly
        {{1157, 844}, {1160, 700}, {1160, 700}},       // the vertical bar makes it too wide too
        {{1157, 844}, {1000, 900}, {1000, 844 + 15}},  // too wide: a horizontal bar, full height
        {{1157, 844}, {1000, 850}, {1000, 850}},       // the horizontal bar makes it too tall too
        {{1157, 844}, {800, 600}, {800, 600}},
    };
    for (const auto& c : cases) EXPECT_EQ(FittedWindowSize(c.whole, c.room, 15), c.fitted) << c.room.width();
}

// The offscreen screen (800 × 600) is smaller than the window: the window
// fits its free area, on screen, and scrolls to every page's last row.
TEST_F(WindowFeedbackTest, TooSmallAScreenScrolls) {
    Open();
    const QRect available = window_->screen()->availableGeometry();
    const QSize whole(window_->Units().ToPixelsX(kMainWindowTemplate.width),
                      window_->Units().ToPixelsY(kMainWindowTemplate.height));
    ASSERT_FALSE(available.contains(QRect(QPoint(), whole))) << "the test needs a screen smaller than the window";
    ASSERT_NE(window_->ScrollArea(), nullptr);
    EXPECT_TRUE(available.contains(window_->frameGeometry())) << window_->frameGeometry().width();
    const QRect view = window_->ScrollArea()->viewport()->rect();
    const struct {
        int tab, last_row;
    } pages[] = {{kModeTab, IDC_MODE3_5M_2560X1920_4_3},
                 {kVideoTab, IDC_LOOP_REC_5_MIN},
                 {kPhotoTab, IDC_BURST_10_P},
                 {kSystemTab, IDC_OP_BEEP_ON},
                 {kImageTab, IDC_SHARPNESS_TEXT}};
    for (const auto& page : pages) {
        ChooseTab(page.tab);
        QWidget* control = window_->Page(page.tab).GetDlgItem(page.last_row);
        window_->ScrollArea()->ensureWidgetVisible(control, 0, 0);
        const QRect shown(control->mapTo(window_->ScrollArea()->viewport(), QPoint()), control->size());
        EXPECT_TRUE(view.contains(shown)) << page.tab;
    }
}

// After every click sequence of burst × auto-shoot, and after a profile is
// applied under each lock, the radios shown are the lines "Set" writes.
TEST(PhotoPageTest, ShowsWhatSetWrites) {
    const int burst[] = {IDC_BURST_OFF, IDC_BURST_3_P, IDC_BURST_5_P, IDC_BURST_10_P};
    const int shoot[] = {IDC_AUTO_SHOOT_OFF,        IDC_AUTO_SHOOT_1_SECOND,  IDC_AUTO_SHOOT_2_SECONDS,
                         IDC_AUTO_SHOOT_3_SECONDS,  IDC_AUTO_SHOOT_5_SECONDS, IDC_AUTO_SHOOT_10_SECONDS,
                         IDC_AUTO_SHOOT_30_SECONDS, IDC_AUTO_SHOOT_60_SECONDS};
    const auto written = [](SettingsSelection s, SettingsKeyRef key) {
        const QString line = FromUtf8(KeyName(key.section, key.key)) + u'=';
        for (const QString& l : FromUtf8(BuildCameraConfText(s, 0)).split("\r\n"))
            if (l.startsWith(line)) return l.mid(line.size());
        return QString();
    };
    const auto shown = [](CDialog& page, int firstId, SettingsKeyRef key) {
        const auto radios = page.RadioGroupFrom(firstId);
        for (size_t k = 0; k < radios.size(); ++k)
            if (radios[k]->isChecked()) return FromUtf8(OptionText(key.section, key.key, int(k)));
        return QString("none");
    };
    const auto expectAgree = [&](PagesFixture& pages, const SettingsSelection& source, const std::string& what) {
        EXPECT_EQ(shown(pages.photo, IDC_AUTO_SHOOT_OFF, keys::kAutoShoot), written(source, keys::kAutoShoot)) << what;
        EXPECT_EQ(shown(pages.photo, IDC_BURST_OFF, keys::kPhotoBurst), written(source, keys::kPhotoBurst)) << what;
        pages.photo.UpdateData(true);
        EXPECT_EQ(written(pages.selection, keys::kAutoShoot), written(source, keys::kAutoShoot)) << what;
        EXPECT_EQ(written(pages.selection, keys::kPhotoBurst), written(source, keys::kPhotoBurst)) << what;
    };
    for (const int b : burst) {
        for (const int a : shoot) {
            for (const bool burstFirst : {true, false}) {
                PagesFixture pages;
                pages.Show(pages.photo);
                Click(pages.photo, burstFirst ? b : a);
                Click(pages.photo, burstFirst ? a : b);
                pages.photo.UpdateData(true);
                const std::string what = std::to_string(b) + (burstFirst ? " then " : " after ") + std::to_string(a);
                expectAgree(pages, pages.selection, what);
                // A group written as off is disabled, "1 Second", "2 Seconds" and the hidden "20 P" included.
                const SettingsSelection& s = pages.selection;
                const bool shootLocked = (s.photo_lock_flags & kBurstLock) && s.At(keys::kPhotoBurst) != 0;
                const bool burstLocked = (s.photo_lock_flags & kShootLock) && s.At(keys::kAutoShoot) != 0;
                for (const int id : shoot) EXPECT_EQ(pages.photo.GetDlgItem(id)->isEnabled(), !shootLocked) << what;
                for (const int id : {IDC_BURST_OFF, IDC_BURST_3_P, IDC_BURST_5_P, IDC_BURST_10_P, IDC_BURST_20_P})
                    EXPECT_EQ(pages.photo.GetDlgItem(id)->isEnabled(), !burstLocked) << what;
                EXPECT_TRUE(pages.photo.GetDlgItem(IDC_BURST_20_P)->isHidden());
            }
        }
    }
    // Profiles: every burst × interval pair, pushed under each lock.
    for (const uint8_t flags : {uint8_t(0), uint8_t(kBurstLock), uint8_t(kShootLock)}) {
        for (int b = 0; b < 5; ++b) {
            for (int a = 0; a < 8; ++a) {
                PagesFixture pages;
                pages.selection.photo_lock_flags = flags;
                pages.selection.At(keys::kPhotoBurst) = b;
                pages.selection.At(keys::kAutoShoot) = a;
                const SettingsSelection profile = pages.selection;
                pages.photo.UpdateData(false);
                expectAgree(
                    pages, profile,
                    "flags " + std::to_string(flags) + " burst " + std::to_string(b) + " shoot " + std::to_string(a));
            }
        }
    }
}

// A refused name keeps the dialog open after the "Notify" box, with the
// typed name selected; a corrected one is then taken.
TEST_F(WindowFeedbackTest, RefusedNameStaysForCorrecting) {
    Open();
    for (const QString& typed : {QString("default"), QString("a[b")}) {
        bool stayed = false;
        QString kept, selected;
        QTimer user;
        user.setSingleShot(true);
        user.callOnTimeout([&] {
            auto* dialog = dynamic_cast<CDialog*>(QApplication::activeModalWidget());
            auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(IDC_PROFILE_NAME));
            edit->insert(typed);
            Click(*dialog, IDOK);
            stayed = dialog->isVisible();
            kept = edit->text();
            selected = edit->selectedText();
            const bool focused = dialog->focusWidget() == edit;
            edit->setText("corrected " + QString::number(typed.size()));
            if (focused)
                Click(*dialog, IDOK);
            else
                dialog->close();
        });
        user.start(0);
        Click(*window_, IDC_NEW_PROFILE);
        EXPECT_TRUE(stayed && kept == typed && selected == typed) << typed.toStdString();
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].caption, "Notify");
        boxes_.clear();
        if (typed == "default") {
            EXPECT_EQ(Items(), (QStringList{"default", "corrected 7"}));
            ClickItem(0);
        }
    }
}

}  // namespace

}  // namespace quillmar
