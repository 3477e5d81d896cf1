// The profile commands as the user meets them: "New Profile" with its
// dialog, "Del Profile", "Save Profile" and choosing in the profile list,
// and the list following another program's changes to cfg.ini.

#include "platform/ini_file.h"
#include "platform/qt_text_bridge.h"
#include "support/child_process.h"
#include "ui_test_support.h"

#include <sys/stat.h>

namespace quillmar::ui_test {

namespace {

const QByteArray kBasic = "[basic]\r\nlast_cfg=default\r\n";

// A profile at the defaults except for mode_1 (option 1 is the default).
QByteArray Section(const QByteArray& name, int mode1 = 1) {
    QByteArray body = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    body.replace("mode_1=1920x1080p 60", "mode_1=" + QByteArray::fromStdString(OptionText(kModeSection, 0, mode1)));
    return "[profile-" + name + "]\r\n" + body;
}

// Profiles named by letters; a, b and c show mode_1 options 0, 1 and 2, d
// again 0 and so on, an upper-case letter as its lower-case one.
int LetterMode(char letter) { return (QChar::toLower(char16_t(letter)) - u'a') % 3; }
QByteArray Letters(const char* letters) {
    QByteArray file = kBasic;
    for (const char* l = letters; *l; ++l) file += Section(QByteArray(1, *l), LetterMode(*l));
    return file;
}

class ProfileCommandsTest : public MainWindowTest {
protected:
    // The mode_1 option the Mode page shows: tells which profile was applied last.
    int CheckedMode1() {
        return window_->Page(kModeTab).UpdateData(true), window_->CurrentSelection().At(keys::kMode1);
    }
    QString Current() const { return FromUtf8(window_->Store().CurrentProfile()); }

    // Runs a script of clicks: "s<row>" selects a row, "e<id>" clicks a radio of the Mode page,
    // "n<name>" makes a new profile, "d" and "S" press "Del Profile" and
    // "Save Profile".
    void Run(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const char op = char(step[0].unicode());
            if (op == 'n')
                NewProfile(step.mid(1));
            else if (op == 's')
                ClickItem(step.mid(1).toInt());
            else if (op == 'e')
                Click(window_->Page(kModeTab), step.mid(1).toInt());
            else
                Click(*window_, op == 'd' ? IDC_DEL_PROFILE : IDC_SAVE_PROFILE);
        }
    }
};

// From a file whose second profile has a name cut to 16 characters in the
// list, with one unsaved change on the pages: a new profile is that copy,
// added last and selected. Escape ends the dialog without a change;
// a refused name stays in the dialog for correcting, after a "Notify" box.
TEST_F(ProfileCommandsTest, NewNamesAreCheckedAgainstListAndFile) {
    StartWith(kBasic + Section("night", 0) + Section("abcdefghijklmnopqrst"));
    QByteArray expected = Cfg();
    QStringList items = {"night", "abcdefghijklmnop"};
    Run("e1009");
    const struct {
        const char *typed, *refusal;  // a part of the box's text
        Qt::Key answer = Qt::Key_Return;
    } steps[] = {{"fresh", nullptr, Qt::Key_Escape},
                 {"ABCDEFGHIJKLMNOPQRST", "This name has be used !"},
                 {"a[b", "\"[\" or \"]\""},
                 {"", "needs a name"},
                 {"abcdefghijklmno\U0001F600", "at most 16"},  // 17 UTF-16 units
                 {"nig", nullptr}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed);
        ASSERT_TRUE(NewProfile(step.typed, step.answer));
        EXPECT_EQ(kept_for_correcting_, step.refusal != nullptr);
        const Box box = boxes_.size() == 1 ? std::exchange(boxes_, {})[0] : Box{};
        EXPECT_TRUE(step.refusal ? box.text.contains(step.refusal) && box.caption == "Notify" && box.style == MB_OK &&
                                       box.owner == window_.get()
                                 : !box.owner)
            << box.text.toStdString();
        if (!step.refusal && step.answer == Qt::Key_Return) items << step.typed, expected += Section(step.typed, 2);
        const int selected = items.size() > 2 ? 2 : 0;
        EXPECT_TRUE(boxes_.empty() && Items() == items && SelectedRow() == selected);
        EXPECT_TRUE(Current() == "profile-" + items[selected] && CheckedMode1() == 2)
            << "the pages keep what they showed";
        EXPECT_EQ(Cfg(), expected);
    }
    EXPECT_TRUE(OnlyCfgWritten());
}

// The selected item's own section goes, and the neighbour becomes current
// and is applied. Once all are gone,
// "default" comes back, as at first use, so that quillmar-cli lists what
// the window does.
TEST_F(ProfileCommandsTest, DeleteRemovesTheSelectedProfileAndAppliesTheNeighbour) {
    // Profiles by letter (see Letters), a script (see Run), the listed and stored profiles afterwards. The
    // file could never tell "profile-B" from "profile-b"; saving right after writes the neighbour.
    // clang-format off
    const struct { const char *file, *script, *after; int selected; } cases[] = {
        {"abc", "s1 d", "ac", 1}, {"abc", "s2 d", "ab", 1}, {"abc", "s1 d d d", "", 0}, {"abBc", "s1 d", "ac", 1},
        {"abc", "s1 d S", "ac", 1}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.script);
        StartWith(Letters(c.file));
        Run(QString::fromLatin1(c.script));
        const QStringList names =
            *c.after ? QString::fromLatin1(c.after).split(QString(), Qt::SkipEmptyParts) : QStringList{"default"};
        EXPECT_EQ(Cfg(), *c.after ? Letters(c.after) : kFirstUseFile);
        EXPECT_TRUE(boxes_.empty() && Items() == names && FromUtf8(window_->Store().ProfileNames()) == names &&
                    SelectedRow() == c.selected);
        EXPECT_TRUE(c.selected < 0 || (Current() == "profile-" + names[c.selected] &&
                                       CheckedMode1() == (*c.after ? LetterMode(c.after[c.selected]) : 1)));
    }
}

