// The main window: start-up state, tabs, ending, the window menu and "Set".

#include "main_window_fixture.h"
#include "profiles/profile_files.h"
#include "support/child_process.h"
#include "ui/templates/dialog_templates.h"

#include <QDirIterator>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using ui_test::Click;
using ui_test::IsChecked;
using ui_test::ReadAll;

// Every file under a folder with its size and modification time.
QStringList Snapshot(const QString& dir) {
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(
                       info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

class MainWindowTest : public ui_test::MainWindowFixture {
protected:
    MainWindowTest() { Open(); }

    // Starts the window with `folder` offered as a card (--card).
    void OpenWithCardFolder(const QString& folder) { Open(AppOptions{{folder}, {}}); }

    // Puts a row for `folder` in the list, as a drive's row, and selects it.
    void TargetFolder(const QString& folder) {
        CListCtrl list;
        list.Attach(window->GetDlgItem(1000));
        list.InsertItem(0, folder + u'/');
        list.SelectItem(0);
    }

    // The clock line carries the time of the write; leave it out.
    void UntickClockBox() {
        ChooseTab(kSystemTab);
        if (IsChecked(window->page(kSystemTab), 1061)) Click(window->page(kSystemTab), 1061);
    }
};

// The file for every default choice without the clock line.
const QByteArray kDefaultCameraConf =
    "enable_cfg=true\r\nmode_1=1920x1080p 60\r\nmode_2=1280x720p 120\r\nmode_3=16M\r\n"
    "video_quality=sfine\r\nfov=wide\r\ntimelapse=off\r\nvideo_stamp=off\r\nmic_vol=80%\r\n"
    "auto_rec=off\r\nloop_rec=off\r\nrec_beep=off\r\nimage_meter=center\r\nimage_iso=auto\r\n"
    "image_wb=auto\r\nimage_ev=0.0\r\nimage_sharpness=3\r\nphoto_quality=sfine\r\nphoto_stamp=off\r\n"
    "auto_shoot=3s\r\nphoto_burst=off\r\nimage_rotate=normal\r\ntvmode=ntsc\r\nlightfreq=60Hz\r\n"
    "auto_shutdown=3Min\r\ndatefmt=ymd\r\nosd=on\r\nop_beep=on\r\nformat=false\r\n";

TEST_F(MainWindowTest, FirstStartShowsTheModeTabAtTheDefaults) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("TORVEX"));
    EXPECT_EQ(window->currentPage(), kModeTab);
    EXPECT_EQ(tabs()->currentIndex(), kModeTab);
    EXPECT_TRUE(window->page(kModeTab).isVisible());
    for (int tab = kVideoTab; tab < kTabCount; ++tab) EXPECT_FALSE(window->page(tab).isVisible()) << tab;
    EXPECT_TRUE(IsChecked(window->page(kModeTab), 1008));    // mode_1 default
    EXPECT_TRUE(IsChecked(window->page(kSystemTab), 1061));  // clock box
    EXPECT_EQ(window->cfgPath(), WorkFile(QStringLiteral("cfg.ini")));
    EXPECT_EQ(ReadAll(window->cfgPath()), profile_test::kFirstUseFile);
    const auto* profiles = qobject_cast<QListWidget*>(window->GetDlgItem(1001));
    ASSERT_EQ(profiles->count(), 1);
    EXPECT_EQ(profiles->item(0)->text(), QStringLiteral("default"));
    EXPECT_TRUE(profiles->item(0)->isSelected());
    EXPECT_EQ(window->focusWidget(), window->GetDlgItem(1000));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    // Every page at its default: saving them into "default" changes no byte.
    Click(*window, 1062);
    EXPECT_EQ(ReadAll(window->cfgPath()), profile_test::kFirstUseFile);
}

