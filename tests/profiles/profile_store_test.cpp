#include "profiles/profile_store.h"

#include "profile_files.h"
#include "profiles/profile_key_order.h"

namespace {

using namespace profile_test;
using ProfileStoreTest = ProfileStoreFixture;

TEST_F(ProfileStoreTest, FirstUseCreatesTheDefaultProfile) {
    for (const ProfileFileAccess access : {ProfileFileAccess::kReadOnly, ProfileFileAccess::kReadWrite}) {
        selection = SettingsSelection();
        ASSERT_TRUE(store.LoadProfiles(access));
        EXPECT_EQ(QFile::exists(path), access == ProfileFileAccess::kReadWrite);
        EXPECT_EQ(store.profile_names, QStringList{"default"});
        EXPECT_EQ(store.current_profile, QStringLiteral("profile-default"));
        EXPECT_EQ(selection.index, SettingsSelection::Defaults().index);
        EXPECT_EQ(selection.clock_sync, 1);
    }
    EXPECT_EQ(ReadAll(path), kFirstUseFile);
}

TEST_F(ProfileStoreTest, ListsAndAppliesTheFirstProfile) {
    const struct {
        const char* name;
        QByteArray file;
        QStringList names;
        std::vector<std::pair<SettingsKeyRef, int>> indexes;  // of the first profile
        int clock;
    } cases[] = {
        {"first profile, whatever last_cfg says",
         "[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nsync_clock=True\n[profile-default]\nmode_3=8M\n",
         {"night", "default"}, {{keys::mode_3, 3}, {keys::lightfreq, 0}, {keys::mode_1, 0}}, 1},
        {"Basic is a profile, names cut to 16 whole characters",
         "[basic]\n[Basic]\n[profile-abcdefghijklmnopqrst]\n[profile-aaaaaaaaaaaaaaa\xF0\x9F\x98\x80]\n",
         {"", "abcdefghijklmnop", "aaaaaaaaaaaaaaa"}, {}, 0},
        {"only the first exact basic is dropped", "[basic]\n[basic]\n", {""}, {}, 0},
        {"texts match exactly, within the lookup limit",
         "[profile-x]\nosd=ON\nimage_iso=3200\nauto_shutdown=60Min\nsync_clock=1\nlightfreq=\"60Hz\"\nauto_shoot=60s\n",
         {"x"},
         {{keys::osd, 0}, {keys::image_iso, 0}, {keys::auto_shutdown, 0}, {keys::lightfreq, 1}, {keys::auto_shoot, 7}},
         0},
        {"sync_clock without regard to case", "[profile-x]\nsync_clock=true\n", {"x"}, {}, 1},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteRaw(path, c.file));
        selection.photo_lock_flags = burst_lock;
        ASSERT_TRUE(store.LoadProfiles()) << c.name;
        EXPECT_EQ(store.profile_names, c.names) << c.name;
        EXPECT_EQ(store.current_profile, store.profile_sections.value(0)) << c.name;
        for (const auto& [key, index] : c.indexes) EXPECT_EQ(selection.at(key), index) << c.name << " " << key.key;
        EXPECT_EQ(selection.clock_sync, c.clock) << c.name;
        EXPECT_EQ(selection.photo_lock_flags, burst_lock) << c.name;
        EXPECT_EQ(ReadAll(path), c.file) << c.name;
    }
    ASSERT_TRUE(WriteRaw(path, ManyProfiles(2000)));
    ASSERT_TRUE(store.LoadProfiles());
    EXPECT_EQ(store.profile_names.size(), 2000);
    EXPECT_EQ(store.profile_names.last(), QStringLiteral("p1999"));
}

TEST_F(ProfileStoreTest, FileWithoutProfilesGetsTheDefaultAndKeepsItsLines) {
    QByteArray lfFirstUse = kFirstUseFile;
    lfFirstUse.replace("\r\n", "\n");
    const QByteArray defaultSection = kFirstUseFile.mid(kFirstUseFile.indexOf("[profile-default]"));
    for (const auto& [before, after] : {std::pair<QByteArray, QByteArray>{"", kFirstUseFile},
                                        {"[basic]\r\nlast_cfg=x\r\n", "[basic]\r\nlast_cfg=x\r\n" + defaultSection},
                                        {"not ini\n; note", "not ini\n; note\n" + lfFirstUse}}) {
        ASSERT_TRUE(WriteRaw(path, before));
        ASSERT_TRUE(store.LoadProfiles());
        EXPECT_EQ(ReadAll(path), after);
        EXPECT_EQ(store.profile_names, QStringList{"default"});
    }
}

// Pulls record their order and change the page's keys as a user would.
struct RecordingPages : ProfilePages {
    explicit RecordingPages(SettingsSelection& s) : selection(s) {}
    void PullPage(int section) override {
        pulled.push_back(section);
        if (section == kModeSection) selection.at(keys::mode_1) = -1;    // no radio selected
        if (section == kImageSection) selection.at(keys::image_wb) = 3;  // the fourth white-balance choice
    }
    SettingsSelection& selection;
    std::vector<int> pulled;
};

TEST_F(ProfileStoreTest, SavePullsEachPageAndEqualsSingleWritesInKeyOrder) {
    const QByteArray before = "; kept\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\n; mine\r\n\r\n[x]\r\nk=1\r\n";
    const QString single = dir.path() + QStringLiteral("/single.ini");
    ASSERT_TRUE(WriteRaw(path, before) && WriteRaw(single, before));
    ASSERT_TRUE(store.LoadProfiles());
    RecordingPages pages(selection);
    ProfileStore withPages(selection, &pages);
    withPages.cfg_path = path;
    withPages.current_profile = store.current_profile;
    ASSERT_TRUE(withPages.SaveProfile());
    EXPECT_EQ(pages.pulled, (std::vector<int>{kModeSection, kVideoSection, kImageSection, kPhotoSection, kSystemSection}));
    EXPECT_TRUE(ReadAll(path).contains("\r\nlightfreq=50Hz\r\nmode_1=2304x1296p 30\r\n"));
    EXPECT_TRUE(ReadAll(path).contains("\r\nimage_wb=incencas\r\n"));

    store.cfg_path = single;
    for (const ProfileKey& pk : kProfileKeyOrder) {
        ASSERT_TRUE(IsSyncClock(pk.key) ? store.WriteSyncClock(selection.clock_sync)
                                        : store.WriteProfileOption(pk.key.section, pk.key.key, selection.at(pk.key)));
    }
    EXPECT_EQ(ReadAll(single), ReadAll(path));
}

TEST_F(ProfileStoreTest, AddAndDelete) {
    ASSERT_TRUE(WriteRaw(path, "[profile-a]\n[profile-abcdefghijklmnopqrst]\n[PROFILE-A]\n"));
    ASSERT_TRUE(store.LoadProfiles());
    EXPECT_EQ(store.FindProfile(QStringLiteral("ABCDEFGHIJKLMNOPQRST")), 1);
    EXPECT_FALSE(store.AddProfile(QStringLiteral("two\nlines")));
    EXPECT_EQ(store.profile_names.size(), 3);
    ASSERT_TRUE(store.AddProfile(QStringLiteral("new")));
    ASSERT_TRUE(store.DeleteProfileSection(QStringLiteral("Profile-A")));
    EXPECT_TRUE(ReadAll(path).startsWith("[profile-abcdefghijklmnopqrst]\n[profile-new]\nmode_1="));
    EXPECT_EQ(store.profile_names.last(), QStringLiteral("new"));
}

}  // namespace
