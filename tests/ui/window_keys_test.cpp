// The main window from the keyboard: keys that never end it, keys that do,
// the Tab walk in template order, arrows in radio groups, the window menu
// and About.

#include "ui_test_support.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

namespace quillmar::ui_test {

namespace {

class WindowKeysTest : public MainWindowTest {
protected:
    WindowKeysTest() { OpenActive(); }

    void OpenActive() {
        Open();
        Shown()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Shown()));
    }
    bool Running() const { return window_->IsWindowVisible(); }
    QWidget* Focused() const { return Shown()->focusWidget(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Focused(), key, modifiers); }
};

// Tab walks the template order and wraps: the card list, the profile list,
// the tabs, the shown page (each radio group entered on its checked radio),
// then the buttons; Shift+Tab walks back. On the way Escape never ends the
// window, nor does Enter, which presses only a focused button.
TEST_F(WindowKeysTest, TabWalksTheTemplateOrderAndEnterOrEscapeNeverEndTheWindow) {
    ChooseTab(kModeTab);
    const std::vector<QWidget*> expected = {Cards(),
                                            ProfileList(),
                                            Tabs(),
                                            Item(kModeTab, IDC_MODE1_1920X1080P_60),
                                            Item(kModeTab, IDC_MODE2_1280X720_120),
                                            Item(kModeTab, IDC_MODE3_16M_4608X3456_4_3),
                                            window_->GetDlgItem(IDC_NEW_PROFILE),
                                            window_->GetDlgItem(IDC_DEL_PROFILE),
                                            window_->GetDlgItem(IDC_SET),
                                            window_->GetDlgItem(IDC_SAVE_PROFILE)};
    Cards()->setFocus(Qt::OtherFocusReason);
    for (size_t i = 1; i <= expected.size(); ++i) {
        Key(Qt::Key_Tab);
        EXPECT_EQ(Focused(), expected[i % expected.size()]) << "press " << i;
        Key(Qt::Key_Escape);
        if (!qobject_cast<QPushButton*>(Focused())) Key(Qt::Key_Return), Key(Qt::Key_Enter);
        ASSERT_TRUE(Running()) << "press " << i;
    }
    for (size_t i = expected.size(); i-- > 0;) {
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focused(), expected[i]) << "back to " << i;
    }
    EXPECT_TRUE(boxes_.empty() && OnlyCfgWritten() && Cfg() == kFirstUseFile);
}

// Arrows walk a group in template order and wrap, skipping hidden and
// disabled radios, selecting as they go and running the click handlers.
TEST_F(WindowKeysTest, ArrowsWalkRadioGroups) {
    Item(kVideoTab, IDC_TIMELAPSE_2_SECONDS)->setEnabled(false);
    const struct {
        int tab, start;
        Qt::Key key;
        std::vector<int> visits;
    } cases[] = {
        {kPhotoTab, IDC_BURST_5_P, Qt::Key_Down, {IDC_BURST_10_P, IDC_BURST_OFF}},  // past the hidden "20 P"
        {kVideoTab, IDC_TIMELAPSE_OFF, Qt::Key_Up, {IDC_TIMELAPSE_60_SECONDS, IDC_TIMELAPSE_30_SECONDS}},
        {kVideoTab, IDC_TIMELAPSE_1_SECONDS, Qt::Key_Right, {IDC_TIMELAPSE_5_SECONDS}},  // past the disabled one
        // Ids out of sequence: template order counts.
        {kPhotoTab, IDC_AUTO_SHOOT_2_SECONDS, Qt::Key_Left, {IDC_AUTO_SHOOT_1_SECOND, IDC_AUTO_SHOOT_OFF}},
        {kPhotoTab, IDC_BURST_OFF, Qt::Key_Right, {IDC_BURST_3_P}},
    };
    for (const auto& c : cases) {
        ClickOn(c.tab, c.start);
        for (const int id : c.visits) {
            Key(c.key);
            EXPECT_TRUE(Focused() == Item(c.tab, id) && Checked(c.tab, id)) << c.start << id;
        }
    }
    EXPECT_FALSE(Item(kPhotoTab, IDC_AUTO_SHOOT_1_SECOND)->isEnabled()) << "the burst's handler ran";
}

// F1 opens About. Ctrl+Q, Alt+F4 and the window menu's Close (the menu
// opens on a right-click, pages included) end the window with an unsaved
// change, writing nothing.
TEST_F(WindowKeysTest, AboutAndQuitKeysAndWindowMenu) {
    QString seen;
    WhileOpen([&] { Key(Qt::Key_F1); }, [&](QWidget* up) { seen = up ? up->windowTitle() : "", up && up->close(); });
    EXPECT_TRUE(seen == "About Quillmar" && Running());
    for (const char* way : {"Ctrl+Q", "Alt+F4", "menu Close"}) {
        OpenActive();
        ClickOn(kPhotoTab, IDC_BURST_3_P);
        QWidget* radio = Item(kPhotoTab, IDC_BURST_3_P);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), radio->mapToGlobal(QPoint(2, 2)));
        if (*way == 'm')
            WhileOpen([&] { QApplication::sendEvent(radio, &event); },
                      [&](QWidget* up) { QTest::keyClick(up, IsWindowMenu(up) ? Qt::Key_C : Qt::Key_Escape); });
        else
            Key(*way == 'C' ? Qt::Key_Q : Qt::Key_F4, *way == 'C' ? Qt::ControlModifier : Qt::AltModifier);
        EXPECT_TRUE(!window_->IsWindowVisible() && OnlyCfgWritten() && Cfg() == kFirstUseFile) << way;
    }
}

}  // namespace

}  // namespace quillmar::ui_test
