#include "platform/qt_text_bridge.h"
// cfg.ini as the Windows tools and old editors leave it: lone CR line ends,
// UTF-16 big-endian, stray key lines without '=', "[]" headers and a final
// Ctrl-Z. The store lists and applies them as those tools read them, and a
// save keeps the file's encoding and line ends.

#include "profiles/profile_store.h"

#include "profile_files.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quillmar {

namespace {

using namespace test_support;

QByteArray Utf16Be(const char16_t* text) {
    return "\xFE\xFF" + QByteArray(QStringEncoder(QStringConverter::Utf16BE)(QString::fromUtf16(text)));
}

// Each file's profile gets tvmode flipped and is saved: every key goes into
// that section, in the file's encoding and its one line end.
TEST(ProfileStoreForeignFiles, ListsAppliesAndSavesInTheFilesOwnForm) {
    const struct {
        QByteArray file;
        const char* names;      // joined by '|'
        int tvmode, osd;        // applied: 0 ntsc or off, 1 pal or on
        const char16_t* saved;  // part of the saved text, which has no other line end
    } cases[] = {
        {"[basic]\rlast_cfg=default\r[profile-night]\rtvmode=pal\rosd=on\r[profile-day]\r", "night|day", 1, 1,
         u"[profile-night]\rtvmode=ntsc\rosd=on\rmode_1="},
        {Utf16Be(u"[profile-\u00FC]\r\ntvmode=pal\r\nosd=on\r\n"), "\u00FC", 1, 1,
         u"[profile-\u00FC]\r\ntvmode=ntsc\r\nosd=on\r\nmode_1="},
        // A stray key line first; a final Ctrl-Z.
        {"[profile-x]\r\ntvmode\r\ntvmode=pal\r\nosd=on\x1A", "x", 0, 1,
         u"[profile-x]\r\ntvmode=pal\r\ntvmode=pal\r\nosd=on\r\nmode_1="},
        {"[]\nosd=on\n[profile-y]\ntvmode=pal\n", "y", 1, 0, u"[]\nosd=on\n[profile-y]\ntvmode=ntsc\nmode_1="},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/cfg.ini");
        ASSERT_TRUE(WriteRaw(path, c.file));
        SettingsSelection selection;
        ProfileStore store(ToUtf8(path), selection);
        ASSERT_TRUE(store.LoadProfiles()) << c.names;
        EXPECT_EQ(FromUtf8(store.ProfileNames()).join('|'), QString::fromUtf8(c.names));
        EXPECT_TRUE(selection.At(keys::kTvmode) == c.tvmode && selection.At(keys::kOsd) == c.osd) << c.names;
        EXPECT_EQ(ReadAll(path), c.file) << c.names << ": loading wrote";

        selection.At(keys::kTvmode) = 1 - c.tvmode;
        ASSERT_TRUE(store.SaveProfile()) << c.names;
        const QByteArray saved = ReadAll(path);
        const bool utf16 = c.file.startsWith("\xFE\xFF");
        ASSERT_EQ(saved.startsWith("\xFE\xFF"), utf16) << c.names;
        QString text = utf16 ? QStringDecoder(QStringConverter::Utf16BE)(saved.mid(2)) : QString::fromUtf8(saved);
        const QString part = QString::fromUtf16(c.saved);
        EXPECT_TRUE(text.contains(part)) << c.names << ": " << text.toStdString();
        text.remove(QString::fromUtf16(part.contains(u"\r\n") ? u"\r\n" : part.contains(u'\r') ? u"\r" : u"\n"));
        EXPECT_FALSE(text.contains(u'\r') || text.contains(u'\n')) << c.names << ": another line end";
    }
}

}  // namespace

}  // namespace quillmar
