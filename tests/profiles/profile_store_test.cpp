#include "profiles/profile_store.h"

#include "platform/ini_file.h"
#include "platform/path_text.h"
#include "profile_files.h"
#include "support/scratch_files.h"

#ifndef _WIN32
#include "support/child_process.h"

#include <sys/inotify.h>
#endif

namespace quillmar {

namespace {

using namespace profile_test;
using namespace test_support;
using Names = std::vector<std::string>;

// `count` profiles "p0".."pN", each a copy of the default profile.
std::string ManyProfiles(int count) {
    std::string file = "[basic]\r\nlast_cfg=default\r\n";
    for (int i = 0; i < count; ++i)
        file += "[profile-p" + std::to_string(i) + "]\r\n" + kFirstUseFile.substr(kFirstUseFile.find("mode_1="));
    return file;
}

// A store on cfg.ini in a fresh temporary folder.
class ProfileStoreTest : public ::testing::Test {
protected:
    ScratchFolder dir_;
    std::filesystem::path path_ = dir_.path / "cfg.ini";
    SettingsSelection selection_;
    ProfileStore store_{PathText(path_), selection_};
};

TEST_F(ProfileStoreTest, FirstUseAndFilesWithoutProfilesGetTheDefaultProfileAndKeepTheirLines) {
    std::string lfFirstUse = kFirstUseFile;
    std::erase(lfFirstUse, '\r');
    const std::string defaultSection = kFirstUseFile.substr(kFirstUseFile.find("[profile-default]"));
    for (const auto& [before, after] : {std::pair<const char*, std::string>{nullptr, kFirstUseFile},  // no file
                                        {"", kFirstUseFile},
                                        {"[basic]\r\nlast_cfg=x\r\n", "[basic]\r\nlast_cfg=x\r\n" + defaultSection},
                                        {"not ini\n; note", "not ini\n; note\n" + lfFirstUse}}) {
        ASSERT_TRUE(before == nullptr || WriteBytes(path_, before));
        selection_ = SettingsSelection();
        ASSERT_TRUE(store_.LoadProfiles());
        EXPECT_EQ(ReadBytes(path_), after);
        EXPECT_EQ(store_.ProfileNames(), Names{"default"});
        EXPECT_EQ(selection_.index, SettingsSelection::Defaults().index);
        EXPECT_EQ(selection_.clock_sync, 1);
    }
}

// The order of profiles, "Basic", 20-letter names, missing keys, osd=ON and
// sync_clock=true are read through quillmar-cli in tests/cli.
TEST_F(ProfileStoreTest, AppliesTheFirstProfileAndLeavesTheFileAlone) {
    const std::string file =
        "[profile-x]\nosd=ON\nimage_iso=3200\nauto_shutdown=60Min\nsync_clock=1\nlightfreq=\"60Hz\"\n"
        "auto_shoot=60s\nphoto_burst=5p\n[basic]\n[basic]\n";  // only the first exact "basic" is not a profile
    ASSERT_TRUE(WriteBytes(path_, file));
    selection_.photo_lock_flags = kShootLock;
    selection_.clock_sync = 1;
    ASSERT_TRUE(store_.LoadProfiles());
    EXPECT_EQ(store_.ProfileNames(), (Names{"x", ""}));
    EXPECT_EQ(store_.CurrentProfile(), "profile-x");
    const std::pair<SettingsKeyRef, int> applied[] = {{keys::kOsd, 0},          {keys::kImageIso, 0},
                                                      {keys::kAutoShutdown, 0}, {keys::kLightfreq, 1},
                                                      {keys::kAutoShoot, 0},    {keys::kPhotoBurst, 2}};
    for (const auto& [key, index] : applied) EXPECT_EQ(selection_.At(key), index) << key.section << " " << key.key;
    EXPECT_EQ(selection_.clock_sync, 0);
    EXPECT_EQ(selection_.photo_lock_flags, kBurstLock) << "both on: the burst, whatever was clicked before";
    EXPECT_EQ(ReadBytes(path_), file);
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
        WriteBytes(path_, "; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\n; mine\r\n\r\n[x]\r\nk=1\r\n"));
    RecordingPages pages(selection_);
    ProfileStore withPages(PathText(path_), selection_, &pages);
    ASSERT_TRUE(withPages.LoadProfiles());
    ASSERT_TRUE(withPages.SaveProfile());
    EXPECT_EQ(pages.pulled,
              (std::vector<int>{kModeSection, kVideoSection, kImageSection, kPhotoSection, kSystemSection}));
    const std::string saved = ReadBytes(path_);
    EXPECT_TRUE(saved.starts_with("; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\nmode_1=2304x1296p 30\r\n"));
    EXPECT_TRUE(saved.find("\r\nimage_wb=incencas\r\n") != std::string::npos &&
                saved.find("\r\nop_beep=off\r\nformat=false\r\n; mine\r\n\r\n[x]\r\nk=1\r\n") != std::string::npos)
        << saved;
}

// Another program changes the file between our load and our writes: each
// write and lookup starts from the file as it is then, and a new profile never
// overwrites one of the same name that appeared meanwhile. The list mutators
// ignore positions the lists do not have.
TEST_F(ProfileStoreTest, WritesAndLookupsStartFromTheFileAsAnotherProgramLeftIt) {
    ASSERT_TRUE(WriteBytes(path_, ManyProfiles(2)));
    ASSERT_TRUE(store_.LoadProfiles());
    for (const int index : {-1, 2}) store_.SelectProfile(index), store_.UnlistProfile(index);
    ASSERT_TRUE(IniWriteString(path_, "profile-p1", "osd", "off") && IniDeleteSection(path_, "profile-p0") &&
                IniWriteString(path_, "profile-new", "osd", "off"));
    const std::string theirs = ReadBytes(path_);
    const Result<bool> present = store_.SectionExists("PROFILE-P1"), absent = store_.SectionExists("profile-p0");
    EXPECT_TRUE(present && present.value && absent && !absent.value);

    const WriteOutcome added = store_.AddProfile("NEW");  // names match without regard to case
    EXPECT_FALSE(added);
    EXPECT_NE(added.error.find("another program"), std::string::npos) << added.error;
    EXPECT_EQ(store_.CurrentProfile(), "profile-p0");
    EXPECT_EQ(store_.ProfileNames(), (Names{"p0", "p1"}));
    EXPECT_EQ(ReadBytes(path_), theirs);

    ASSERT_TRUE(store_.RefreshProfileList());
    EXPECT_EQ(store_.ProfileNames(), (Names{"p1", "new"}));
    EXPECT_EQ(store_.CurrentProfile(), "profile-p0") << "the current profile stays, though gone";
    selection_.At(keys::kTvmode) = 1;
    ASSERT_TRUE(store_.SaveProfile());  // brings p0 back, at the end
    const std::string saved = ReadBytes(path_), tail = saved.substr(theirs.size());
    EXPECT_TRUE(saved.starts_with(theirs) && tail.starts_with("[profile-p0]\r\nmode_1="));
    EXPECT_NE(tail.find("\r\ntvmode=pal\r\n"), std::string::npos);
    store_.UnlistProfile(0);
    EXPECT_EQ(store_.ProfileSections(), Names{"profile-new"});

    ASSERT_TRUE(std::filesystem::remove(path_) && std::filesystem::create_directory(path_));  // no file at the path
    const Result<bool> unreadable = store_.SectionExists("profile-p0");
    EXPECT_TRUE(!unreadable && unreadable.outcome.error.find(PathText(path_)) != std::string::npos)
        << unreadable.outcome.error;
}

#ifndef _WIN32
// The store against a hostile disk, on POSIX systems: one replacement per
// save (a file rewritten in place, which a kill would leave half written,
// shows as none), read-only folders and full disks.

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
    EXPECT_EQ(RenamesOfCfg(dir_.path, [&] { ASSERT_TRUE(store_.SaveProfile()); }), 1);
    EXPECT_EQ(RenamesOfCfg(dir_.path, [&] { ASSERT_TRUE(store_.SaveProfile()); }), 0) << "nothing changed";
    EXPECT_EQ(RenamesOfCfg(dir_.path, [&] { ASSERT_TRUE(store_.ApplyProfile()); }), 0);
}

