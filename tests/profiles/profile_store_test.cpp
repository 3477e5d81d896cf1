#include "profiles/profile_store.h"

#include "profile_files.h"
#include "profile_store_fixture.h"
#include "profiles/profile_key_order.h"

#include <gtest/gtest.h>

namespace {

using namespace profile_test;

using ProfileStoreTest = ProfileStoreFixture;

TEST_F(ProfileStoreTest, FirstUseCreatesTheDefaultProfile) {
    for (const ProfileFileAccess access : {ProfileFileAccess::kReadOnly, ProfileFileAccess::kReadWrite}) {
        selection = SettingsSelection();
        ASSERT_TRUE(store.LoadProfiles(access));
        EXPECT_EQ(QFile::exists(path), access == ProfileFileAccess::kReadWrite);
        EXPECT_EQ(store.profile_names, QStringList{"default"});
        EXPECT_EQ(store.profile_sections, QStringList{"profile-default"});
        EXPECT_EQ(store.current_profile, QStringLiteral("profile-default"));
        EXPECT_EQ(selection.index, SettingsSelection::Defaults().index);
        EXPECT_EQ(selection.clock_sync, 1);
    }
    EXPECT_EQ(ReadAll(path), kFirstUseFile);
}

struct LoadCase {
    const char* name;
    QByteArray file;
    QStringList names;
    std::vector<std::pair<SettingsKeyRef, int>> indexes;  // of the first profile
    int clock;
};

TEST_F(ProfileStoreTest, ListsAndAppliesTheFirstProfile) {
    const LoadCase cases[] = {
        {"first profile of the file, whatever last_cfg says",
         "[basic]\nlast_cfg=default\n[profile-night]\nmode_3=5M\nsync_clock=True\n[profile-default]\nmode_3=8M\n",
         {"night", "default"}, {{keys::mode_3, 3}, {keys::lightfreq, 0}, {keys::mode_1, 0}}, 1},
        {"other-case Basic is a profile; shown names cut to 16",
         "[basic]\n[Basic]\n[profile-abcdefghijklmnopqrst]\n", {"", "abcdefghijklmnop"}, {}, 0},
        {"only the first exact basic is dropped", "[basic]\n[basic]\n", {""}, {}, 0},
        {"texts match exactly and within the lookup limit",
         "[profile-x]\nosd=ON\nimage_iso=3200\nauto_shutdown=60Min\nimage_ev=+1.7\nsync_clock=1\n"
         "lightfreq=\"60Hz\"\nimage_wb=incencas\nauto_shoot=60s\n",
         {"x"},
         {{keys::osd, 0}, {keys::image_iso, 0}, {keys::auto_shutdown, 0}, {keys::image_ev, 11},
          {keys::lightfreq, 1}, {keys::image_wb, 2}, {keys::auto_shoot, 7}},
         0},
        {"sync_clock without regard to case", "[profile-x]\nsync_clock=true\n", {"x"}, {}, 1},
    };
    for (const LoadCase& c : cases) {
        ASSERT_TRUE(WriteRaw(path, c.file));
        selection.photo_lock_flags = burst_lock;
        ASSERT_TRUE(store.LoadProfiles()) << c.name;
        EXPECT_EQ(store.profile_names, c.names) << c.name;
        EXPECT_EQ(store.current_profile, store.profile_sections.value(0)) << c.name;
        for (const auto& [key, index] : c.indexes) EXPECT_EQ(selection.at(key), index) << c.name << " " << key.key;
        EXPECT_EQ(selection.clock_sync, c.clock) << c.name;
        EXPECT_EQ(selection.photo_lock_flags, burst_lock) << c.name;
        EXPECT_EQ(ReadAll(path), c.file) << c.name << ": reading never writes";
    }
}

TEST_F(ProfileStoreTest, FileWithoutProfilesGetsTheDefaultAndKeepsItsLines) {
    QByteArray lfFirstUse = kFirstUseFile;
    lfFirstUse.replace("\r\n", "\n");
    const QByteArray defaultSection = kFirstUseFile.mid(kFirstUseFile.indexOf("[profile-default]"));
    const struct {
        QByteArray before;
        QByteArray after;
    } cases[] = {
        {"", kFirstUseFile},
        {"[basic]\r\nlast_cfg=night\r\n", "[basic]\r\nlast_cfg=night\r\n" + defaultSection},
        {"not ini at all\n; note", "not ini at all\n; note\n" + lfFirstUse},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteRaw(path, c.before));
        ASSERT_TRUE(store.LoadProfiles());
        EXPECT_EQ(ReadAll(path), c.after);
        EXPECT_EQ(store.profile_names, QStringList{"default"});
    }
}

// Pulls record their order and change the page's keys as a user would.
class RecordingPages : public ProfilePages {
public:
    explicit RecordingPages(SettingsSelection& s) : selection(s) {}
    void PullPage(int section) override {
        pulled.push_back(section);
        if (section == kModeSection) selection.at(keys::mode_1) = -1;    // no radio selected
        if (section == kImageSection) selection.at(keys::image_wb) = 3;  // the fourth white-balance choice
        if (section == kSystemSection) selection.clock_sync = 0;
    }
    SettingsSelection& selection;
    std::vector<int> pulled;
};

