#include "platform/qt_text_bridge.h"
#include "profiles/profile_store.h"

#include "platform/ini_file.h"
#include "profile_files.h"
#include "support/child_process.h"

#include <filesystem>
#include <sys/inotify.h>

namespace quillmar {

namespace {

using namespace profile_test;
using namespace test_support;
namespace fs = std::filesystem;

// `count` profiles "p0".."pN", each a copy of the default profile.
QByteArray ManyProfiles(int count) {
    QByteArray file = "[basic]\r\nlast_cfg=default\r\n";
    for (int i = 0; i < count; ++i)
        file += "[profile-p" + QByteArray::number(i) + "]\r\n" + kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    return file;
}

// A store on cfg.ini in a fresh temporary folder.
class ProfileStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString path_ = dir_.path() + QStringLiteral("/cfg.ini");
    SettingsSelection selection_;
    ProfileStore store_{ToUtf8(path_), selection_};
};

TEST_F(ProfileStoreTest, FirstUseAndFilesWithoutProfilesGetTheDefaultProfileAndKeepTheirLines) {
    const QByteArray lfFirstUse = QByteArray(kFirstUseFile).replace("\r\n", "\n");
    const QByteArray defaultSection = kFirstUseFile.mid(kFirstUseFile.indexOf("[profile-default]"));
    for (const auto& [before, after] : {std::pair<QByteArray, QByteArray>{QByteArray(), kFirstUseFile},  // no file
                                        {"", kFirstUseFile},
                                        {"[basic]\r\nlast_cfg=x\r\n", "[basic]\r\nlast_cfg=x\r\n" + defaultSection},
                                        {"not ini\n; note", "not ini\n; note\n" + lfFirstUse}}) {
        ASSERT_TRUE(before.isNull() || WriteRaw(path_, before));
        selection_ = SettingsSelection();
        ASSERT_TRUE(store_.LoadProfiles());
        EXPECT_EQ(ReadAll(path_), after);
        EXPECT_EQ(FromUtf8(store_.ProfileNames()), QStringList{"default"});
        EXPECT_EQ(selection_.index, SettingsSelection::Defaults().index);
        EXPECT_EQ(selection_.clock_sync, 1);
    }
}

// The order of profiles, "Basic", 20-letter names, missing keys, osd=ON and
// sync_clock=true are read through quillmar-cli in tests/cli.
TEST_F(ProfileStoreTest, AppliesTheFirstProfileAndLeavesTheFileAlone) {
    const QByteArray file =
        "[profile-x]\nosd=ON\nimage_iso=3200\nauto_shutdown=60Min\nsync_clock=1\nlightfreq=\"60Hz\"\n"
        "auto_shoot=60s\nphoto_burst=5p\n[basic]\n[basic]\n";  // only the first exact "basic" is not a profile
    ASSERT_TRUE(WriteRaw(path_, file));
    selection_.photo_lock_flags = kShootLock;
    selection_.clock_sync = 1;
    ASSERT_TRUE(store_.LoadProfiles());
    EXPECT_EQ(FromUtf8(store_.ProfileNames()), (QStringList{"x", ""}));
    EXPECT_EQ(FromUtf8(store_.CurrentProfile()), QStringLiteral("profile-x"));
    const std::pair<SettingsKeyRef, int> applied[] = {{keys::kOsd, 0},          {keys::kImageIso, 0},
                                                      {keys::kAutoShutdown, 0}, {keys::kLightfreq, 1},
                                                      {keys::kAutoShoot, 0},    {keys::kPhotoBurst, 2}};
    for (const auto& [key, index] : applied) EXPECT_EQ(selection_.At(key), index) << key.section << " " << key.key;
    EXPECT_EQ(selection_.clock_sync, 0);
    EXPECT_EQ(selection_.photo_lock_flags, kBurstLock) << "both on: the burst, whatever was clicked before";
    EXPECT_EQ(ReadAll(path_), file);
}

// Pulls record their order and change the page's keys as a user would.
struct RecordingPages : ProfilePages {
    explicit RecordingPages(SettingsSelection& s) : selection(s) {}
    void PullPage(int section) override {
        pulled.push_back(section);
        if (section == kModeSection) selection.At(keys::kMode1) = -1;    // no radio selected
        if (section == kImageSection) selection.At(keys::kImageWb) = 3;  // the fourth white-balance choice
    }
    SettingsSelection& selection;
    std::vector<int> pulled;
};

TEST_F(ProfileStoreTest, SavePullsEachPageAndKeepsTheSectionsLines) {
    ASSERT_TRUE(
        WriteRaw(path_, "; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\n; mine\r\n\r\n[x]\r\nk=1\r\n"));
    RecordingPages pages(selection_);
    ProfileStore withPages(ToUtf8(path_), selection_, &pages);
    ASSERT_TRUE(withPages.LoadProfiles());
    ASSERT_TRUE(withPages.SaveProfile());
    EXPECT_EQ(pages.pulled,
              (std::vector<int>{kModeSection, kVideoSection, kImageSection, kPhotoSection, kSystemSection}));
    const QByteArray saved = ReadAll(path_);
    EXPECT_TRUE(saved.startsWith("; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\nmode_1=2304x1296p 30\r\n"));
    EXPECT_TRUE(saved.contains("\r\nimage_wb=incencas\r\n") &&
                saved.contains("\r\nop_beep=off\r\nformat=false\r\n; mine\r\n\r\n[x]\r\nk=1\r\n"))
        << saved.toStdString();
}

// The store against a hostile disk: one replacement per save (a file
// rewritten in place, which a kill would leave half written, shows as none),
// read-only folders and full disks.

// How many times cfg.ini was renamed into the folder while `action` ran.
int RenamesOfCfg(const QString& folder, const std::function<void()>& action) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_MOVED_TO);
    action();
    int renames = 0;
    alignas(inotify_event) char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        for (char* p = buffer; p < buffer + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
            renames += qstrcmp(reinterpret_cast<inotify_event*>(p)->name, "cfg.ini") == 0;
    return ::close(fd), renames;
}

