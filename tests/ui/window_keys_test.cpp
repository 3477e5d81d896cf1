// The main window from the keyboard: keys that never end it, keys that do,
// the Tab walk in template order, arrows in radio groups, the window menu
// and About.

#include "ui/resource_ids.h"
#include "ui_test_support.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

namespace quillmar {

namespace {

using ui_test::Click;
using ui_test::IsChecked;

class WindowKeysTest : public ui_test::MainWindowFixture {
protected:
    WindowKeysTest() { OpenActive(); }

    void OpenActive(AppOptions options = {}) {
        Open(std::move(options));
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    bool Running() const { return window_->isVisible() && window_->result() == 0; }
    QWidget* Focused() const { return window_->focusWidget(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Focused(), key, modifiers); }
    QWidget* PageItem(int tab, int id) const { return window_->Page(tab).GetDlgItem(id); }
    // Runs `user` once the next modal window or menu is up, then returns
    // its title (a menu's is "menu").
    QString Opened(const std::function<void()>& trigger) {
        QString seen;
        QTimer user;
        user.setSingleShot(true);
        user.callOnTimeout([&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                seen = menu == window_->SystemMenu() ? "menu" : "other popup";
                menu->close();
            } else if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->windowTitle();
                modal->close();
            }
        });
        user.start(50);
        trigger();
        return seen;
    }
};

// Every control of every page and of the window, with the focus on it:
// Escape does nothing, and Enter presses only a focused button.
TEST_F(WindowKeysTest, EnterAndEscapeNeverEndTheWindow) {
    for (int tab = kModeTab; tab < kTabCount; ++tab) {
        ChooseTab(tab);
        std::vector<QWidget*> controls;
        for (const auto& stop : window_->TabStops()) controls.push_back(stop.widget);
        for (const auto& stop : window_->Page(tab).TabStops()) {
            controls.push_back(stop.widget);
            controls.insert(controls.end(), stop.members.begin(), stop.members.end());
        }
        ASSERT_GT(controls.size(), 6u) << "tab " << tab;
        for (QWidget* control : controls) {
            if (control->isHidden() || !control->isEnabled()) continue;
            control->setFocus(Qt::OtherFocusReason);
            Key(Qt::Key_Escape);
            if (!qobject_cast<QPushButton*>(control)) {
                Key(Qt::Key_Return);
                Key(Qt::Key_Enter);
            }
            ASSERT_TRUE(Running()) << "tab " << tab << " control " << control->metaObject()->className() << " "
                                   << control->accessibleName().toStdString();
        }
    }
    EXPECT_TRUE(boxes_.empty() && FolderEntries() == QStringList{"cfg.ini"} && Cfg() == profile_test::kFirstUseFile);
}

// Each of these ends the window, with an unsaved change, writing nothing.
TEST_F(WindowKeysTest, QuitKeysCloseBoxAndMenuEndTheWindow) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Ctrl+Q", [this] { Key(Qt::Key_Q, Qt::ControlModifier); }},
        {"Alt+F4", [this] { Key(Qt::Key_F4, Qt::AltModifier); }},
        {"close box", [this] { window_->close(); }},
        {"menu Close", [this] { window_->OnSysCommand(SC_CLOSE); }},
    };
    for (const auto& [name, end] : ways) {
        OpenActive();
        ChooseTab(kImageTab);
        Click(window_->Page(kImageTab), IDC_WB_DAYLIGHT);
        end();
        EXPECT_FALSE(window_->isVisible()) << name;
        EXPECT_TRUE(FolderEntries() == QStringList{"cfg.ini"} && Cfg() == profile_test::kFirstUseFile) << name;
    }
}