// Choosing a profile shows what "Set" writes, from the first paint and
// whatever was clicked before: a profile with both a burst and an interval
// keeps the burst, auto-shoot OFF and disabled; one that formats the card
// ticks the box and says so, and "Set" asks first (No writes nothing).
TEST_F(ProfileCommandsTest, ChoosingAProfileShowsWhatSetWrites) {
    QByteArray both = Section("a");
    both.replace("photo_burst=off", "photo_burst=5p").replace("format=false", "format=true");
    QTemporaryDir card;
    StartWith(kBasic + both + Section("b"), {card.path()});
    ChooseTab(kPhotoTab);
    for (const int row : {-1, 1, 0}) {
        if (row >= 0) ClickItem(row);
        const bool a = row != 1;
        EXPECT_TRUE(Checked(kPhotoTab, a ? IDC_BURST_5_P : IDC_BURST_OFF) &&
                    Checked(kPhotoTab, a ? IDC_AUTO_SHOOT_OFF : IDC_AUTO_SHOOT_3_SECONDS))
            << row;
        EXPECT_EQ(Item(kPhotoTab, IDC_AUTO_SHOOT_5_SECONDS)->isEnabled(), !a) << row;
        EXPECT_EQ(Checked(kSystemTab, IDC_FORMAT_CARD), a) << row;
        EXPECT_EQ(window_->Status()->Message(),
                  a ? "Profile \"a\" formats the card (\"Format SD card\" is ticked)" : "");
        if (row < 0) ClickOn(kPhotoTab, IDC_BURST_OFF), ClickOn(kPhotoTab, IDC_AUTO_SHOOT_10_SECONDS);  // a shoot lock
    }
    Click(*window_, IDC_SET);
    EXPECT_TRUE(boxes_.size() == 1 && boxes_[0].text.contains(QDir(card.path()).dirName()) &&
                (boxes_[0].style & MB_DEFBUTTON2));
    EXPECT_FALSE(QFile::exists(card.filePath("camera.conf"))) << "answered other than Yes";
}

// A command whose write of cfg.ini fails (a read-only folder; root writes
// anywhere, so in a child that gave root up) shows the file and the reason
// and leaves list, current profile and file as they were.
TEST_F(ProfileCommandsTest, FailedWriteShowsTheErrorAndKeepsEverything) {
    const QByteArray folder = QFile::encodeName(work_dir_.path());
    for (const char* script : {"nfresh", "e1007 S", "d"}) {
        SCOPED_TRACE(script);
        StartWith(Letters("abc"));
        ClickItem(1);
        ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
        const int failedCheck = test_support::RunInChild([&] {
            if (!test_support::DropRootPrivileges()) return 100;
            Run(QString::fromLatin1(script));
            const Box box = boxes_.size() == 1 ? boxes_[0] : Box{};
            const bool shown = (box.style & MB_ICONERROR) && box.owner == window_.get() &&
                               box.text.contains(FromUtf8(window_->Store().CfgPath())) && box.text.contains("denied");
            if (!shown) return 1;
            return Items() == QStringList({"a", "b", "c"}) && SelectedRow() == 1 && Current() == u"profile-b" ? 0 : 2;
        });
        ::chmod(folder.constData(), 0700);
        EXPECT_EQ(failedCheck, 0) << "1: no error box naming file and reason; 2: list or profile changed";
        EXPECT_TRUE(Cfg() == Letters("abc") && OnlyCfgWritten()) << Cfg().toStdString();
    }
}

// Another program adds and deletes profiles: the list follows, the
// selection and the pages' unsaved choice stay. The current profile deleted
// elsewhere is no longer selected, and comes back, at the end, when saved.
TEST_F(ProfileCommandsTest, ChangesByAnotherProgramShowWithoutTouchingThePages) {
    StartWith(Letters("abc"));
    const std::string cfg = ToPath(WorkFile("cfg.ini"));
    Run("s1 e1009");
    ASSERT_TRUE(IniDeleteSection(cfg, "profile-a") && IniWriteString(cfg, "profile-z", "osd", "off"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Items() == QStringList({"b", "c", "z"}); }, 30000));
    EXPECT_TRUE(SelectedRow() == 0 && Current() == u"profile-b" && CheckedMode1() == 2);
    ASSERT_TRUE(IniDeleteSection(cfg, "profile-b"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Items() == QStringList({"c", "z"}); }, 30000));
    EXPECT_EQ(SelectedRow(), -1);
    Run("d S");  // with nothing selected, nothing goes
    EXPECT_TRUE(Items() == QStringList({"c", "z", "b"}) && SelectedRow() == 2 && boxes_.empty());
    EXPECT_TRUE(Cfg().contains("[profile-b]\r\nmode_1=1920x1080p 30\r\n") && Cfg().contains("[profile-z]\r\nosd=off"));
}

}  // namespace

}  // namespace quillmar::ui_test
