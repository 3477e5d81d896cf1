// Writing camera.conf: the marker line, the setting lines, and the clock line when asked for.
#include "settings/camera_conf.h"

#include "platform/qt_text_bridge.h"

namespace quillmar {

namespace {

void AppendKeyLines(const SettingsSelection& s, int section, int firstKey, int lastKey, QString& text) {
    for (int key = firstKey; key <= lastKey; ++key) AppendSettingLine(section, key, s.At(section, key), text);
}

}  // namespace

void AppendSettingLine(int section, int key, int index, QString& text) {
    text += KeyName(section, key);
    text += u'=';
    text += OptionText(section, key, ClampOptionIndex(section, key, index));
    text += u"\r\n";
}

QString FormatLocalClock(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    const size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(n));
}

QString BuildCameraConfText(const SettingsSelection& s, std::time_t now) {
    QString text;
    text.reserve(528);
    text += u"enable_cfg=true\r\n";
    AppendKeyLines(s, kModeSection, 0, 2, text);
    AppendKeyLines(s, kVideoSection, 0, 7, text);
    AppendKeyLines(s, kImageSection, 0, 4, text);

    // Burst and auto-shoot never both reach the card, whatever path built
    // the selection; the pages settle the same way before they show it.
    SettingsSelection photo = s;
    photo.SettleBurstAndAutoShoot();
    AppendSettingLine(kPhotoSection, keys::kPhotoQuality.key, s.At(keys::kPhotoQuality), text);
    AppendSettingLine(kPhotoSection, keys::kPhotoStamp.key, s.At(keys::kPhotoStamp), text);
    AppendSettingLine(kPhotoSection, keys::kAutoShoot.key, photo.At(keys::kAutoShoot), text);
    AppendSettingLine(kPhotoSection, keys::kPhotoBurst.key, photo.At(keys::kPhotoBurst), text);

    AppendKeyLines(s, kSystemSection, 1, 8, text);
    if (s.clock_sync != 0) {
        text += KeyName(kSystemSection, keys::kSyncClock.key);
        text += u'=';
        text += FormatLocalClock(now);
        text += u"\r\n";
    }
    return text;
}

WriteOutcome WriteCameraConf(const QString& root, const QString& text) {
    // Every character is ASCII, so the system's 8-bit encoding gives one byte
    // per character; the text is written whole, however long.
    return ReplaceFileDurably(ToPath(root + QString::fromUtf16(kCameraConfFileName)), text.toLocal8Bit().toStdString());
}

}  // namespace quillmar
