#pragma once
// Files and a fixture shared by the profile tests.

#include "profiles/profile_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace profile_test {

// cfg.ini as the store writes it at first use.
inline const QByteArray kFirstUseFile =
    "[basic]\r\nlast_cfg=default\r\n[profile-default]\r\n"
    "mode_1=1920x1080p 60\r\nmode_2=1280x720p 120\r\nmode_3=16M\r\n"
    "video_quality=sfine\r\nfov=wide\r\ntimelapse=off\r\nvideo_stamp=off\r\nmic_vol=80%\r\n"
    "auto_rec=off\r\nloop_rec=off\r\nrec_beep=off\r\n"
    "image_meter=center\r\nimage_iso=auto\r\nimage_wb=auto\r\nimage_ev=0.0\r\nimage_sharpness=3\r\n"
    "photo_quality=sfine\r\nauto_shoot=3s\r\nphoto_stamp=off\r\nphoto_burst=off\r\n"
    "sync_clock=TRUE\r\nimage_rotate=normal\r\ntvmode=ntsc\r\nlightfreq=60Hz\r\nauto_shutdown=3Min\r\n"
    "datefmt=ymd\r\nosd=on\r\nop_beep=on\r\nformat=false\r\n";

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// `count` profiles "p0".."pN", each a copy of the default profile.
inline QByteArray ManyProfiles(int count) {
    QByteArray file = "[basic]\r\nlast_cfg=default\r\n";
    for (int i = 0; i < count; ++i)
        file += "[profile-p" + QByteArray::number(i) + "]\r\n" + kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    return file;
}

// A store on cfg.ini in a fresh temporary folder.
class ProfileStoreFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/cfg.ini");
    SettingsSelection selection;
    ProfileStore store{selection};
    void SetUp() override { store.cfg_path = path; }
};

}  // namespace profile_test
