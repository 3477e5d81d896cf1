// The main window from the keyboard: keys that never end it, keys that do,
// the Tab walk in template order, arrows in radio groups, the window menu
// and About.

#include "ui_test_support.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

namespace quillmar {

namespace {

using ui_test::Click;
using ui_test::IsChecked;

class WindowKeysTest : public ui_test::MainWindowFixture {
protected:
    WindowKeysTest() { OpenActive(); }

    void OpenActive() {
        Open();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    bool Running() const { return window_->isVisible() && window_->result() == 0; }
    QWidget* Focused() const { return window_->focusWidget(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Focused(), key, modifiers); }
    QWidget* PageItem(int tab, int id) const { return window_->Page(tab).GetDlgItem(id); }
    // The title of the modal window or "menu" for the window menu that
    // `trigger` opens; closes it.
    QString Opened(const std::function<void()>& trigger) {
        QString seen;
        QTimer user;  // local, so nothing runs once this call has returned
        user.setSingleShot(true);
        user.callOnTimeout([&] {
            QWidget* up = QApplication::activePopupWidget();
            seen = up ? (up == window_->SystemMenu() ? "menu" : "other popup") : QString();
            if (!up && (up = QApplication::activeModalWidget())) seen = up->windowTitle();
            if (up) up->close();
        });
        user.start(50);
        trigger();
        return seen;
    }
};

// Every enabled control of every page and of the window, with the focus on
// it: Escape does nothing, and Enter presses only a focused button.
TEST_F(WindowKeysTest, EnterAndEscapeNeverEndTheWindow) {
    for (int tab = kModeTab; tab < kTabCount; ++tab) {
        ChooseTab(tab);
        std::vector<QWidget*> controls;
        for (const auto& stop : window_->TabStops()) controls.push_back(stop.widget);
        for (const auto& stop : window_->Page(tab).TabStops())
            controls.push_back(stop.widget), controls.insert(controls.end(), stop.members.begin(), stop.members.end());
        for (QWidget* control : controls) {
            if (control->isHidden() || !control->isEnabled()) continue;
            control->setFocus(Qt::OtherFocusReason);
            Key(Qt::Key_Escape);
            if (!qobject_cast<QPushButton*>(control)) Key(Qt::Key_Return), Key(Qt::Key_Enter);
            ASSERT_TRUE(Running()) << "tab " << tab << " " << control->accessibleName().toStdString();
        }
    }
    EXPECT_TRUE(boxes_.empty() && FolderEntries() == QStringList{"cfg.ini"} && Cfg() == profile_test::kFirstUseFile);
}

// Each of these ends the window, with an unsaved change, writing nothing.
TEST_F(WindowKeysTest, QuitKeysCloseBoxAndMenuEndTheWindow) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Ctrl+Q", [this] { Key(Qt::Key_Q, Qt::ControlModifier); }},
        {"Alt+F4", [this] { Key(Qt::Key_F4, Qt::AltModifier); }},
        {"menu Close", [this] { window_->OnSysCommand(SC_CLOSE); }},
    };
    for (const auto& [name, end] : ways) {
        OpenActive();
        ClickOn(kImageTab, IDC_WB_DAYLIGHT);
        end();
        EXPECT_FALSE(window_->isVisible()) << name;
        EXPECT_TRUE(FolderEntries() == QStringList{"cfg.ini"} && Cfg() == profile_test::kFirstUseFile) << name;
    }
}

// Tab walks the template order and wraps: the card list, the profile list,
// the tabs, the shown page (each radio group entered on its checked radio),
// then the buttons; Shift+Tab walks back.
TEST_F(WindowKeysTest, TabWalksTheTemplateOrder) {
    auto* cards = window_->GetDlgItem(IDC_CARD_LIST);
    ChooseTab(kModeTab);
    std::vector<QWidget*> expected = {cards, window_->GetDlgItem(IDC_PROFILE_LIST), Tabs()};
    for (const int id : {IDC_MODE1_1920X1080P_60, IDC_MODE2_1280X720_120, IDC_MODE3_16M_4608X3456_4_3})
        expected.push_back(PageItem(kModeTab, id));
    for (const int id : {IDC_NEW_PROFILE, IDC_DEL_PROFILE, IDC_SET, IDC_SAVE_PROFILE})
        expected.push_back(window_->GetDlgItem(id));
    cards->setFocus(Qt::OtherFocusReason);
    for (size_t i = 1; i <= expected.size(); ++i) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(Focused(), expected[i % expected.size()]) << "press " << i;
    }
    for (size_t i = expected.size(); i-- > 0;) {
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focused(), expected[i]) << "back to " << i;
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
        // The hidden "20 P" is skipped; the walk wraps.
        {kPhotoTab, IDC_BURST_5_P, Qt::Key_Down, {IDC_BURST_10_P, IDC_BURST_OFF}},
        {kVideoTab, IDC_TIMELAPSE_OFF, Qt::Key_Up, {IDC_TIMELAPSE_60_SECONDS, IDC_TIMELAPSE_30_SECONDS}},
        // Ids out of sequence: template order counts.
        {kPhotoTab, IDC_AUTO_SHOOT_OFF, Qt::Key_Right, {IDC_AUTO_SHOOT_1_SECOND, IDC_AUTO_SHOOT_2_SECONDS}},
    };
    for (const auto& c : cases) {
        ClickOn(c.tab, c.start);
        for (const int id : c.visits) {
            Key(c.key);
            EXPECT_TRUE(Focused() == PageItem(c.tab, id) && IsChecked(window_->Page(c.tab), id)) << c.start << id;
        }
    }
    CDialog& video = window_->Page(kVideoTab);
    ChooseTab(kVideoTab);
    video.GetDlgItem(IDC_TIMELAPSE_2_SECONDS)->setEnabled(false);
    Click(video, IDC_TIMELAPSE_1_SECONDS);
    Key(Qt::Key_Right);
    EXPECT_TRUE(IsChecked(video, IDC_TIMELAPSE_5_SECONDS)) << "a disabled radio is passed over";
    // Arrowing onto a burst runs its handler: the whole auto-shoot group is disabled.
    ClickOn(kPhotoTab, IDC_AUTO_SHOOT_OFF);
    Click(window_->Page(kPhotoTab), IDC_BURST_OFF);
    Key(Qt::Key_Right);
    EXPECT_FALSE(PageItem(kPhotoTab, IDC_AUTO_SHOOT_1_SECOND)->isEnabled());
}

// The window menu opens on a right-click, pages included; F1 and the
// menu's last entry open About.
TEST_F(WindowKeysTest, WindowMenuAndAbout) {
    ChooseTab(kPhotoTab);
    QWidget* radio = PageItem(kPhotoTab, IDC_BURST_3_P);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), radio->mapToGlobal(QPoint(2, 2)));
    EXPECT_EQ(Opened([&] { QApplication::sendEvent(radio, &event); }), "menu");
    EXPECT_EQ(window_->SystemMenu()->actions().last()->text(), "&About Quillmar...");
    EXPECT_EQ(Opened([&] { Key(Qt::Key_F1); }), "About Quillmar");
    EXPECT_EQ(Opened([&] { window_->OnSysCommand(IDM_ABOUTBOX); }), "About Quillmar");
    EXPECT_TRUE(Running());
}

}  // namespace

}  // namespace quillmar
