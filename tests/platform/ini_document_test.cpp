#include "platform/ini_document.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16Le(const QString& text) {
    QStringEncoder encode(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE") + QByteArray(encode(text));
}

struct ReadCase {
    const char* rule;
    QByteArray file;
    const char16_t* section;
    const char16_t* key;
    const char16_t* expected;  // "<none>" stands for the fallback
};

TEST(IniDocumentRead, FollowsTheFormatRules) {
    const ReadCase cases[] = {
        {"names ignore ASCII case", "[Profile-A]\nMode_1=x\n", u"profile-a", u"MODE_1", u"x"},
        {"first section wins, no merging", "[a]\nk=1\n[A]\nk=2\nj=3\n", u"a", u"j", u"<none>"},
        {"first key wins", "[a]\nk=1\nK=2\n", u"a", u"k", u"1"},
        {"blanks around names and values", "  [ a ]  \n\t k \t=  v w  \n", u" a", u"k ", u"v w"},
        {"double quotes stripped", "[a]\nk= \"x y\" \n", u"a", u"k", u"x y"},
        {"single quotes stripped", "[a]\nk='x'\n", u"a", u"k", u"x"},
        {"unmatched quotes kept", "[a]\nk=\"x'\n", u"a", u"k", u"\"x'"},
        {"a lone quote kept", "[a]\nk=\"\n", u"a", u"k", u"\""},
        {"comment lines are not keys", "[a]\n ;k=1\nk=2\n", u"a", u"k", u"2"},
        {"header runs to the last ]", "[a]b] tail\nk=1\n", u"a]b", u"k", u"1"},
        {"lines before the first header have no section", "k=1\n[a]\nj=2\n", u"a", u"k", u"<none>"},
        {"a line without = is not a key", "[a]\nk\n", u"a", u"k", u"<none>"},
        {"value keeps later =", "[a]\nk=a=b\n", u"a", u"k", u"a=b"},
        {"non-ASCII letters match exactly", "[\xC3\x89]\nk=1\n", u"\u00E9", u"k", u"<none>"},
        {"UTF-8 BOM and CR LF", "\xEF\xBB\xBF[a]\r\nk=v\r\n", u"a", u"k", u"v"},
        {"last line without line end", "[a]\r\nk=v", u"a", u"k", u"v"},
        {"UTF-16LE with BOM", Utf16Le(QStringLiteral("[a]\r\nk=\u00FCber\r\n")), u"a", u"k", u"\u00FCber"},
    };
    for (const ReadCase& c : cases) {
        const IniDocument doc = IniDocument::Parse(c.file);
        EXPECT_EQ(doc.Value(c.section, c.key, QStringLiteral("<none>")), QString::fromUtf16(c.expected)) << c.rule;
        EXPECT_EQ(doc.Serialize(), c.file) << c.rule << ": parsing alone changes nothing";
    }
}

TEST(IniDocumentRead, ListsEverySectionInFileOrder) {
    const IniDocument doc = IniDocument::Parse("pre=1\n[a]\n[ b ]\n;[c]\n[A]\n[]\n[d\n");
    EXPECT_EQ(doc.SectionNames(), (QStringList{"a", "b", "A", ""}));
    EXPECT_TRUE(doc.HasSection(u"B"));
    EXPECT_FALSE(doc.HasSection(u"c"));
}

TEST(IniDocumentRead, DetectsEncodingAndLineEnd) {
    struct Case {
        QByteArray file;
        IniEncoding encoding;
        IniLineEnd lineEnd;
    };
    const Case cases[] = {
        {"", IniEncoding::kUtf8, kNewFileLineEnd},
        {"[a]", IniEncoding::kUtf8, kNewFileLineEnd},
        {"[a]\nk=1\r\n", IniEncoding::kUtf8, IniLineEnd::kLf},
        {"\xEF\xBB\xBF[a]\r\nk=1\n", IniEncoding::kUtf8Bom, IniLineEnd::kCrLf},
        {Utf16Le(QStringLiteral("[a]\nk=1\n")), IniEncoding::kUtf16LeBom, IniLineEnd::kLf},
    };
    for (const Case& c : cases) {
        const IniDocument doc = IniDocument::Parse(c.file);
        EXPECT_EQ(doc.encoding(), c.encoding) << c.file.toHex().toStdString();
        EXPECT_EQ(doc.lineEnd(), c.lineEnd) << c.file.toHex().toStdString();
    }
}

// One change applied to a file, and the exact bytes that must result.
struct ChangeCase {
    const char* rule;
    QByteArray before;
    std::function<void(IniDocument&)> change;
    QByteArray after;
};

void Set(IniDocument& doc, const char16_t* section, const char16_t* key, const char16_t* value) {
    QString error;
    ASSERT_TRUE(doc.SetValue(section, key, value, &error)) << error.toStdString();
}