TEST_F(ProfileStoreTest, AllOf2000ProfilesAreListedAndASaveReplacesTheFileOnce) {
    ASSERT_TRUE(WriteRaw(path_, ManyProfiles(2000)));
    ASSERT_TRUE(store_.LoadProfiles());
    EXPECT_TRUE(FromUtf8(store_.ProfileNames()).size() == 2000 &&
                FromUtf8(store_.ProfileNames()).last() == QStringLiteral("p1999"));
    store_.SelectProfile(1500);
    selection_ = SettingsSelection();  // differs from the stored defaults in many keys
    EXPECT_EQ(RenamesOfCfg(dir_.path(), [&] { ASSERT_TRUE(store_.SaveProfile()); }), 1);
    EXPECT_EQ(RenamesOfCfg(dir_.path(), [&] { ASSERT_TRUE(store_.SaveProfile()); }), 0) << "nothing changed";
    EXPECT_EQ(RenamesOfCfg(dir_.path(), [&] { ASSERT_TRUE(store_.ApplyProfile()); }), 0);
}

TEST_F(ProfileStoreTest, WriteFailuresAreReportedAndChangeNothing) {
    const std::pair<std::function<bool()>, const char*> cases[] = {
        {[&] { return fs::permissions(ToPath(dir_.path()), fs::perms{0555}), DropRootPrivileges(); },
         "Permission denied"},                                  // read-only folder
        {[] { return LimitFileSize(100); }, "File too large"},  // full disk
    };
    const QByteArray old = ManyProfiles(3);
    for (const auto& [setUp, reason] : cases) {
        ASSERT_TRUE(WriteRaw(path_, old));
        // Bindings captured by name, for compilers that do not capture them implicitly.
        const int status = RunInChild([&, &setUp = setUp, &reason = reason] {
            if (!setUp() || !store_.LoadProfiles()) return 9;
            selection_.At(keys::kOsd) = 0;
            for (const WriteOutcome& o : {store_.SaveProfile(), store_.AddProfile(ToUtf8(QStringLiteral("new")))})
                if (o || !FromUtf8(o.error).contains(QLatin1String(reason)) || !FromUtf8(o.error).contains(dir_.path()))
                    return 1;
            if (FromUtf8(store_.ProfileNames()).size() != 3 ||
                FromUtf8(store_.CurrentProfile()) != QStringLiteral("profile-p0"))
                return 2;
            ProfileStore firstUseStore(ToUtf8(dir_.path() + QStringLiteral("/first-use.ini")), selection_);
            const WriteOutcome firstUse = firstUseStore.LoadProfiles();
            return !firstUse && FromUtf8(firstUseStore.ProfileNames()) == QStringList{"default"} ? 0 : 3;
        });
        fs::permissions(ToPath(dir_.path()), fs::perms::owner_all);
        EXPECT_EQ(status, 0) << reason;
        EXPECT_EQ(ReadAll(path_), old) << reason;
        QStringList entries = Entries(dir_.path());
        // The writers' lock files may stay; no temporary may.
        entries.removeOne(QStringLiteral(".cfg.ini.lock"));
        entries.removeOne(QStringLiteral(".first-use.ini.lock"));
        EXPECT_EQ(entries, QStringList{"cfg.ini"}) << reason;
    }
}