TEST_F(ProfileStoreTest, SavePullsEachPageAndEqualsSingleWritesInKeyOrder) {
    const QByteArray before =
        "; kept\r\n[basic]\r\nlast_cfg=default\r\n[profile-a]\r\nosd = off\r\nlightfreq=50Hz\r\n; mine\r\n"
        "\r\n[unknown]\r\nx=1\r\n";
    ASSERT_TRUE(WriteRaw(path, before));
    const QString single = dir.path() + QStringLiteral("/single.ini");
    ASSERT_TRUE(WriteRaw(single, before));
    ASSERT_TRUE(store.LoadProfiles());
    selection.at(keys::osd) = 1;
    selection.at(keys::mic_vol) = 6;

    RecordingPages pages(selection);
    ProfileStore withPages(selection, &pages);
    withPages.cfg_path = path;
    withPages.current_profile = store.current_profile;
    ASSERT_TRUE(withPages.SaveProfile());
    EXPECT_EQ(pages.pulled, (std::vector<int>{kModeSection, kVideoSection, kImageSection, kPhotoSection, kSystemSection}));

    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.startsWith("; kept\r\n[basic]\r\nlast_cfg=default\r\n[profile-a]\r\nosd=on\r\nlightfreq=50Hz\r\n"
                                 "mode_1=2304x1296p 30\r\nmode_2=1280x720p 120\r\n"));
    EXPECT_TRUE(saved.endsWith("format=false\r\n; mine\r\n\r\n[unknown]\r\nx=1\r\n"));
    EXPECT_TRUE(saved.contains("\r\nmic_vol=100%\r\n"));
    EXPECT_TRUE(saved.contains("\r\nimage_wb=incencas\r\n"));
    EXPECT_TRUE(saved.contains("\r\nphoto_burst=off\r\nsync_clock=FALSE\r\nimage_rotate=normal\r\n"));

    store.cfg_path = single;
    for (const ProfileKey& pk : kProfileKeyOrder) {
        ASSERT_TRUE(IsSyncClock(pk.key) ? store.WriteSyncClock(selection.clock_sync)
                                        : store.WriteProfileOption(pk.key.section, pk.key.key, selection.at(pk.key)));
    }
    EXPECT_EQ(ReadAll(single), saved);
    EXPECT_EQ(store.ReadProfileOption(kImageSection, 2, 3), 2);
    EXPECT_EQ(store.ReadSyncClock(), 0);
}

TEST_F(ProfileStoreTest, AddFindDeleteAndExistence) {
    ASSERT_TRUE(WriteRaw(path, "[basic]\n[profile-a]\n[profile-abcdefghijklmnopqrst]\n[x]\n[PROFILE-A]\n"));
    ASSERT_TRUE(store.LoadProfiles());
    EXPECT_EQ(store.FindProfile(QStringLiteral("a")), 0);
    EXPECT_EQ(store.FindProfile(QStringLiteral("abcdefghijklmnopqrst")), 1);
    EXPECT_EQ(store.FindProfile(QStringLiteral("ABCDEFGHIJKLMNOPQRST")), 1);
    EXPECT_EQ(store.FindProfile(QStringLiteral("x")), -1);

    selection.at(keys::tvmode) = 1;
    ASSERT_TRUE(store.AddProfile(QStringLiteral("new")));
    EXPECT_EQ(store.current_profile, QStringLiteral("profile-new"));
    EXPECT_EQ(store.profile_names.last(), QStringLiteral("new"));
    EXPECT_TRUE(ReadAll(path).contains("[PROFILE-A]\n[profile-new]\nmode_1=2304x1296p 30\nmode_2="));
    EXPECT_TRUE(ReadAll(path).contains("\ntvmode=pal\n"));

    QString error;
    EXPECT_TRUE(store.SectionExists(QStringLiteral("Profile-A"), &error));
    ASSERT_TRUE(store.DeleteProfileSection(QStringLiteral("profile-a")));
    EXPECT_FALSE(store.SectionExists(QStringLiteral("PROFILE-A"), &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(ReadAll(path).startsWith("[basic]\n[profile-abcdefghijklmnopqrst]\n[x]\n[profile-new]\n"));
    EXPECT_EQ(store.profile_names.size(), 5) << "the lists are the caller's";

    EXPECT_FALSE(ProfileStore::CheckProfileName(QStringLiteral("two\nlines"), &error));
    EXPECT_FALSE(store.AddProfile(QStringLiteral("two\nlines")));
    EXPECT_EQ(store.current_profile, QStringLiteral("profile-new"));
    EXPECT_EQ(store.profile_names.size(), 5);
}

TEST_F(ProfileStoreTest, ListsEveryOneOfTwoThousandProfiles) {
    ASSERT_TRUE(WriteRaw(path, ManyProfiles(2000)));
    ASSERT_TRUE(store.LoadProfiles());
    ASSERT_EQ(store.profile_names.size(), 2000);
    EXPECT_EQ(store.profile_names.first(), QStringLiteral("p0"));
    EXPECT_EQ(store.profile_names.last(), QStringLiteral("p1999"));
}

TEST(ProfileStoreNames, ShownNameIsPositional) {
    EXPECT_EQ(ProfileStore::ShownName(QStringLiteral("profile-")), QString());
    EXPECT_EQ(ProfileStore::ShownName(QStringLiteral("my-prof-night")), QStringLiteral("night"));
    // A character outside the BMP is not cut in half at the 16-unit limit.
    const QString name = QString(15, u'a') + QString::fromUtf16(u"\U0001F600");
    EXPECT_EQ(ProfileStore::ShownName(ProfileStore::SectionForName(name)), QString(15, u'a'));
}

}  // namespace
