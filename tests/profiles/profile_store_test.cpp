#include "profiles/profile_store.h"

#include "platform/ini_file.h"
#include "profile_test_files.h"
#include "profiles/profile_key_order.h"

namespace quillmar {

namespace {

using namespace profile_test;
using test_support::ReadBytes;
using test_support::WriteBytes;
using Names = std::vector<std::string>;

TEST_F(ProfileStoreTest, FirstUseAndFilesWithoutProfilesGetTheDefaultProfileAndKeepTheirLines) {
    std::string lfFirstUse;
    for (const char c : kFirstUseText)
        if (c != '\r') lfFirstUse += c;
    const std::string defaultSection = kFirstUseText.substr(kFirstUseText.find("[profile-default]"));
    for (const auto& [before, after] : {std::pair<const char*, std::string>{nullptr, kFirstUseText},  // no file
                                        {"", kFirstUseText},
                                        {"[basic]\r\nlast_cfg=x\r\n", "[basic]\r\nlast_cfg=x\r\n" + defaultSection},
                                        {"not ini\n; note", "not ini\n; note\n" + lfFirstUse}}) {
        ASSERT_TRUE(before == nullptr || WriteBytes(path_, before));
        selection_ = SettingsSelection();
        ASSERT_TRUE(store_.LoadProfiles());
        EXPECT_EQ(ReadBytes(path_), after);
        EXPECT_EQ(store_.ProfileNames(), Names{"default"});
        EXPECT_EQ(store_.CurrentProfile(), "profile-default");
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
    for (const auto& [key, index] : {std::pair{keys::kOsd, 0},
                                     {keys::kImageIso, 0},
                                     {keys::kAutoShutdown, 0},
                                     {keys::kLightfreq, 1},
                                     {keys::kAutoShoot, 0},
                                     {keys::kPhotoBurst, 2}})
        EXPECT_EQ(selection_.At(key), index) << key.section << " " << key.key;
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

TEST_F(ProfileStoreTest, SavePullsEachPageAndEqualsSingleWritesInKeyOrder) {
    const std::string before = "; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\n; mine\r\n\r\n[x]\r\nk=1\r\n";
    const std::filesystem::path single = dir_.Path() / "single.ini";
    ASSERT_TRUE(WriteBytes(path_, before) && WriteBytes(single, before));
    ASSERT_TRUE(store_.LoadProfiles());
    ProfileStore singleStore(PathText(single), selection_);
    ASSERT_TRUE(singleStore.LoadProfiles());  // the same text: the same selection and profile
    RecordingPages pages(selection_);
    ProfileStore withPages(PathText(path_), selection_, &pages);
    ASSERT_TRUE(withPages.LoadProfiles());
    ASSERT_TRUE(withPages.SaveProfile());
    EXPECT_EQ(pages.pulled,
              (std::vector<int>{kModeSection, kVideoSection, kImageSection, kPhotoSection, kSystemSection}));
    const std::string saved = ReadBytes(path_);
    EXPECT_TRUE(saved.starts_with("; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\nmode_1=2304x1296p 30\r\n"));
    EXPECT_TRUE(saved.find("\r\nimage_wb=incencas\r\n") != std::string::npos);

    for (const ProfileKey& pk : kProfileKeyOrder) {
        ASSERT_TRUE(IsSyncClock(pk.key)
                        ? singleStore.WriteSyncClock(selection_.clock_sync)
                        : singleStore.WriteProfileOption(pk.key.section, pk.key.key, selection_.At(pk.key)));
    }
    EXPECT_EQ(ReadBytes(single), saved);
}

// Another program changes the file between our load and our writes: each
// write starts from the file as it is then, and a new profile never
// overwrites one of the same name that appeared meanwhile.
TEST_F(ProfileStoreTest, WritesStartFromTheFileAsAnotherProgramLeftIt) {
    ASSERT_TRUE(WriteBytes(path_, ManyProfiles(2)));
    ASSERT_TRUE(store_.LoadProfiles());
    ASSERT_TRUE(IniWriteString(path_, "profile-p1", "osd", "off") && IniDeleteSection(path_, "profile-p0") &&
                IniWriteString(path_, "profile-new", "osd", "off"));
    const std::string theirs = ReadBytes(path_);

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
    const std::string saved = ReadBytes(path_);
    EXPECT_TRUE(saved.starts_with(theirs) && saved.substr(theirs.size()).starts_with("[profile-p0]\r\nmode_1="));
    EXPECT_NE(saved.find("\r\ntvmode=pal\r\n", theirs.size()), std::string::npos);
}

// Lookups tell a section the file lacks from a file that cannot be read, and
// the list mutators ignore positions the lists do not have.
TEST_F(ProfileStoreTest, LookupsReportAnUnreadableFileAndListChangesStayInRange) {
    ASSERT_TRUE(WriteBytes(path_, ManyProfiles(2)));
    ASSERT_TRUE(store_.LoadProfiles());
    const Result<bool> present = store_.SectionExists("PROFILE-P1");
    const Result<bool> absent = store_.SectionExists("profile-p2");
    EXPECT_TRUE(present && present.value);
    EXPECT_TRUE(absent && !absent.value);
    for (const int index : {-1, 2}) {
        store_.SelectProfile(index);
        store_.UnlistProfile(index);
        EXPECT_EQ(store_.CurrentProfile(), "profile-p0") << index;
        EXPECT_EQ(store_.ProfileSections(), (Names{"profile-p0", "profile-p1"})) << index;
    }
    store_.UnlistProfile(0);
    EXPECT_EQ(store_.ProfileNames(), Names{"p1"});

    ASSERT_TRUE(std::filesystem::remove(path_) && std::filesystem::create_directory(path_));  // no file there
    const Result<bool> unreadable = store_.SectionExists("profile-p0");
    const Result<int> option = store_.ReadProfileOption(keys::kOsd.section, keys::kOsd.key, 2);
    EXPECT_FALSE(unreadable);
    EXPECT_NE(unreadable.outcome.error.find(PathText(path_)), std::string::npos) << unreadable.outcome.error;
    EXPECT_FALSE(option);
    EXPECT_EQ(option.value, 0);
}

}  // namespace

}  // namespace quillmar