// Tab walks the template order and wraps: the card list, the profile list,
// the tabs, the shown page (each radio group entered on its checked
// radio), then the buttons; Shift+Tab walks back.
TEST_F(WindowKeysTest, TabWalksTheTemplateOrder) {
    auto* cards = window_->GetDlgItem(IDC_CARD_LIST);
    const struct {
        int tab;
        std::vector<QWidget*> page;
    } cases[] = {
        {kModeTab,
         {PageItem(kModeTab, IDC_MODE1_1920X1080P_60), PageItem(kModeTab, IDC_MODE2_1280X720_120),
          PageItem(kModeTab, IDC_MODE3_16M_4608X3456_4_3)}},
        {kSystemTab,
         {PageItem(kSystemTab, IDC_SYNC_CLOCK), PageItem(kSystemTab, IDC_ROTATE_NORMAL),
          PageItem(kSystemTab, IDC_TVMODE_NTSC), PageItem(kSystemTab, IDC_LIGHTFREQ_60HZ),
          PageItem(kSystemTab, IDC_AUTO_SHUTDOWN_3_MIN), PageItem(kSystemTab, IDC_DATEFMT_YYYY_MM_DD_HH_MM_SS),
          PageItem(kSystemTab, IDC_OSD_ON), PageItem(kSystemTab, IDC_FORMAT_CARD),
          PageItem(kSystemTab, IDC_OP_BEEP_ON)}},
    };
    for (const auto& c : cases) {
        ChooseTab(c.tab);
        std::vector<QWidget*> expected = {cards, window_->GetDlgItem(IDC_PROFILE_LIST), Tabs()};
        expected.insert(expected.end(), c.page.begin(), c.page.end());
        for (const int id : {IDC_NEW_PROFILE, IDC_DEL_PROFILE, IDC_SET, IDC_SAVE_PROFILE})
            expected.push_back(window_->GetDlgItem(id));
        cards->setFocus(Qt::OtherFocusReason);
        for (size_t i = 1; i <= expected.size(); ++i) {
            Key(Qt::Key_Tab);
            EXPECT_EQ(Focused(), expected[i % expected.size()]) << "tab " << c.tab << ", press " << i;
        }
        for (size_t i = expected.size(); i-- > 0;) {
            Key(Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(Focused(), expected[i]) << "tab " << c.tab << ", back to " << i;
        }
    }
}

// Arrows walk a group in template order and wrap, skipping hidden and
// disabled radios, selecting as they go and running the click handlers.
TEST_F(WindowKeysTest, ArrowsWalkRadioGroups) {
    const struct {
        int tab, start;
        Qt::Key key;
        std::vector<int> visits;
    } cases[] = {
        {kVideoTab,
         IDC_TIMELAPSE_OFF,
         Qt::Key_Right,
         {IDC_TIMELAPSE_1_SECONDS, IDC_TIMELAPSE_2_SECONDS, IDC_TIMELAPSE_5_SECONDS, IDC_TIMELAPSE_10_SECONDS,
          IDC_TIMELAPSE_30_SECONDS, IDC_TIMELAPSE_60_SECONDS, IDC_TIMELAPSE_OFF}},
        {kVideoTab, IDC_TIMELAPSE_OFF, Qt::Key_Up, {IDC_TIMELAPSE_60_SECONDS, IDC_TIMELAPSE_30_SECONDS}},
        // The hidden "20 P" is skipped.
        {kPhotoTab, IDC_BURST_OFF, Qt::Key_Down, {IDC_BURST_3_P, IDC_BURST_5_P, IDC_BURST_10_P, IDC_BURST_OFF}},
        // Ids out of sequence: template order counts.
        {kPhotoTab,
         IDC_AUTO_SHOOT_OFF,
         Qt::Key_Right,
         {IDC_AUTO_SHOOT_1_SECOND, IDC_AUTO_SHOOT_2_SECONDS, IDC_AUTO_SHOOT_3_SECONDS}},
        {kSystemTab, IDC_OSD_ON, Qt::Key_Right, {IDC_OSD_OFF, IDC_OSD_ON}},
    };
    for (const auto& c : cases) {
        ChooseTab(c.tab);
        CDialog& page = window_->Page(c.tab);
        Click(page, c.start);
        for (const int id : c.visits) {
            Key(c.key);
            EXPECT_TRUE(Focused() == page.GetDlgItem(id) && IsChecked(page, id)) << c.start << " to " << id;
        }
    }
    // A disabled radio is passed over.
    CDialog& video = window_->Page(kVideoTab);
    ChooseTab(kVideoTab);
    video.GetDlgItem(IDC_TIMELAPSE_2_SECONDS)->setEnabled(false);
    Click(video, IDC_TIMELAPSE_1_SECONDS);
    Key(Qt::Key_Right);
    EXPECT_TRUE(IsChecked(video, IDC_TIMELAPSE_5_SECONDS));
    // Arrowing onto a burst ran the burst handler: the lock disables the
    // whole auto-shoot group.
    ChooseTab(kPhotoTab);
    CDialog& photo = window_->Page(kPhotoTab);
    Click(photo, IDC_AUTO_SHOOT_OFF);
    Click(photo, IDC_BURST_OFF);
    Key(Qt::Key_Right);
    EXPECT_TRUE(window_->CurrentSelection().photo_lock_flags == kBurstLock &&
                !photo.GetDlgItem(IDC_AUTO_SHOOT_1_SECOND)->isEnabled());
    // And an interval's handler runs likewise.
    Click(photo, IDC_BURST_OFF);
    Click(photo, IDC_AUTO_SHOOT_5_SECONDS);
    photo.GetDlgItem(IDC_AUTO_SHOOT_5_SECONDS)->setFocus();
    Key(Qt::Key_Left);
    EXPECT_TRUE(IsChecked(photo, IDC_AUTO_SHOOT_3_SECONDS) && !photo.GetDlgItem(IDC_BURST_OFF)->isEnabled());
}

// An "&" before a blank marks nothing: no underlined blank, no Alt+Space.
TEST_F(WindowKeysTest, AmpersandBeforeABlankIsNoMnemonic) {
    for (const auto& [tab, id] :
         {std::pair{kPhotoTab, IDC_PHOTO_STAMP_DATE_AND_TIME}, std::pair{kVideoTab, IDC_VIDEO_STAMP_DATE_AND_TIME}}) {
        auto* radio = qobject_cast<QRadioButton*>(PageItem(tab, id));
        EXPECT_TRUE(radio->text() == "Date and Time" && radio->shortcut().isEmpty()) << id;
    }
}

// The window menu opens on a right-click anywhere, pages included; F1 and
// the menu's entry open About.
TEST_F(WindowKeysTest, WindowMenuAndAbout) {
    ChooseTab(kPhotoTab);
    for (QWidget* target : {static_cast<QWidget*>(window_.get()), PageItem(kPhotoTab, IDC_BURST_3_P),
                            PageItem(kPhotoTab, IDC_PHOTO_SEPARATOR_1), window_->GetDlgItem(IDC_SET)}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        EXPECT_EQ(Opened([&] { QApplication::sendEvent(target, &event); }), "menu")
            << target->metaObject()->className() << " " << target->isVisible();
    }
    const QStringList entries = [&] {
        QStringList texts;
        for (const QAction* a : window_->SystemMenu()->actions()) texts << a->text();
        return texts;
    }();
    EXPECT_EQ(entries.last(), "&About Quillmar...");
    EXPECT_EQ(Opened([&] { Key(Qt::Key_F1); }), "About Quillmar");
    EXPECT_EQ(Opened([&] { window_->OnSysCommand(IDM_ABOUTBOX); }), "About Quillmar");
    EXPECT_TRUE(Running());
}

}  // namespace

}  // namespace quillmar
