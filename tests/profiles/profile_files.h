#pragma once
// cfg.ini as the store writes it at first use, for the profile tests.

#include <string>

namespace quillmar::profile_test {

inline const std::string kFirstUseFile =
    "[basic]\r\nlast_cfg=default\r\n[profile-default]\r\nmode_1=1920x1080p 60\r\nmode_2=1280x720p 120\r\nmode_3=16M\r\n"
    "video_quality=sfine\r\nfov=wide\r\ntimelapse=off\r\nvideo_stamp=off\r\nmic_vol=80%\r\nauto_rec=off\r\n"
    "loop_rec=off\r\nrec_beep=off\r\nimage_meter=center\r\nimage_iso=auto\r\nimage_wb=auto\r\nimage_ev=0.0\r\n"
    "image_sharpness=3\r\nphoto_quality=sfine\r\nauto_shoot=3s\r\nphoto_stamp=off\r\nphoto_burst=off\r\n"
    "sync_clock=TRUE\r\nimage_rotate=normal\r\ntvmode=ntsc\r\nlightfreq=60Hz\r\nauto_shutdown=3Min\r\ndatefmt=ymd\r\n"
    "osd=on\r\nop_beep=on\r\nformat=false\r\n";

}  // namespace quillmar::profile_test