// Another program changes the file between our load and our writes: each
// write and lookup starts from the file as it is then, and a new profile never
// overwrites one of the same name that appeared meanwhile. The list mutators
// ignore positions the lists do not have.
TEST_F(ProfileStoreTest, WritesAndLookupsStartFromTheFileAsAnotherProgramLeftIt) {
    ASSERT_TRUE(WriteRaw(path_, ManyProfiles(2)));
    ASSERT_TRUE(store_.LoadProfiles());
    for (const int index : {-1, 2}) store_.SelectProfile(index), store_.UnlistProfile(index);
    ASSERT_TRUE(IniWriteString(ToPath(path_), "profile-p1", "osd", "off") &&
                IniDeleteSection(ToPath(path_), "profile-p0") &&
                IniWriteString(ToPath(path_), "profile-new", "osd", "off"));
    const QByteArray theirs = ReadAll(path_);
    const Result<bool> present = store_.SectionExists("PROFILE-P1"), absent = store_.SectionExists("profile-p0");
    EXPECT_TRUE(present && present.value && absent && !absent.value);

    const WriteOutcome added = store_.AddProfile(ToUtf8(QStringLiteral("NEW")));  // names match without regard to case
    EXPECT_FALSE(added);
    EXPECT_TRUE(FromUtf8(added.error).contains("another program")) << added.error;
    EXPECT_EQ(FromUtf8(store_.CurrentProfile()), QStringLiteral("profile-p0"));
    EXPECT_EQ(FromUtf8(store_.ProfileNames()), (QStringList{"p0", "p1"}));
    EXPECT_EQ(ReadAll(path_), theirs);

    ASSERT_TRUE(store_.RefreshProfileList());
    EXPECT_EQ(FromUtf8(store_.ProfileNames()), (QStringList{"p1", "new"}));
    EXPECT_EQ(FromUtf8(store_.CurrentProfile()), QStringLiteral("profile-p0"))
        << "the current profile stays, though gone";
    selection_.At(keys::kTvmode) = 1;
    ASSERT_TRUE(store_.SaveProfile());  // brings p0 back, at the end
    const QByteArray saved = ReadAll(path_);
    EXPECT_TRUE(saved.startsWith(theirs) && saved.mid(theirs.size()).startsWith("[profile-p0]\r\nmode_1="));
    EXPECT_TRUE(saved.mid(theirs.size()).contains("\r\ntvmode=pal\r\n"));
    store_.UnlistProfile(0);
    EXPECT_EQ(FromUtf8(store_.ProfileSections()), (QStringList{"profile-new"}));

    ASSERT_TRUE(QFile::remove(path_) && QDir().mkdir(path_));  // something at the path that is no file
    const Result<bool> unreadable = store_.SectionExists("profile-p0");
    EXPECT_TRUE(!unreadable && FromUtf8(unreadable.outcome.error).contains(path_)) << unreadable.outcome.error;
}

}  // namespace

}  // namespace quillmar
