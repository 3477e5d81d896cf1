// The profile commands as the user meets them: "New Profile" with its
// dialog, "Del Profile", "Save Profile" and choosing in the profile list,
// and the list following another program's changes to cfg.ini.

#include "platform/ini_file.h"
#include "platform/qt_text_bridge.h"
#include "support/child_process.h"
#include "ui_test_support.h"

#include <sys/stat.h>

namespace quillmar {

namespace {

using ui_test::Click;
using ui_test::DialogAnswer;
using ui_test::IsChecked;

const QByteArray kBasic = "[basic]\r\nlast_cfg=default\r\n";
const QString kInUse = QStringLiteral("This name has be used !");

// A profile at the defaults except for mode_1 (option 1 is the default).
QByteArray Section(const QByteArray& name, int mode1 = 1) {
    QByteArray body = profile_test::kFirstUseFile.mid(profile_test::kFirstUseFile.indexOf("mode_1="));
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

class ProfileCommandsTest : public ui_test::MainWindowFixture {
protected:
    // The mode_1 option shown: tells which profile was
    // applied last.
    int CheckedMode1() const {
        const int radios[] = {IDC_MODE1_2304X1296P_30, IDC_MODE1_1920X1080P_60, IDC_MODE1_1920X1080P30};
        for (int option = 0; option < 3; ++option)
            if (IsChecked(window_->Page(kModeTab), radios[option])) return option;
        return -1;
    }
    QString Current() const { return FromUtf8(window_->Store().CurrentProfile()); }

    // Runs a script of clicks: "s<row>" selects a row, "u" unselects the
    // selected item (Ctrl+click), "e<id>" clicks a radio of the Mode page,
    // "n<name>" makes a new profile, "d" and "S" press "Del Profile" and
    // "Save Profile".
    void Run(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const char op = char(step[0].unicode());
            if (op == 'n')
                NewProfile(step.mid(1));
            else if (op == 's')
                ClickItem(step.mid(1).toInt());
            else if (op == 'u')
                ClickItem(SelectedRow(), Qt::ControlModifier);
            else if (op == 'e')
                Click(window_->Page(kModeTab), step.mid(1).toInt());
            else
                Click(*window_, op == 'd' ? IDC_DEL_PROFILE : IDC_SAVE_PROFILE);
        }
    }

    // List, store and pages agree: the selected one is current and applied.
    void ExpectListAgreesWith(const char* letters, int selected) {
        const QStringList names = QString::fromLatin1(letters).split(QString(), Qt::SkipEmptyParts);
        EXPECT_TRUE(Items() == names && FromUtf8(window_->Store().ProfileNames()) == names &&
                    SelectedRow() == selected);
        EXPECT_TRUE(selected < 0 ||
                    (CheckedMode1() == LetterMode(letters[selected]) && Current() == "profile-" + names[selected]));
    }

    // One "Notify" box (OK only, no icon, owned by the window) saying
    // exactly kInUse, or else holding `text`.
    void ExpectOneNotify(const QString& text) {
        ASSERT_EQ(boxes_.size(), 1u);
        const MessageBoxCall box = std::exchange(boxes_, {})[0];
        EXPECT_TRUE((text == kInUse ? box.text == text : box.text.contains(text)) && box.caption == "Notify" &&
                    box.style == MB_OK && box.owner == window_.get())
            << box.text.toStdString();
    }
};

// Typed names in order, from a file whose second profile has a name cut to
// 16 characters in the list; another program then took "default" out and
// put "Zed" in, and the list followed. The pages show "night" with one unsaved change, so every new
// profile is that copy, added last and selected. Ending the dialog without
// OK changes nothing; a refused name stays in the dialog for correcting.
TEST_F(ProfileCommandsTest, NewNamesAreCheckedAgainstListAndFile) {
    StartWith(kBasic + Section("night", 0) + Section("abcdefghijklmnopqrst") + Section("default"));
    QByteArray expected = kBasic + Section("night", 0) + Section("abcdefghijklmnopqrst") + Section("Zed");
    ASSERT_TRUE(test_support::WriteRaw(WorkFile("cfg.ini"), expected));
    QStringList items = {"night", "abcdefghijklmnop", "Zed"};
    ASSERT_TRUE(QTest::qWaitFor([&] { return Items() == items; }, 10000));
    Run("e1009");
    // Refusal none: accepted; "!": in use; else a part of the box's text.
    const struct {
        const char16_t* typed;
        const char* refusal;
        DialogAnswer answer = DialogAnswer::kOk;
    } steps[] = {
        {u"fresh", nullptr, DialogAnswer::kCancel},
        {u"fresh", nullptr, DialogAnswer::kEscape},
        {u"fresh", nullptr, DialogAnswer::kCloseBox},
        {u"Night", "!"},
        {u"ABCDEFGHIJKLMNOPQRST", "!"},
        {u"abcdefghijklmnop", "!"},
        {u"zed", "!"},
        {u"a[b", "\"[\" or \"]\""},
        {u"", "needs a name"},
        {u"abcdefghijklmnopq", "at most 16 characters"},
        {u"nig", nullptr},
    };
    int selected = 0;
    for (const auto& step : steps) {
        const QString typed = QString::fromUtf16(step.typed);
        SCOPED_TRACE("typed \"" + typed.toStdString() + "\"");
        ASSERT_TRUE(NewProfile(typed, step.answer));
        EXPECT_EQ(kept_for_correcting_, step.refusal != nullptr);
        if (step.refusal) {
            ExpectOneNotify(*step.refusal == '!' ? kInUse : QString::fromLatin1(step.refusal));
        } else if (step.answer == DialogAnswer::kOk) {
            items << typed;
            selected = int(items.size()) - 1;
            expected += Section(typed.toUtf8(), 2);
            EXPECT_EQ(Current(), "profile-" + typed);
        }
        EXPECT_TRUE(boxes_.empty() && Items() == items && SelectedRow() == selected);
        EXPECT_EQ(CheckedMode1(), 2) << "the pages keep what they showed";
        EXPECT_EQ(Cfg(), expected);
    }
    EXPECT_EQ(FolderEntries(), QStringList{"cfg.ini"});
}

// The selected item's own section goes, and the neighbour becomes current
// and is applied. With nothing selected nothing goes; once all are gone,
// "default" comes back.
TEST_F(ProfileCommandsTest, DeleteRemovesTheSelectedProfileAndAppliesTheNeighbour) {
    // Profiles by letter (see Letters), a script (see Run), the listed and stored profiles afterwards. The
    // file could never tell "profile-B" from "profile-b"; saving right after writes the neighbour.
    const struct {
        const char *file, *script, *after;
        int selected;
    } cases[] = {{"abc", "s1 d", "ac", 1},     {"abc", "s2 d", "ab", 1},  {"abc", "s1 d d d", "", -1},
                 {"abc", "s1 u d", "abc", -1}, {"abBc", "s1 d", "ac", 1}, {"abc", "s1 d S", "ac", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.script);
        StartWith(Letters(c.file));
        Run(QString::fromLatin1(c.script));
        EXPECT_TRUE(boxes_.empty());
        if (*c.after) {
            EXPECT_EQ(Cfg(), Letters(c.after));
            ExpectListAgreesWith(c.after, c.selected);
        } else {  // as at first use, so that quillmar-cli lists what the window does
            EXPECT_TRUE(Cfg() == profile_test::kFirstUseFile && Items() == QStringList{"default"} &&
                        SelectedRow() == 0 && Current() == "profile-default");
        }
    }
}

// Choosing a profile shows what "Set" writes, from the first paint and
// whatever was clicked before: a profile with both a burst and an interval
// keeps the burst, auto-shoot OFF and disabled; one that formats the card
// ticks the box and says so, and "Set" asks first (No writes nothing).
TEST_F(ProfileCommandsTest, ChoosingAProfileShowsWhatSetWrites) {
    QByteArray both = Section("a");
    both.replace("photo_burst=off", "photo_burst=5p").replace("format=false", "format=true");
    ASSERT_TRUE(test_support::WriteRaw(WorkFile("cfg.ini"), kBasic + both + Section("b")));
    QTemporaryDir card;
    Open(AppOptions{{card.path()}, {}});
    CDialog& photo = window_->Page(kPhotoTab);
    ChooseTab(kPhotoTab);
    for (const int row : {-1, 1, 0}) {
        if (row >= 0) ClickItem(row);
        const bool a = row != 1;
        EXPECT_TRUE(IsChecked(photo, a ? IDC_BURST_5_P : IDC_BURST_OFF) &&
                    IsChecked(photo, a ? IDC_AUTO_SHOOT_OFF : IDC_AUTO_SHOOT_3_SECONDS))
            << row;
        EXPECT_EQ(photo.GetDlgItem(IDC_AUTO_SHOOT_5_SECONDS)->isEnabled(), !a) << row;
        EXPECT_EQ(IsChecked(window_->Page(kSystemTab), IDC_FORMAT_CARD), a) << row;
        EXPECT_EQ(window_->Status()->Message(),
                  a ? "Profile \"a\" formats the card (\"Format SD card\" is ticked)" : "");
        if (row < 0) Click(photo, IDC_BURST_OFF), Click(photo, IDC_AUTO_SHOOT_10_SECONDS);  // a lock on auto-shoot
    }
    Click(*window_, IDC_SET);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.contains(QDir(card.path()).dirName()) && boxes_[0].style & MB_DEFBUTTON2);
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
            const MessageBoxCall box = boxes_.empty() ? MessageBoxCall{} : boxes_[0];
            const bool checks[] = {
                boxes_.size() == 1 && (box.style & MB_ICONERROR) && box.owner == window_.get(),
                box.text.contains(FromUtf8(window_->Store().CfgPath())) && box.text.contains("Permission denied"),
                Items() == QStringList({"a", "b", "c"}) && SelectedRow() == 1 && Current() == u"profile-b",
            };
            for (int i = 0; i < int(std::size(checks)); ++i)
                if (!checks[i]) return i + 1;
            return 0;
        });
        ::chmod(folder.constData(), 0700);
        EXPECT_EQ(failedCheck, 0) << "the number of the check that failed";
        EXPECT_TRUE(Cfg() == Letters("abc") && FolderEntries() == QStringList{"cfg.ini"}) << Cfg().toStdString();
    }
}

