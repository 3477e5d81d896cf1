// The store against a hostile disk: one replacement per save, kills in the
// middle of saves, read-only folders, full disks and unreadable files.

#include "platform/ini_file.h"
#include "profile_files.h"
#include "support/child_process.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <sys/inotify.h>
#include <sys/stat.h>

namespace {

using namespace profile_test;

class ProfileDurabilityTest : public ProfileStoreFixture {
protected:
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void SetFolderMode(mode_t mode) { ::chmod(QFile::encodeName(dir.path()).constData(), mode); }
};

// How many times cfg.ini was renamed into the folder while `action` ran.
int RenamesOfCfg(const QString& folder, const std::function<void()>& action) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_MOVED_TO);
    action();
    int renames = 0;
    alignas(inotify_event) char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
            renames += qstrcmp(reinterpret_cast<inotify_event*>(p)->name, "cfg.ini") == 0;
    }
    ::close(fd);
    return renames;
}

TEST_F(ProfileDurabilityTest, SaveReplacesTheFileOnceAndApplyNever) {
    ASSERT_TRUE(WriteRaw(path, ManyProfiles(200)));
    ASSERT_TRUE(store.LoadProfiles());
    store.current_profile = store.profile_sections[150];
    selection = SettingsSelection();  // differs from the stored defaults in many keys
    EXPECT_EQ(RenamesOfCfg(dir.path(), [&] { ASSERT_TRUE(store.SaveProfile()); }), 1);
    EXPECT_EQ(RenamesOfCfg(dir.path(), [&] { ASSERT_TRUE(store.SaveProfile()); }), 0) << "nothing changed";
    EXPECT_EQ(RenamesOfCfg(dir.path(), [&] { ASSERT_TRUE(store.ApplyProfile()); }), 0);
}

TEST_F(ProfileDurabilityTest, KillDuringSavesNeverLeavesADamagedFile) {
    constexpr int kProfiles = 40;
    ASSERT_TRUE(WriteRaw(path, ManyProfiles(kProfiles)));
    for (int round = 0; round < 25; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            store.current_profile = QStringLiteral("profile-p%1").arg(round % kProfiles);
            selection = SettingsSelection::Defaults(1);
            for (int i = 0;; ++i) {
                selection.at(keys::mic_vol) = i % 7;
                if (!store.SaveProfile()) ::_exit(1);
            }
        }
        ::usleep(1000 + QRandomGenerator::global()->bounded(15000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself in round " << round;

        IniFile file(path);
        QString error;
        ASSERT_TRUE(file.Load(&error)) << error.toStdString();
        ASSERT_EQ(file.document().SectionNames().size(), kProfiles + 1) << "round " << round;
        for (int p = 0; p < kProfiles; ++p) {
            const QString section = QStringLiteral("profile-p%1").arg(p);
            ASSERT_EQ(file.document().Value(section, u"mode_1", {}), QStringLiteral("1920x1080p 60")) << round;
            ASSERT_EQ(file.document().Value(section, u"format", {}), QStringLiteral("false")) << round;
        }
    }
}

TEST_F(ProfileDurabilityTest, WriteFailuresAreReportedAndChangeNothing) {
    const struct {
        const char* name;
        std::function<bool()> setUp;  // in the child, before the store writes
        const char* reason;
    } cases[] = {
        {"read-only folder", [&] { SetFolderMode(0555); return test_support::DropRootPrivileges(); },
         "Permission denied"},
        {"full disk", [] { return test_support::LimitFileSize(100); }, "File too large"},
    };
    const QByteArray old = ManyProfiles(3);
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteRaw(path, old));
        const int status = test_support::RunInChild([&] {
            if (!c.setUp() || !store.LoadProfiles()) return 9;
            selection.at(keys::osd) = 0;
            for (const WriteOutcome& o : {store.SaveProfile(), store.AddProfile(QStringLiteral("new"))})
                if (o || !o.error.contains(QLatin1String(c.reason)) || !o.error.contains(dir.path())) return 1;
            if (store.profile_names.size() != 3 || store.current_profile != QStringLiteral("profile-p0")) return 2;
            store.cfg_path = dir.path() + QStringLiteral("/first-use.ini");
            const WriteOutcome firstUse = store.LoadProfiles();
            return !firstUse && store.profile_names == QStringList{"default"} ? 0 : 3;
        });
        SetFolderMode(0700);
        EXPECT_EQ(status, 0) << c.name;
        EXPECT_EQ(ReadAll(path), old) << c.name;
        EXPECT_EQ(Entries(), QStringList{"cfg.ini"}) << c.name;
    }
}

TEST_F(ProfileDurabilityTest, UnreadableFileIsReportedAndNeverReplaced) {
    ASSERT_TRUE(QDir().mkpath(path));
    selection.at(keys::osd) = 0;
    const WriteOutcome loaded = store.LoadProfiles();
    EXPECT_TRUE(!loaded && loaded.error.contains(QLatin1String("Is a directory")) && loaded.error.contains(path));
    EXPECT_TRUE(store.profile_names.isEmpty());
    EXPECT_EQ(selection.index, SettingsSelection::Defaults().index);
    EXPECT_FALSE(store.SaveProfile());
    EXPECT_FALSE(store.ApplyProfile());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

}  // namespace
