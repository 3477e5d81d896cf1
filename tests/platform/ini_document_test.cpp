#include "platform/ini_document.h"
#include "platform/qt_text_bridge.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace quillmar {

namespace {

std::string U8(const char16_t* text) { return ToUtf8(QString::fromUtf16(text)); }

QByteArray Utf16Le(const QString& text) {
    QStringEncoder encode(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE") + QByteArray(encode(text));
}

QByteArray Utf16Be(const QString& text) {
    QStringEncoder encode(QStringConverter::Utf16BE);
    return QByteArray("\xFE\xFF") + QByteArray(encode(text));
}

TEST(IniDocumentRead, FollowsTheFormatRulesAndKeepsEveryByte) {
    const struct {
        const char* rule;
        QByteArray file;
        const char16_t *section, *key, *expected;  // "-" is the fallback
    } cases[] = {
        {"ASCII case ignored", "[Profile-A]\nMode_1=x\n", u"profile-a", u"MODE_1", u"x"},
        {"first section wins, no merging", "[a]\nk=1\n[A]\nk=2\nj=3\n", u"a", u"j", u"-"},
        {"first key wins", "[a]\nk=1\nK=2\n", u"a", u"k", u"1"},
        {"blanks dropped", "  [ a ]  \n\t k \t=  v w  \n", u" a", u"k ", u"v w"},
        {"one pair of quotes dropped", "[a]\nk= \"'x'\" \n", u"a", u"k", u"'x'"},
        {"comments are not keys", "[a]\n ;k=1\nk=2\n", u"a", u"k", u"2"},
        {"header runs to the last ]", "[a]b] tail\nk=1\n", u"a]b", u"k", u"1"},
        {"UTF-8 BOM, CR LF", "\xEF\xBB\xBF[a]\r\nk=v\r\n", u"a", u"k", u"v"},
        {"UTF-16LE", Utf16Le(QStringLiteral("[a]\r\nk=\u00FCber")), u"a", u"k", u"\u00FCber"},
        {"UTF-16BE", Utf16Be(QStringLiteral("[a]\rk=\u00FCber\r")), u"a", u"k", u"\u00FCber"},
        {"a lone CR ends a line", "[a]\rx=1\r[b]\rk=2", u"b", u"k", u"2"},
        {"line ends mixed", "[a]\r\nx=1\n[b]\rk=2\r\n", u"b", u"k", u"2"},
        {"key without = has no value and wins", "[a]\n tvmode \ntvmode=pal\n", u"a", u"tvmode", u"-"},
        {"[ without ] is a key", "[a]\n[b\nk=1\n", u"a", u"k", u"1"},
        {"[] is not found by an empty name", "[]\nk=1\n", u"", u"k", u"-"},
        {"nor are the lines before the first header", "k=1\n[a]\n", u" ", u"k", u"-"},
        {"an empty key is never found", "[a]\n=1\n", u"a", u"", u"-"},
        {"trailing Ctrl-Z is a blank", "[a]\nosd=on\x1A", u"a", u"osd", u"on"},
        {"Ctrl-Z around names too", "\x1A[a\x1A]\n\x1Ak\x1A=\x1A'v'\x1A\n", u"a\x1A", u"k", u"v"},
        {"only ASCII letters fold", "[\xC3\x9C]\n\xC3\x84=1\n", u"\u00FC", u"\u00C4", u"-"},
    };
    for (const auto& c : cases) {
        const IniDocument doc = IniDocument::Parse(c.file.toStdString());
        EXPECT_EQ(FromUtf8(doc.Value(U8(c.section), U8(c.key), "-")), QString::fromUtf16(c.expected)) << c.rule;
        EXPECT_EQ(QByteArray::fromStdString(doc.Serialize()), c.file) << c.rule;
    }
    EXPECT_EQ(IniDocument::Parse("k=0\n[a]\n[ b ]\n;[c]\n[]\n[ \x1A]\n[A]\n[d\n").SectionNames(),
              (std::vector<std::string>{"a", "b", "A"}));
}

// A null value deletes the section. A refused change, or a delete that finds
// nothing, leaves `after` empty.
TEST(IniDocumentWrite, TouchesOnlyWhatItChangesAndRefusesWhatWouldNotReadBack) {
    const struct {
        const char* rule;
        QByteArray before;
        const char16_t *section, *key, *value;
        QByteArray after;
    } cases[] = {
        {"value replaced in place, key spelling and indent kept", "; c\n[A]\n\tMODE = old \n\nkeep\n", u"a", u"mode",
         u"new", "; c\n[A]\n\tMODE=new\n\nkeep\n"},
        {"new key after the last key, before blanks and comments", "[a]\nk=1\nodd\n\n;b\n[b]\n", u"a", u"j", u"2",
         "[a]\nk=1\nodd\nj=2\n\n;b\n[b]\n"},
        {"new section after a line break, in the file's style", "[a]\r\nk=1", u"b", u"j", u"2",
         "[a]\r\nk=1\r\n[b]\r\nj=2\r\n"},
        {"undecodable bytes survive", "[a]\n\xFF\xC0junk\nk=1\n", u"a", u"k", u"2", "[a]\n\xFF\xC0junk\nk=2\n"},
        {"UTF-16LE kept", Utf16Le(QStringLiteral("[a]\nk=1\n")), u"b", u"k", u"\u00FC",
         Utf16Le(QStringLiteral("[a]\nk=1\n[b]\nk=\u00FC\n"))},
        {"CR-only file keeps its line end", "[a]\rk=1", u"b", u"j", u"2", "[a]\rk=1\r[b]\rj=2\r"},
        {"mixed line ends: the first one seen", "[a]\rk=1\r\n", u"a", u"j", u"2", "[a]\rk=1\r\nj=2\r"},
        {"key without = filled in place", "[a]\r\n  tvmode\x1A\r\ntvmode=pal\r\n", u"a", u"TVMODE", u"ntsc",
         "[a]\r\n  tvmode=ntsc\r\ntvmode=pal\r\n"},
        {"key without = given an empty value", "[a]\nk\n", u"a", u"k", u"", "[a]\nk=\n"},
        {"a final Ctrl-Z stays last", "[a]\r\nk=0\x1A", u"b", u"j", u"2", "[a]\r\nk=0\r\n[b]\r\nj=2\r\n\x1A"},
        {"UTF-16BE kept, lone CR", Utf16Be(QStringLiteral("[a]\rk=1")), u"b", u"k", u"\u00FC",
         Utf16Be(QStringLiteral("[a]\rk=1\r[b]\rk=\u00FC\r"))},
        {"UTF-16BE value replaced", Utf16Be(QStringLiteral("[a]\nk=1\n")), u"A", u"K", u"22",
         Utf16Be(QStringLiteral("[a]\nk=22\n"))},
        {"[] is another section", "[]\nk=1\n", u"a", u"k", u"2", "[]\nk=1\n[a]\nk=2\n"},
        {"delete in a CR-only file", "[basic]\rlast_cfg=default\r[profile-x]\rk=1\r[b]\r", u"PROFILE-X", nullptr,
         nullptr, "[basic]\rlast_cfg=default\r[b]\r"},
        {"delete finds no empty name", "[]\nk=1\n", u" ", nullptr, nullptr, {}},
        {"empty section name", "[]\nk=1\n", u"", u"k", u"2", {}},
        {"empty key", "[a]\n", u"a", u" \x1A", u"2", {}},
        {"delete removes every same-named section, not the comment leading into the next one",
         "x=0\n[a]\nk=1\n\n;c\n[b]\n[ A ]\nk=3", u"a", nullptr, nullptr, "x=0\n;c\n[b]\n"},
        {"line break in a name", "[a]\n", u"a\nb", u"k", u"v", {}},
        {"line break in a value", "[a]\n", u"a", u"k", u"v\r", {}},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::Parse(c.before.toStdString());
        const WriteOutcome set =
            c.value ? doc.SetValue(U8(c.section), U8(c.key), U8(c.value)) : WriteOutcome::Success();
        const std::string& error = set.error;
        const bool done = c.value ? bool(set) : doc.RemoveSection(U8(c.section)) > 0;
        EXPECT_EQ(done, !c.after.isEmpty()) << c.rule;
        EXPECT_EQ(error.empty(), done || !c.value) << c.rule;
        EXPECT_EQ(QByteArray::fromStdString(doc.Serialize()), done ? c.after : c.before) << c.rule;
        EXPECT_EQ(doc.Modified(), done && c.before != c.after) << c.rule;
    }
}

}  // namespace

}  // namespace quillmar
