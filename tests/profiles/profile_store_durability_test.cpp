// The store against a hostile disk: one replacement per save, crashes in the
// middle of saves, read-only folders, full disks and unreadable files.

#include "platform/ini_file.h"
#include "profile_files.h"
#include "profile_store_fixture.h"
#include "support/child_process.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

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
};

// Counts files created in and renamed into a folder while `action` runs.
struct FolderEvents {
    int created = 0;
    int renamedToCfg = 0;
};

FolderEvents WatchFolder(const QString& folder, const std::function<void()>& action) {
    FolderEvents events;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
    action();
    alignas(inotify_event) char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(p);
            if (e->mask & IN_CREATE) ++events.created;
            if ((e->mask & IN_MOVED_TO) && e->len > 0 && qstrcmp(e->name, "cfg.ini") == 0) ++events.renamedToCfg;
            p += sizeof(inotify_event) + e->len;
        }
    }
    ::close(fd);
    return events;
}

TEST_F(ProfileDurabilityTest, SaveReplacesTheFileOnceAndApplyNever) {
    ASSERT_TRUE(WriteRaw(path, ManyProfiles(200)));
    ASSERT_TRUE(store.LoadProfiles());
    store.current_profile = store.profile_sections[150];
    selection = SettingsSelection();  // every key differs from the stored defaults
    FolderEvents save = WatchFolder(dir.path(), [&] { ASSERT_TRUE(store.SaveProfile()); });
    EXPECT_EQ(save.renamedToCfg, 1);
    EXPECT_EQ(save.created, 1);
    FolderEvents unchanged = WatchFolder(dir.path(), [&] { ASSERT_TRUE(store.SaveProfile()); });
    EXPECT_EQ(unchanged.renamedToCfg, 0) << "nothing to change, nothing written";
    FolderEvents apply = WatchFolder(dir.path(), [&] { ASSERT_TRUE(store.ApplyProfile()); });
    EXPECT_EQ(apply.renamedToCfg + apply.created, 0);
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
                selection.clock_sync = i & 1;
                if (!store.SaveProfile()) ::_exit(1);
            }
        }
        ASSERT_GT(pid, 0);
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
            ASSERT_EQ(file.document().Value(section, u"format", {}), QStringLiteral("false")) << "round " << round;
            ASSERT_EQ(file.document().Value(section, u"mode_1", {}), QStringLiteral("1920x1080p 60"));
        }
    }
}

// Write failures: the store reports them, the old file stays, the lists stay.
TEST_F(ProfileDurabilityTest, ReadOnlyFolderAndFullDiskAreReportedAndChangeNothing) {
    const struct {
        const char* name;
        std::function<bool()> setUp;  // in the child, before the store writes
        const char* reason;
    } cases[] = {
        {"read-only folder", [&] {
             ::chmod(QFile::encodeName(dir.path()).constData(), 0555);
             return test_support::DropRootPrivileges();
         }, "Permission denied"},
        {"full disk", [] { return test_support::LimitFileSize(100); }, "File too large"},
    };
    const QByteArray old = ManyProfiles(3);
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteRaw(path, old));
        const int status = test_support::RunInChild([&] {
            if (!c.setUp()) return 9;
            if (!store.LoadProfiles()) return 1;
            selection.at(keys::osd) = 0;
            const WriteOutcome saved = store.SaveProfile();
            const WriteOutcome added = store.AddProfile(QStringLiteral("new"));
            for (const WriteOutcome& o : {saved, added})
                if (o || !o.error.contains(QLatin1String(c.reason)) || !o.error.contains(dir.path())) return 2;
            if (store.profile_names.size() != 3 || store.current_profile != QStringLiteral("profile-p0")) return 3;
            return store.DeleteProfileSection(QStringLiteral("profile-p1")) ? 4 : 0;
        });
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        EXPECT_EQ(status, 0) << c.name;
        EXPECT_EQ(ReadAll(path), old) << c.name;
        EXPECT_EQ(Entries(), QStringList{"cfg.ini"}) << c.name;
    }
}

TEST_F(ProfileDurabilityTest, FirstUseInAReadOnlyFolderKeepsTheDefaultInMemory) {
    ::chmod(QFile::encodeName(dir.path()).constData(), 0555);
    const int status = test_support::RunInChild([&] {
        if (!test_support::DropRootPrivileges()) return 9;
        const WriteOutcome loaded = store.LoadProfiles();
        if (loaded || !loaded.error.contains(QLatin1String("Permission denied"))) return 1;
        return store.profile_names == QStringList{"default"} && selection.clock_sync == 1 ? 0 : 2;
    });
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(ProfileDurabilityTest, UnreadableFileIsReportedAndNeverOverwritten) {
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
    const struct {
        const char* name;
        std::function<void()> setUp;
        const char* reason;
    } cases[] = {
        {"directory at the path", [&] { ASSERT_TRUE(QDir().mkpath(path)); }, "Is a directory"},
        {"no permission", [&] {
             ASSERT_TRUE(WriteRaw(path, kFirstUseFile));
             ::chmod(QFile::encodeName(path).constData(), 0200);
         }, "Permission denied"},
    };
    for (const auto& c : cases) {
        c.setUp();
        const int status = test_support::RunInChild([&] {
            if (!test_support::DropRootPrivileges()) return 9;
            selection.at(keys::osd) = 0;
            const WriteOutcome loaded = store.LoadProfiles();
            if (loaded || !loaded.error.contains(QLatin1String(c.reason)) || !loaded.error.contains(path)) return 1;
            if (!store.profile_names.isEmpty() || store.current_profile != QStringLiteral("profile-default")) return 2;
            if (selection.index != SettingsSelection::Defaults().index || selection.clock_sync != 1) return 3;
            return store.SaveProfile() || store.ApplyProfile() ? 4 : 0;
        });
        EXPECT_EQ(status, 0) << c.name;
        EXPECT_EQ(Entries(), QStringList{"cfg.ini"}) << c.name;
        if (QFileInfo(path).isFile()) {
            EXPECT_EQ(ReadAll(path), kFirstUseFile) << c.name;
        }
        QFile::remove(path);
        QDir(path).removeRecursively();
    }
}

}  // namespace