TEST_F(ProfileStoreTest, WriteFailuresAreReportedAndChangeNothing) {
    const std::pair<std::function<bool()>, const char*> cases[] = {
        {[&] { return std::filesystem::permissions(dir_.path, std::filesystem::perms{0555}), DropRootPrivileges(); },
         "Permission denied"},                                  // read-only folder
        {[] { return LimitFileSize(100); }, "File too large"},  // full disk
    };
    const std::string old = ManyProfiles(3), folder = PathText(dir_.path);
    for (const auto& [setUp, reason] : cases) {
        ASSERT_TRUE(WriteBytes(path_, old));
        // Bindings captured by name, for compilers that do not capture them implicitly.
        const int status = RunInChild([&, &setUp = setUp, &reason = reason] {
            if (!setUp() || !store_.LoadProfiles()) return 9;
            selection_.At(keys::kOsd) = 0;
            for (const WriteOutcome& o : {store_.SaveProfile(), store_.AddProfile("new")})
                if (o || o.error.find(reason) == std::string::npos || o.error.find(folder) == std::string::npos)
                    return 1;
            if (store_.ProfileNames().size() != 3 || store_.CurrentProfile() != "profile-p0") return 2;
            ProfileStore firstUseStore(PathText(dir_.path / "first-use.ini"), selection_);
            const WriteOutcome firstUse = firstUseStore.LoadProfiles();
            return !firstUse && firstUseStore.ProfileNames() == std::vector<std::string>{"default"} ? 0 : 3;
        });
        std::filesystem::permissions(dir_.path, std::filesystem::perms::owner_all);
        EXPECT_EQ(status, 0) << reason;
        EXPECT_EQ(ReadBytes(path_), old) << reason;
        for (const auto& entry :
             std::filesystem::directory_iterator(dir_.path))  // the writers' lock files may stay; no temporary may
            EXPECT_TRUE(entry.path().filename() == "cfg.ini" || entry.path().extension() == ".lock") << entry.path();
    }
}
#endif

}  // namespace

}  // namespace quillmar
