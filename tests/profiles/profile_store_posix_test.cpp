// The store against a hostile disk, on POSIX systems: one replacement per
// save (a file rewritten in place, which a kill would leave half written,
// shows as none), read-only folders and full disks.

#include "profile_test_files.h"
#include "support/child_process.h"

#include <sys/inotify.h>
#include <sys/stat.h>

namespace quillmar {

namespace {

using namespace profile_test;
using test_support::ReadBytes;
using test_support::WriteBytes;

// How many times cfg.ini was renamed into the folder while `action` ran.
int RenamesOfCfg(const std::filesystem::path& folder, const std::function<void()>& action) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(fd, folder.c_str(), IN_MOVED_TO);
    action();
    int renames = 0;
    alignas(inotify_event) char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        for (char* p = buffer; p < buffer + n; p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
            renames += std::string_view(reinterpret_cast<inotify_event*>(p)->name) == "cfg.ini";
    return ::close(fd), renames;
}

TEST_F(ProfileStoreTest, AllOf2000ProfilesAreListedAndASaveReplacesTheFileOnce) {
    ASSERT_TRUE(WriteBytes(path_, ManyProfiles(2000)));
    ASSERT_TRUE(store_.LoadProfiles());
    EXPECT_TRUE(store_.ProfileNames().size() == 2000 && store_.ProfileNames().back() == "p1999");
    store_.SelectProfile(1500);
    selection_ = SettingsSelection();  // differs from the stored defaults in many keys
    EXPECT_EQ(RenamesOfCfg(dir_.Path(), [&] { ASSERT_TRUE(store_.SaveProfile()); }), 1);
    EXPECT_EQ(RenamesOfCfg(dir_.Path(), [&] { ASSERT_TRUE(store_.SaveProfile()); }), 0) << "nothing changed";
    EXPECT_EQ(RenamesOfCfg(dir_.Path(), [&] { ASSERT_TRUE(store_.ApplyProfile()); }), 0);
}

TEST_F(ProfileStoreTest, WriteFailuresAreReportedAndChangeNothing) {
    const std::pair<std::function<bool()>, const char*> cases[] = {
        {[&] { return ::chmod(dir_.Path().c_str(), 0555), test_support::DropRootPrivileges(); },
         "Permission denied"},                                                // read-only folder
        {[] { return test_support::LimitFileSize(100); }, "File too large"},  // full disk
    };
    const std::string old = ManyProfiles(3);
    for (const auto& [setUp, reason] : cases) {
        ASSERT_TRUE(WriteBytes(path_, old));
        // Bindings captured by name, for compilers that do not capture them implicitly.
        const int status = test_support::RunInChild([&, &setUp = setUp, &reason = reason] {
            if (!setUp() || !store_.LoadProfiles()) return 9;
            selection_.At(keys::kOsd) = 0;
            for (const WriteOutcome& o : {store_.SaveProfile(), store_.AddProfile("new")})
                if (o || o.error.find(reason) == std::string::npos ||
                    o.error.find(dir_.Path().string()) == std::string::npos)
                    return 1;
            if (store_.ProfileNames().size() != 3 || store_.CurrentProfile() != "profile-p0") return 2;
            ProfileStore firstUseStore((dir_.Path() / "first-use.ini").string(), selection_);
            const WriteOutcome firstUse = firstUseStore.LoadProfiles();
            return !firstUse && firstUseStore.ProfileNames() == std::vector<std::string>{"default"} ? 0 : 3;
        });
        ::chmod(dir_.Path().c_str(), 0700);
        EXPECT_EQ(status, 0) << reason;
        EXPECT_EQ(ReadBytes(path_), old) << reason;
        std::vector<std::string> entries = test_support::FolderNames(dir_.Path());
        // The writers' lock files may stay; no temporary may.
        std::erase_if(entries, [](const std::string& e) { return e == ".cfg.ini.lock" || e == ".first-use.ini.lock"; });
        EXPECT_EQ(entries, std::vector<std::string>{"cfg.ini"}) << reason;
    }
}

}  // namespace

}  // namespace quillmar