TEST_F(MainWindowTest, CardListIsAGridOfFourColumnsWithTheCardIcon) {
    auto* table = qobject_cast<QTableWidget*>(window->GetDlgItem(1000));
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->showGrid());
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table->selectionMode(), QAbstractItemView::SingleSelection);
    const char* headers[] = {"Device", "Label", "Description", "Version"};
    const int widths[] = {65, 100, 200, table->contentsRect().width() - 365};
    ASSERT_EQ(table->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(table->horizontalHeaderItem(column)->text(), QString::fromLatin1(headers[column]));
        EXPECT_EQ(table->columnWidth(column), widths[column]) << column;
    }
    TargetFolder(QStringLiteral("/media/CARD"));
    TargetFolder(QStringLiteral("/media/OTHER"));
    for (int row = 0; row < 2; ++row) EXPECT_FALSE(table->item(row, 0)->icon().isNull()) << row;
    EXPECT_EQ(window->targetRoot(), QStringLiteral("/media/OTHER/"));
    table->clearSelection();  // a row losing the selection keeps the target
    EXPECT_EQ(window->targetRoot(), QStringLiteral("/media/OTHER/"));
}

TEST_F(MainWindowTest, TabsShowTheirPages) {
    const int expectedTemplate[] = {IDD_TAB_MODE, IDD_TAB_VIDEO, IDD_TAB_PHOTO, IDD_TAB_SYSTEM, IDD_TAB_IMAGE};
    const char* texts[] = {"Mode Setting", "Video Setting", "Photo Setting", "System Setting", "Image Setting"};
    for (const int tab : {kImageTab, kPhotoTab, kVideoTab, kSystemTab, kModeTab}) {
        ChooseTab(tab);
        EXPECT_EQ(tabs()->tabText(tab), QString::fromLatin1(texts[tab]));
        EXPECT_EQ(window->currentPage(), tab);
        for (int other = 0; other < kTabCount; ++other) {
            const CDialog& page = window->page(other);
            EXPECT_EQ(page.isVisible(), other == tab) << "tab " << tab << " page " << other;
            if (other == tab) {
                EXPECT_EQ(page.Template().id, expectedTemplate[tab]);
            }
        }
    }
}

TEST_F(MainWindowTest, PagesSitInsideTheTabControlBelowTheTabs) {
    QWidget* tabControl = window->GetDlgItem(1002);
    for (int tab = 0; tab < kTabCount; ++tab) {
        const QRect geometry = window->page(tab).geometry();
        EXPECT_EQ(geometry, QRect(1, 26, tabControl->width() - 5, tabControl->height() - 30)) << tab;
        EXPECT_LE(tabs()->geometry().bottom(), geometry.top()) << tab;
    }
}

TEST_F(MainWindowTest, SwitchingTabsKeepsWhatThePagesShow) {
    ChooseTab(kImageTab);
    Click(window->page(kImageTab), 1056);
    ChooseTab(kModeTab);
    ChooseTab(kImageTab);
    EXPECT_TRUE(IsChecked(window->page(kImageTab), 1056));
}

enum class Ending { Escape, Enter, CloseBox, MenuClose };

std::string EndingName(Ending ending) {
    constexpr const char* kNames[] = {"Escape", "Enter", "CloseBox", "MenuClose"};
    return kNames[static_cast<int>(ending)];
}

class MainWindowEnding : public MainWindowTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(MainWindowEnding, EndsWithoutWritingAnything) {
    ChooseTab(kImageTab);
    Click(window->page(kImageTab), 1056);  // an unsaved change
    const QStringList before = Snapshot(workDir->path());
    switch (GetParam()) {
    case Ending::Escape: QTest::keyClick(window->page(kImageTab).GetDlgItem(1056), Qt::Key_Escape); break;
    case Ending::Enter: QTest::keyClick(window->GetDlgItem(1000), Qt::Key_Return); break;
    case Ending::CloseBox: window->close(); break;
    case Ending::MenuClose: window->OnSysCommand(SC_CLOSE); break;
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), GetParam() == Ending::Enter ? IDOK : IDCANCEL);
    EXPECT_EQ(Snapshot(workDir->path()), before);
    EXPECT_TRUE(boxes.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWindowEnding,
                         ::testing::Values(Ending::Escape, Ending::Enter, Ending::CloseBox, Ending::MenuClose),
                         [](const auto& info) { return EndingName(info.param); });

