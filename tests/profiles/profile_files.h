#pragma once
// Files and helpers shared by the profile store tests.

#include "support/test_files.h"

#include <QByteArray>
#include <QString>

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

using test_support::ReadAll;
using test_support::WriteRaw;

// A file of `count` profiles "p0".."pN", each a copy of the default profile.
inline QByteArray ManyProfiles(int count) {
    const QByteArray body = kFirstUseFile.mid(kFirstUseFile.indexOf("mode_1="));
    QByteArray file = "[basic]\r\nlast_cfg=default\r\n";
    for (int i = 0; i < count; ++i) file += "[profile-p" + QByteArray::number(i) + "]\r\n" + body;
    return file;
}

}  // namespace profile_test
