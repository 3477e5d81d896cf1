// The window and other programs sharing cfg.ini: what they change shows in
// the profile list, what the user chose on the pages stays, and saving
// never undoes their change. Odd files are refused with an error box.

#include "platform/ini_file.h"
#include "platform/qt_text_bridge.h"
#include "ui_test_support.h"

#include <sys/stat.h>

namespace quillmar {

namespace {

using ui_test::Click;
using ui_test::IsChecked;

const QByteArray kBasic = "[basic]\r\nlast_cfg=default\r\n";
QByteArray ChosenMode1() { return QByteArray::fromStdString(OptionText(kModeSection, 0, 2)); }  // radio 1009

QByteArray Section(const QByteArray& name) {
    return "[profile-" + name + "]\r\n" +
           profile_test::kFirstUseFile.mid(profile_test::kFirstUseFile.indexOf("mode_1="));
}

class ProfileFileRefreshTest : public ui_test::MainWindowFixture {
protected:
    QString Current() const { return FromUtf8(window_->Store().CurrentProfile()); }
    // Another program's change shows (a deadline for a busy machine).
    bool ListBecomes(const QStringList& items) {
        return QTest::qWaitFor([&] { return Items() == items; }, 10000);
    }
};

TEST_F(ProfileFileRefreshTest, ChangesByAnotherProgramShowWithoutTouchingThePages) {
    StartWith(kBasic + Section("a") + Section("b") + Section("c"));
    ClickItem(1);
    Click(window_->Page(kModeTab), 1009);  // an unsaved choice: mode_1 option 2
    const QString cfg = WorkFile("cfg.ini");

    // Added and deleted elsewhere: the list follows, b stays selected and
    // the pages keep the unsaved choice.
    ASSERT_TRUE(IniDeleteSection(ToPath(cfg), "profile-a") && IniWriteString(ToPath(cfg), "profile-z", "osd", "off"));
    ASSERT_TRUE(ListBecomes({"b", "c", "z"})) << Items().join(',').toStdString();
    EXPECT_TRUE(SelectedRow() == 0 && Current() == u"profile-b");
    EXPECT_TRUE(IsChecked(window_->Page(kModeTab), 1009));

    // Saving b keeps another program's change to c.
    ASSERT_TRUE(IniWriteString(ToPath(cfg), "profile-c", "tvmode", "pal"));
    Click(*window_, 1062);
    EXPECT_TRUE(Cfg().contains("[profile-b]\r\nmode_1=" + ChosenMode1() + "\r\n")) << Cfg().toStdString();
    EXPECT_TRUE(Cfg().contains("tvmode=pal") && Cfg().contains("[profile-z]\r\nosd=off"));

    // The current profile deleted elsewhere leaves the list; saving brings
    // it back, at the end.
    ASSERT_TRUE(IniDeleteSection(ToPath(cfg), "profile-b"));
    ASSERT_TRUE(ListBecomes({"c", "z"}));
    EXPECT_EQ(SelectedRow(), -1);
    Click(*window_, 1062);
    EXPECT_TRUE(Items() == QStringList({"c", "z", "b"}) && SelectedRow() == 2) << Items().join(',').toStdString();
    EXPECT_TRUE(Cfg().contains("[profile-b]\r\nmode_1=" + ChosenMode1() + "\r\n"));
    EXPECT_TRUE(boxes_.empty());
}

// A FIFO as cfg.ini: the window starts at once with an error box and the
// defaults, and no save writes over the FIFO.
TEST_F(ProfileFileRefreshTest, AnOddFileGivesAnErrorBoxAndIsNeverWritten) {
    const QString cfg = WorkFile("cfg.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(cfg).constData(), 0600), 0);
    Open();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.contains("FIFO") && (boxes_[0].style & MB_ICONERROR)) << boxes_[0].text.toStdString();
    EXPECT_EQ(Current(), u"profile-default");
    EXPECT_EQ(window_->CurrentSelection().index, SettingsSelection::Defaults(1).index);
    Click(*window_, 1062);
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_TRUE(QFileInfo(cfg).exists() && !QFileInfo(cfg).isFile());
    EXPECT_EQ(FolderEntries(), QStringList{"cfg.ini"});
}

}  // namespace

}  // namespace quillmar