TEST_F(MainWindowTest, WindowMenuEndsWithAboutAfterASeparator) {
    const QList<QAction*> actions = window->systemMenu()->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    EXPECT_EQ(actions.last()->text(), QStringLiteral("&About Quillmar..."));

    QString caption;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        if (!about) return;
        caption = about->windowTitle();
        for (const QLabel* label : about->findChildren<QLabel*>()) texts << label->text();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    window->OnSysCommand(actions.last()->data().toUInt());
    EXPECT_EQ(caption, QStringLiteral("About Quillmar"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Quillmar, Version 1.0")));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, SetWritesTheFileToTheChosenCard) {
    QTemporaryDir card;
    OpenWithCardFolder(card.path());
    EXPECT_EQ(window->targetRoot(), card.path() + u'/');
    UntickClockBox();
    Click(*window, 1006);
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(ReadAll(card.filePath(QStringLiteral("camera.conf"))), kDefaultCameraConf);
    EXPECT_FALSE(QFile::exists(QDir(workDir->path()).filePath(QStringLiteral("camera.conf"))));
}

TEST_F(MainWindowTest, SetWritesWhatThePagesShowNow) {
    QTemporaryDir card;
    OpenWithCardFolder(card.path());
    UntickClockBox();
    ChooseTab(kModeTab);
    Click(window->page(kModeTab), 1009);
    ChooseTab(kImageTab);
    Click(window->page(kImageTab), 1056);
    ChooseTab(kPhotoTab);
    Click(window->page(kPhotoTab), 1091);  // a burst: auto-shoot is written off
    Click(*window, 1006);
    QByteArray expected = kDefaultCameraConf;
    expected.replace("mode_1=1920x1080p 60", "mode_1=1920x1080p 30")
        .replace("image_wb=auto", "image_wb=incencas")
        .replace("auto_shoot=3s", "auto_shoot=off")
        .replace("photo_burst=off", "photo_burst=3p");
    EXPECT_EQ(ReadAll(card.filePath(QStringLiteral("camera.conf"))), expected);
}

TEST_F(MainWindowTest, SetWithoutACardWritesIntoTheWorkingDirectory) {
    UntickClockBox();
    Click(*window, 1006);
    EXPECT_EQ(ReadAll(QDir(workDir->path()).filePath(QStringLiteral("camera.conf"))), kDefaultCameraConf);
}

TEST_F(MainWindowTest, SetToAPulledCardShowsTheErrorAndWritesNothing) {
    // A pulled drive leaves its empty mount folder behind; a pulled --card
    // folder is gone altogether.
    QTemporaryDir emptyMountFolder;
    auto cardFolder = std::make_unique<QTemporaryDir>();
    const QString gone = cardFolder->path();
    const struct {
        const char* name;
        std::function<void()> choose;
    } cases[] = {
        {"drive", [&] { TargetFolder(emptyMountFolder.path()); }},
        {"folder", [&] { OpenWithCardFolder(gone); cardFolder.reset(); }},
    };
    for (const auto& c : cases) {
        c.choose();
        boxes.calls.clear();
        Click(*window, 1006);
        ASSERT_EQ(boxes.calls.size(), 1u) << c.name;
        EXPECT_TRUE(boxes.calls[0].style & MB_ICONERROR);
        EXPECT_EQ(boxes.calls[0].owner, window.get());
        EXPECT_TRUE(boxes.calls[0].text.contains(QStringLiteral("no longer there"))) << boxes.calls[0].text.toStdString();
        EXPECT_TRUE(QDir(emptyMountFolder.path()).isEmpty()) << c.name;
        if (!cardFolder) {
            EXPECT_FALSE(QFileInfo::exists(gone)) << "no folder is made for a pulled card";
        }
        EXPECT_FALSE(QFile::exists(QDir(workDir->path()).filePath(QStringLiteral("camera.conf")))) << c.name;
    }
}

TEST_F(MainWindowTest, SetToAReadOnlyCardShowsTheError) {
    QTemporaryDir card;
    ASSERT_EQ(::chmod(QFile::encodeName(card.path()).constData(), 0555), 0);
    OpenWithCardFolder(card.path());
    // Root writes anywhere: the press happens in a child that gave root up.
    const int status = test_support::RunInChild([&] {
        if (!test_support::DropRootPrivileges()) return 10;
        Click(*window, 1006);
        if (boxes.calls.size() != 1) return 11;
        if (!boxes.calls[0].text.contains(QStringLiteral("write-protected"))) return 12;
        return QFile::exists(card.filePath(QStringLiteral("camera.conf"))) ? 13 : 0;
    });
    ::chmod(QFile::encodeName(card.path()).constData(), 0755);
    EXPECT_EQ(status, 0);
}

}  // namespace
