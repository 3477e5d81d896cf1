#include "settings/camera_conf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char kDefaultFile[] =
    "enable_cfg=true\r\nmode_1=1920x1080p 60\r\nmode_2=1280x720p 120\r\nmode_3=16M\r\n"
    "video_quality=sfine\r\nfov=wide\r\ntimelapse=off\r\nvideo_stamp=off\r\nmic_vol=80%\r\n"
    "auto_rec=off\r\nloop_rec=off\r\nrec_beep=off\r\nimage_meter=center\r\nimage_iso=auto\r\n"
    "image_wb=auto\r\nimage_ev=0.0\r\nimage_sharpness=3\r\nphoto_quality=sfine\r\n"
    "photo_stamp=off\r\nauto_shoot=3s\r\nphoto_burst=off\r\nimage_rotate=normal\r\n"
    "tvmode=ntsc\r\nlightfreq=60Hz\r\nauto_shutdown=3Min\r\ndatefmt=ymd\r\nosd=on\r\n"
    "op_beep=on\r\nformat=false\r\n";

// Sets TZ for the scope of one test.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (hadOld_) setenv("TZ", old_.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

QString Line(const QString& text, const QString& key) {
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        if (line.startsWith(key + u'=')) return line.mid(key.size() + 1);
    return QStringLiteral("<missing>");
}

TEST(BuildCameraConfText, DefaultsGiveTheExact29Lines) {
    const QString text = BuildCameraConfText(SettingsSelection::Defaults(0), 0);
    EXPECT_EQ(text, QString::fromLatin1(kDefaultFile));
    EXPECT_EQ(text.toLocal8Bit().size(), 462);
}

TEST(BuildCameraConfText, ClockLineIsLocalTimeZeroPadded) {
    // 2025-03-07 09:04:05 UTC.
    const std::time_t t = 1741338245;
    struct Case {
        const char* tz;
        const char* expected;
    } cases[] = {{"UTC0", "2025-03-07 09:04:05"},
                 {"JST-9", "2025-03-07 18:04:05"},
                 {"EST5", "2025-03-07 04:04:05"}};
    for (const Case& c : cases) {
        ScopedTimeZone zone(c.tz);
        const QString text = BuildCameraConfText(SettingsSelection::Defaults(1), t);
        EXPECT_EQ(text.size(), 494) << c.tz;
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nformat=false\r\nsync_clock=%1\r\n").arg(QLatin1String(c.expected))))
            << c.tz << ": " << text.right(40).toStdString();
    }
}

struct LockCase {
    uint8_t flags;
    int autoShoot;
    int burst;
    const char* writtenShoot;
    const char* writtenBurst;
};

class BurstAndAutoShootRule : public ::testing::TestWithParam<LockCase> {};

TEST_P(BurstAndAutoShootRule, WritesTheOtherGroupOffWhileTheLockingGroupIsOn) {
    const LockCase& c = GetParam();
    SettingsSelection s = SettingsSelection::Defaults();
    s.photo_lock_flags = c.flags;
    s.at(keys::auto_shoot) = c.autoShoot;
    s.at(keys::photo_burst) = c.burst;
    const QString text = BuildCameraConfText(s, 0);
    EXPECT_EQ(Line(text, QStringLiteral("auto_shoot")), QLatin1String(c.writtenShoot));
    EXPECT_EQ(Line(text, QStringLiteral("photo_burst")), QLatin1String(c.writtenBurst));
    // The rule changes only what is written.
    EXPECT_EQ(s.at(keys::auto_shoot), c.autoShoot);
    EXPECT_EQ(s.at(keys::photo_burst), c.burst);
}

INSTANTIATE_TEST_SUITE_P(Cases, BurstAndAutoShootRule,
                         ::testing::Values(LockCase{burst_lock, 3, 2, "off", "5p"},
                                           LockCase{shoot_lock, 3, 2, "3s", "off"},
                                           LockCase{0, 3, 2, "3s", "5p"},
                                           LockCase{burst_lock, 4, 0, "5s", "off"},
                                           LockCase{shoot_lock, 0, 4, "off", "20p"},
                                           LockCase{burst_lock, 0, 0, "off", "off"}));

TEST(BuildCameraConfText, LineOrderPutsImageBeforePhotoAndStampBeforeAutoShoot) {
    const QStringList lines = BuildCameraConfText(SettingsSelection::Defaults(), 0).split(QStringLiteral("\r\n"));
    QStringList names;
    for (const QString& l : lines) names << l.section(u'=', 0, 0);
    EXPECT_LT(names.indexOf(QStringLiteral("image_sharpness")), names.indexOf(QStringLiteral("photo_quality")));
    EXPECT_EQ(names.indexOf(QStringLiteral("photo_stamp")) + 1, names.indexOf(QStringLiteral("auto_shoot")));
    EXPECT_EQ(names.indexOf(QStringLiteral("auto_shoot")) + 1, names.indexOf(QStringLiteral("photo_burst")));
}

SettingsSelection LongestSelection() {
    SettingsSelection s;
    for (int section = 0; section < kSectionCount; ++section)
        for (int key = 0; key < KeyCount(section); ++key) {
            int best = 0;
            for (int i = 0; i < OptionCount(section, key); ++i)
                if (OptionText(section, key, i).size() > OptionText(section, key, best).size()) best = i;
            s.at(section, key) = best;
        }
    return s;
}

TEST(BuildCameraConfText, LongestTextIs491And523WithClock) {
    SettingsSelection s = LongestSelection();
    EXPECT_EQ(BuildCameraConfText(s, 0).size(), 491);
    s.clock_sync = 1;
    EXPECT_EQ(BuildCameraConfText(s, 0).size(), 523);
}

TEST(BuildCameraConfText, IndexesOutsideTheListAreClamped) {
    SettingsSelection s = SettingsSelection::Defaults();
    s.at(keys::image_wb) = 3;    // the Image page's fourth white-balance choice
    s.at(keys::image_iso) = -1;  // a group with nothing selected
    s.at(keys::image_ev) = 99;
    const QString text = BuildCameraConfText(s, 0);
    EXPECT_EQ(Line(text, QStringLiteral("image_wb")), QStringLiteral("incencas"));
    EXPECT_EQ(Line(text, QStringLiteral("image_iso")), QStringLiteral("auto"));
    EXPECT_EQ(Line(text, QStringLiteral("image_ev")), QStringLiteral("+2.0"));
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

TEST(WriteCameraConf, WritesTheWholeLongestTextAndReplacesALongerFile) {
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    QFile old(root + QStringLiteral("camera.conf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(4096, 'x'));
    old.close();

    SettingsSelection s = LongestSelection();
    s.clock_sync = 1;
    const QString text = BuildCameraConfText(s, 0);
    ASSERT_TRUE(WriteCameraConf(root, text)) << WriteCameraConf(root, text).error.toStdString();
    const QByteArray bytes = ReadAll(root + QStringLiteral("camera.conf"));
    EXPECT_EQ(bytes.size(), 523);
    EXPECT_EQ(bytes, text.toLatin1());
    EXPECT_EQ(QDir(root).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary left";
}

TEST(WriteCameraConf, EmptyRootWritesIntoTheWorkingDirectory) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const WriteOutcome outcome = WriteCameraConf(QString(), QStringLiteral("enable_cfg=true\r\n"));
    QDir::setCurrent(previous);
    ASSERT_TRUE(outcome) << outcome.error.toStdString();
    EXPECT_EQ(ReadAll(dir.path() + QStringLiteral("/camera.conf")), QByteArray("enable_cfg=true\r\n"));
}

}  // namespace