TEST(IniDocumentWrite, TouchesOnlyWhatItChanges) {
    const ChangeCase cases[] = {
        {"value replaced in place, key keeps its spelling and indent",
         "; mine\n[A]\n\tMODE = old \n\nkeep\n", [](IniDocument& d) { Set(d, u"a", u"mode", u"new"); },
         "; mine\n[A]\n\tMODE=new\n\nkeep\n"},
        {"the same value changes nothing", "[a]\nk = v \n", [](IniDocument& d) { Set(d, u"a", u"k", u"v"); },
         "[a]\nk = v \n"},
        {"new key after the section's last key, before blanks and comments",
         "[a]\nk=1\nodd line\n\n;about b\n[b]\n", [](IniDocument& d) { Set(d, u"a", u"j", u"2"); },
         "[a]\nk=1\nodd line\nj=2\n\n;about b\n[b]\n"},
        {"new key into the first of two same-named sections", "[a]\nk=1\n[A]\n",
         [](IniDocument& d) { Set(d, u"A", u"j", u"2"); }, "[a]\nk=1\nj=2\n[A]\n"},
        {"new key after a last line without line end", "[a]\nk=1",
         [](IniDocument& d) { Set(d, u"a", u"j", u"2"); }, "[a]\nk=1\nj=2\n"},
        {"new section after a line break", "[a]\r\nk=1", [](IniDocument& d) { Set(d, u"b", u"j", u"2"); },
         "[a]\r\nk=1\r\n[b]\r\nj=2\r\n"},
        {"a file without line ends gets CR LF", "[a]", [](IniDocument& d) { Set(d, u"a", u"k", u"1"); },
         "[a]\r\nk=1\r\n"},
        {"empty file", "", [](IniDocument& d) { Set(d, u"b", u"j", u"2"); }, "[b]\r\nj=2\r\n"},
        {"undecodable bytes elsewhere survive", "[a]\n\xFF\xC0junk\nk=1\n",
         [](IniDocument& d) { Set(d, u"a", u"k", u"2"); }, "[a]\n\xFF\xC0junk\nk=2\n"},
        {"UTF-8 BOM kept", "\xEF\xBB\xBF[a]\n", [](IniDocument& d) { Set(d, u"a", u"k", u"\u00E9"); },
         "\xEF\xBB\xBF[a]\nk=\xC3\xA9\n"},
        {"UTF-16LE kept", Utf16Le(QStringLiteral("[a]\r\nk=1\r\n")),
         [](IniDocument& d) {
             Set(d, u"a", u"k", u"\u00FC");
             Set(d, u"b", u"j", u"2");
         },
         Utf16Le(QStringLiteral("[a]\r\nk=\u00FC\r\n[b]\r\nj=2\r\n"))},
        {"delete removes every same-named section and its lines",
         "x=0\n[a]\nk=1\n;c\n[b]\nk=2\n[ A ]\nk=3\n", [](IniDocument& d) { EXPECT_EQ(d.RemoveSection(u"a"), 2); },
         "x=0\n[b]\nk=2\n"},
        {"deleting an absent section changes nothing", "x=0\n", [](IniDocument& d) { EXPECT_EQ(d.RemoveSection(u""), 0); },
         "x=0\n"},
    };
    for (const ChangeCase& c : cases) {
        IniDocument doc = IniDocument::Parse(c.before);
        c.change(doc);
        EXPECT_EQ(doc.Serialize(), c.after) << c.rule;
        EXPECT_EQ(doc.modified(), c.before != c.after) << c.rule;
    }
}

TEST(IniDocumentWrite, RefusesWhatCouldNotBeReadBack) {
    const struct {
        const char16_t* section;
        const char16_t* key;
        const char16_t* value;
    } cases[] = {
        {u"a\nb", u"k", u"v"}, {u"a", u"k\r", u"v"}, {u"a", u"k=j", u"v"},
        {u"a", u" ;k", u"v"},  {u"a", u"[k", u"v"},  {u"a", u"k", u"v\nw=1"},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::Parse("[a]\n");
        QString error;
        EXPECT_FALSE(doc.SetValue(c.section, c.key, c.value, &error)) << QString::fromUtf16(c.key).toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(doc.Serialize(), QByteArray("[a]\n"));
    }
}

TEST(IniDocumentWrite, WrittenNamesReadBackAsGiven) {
    IniDocument doc;
    QString error;
    for (const char16_t* section : {u"profile-a]b", u"profile- x ", u"profile-\u00E9t\u00E9", u"profile-"})
        ASSERT_TRUE(doc.SetValue(section, u"k", section, &error));
    const IniDocument reread = IniDocument::Parse(doc.Serialize());
    for (const char16_t* section : {u"profile-a]b", u"profile- x ", u"profile-\u00E9t\u00E9", u"profile-"})
        EXPECT_EQ(reread.Value(section, u"k", {}), QString::fromUtf16(section).trimmed());
    EXPECT_EQ(reread.SectionNames().size(), 4);
}

}  // namespace
