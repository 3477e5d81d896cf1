#include "platform/qt_text_bridge.h"
// cfg.ini as the Windows tools and old editors leave it: lone CR line ends,
// UTF-16 big-endian, stray key lines without '=', "[]" headers and a final
// Ctrl-Z. The store lists and applies them as those tools read them, and a
// save keeps the file's encoding and line ends.

#include "profiles/profile_store.h"

#include "profile_files.h"
#include "profiles/profile_key_order.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quillmar {

namespace {

using namespace profile_test;

QByteArray Utf16Be(const QString& text) {
    return QByteArray("\xFE\xFF") + QByteArray(QStringEncoder(QStringConverter::Utf16BE)(text));
}

QString FromUtf16Be(const QByteArray& bytes) { return QStringDecoder(QStringConverter::Utf16BE)(bytes.mid(2)); }

// Each file's profile gets tvmode flipped and is saved: every key goes into
// that section, in the file's encoding and its one line end.
TEST(ProfileStoreForeignFiles, ListsAppliesAndSavesInTheFilesOwnForm) {
    const struct {
        const char* form;
        QByteArray file;
        QStringList names;
        int tvmode;  // applied option: 0 ntsc, 1 pal
        int osd;     // 0 off, 1 on
        const char16_t* line_end;
        const char16_t* saved;  // part of the saved text
    } cases[] = {
        {"lone CR",
         "[basic]\rlast_cfg=default\r[profile-night]\rtvmode=pal\rosd=on\r[profile-day]\r",
         {"night", "day"},
         1,
         1,
         u"\r",
         u"[profile-night]\rtvmode=ntsc\rosd=on\rmode_1="},
        {"UTF-16BE",
         Utf16Be(QStringLiteral("[profile-\u00FC]\r\ntvmode=pal\r\nosd=on\r\n")),
         {"\u00FC"},
         1,
         1,
         u"\r\n",
         u"[profile-\u00FC]\r\ntvmode=ntsc\r\nosd=on\r\nmode_1="},
        {"stray key line first, Ctrl-Z",
         "[profile-x]\r\ntvmode\r\ntvmode=pal\r\nosd=on\x1A",
         {"x"},
         0,
         1,
         u"\r\n",
         u"[profile-x]\r\ntvmode=pal\r\ntvmode=pal\r\nosd=on\r\nmode_1="},
        {"[] is no profile",
         "[]\nosd=on\n[profile-y]\ntvmode=pal\n",
         {"y"},
         1,
         0,
         u"\n",
         u"[]\nosd=on\n[profile-y]\ntvmode=ntsc\nmode_1="},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/cfg.ini");
        ASSERT_TRUE(WriteRaw(path, c.file));
        SettingsSelection selection;
        ProfileStore store(ToUtf8(path), selection);
        ASSERT_TRUE(store.LoadProfiles()) << c.form;
        EXPECT_EQ(FromUtf8(store.ProfileNames()), c.names) << c.form;
        EXPECT_EQ(selection.At(keys::kTvmode), c.tvmode) << c.form;
        EXPECT_EQ(selection.At(keys::kOsd), c.osd) << c.form;
        EXPECT_EQ(ReadAll(path), c.file) << c.form << ": loading wrote";

        selection.At(keys::kTvmode) = 1 - c.tvmode;
        ASSERT_TRUE(store.SaveProfile()) << c.form;
        const QByteArray saved = ReadAll(path);
        const bool utf16 = c.file.startsWith("\xFE\xFF");
        ASSERT_EQ(saved.startsWith("\xFE\xFF"), utf16) << c.form;
        QString text = utf16 ? FromUtf16Be(saved) : QString::fromUtf8(saved);
        EXPECT_TRUE(text.contains(QString::fromUtf16(c.saved))) << c.form << ": " << text.toStdString();
        text.remove(QString::fromUtf16(c.line_end));
        EXPECT_FALSE(text.contains(u'\r') || text.contains(u'\n')) << c.form << ": another line end";
    }
}

}  // namespace

}  // namespace quillmar