// Another program adds and deletes profiles: the list follows, the
// selection and the pages' unsaved choice stay, and saving keeps the other
// program's change. The current profile deleted elsewhere comes back, at
// the end, when saved.
TEST_F(ProfileCommandsTest, ChangesByAnotherProgramShowWithoutTouchingThePages) {
    StartWith(Letters("abc"));
    const std::string cfg = ToPath(WorkFile("cfg.ini"));
    const auto listBecomes = [&](const QStringList& items) {
        return QTest::qWaitFor([&] { return Items() == items; }, 10000);
    };
    Run("s1 e1009");
    ASSERT_TRUE(IniDeleteSection(cfg, "profile-a") && IniWriteString(cfg, "profile-z", "osd", "off"));
    ASSERT_TRUE(listBecomes({"b", "c", "z"})) << Items().join(',').toStdString();
    EXPECT_TRUE(SelectedRow() == 0 && Current() == u"profile-b" && CheckedMode1() == 2);
    ASSERT_TRUE(IniWriteString(cfg, "profile-c", "tvmode", "pal"));
    Run("S");
    EXPECT_TRUE(Cfg().contains("[profile-b]\r\nmode_1=1920x1080p 30\r\n") && Cfg().contains("tvmode=pal"));
    ASSERT_TRUE(IniDeleteSection(cfg, "profile-b") && listBecomes({"c", "z"}));
    EXPECT_EQ(SelectedRow(), -1);
    Run("S");
    EXPECT_TRUE(Items() == QStringList({"c", "z", "b"}) && SelectedRow() == 2 && boxes_.empty());
    EXPECT_TRUE(Cfg().contains("[profile-b]\r\nmode_1=1920x1080p 30\r\n") && Cfg().contains("[profile-z]\r\nosd=off"));
}

}  // namespace

}  // namespace quillmar
