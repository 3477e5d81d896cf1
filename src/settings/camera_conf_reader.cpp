// Reading a card's camera.conf back as the camera would, reporting every line it would skip.
#include "settings/camera_conf_reader.h"

#include "platform/qt_text_bridge.h"
#include "platform/regular_file_in_folder.h"
#include "settings/camera_conf.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <array>

namespace quillmar {

namespace {

const QString kEnableCfg = QStringLiteral("enable_cfg");

int MatchOption(int section, int key, QStringView text) {
    // The whole list: a card is not a profile, so no lookup limit applies.
    for (int i = 0; i < OptionCount(section, key); ++i)
        if (OptionText(section, key, i) == text) return i;
    return -1;
}

bool IsClockTime(const QString& text) {
    // Exactly as the writer formats it; fromString alone accepts single digits.
    return text.size() == 19 && QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) == text;
}

}  // namespace

CameraConfContents ParseCameraConf(QByteArrayView bytes) {
    CameraConfContents contents;
    QStringDecoder decode(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    QStringList lines;
    auto skip = [&](CameraConfSkippedLine::Reason reason, int number) {
        contents.skipped.append({number, lines.at(number - 1), reason});
    };
    // The line each key was last understood on; 0 for none yet.
    std::array<std::array<int, kMaxKeysPerSection>, kSectionCount> keyLine{};
    int enableLine = 0;
    // A later line for the same key wins; the earlier one is reported.
    auto understood = [&](int& lineOfKey, int number) {
        if (lineOfKey != 0) skip(CameraConfSkippedLine::kRepeatedKey, lineOfKey);
        lineOfKey = number;
    };

    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();  // a last line without its line end still counts
        QByteArrayView raw = bytes.sliced(start, end - start);
        start = end + 1;
        if (raw.endsWith('\r')) raw.chop(1);
        lines.append(decode(raw));
        const int number = static_cast<int>(lines.size());
        const QString& line = lines.last();

        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            skip(CameraConfSkippedLine::kNoEquals, number);
            continue;
        }
        const QStringView name = QStringView(line).left(eq);
        const QString value = line.mid(eq + 1);
        if (name == kEnableCfg) {
            if (value != QLatin1String("true") && value != QLatin1String("false")) {
                skip(CameraConfSkippedLine::kUnknownValue, number);
                continue;
            }
            if (enableLine == 0) contents.enable_cfg_at = contents.settings.size();
            understood(enableLine, number);
            contents.enable_cfg = value == QLatin1String("true");
            continue;
        }
        int section = 0;
        int key = 0;
        if (!FindKeyByName(name, &section, &key)) {
            skip(CameraConfSkippedLine::kUnknownKey, number);
            continue;
        }
        if (OptionCount(section, key) == 0) {  // sync_clock carries a time, not an option
            if (!IsClockTime(value)) {
                skip(CameraConfSkippedLine::kUnknownValue, number);
                continue;
            }
            if (keyLine[section][key] == 0) contents.sync_clock_at = contents.settings.size();
            understood(keyLine[section][key], number);
            contents.sync_clock = value;
            continue;
        }
        const int index = MatchOption(section, key, value);
        if (index < 0) {
            skip(CameraConfSkippedLine::kUnknownValue, number);
            continue;
        }
        const bool repeated = keyLine[section][key] != 0;
        understood(keyLine[section][key], number);
        if (!repeated) {
            contents.settings.append({{section, key}, index});
            continue;
        }
        for (CameraConfSetting& s : contents.settings)
            if (s.key.section == section && s.key.key == key) s.index = index;
    }
    std::stable_sort(contents.skipped.begin(), contents.skipped.end(),
                     [](const CameraConfSkippedLine& a, const CameraConfSkippedLine& b) { return a.line < b.line; });
    return contents;
}

void CameraConfContents::ApplyTo(SettingsSelection& selection) const {
    // Each line counts as a choice, in the file's order: a burst line after
    // an auto_shoot line (the order every writer of the file uses) leaves the
    // burst on, and a line turns off the page's own burst or interval.
    for (const CameraConfSetting& s : settings) selection.Choose(s.key, s.index);
    selection.clock_sync = HasClockLine() ? 1 : 0;
}

QString CameraConfContents::Text() const {
    QString text;
    for (qsizetype i = 0; i <= settings.size(); ++i) {
        if (enable_cfg && enable_cfg_at == i)
            text += kEnableCfg + (*enable_cfg ? QStringLiteral("=true\n") : QStringLiteral("=false\n"));
        if (HasClockLine() && sync_clock_at == i)
            text += KeyName(keys::kSyncClock.section, keys::kSyncClock.key) + QLatin1Char('=') + sync_clock +
                    QLatin1Char('\n');
        if (i == settings.size()) break;
        const CameraConfSetting& s = settings.at(i);
        text += KeyName(s.key.section, s.key.key) + QLatin1Char('=') + OptionText(s.key.section, s.key.key, s.index) +
                QLatin1Char('\n');
    }
    return text;
}

CameraConfRead ReadCameraConf(const QString& root) {
    const QString path = root + QString::fromUtf16(kCameraConfFileName);
    const FolderFileRead file = ReadRegularFileInFolder(ToPath(root), ToUtf8(QString::fromUtf16(kCameraConfFileName)),
                                                        size_t(kMaxCameraConfBytes));
    CameraConfRead read;
    switch (file.truncated ? FolderFileRead::kUnreadable : file.status) {
    case FolderFileRead::kRead:
        read.ok = true;
        read.contents = ParseCameraConf(QByteArray::fromStdString(file.bytes));
        return read;
    case FolderFileRead::kAbsent:
        read.error = QFileInfo(root).isDir()
                         ? QStringLiteral("the card holds no camera.conf (\"%1\" not found).").arg(path)
                         : QStringLiteral("\"%1\" is not a folder.").arg(root);
        break;
    case FolderFileRead::kNotRegular:
        read.error = QStringLiteral("\"%1\" is not a regular file; links, folders and devices are not read.").arg(path);
        break;
    case FolderFileRead::kUnreadable:
        if (!file.truncated) {
            read.error = QStringLiteral("cannot read \"%1\": %2.").arg(path, FromUtf8(file.error));
            break;
        }
        read.error = QStringLiteral("\"%1\" is larger than %2 bytes; it is not a camera settings file.")
                         .arg(path)
                         .arg(kMaxCameraConfBytes);
        break;
    }
    return read;
}

QString SkippedReasonText(CameraConfSkippedLine::Reason reason) {
    switch (reason) {
    case CameraConfSkippedLine::kNoEquals:
        return QStringLiteral("not key=value");
    case CameraConfSkippedLine::kUnknownKey:
        return QStringLiteral("unknown key");
    case CameraConfSkippedLine::kUnknownValue:
        return QStringLiteral("unknown value");
    case CameraConfSkippedLine::kRepeatedKey:
        return QStringLiteral("replaced by a later line");
    }
    return {};
}

}  // namespace quillmar
