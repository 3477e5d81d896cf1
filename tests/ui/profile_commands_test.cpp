// The profile commands as the user meets them: "New Profile" with its
// dialog, "Del Profile", "Save Profile" and choosing in the profile list.

#include "main_window_fixture.h"
#include "profiles/profile_files.h"
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using ui_test::Click;
using ui_test::DialogAnswer;
using ui_test::IsChecked;

const QByteArray kBasic = "[basic]\r\nlast_cfg=default\r\n";
const QString kInUse = QStringLiteral("This name has be used !");

// The Mode page's mode_1 radios, one per option; they tell which profile
// was applied last.
constexpr int kMode1Radios[] = {1007, 1008, 1009};
const char* const kMode1Texts[] = {"2304x1296p 30", "1920x1080p 60", "1920x1080p 30"};

// A profile at the defaults except for mode_1 (option 1 is the default).
QByteArray Section(const QByteArray& name, int mode1 = 1) {
    QByteArray body = profile_test::kFirstUseFile.mid(profile_test::kFirstUseFile.indexOf("mode_1="));
    body.replace("mode_1=1920x1080p 60", QByteArray("mode_1=") + kMode1Texts[mode1]);
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
    int CheckedMode1() const {
        for (int option = 0; option < 3; ++option)
            if (IsChecked(window->page(kModeTab), kMode1Radios[option])) return option;
        return -1;
    }
    const QString& Current() const { return window->profileStore().current_profile; }
    QStringList FolderEntries() const {
        return QDir(workDir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // Runs a script of clicks: "s<row>" selects a row, "u" unselects the
    // selected item (Ctrl+click), "e<id>" clicks a radio of the Mode page,
    // "d" and "S" press "Del Profile" and "Save Profile".
    void Run(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            const int arg = step.mid(1).toInt();
            switch (step[0].unicode()) {
            case 's': ClickItem(arg); break;
            case 'u': ClickItem(SelectedRow(), Qt::ControlModifier); break;
            case 'e': Click(window->page(kModeTab), arg); break;
            case 'd': Click(*window, 1004); break;
            case 'S': Click(*window, 1062); break;
            default: FAIL() << "unknown step " << step.toStdString();
            }
        }
    }

    // List, lists, current profile and pages belong together, and each item
    // applies its own section when chosen (last one first).
    void ExpectListAgreesWith(const char* letters, int selected) {
        const QStringList names = QString::fromLatin1(letters).split(QString(), Qt::SkipEmptyParts);
        ASSERT_EQ(Items(), names);
        EXPECT_EQ(window->profileStore().profile_names, names);
        ASSERT_EQ(SelectedRow(), selected);
        if (selected >= 0) {
            EXPECT_EQ(Current(), QStringLiteral("profile-") + names[selected]);
            EXPECT_EQ(CheckedMode1(), LetterMode(letters[selected])) << "the selected profile is applied";
        }
        for (int row = int(names.size()) - 1; row >= 0; --row) {
            ClickItem(row);
            EXPECT_EQ(window->profileStore().profile_sections[row], QStringLiteral("profile-") + names[row]);
            EXPECT_EQ(Current(), window->profileStore().profile_sections[row]);
            EXPECT_EQ(CheckedMode1(), LetterMode(letters[row])) << "row " << row;
        }
    }

    // One "Notify" box (OK only, no icon, owned by the window) with `text`,
    // or a text holding `text` when `exact` is false.
    void ExpectOneNotify(const QString& text, bool exact = true) {
        ASSERT_EQ(boxes.calls.size(), 1u);
        const MessageBoxCall box = boxes.calls[0];
        boxes.calls.clear();
        EXPECT_TRUE(exact ? box.text == text : box.text.contains(text)) << box.text.toStdString();
        EXPECT_EQ(box.caption, QStringLiteral("Notify"));
        EXPECT_EQ(box.style, MB_OK);
        EXPECT_EQ(box.owner, window.get());
    }
};

TEST_F(ProfileCommandsTest, EndingTheDialogWithoutOkChangesNothing) {
    StartWith(Letters("abc"));
    ClickItem(1);
    for (const DialogAnswer answer : {DialogAnswer::kCancel, DialogAnswer::kEscape, DialogAnswer::kCloseBox}) {
        ASSERT_TRUE(NewProfile(QStringLiteral("fresh"), answer));
        EXPECT_EQ(Items(), QStringList({"a", "b", "c"}));
        EXPECT_EQ(SelectedRow(), 1);
        EXPECT_EQ(Current(), QStringLiteral("profile-b"));
        EXPECT_TRUE(boxes.calls.empty());
        EXPECT_EQ(Cfg(), Letters("abc"));
    }
    EXPECT_EQ(FolderEntries(), QStringList{"cfg.ini"});
}

// Typed names in order, from a file whose second profile has a name cut to
// 16 characters in the list. The pages show "night" with one unsaved change,
// so every new profile is that copy.
TEST_F(ProfileCommandsTest, NewNamesAreCheckedAgainstListAndFile) {
    const QByteArray start = kBasic + Section("night", 0) + Section("abcdefghijklmnopqrst") + Section("default");
    StartWith(start);
    Run("e1009");
    const struct {
        const char16_t* typed;
        const char* refusal;  // none: accepted; else the box's text, or a part of it
    } steps[] = {
        {u"Night", "!"},                 // the file's section in another case
        {u"abcdefghijklmnopqrst", "!"},  // the cut name typed in full
        {u"ABCDEFGHIJKLMNOPQRST", "!"},
        {u"abcdefghijklmnop", "!"},      // the cut name as listed
        {u"a[b", "\"[\" or \"]\""},
        {u"b]", "\"[\" or \"]\""},
        {u"tab\there", "control characters"},
        {u"line\nbreak", "control characters"},
        {u"nul\x01", "control characters"},
        {u"half\xD800", "character"},  // half of a surrogate pair, as a paste may bring
        {u" lead", "blank"},
        {u"trail ", "blank"},
        {u"", nullptr},
        {u"", "!"},
        {u"nig", nullptr},  // begins like "night", which is listed before it
        {u"nig", "!"},
        {u"NIG", "!"},
        {u"night2", nullptr},            // begins like "night" and "nig"
        {u"abcdefghijklmnopq", nullptr},  // cut like the listed one, yet its own section
    };
    QStringList items = {"night", "abcdefghijklmnop", "default"};
    int selected = 0;
    QByteArray expected = start;
    for (const auto& step : steps) {
        const QString typed = QString::fromUtf16(step.typed);
        SCOPED_TRACE("typed \"" + typed.toStdString() + "\"");
        ASSERT_TRUE(NewProfile(typed));
        if (!step.refusal) {
            items << typed.left(16);
            selected = int(items.size()) - 1;
            expected += Section(typed.toUtf8(), 2);
            EXPECT_TRUE(boxes.calls.empty());
            EXPECT_EQ(Current(), QStringLiteral("profile-") + typed);
        } else if (QLatin1String(step.refusal) == QLatin1String("!")) {
            ExpectOneNotify(kInUse);
        } else {
            ExpectOneNotify(QString::fromLatin1(step.refusal), false);
        }
        EXPECT_EQ(Items(), items);
        EXPECT_EQ(SelectedRow(), selected);
        EXPECT_EQ(CheckedMode1(), 2) << "the pages keep what they showed";
        EXPECT_EQ(Cfg(), expected);
    }
}

// Another program (quillmar-cli, say) changed the file while the window ran:
// "b" went, "D" came. Neither name may make a second item for one section.
TEST_F(ProfileCommandsTest, NamesOfSectionsChangedBehindTheWindowAreRefused) {
    StartWith(Letters("abc"));
    ASSERT_TRUE(profile_test::WriteRaw(WorkFile(QStringLiteral("cfg.ini")), Letters("acD")));
    for (const char* typed : {"B", "d"}) {
        ASSERT_TRUE(NewProfile(QString::fromLatin1(typed)));
        ExpectOneNotify(kInUse);
    }
    EXPECT_EQ(Items(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(Cfg(), Letters("acD"));
}

struct DeleteCase {
    const char* name;
    const char* file;    // profiles by letter, see Letters
    const char* script;  // see ProfileCommandsTest::Run
    const char* after;   // listed and stored profiles afterwards
    int selected;
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }

class DeleteProfile : public ProfileCommandsTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteProfile, RemovesTheSelectedProfileAndAppliesTheNeighbour) {
    const DeleteCase& c = GetParam();
    StartWith(Letters(c.file));
    Run(QString::fromLatin1(c.script));
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Cfg(), Letters(c.after));
    ExpectListAgreesWith(c.after, c.selected);
    if (c.selected < 0) {
        EXPECT_TRUE(Current().isEmpty());
        Run("S d");  // nothing current, nothing listed: nothing to write
        EXPECT_EQ(Cfg(), Letters(c.after));
        EXPECT_TRUE(boxes.calls.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteProfile,
    ::testing::Values(DeleteCase{"middle", "abc", "s1 d", "ac", 1},
                      DeleteCase{"last", "abc", "s2 d", "ab", 1},
                      DeleteCase{"first", "abc", "d", "bc", 0},
                      DeleteCase{"only", "a", "d", "", -1},
                      DeleteCase{"all", "abc", "s1 d d d", "", -1},
                      // the second press deletes the neighbour now selected
                      DeleteCase{"twice", "abc", "s1 d d", "a", 0},
                      // the file could never tell "profile-B" from "profile-b"
                      DeleteCase{"same_named", "abBc", "s1 d", "ac", 1},
                      // saving right after writes the neighbour, not the deleted one
                      DeleteCase{"then_save", "abc", "s1 d S", "ac", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileCommandsTest, DeleteWithNothingSelectedDeletesNothing) {
    StartWith(Letters("abc"));
    Run("s1 u");
    ASSERT_EQ(SelectedRow(), -1);
    Run("d");
    EXPECT_EQ(Cfg(), Letters("abc"));
    EXPECT_EQ(Items(), QStringList({"a", "b", "c"}));
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(ProfileCommandsTest, ChoosingAProfilePushesThePagesButKeepsTheInterlock) {
    // "sparse" lacks most keys and holds osd in capitals: option 0 for those.
    StartWith(kBasic + Section("full") + "[profile-sparse]\r\nmode_2=1280x720p 30\r\nosd=ON\r\n");
    ChooseTab(kPhotoTab);
    CDialog& photo = window->page(kPhotoTab);
    Click(photo, 1091);  // a burst locks the auto-shoot radios
    ASSERT_FALSE(photo.GetDlgItem(1045)->isEnabled());
    const uint8_t flags = window->currentSelection().photo_lock_flags;
    ASSERT_EQ(flags, burst_lock);

    ClickItem(1);
    EXPECT_EQ(Current(), QStringLiteral("profile-sparse"));
    const struct {
        int tab;
        int id;
    } checked[] = {{kModeTab, 1007}, {kModeTab, 1014}, {kModeTab, 1016}, {kPhotoTab, 1090},
                   {kPhotoTab, 1043}, {kSystemTab, 1072}, {kSystemTab, 1096}};
    for (const auto& c : checked) EXPECT_TRUE(IsChecked(window->page(c.tab), c.id)) << c.id;
    EXPECT_FALSE(IsChecked(window->page(kSystemTab), 1061)) << "no sync_clock reads as unticked";
    EXPECT_EQ(window->currentSelection().photo_lock_flags, flags);
    for (const int id : {1043, 1044, 1045, 1046, 1047, 1048}) EXPECT_FALSE(photo.GetDlgItem(id)->isEnabled()) << id;
    for (const int id : {1090, 1091, 1089, 1092}) EXPECT_TRUE(photo.GetDlgItem(id)->isEnabled()) << id;

    ClickItem(0);
    EXPECT_TRUE(IsChecked(window->page(kModeTab), 1008));
    EXPECT_TRUE(IsChecked(window->page(kSystemTab), 1061));
    EXPECT_TRUE(boxes.calls.empty());
}

// A command whose write of cfg.ini fails shows the file and the reason and
// leaves list, lists, current profile and file as they were.
enum class Command { kNew, kSave, kDelete };
enum class Fault { kReadOnlyFolder, kFullDisk };

std::string FailedWriteName(const ::testing::TestParamInfo<std::tuple<Command, Fault>>& info) {
    constexpr const char* kCommands[] = {"New", "Save", "Delete"};
    constexpr const char* kFaults[] = {"ReadOnlyFolder", "FullDisk"};
    return std::string(kCommands[int(std::get<0>(info.param))]) + kFaults[int(std::get<1>(info.param))];
}

class FailedWrite : public ProfileCommandsTest, public ::testing::WithParamInterface<std::tuple<Command, Fault>> {};

TEST_P(FailedWrite, ShowsTheErrorAndKeepsEverything) {
    const auto [command, fault] = GetParam();
    StartWith(Letters("abc"));
    ClickItem(1);
    const QByteArray folder = QFile::encodeName(workDir->path());
    if (fault == Fault::kReadOnlyFolder) {
        ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    }
    const std::string problems = test_support::RunInChildForText([&]() -> std::string {
        if (fault == Fault::kReadOnlyFolder ? !test_support::DropRootPrivileges() : !test_support::LimitFileSize(64))
            return "cannot set up the fault";
        switch (command) {
        case Command::kNew: NewProfile(QStringLiteral("fresh")); break;
        case Command::kSave: Run("e1007 S"); break;
        case Command::kDelete: Run("d"); break;
        }
        std::string wrong;
        auto check = [&](bool ok, const char* what) { wrong += ok ? "" : std::string(what) + "; "; };
        check(boxes.calls.size() == 1, "one box");
        const MessageBoxCall box = boxes.calls.empty() ? MessageBoxCall{} : boxes.calls[0];
        check(box.style & MB_ICONERROR, "error icon");
        check(box.owner == window.get(), "owned by the window");
        check(box.text.contains(window->cfgPath()), "names cfg.ini");
        check(box.text.contains(fault == Fault::kReadOnlyFolder ? "Permission denied" : "File too large"),
              "gives the reason");
        check(Items() == QStringList({"a", "b", "c"}) && SelectedRow() == 1, "list as before");
        check(window->profileStore().profile_sections == QStringList({"profile-a", "profile-b", "profile-c"}),
              "sections as before");
        check(Current() == QStringLiteral("profile-b"), "current as before");
        return wrong.empty() ? wrong : wrong + "box: " + box.text.toStdString();
    });
    ::chmod(folder.constData(), 0700);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(Cfg(), Letters("abc"));
    EXPECT_EQ(FolderEntries(), QStringList{"cfg.ini"});
}

INSTANTIATE_TEST_SUITE_P(Commands, FailedWrite,
                         ::testing::Combine(::testing::Values(Command::kNew, Command::kSave, Command::kDelete),
                                            ::testing::Values(Fault::kReadOnlyFolder, Fault::kFullDisk)),
                         FailedWriteName);

}  // namespace
