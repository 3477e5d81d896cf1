// The INI engine against a small model of how the private-profile functions
// read a file, on many generated files that mix line ends, byte-order marks,
// key lines without '=' (found, but without a value), empty section names,
// Ctrl-Z and blanks. The model decodes the whole file at once, folds every
// line end into LF and reads the lines with Qt's own string functions, so it
// shares no code with the engine. Names fold ASCII letters only, as the
// platform's functions do. Where a change lands byte for byte, and which
// changes are refused, a table checks at the end.

#include "platform/ini_document.h"
#include "platform/qt_text_bridge.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace quillmar {

namespace {

using namespace Qt::StringLiterals;

// ---- The model ----------------------------------------------------------

QString Trimmed(QString s) {
    static const QRegularExpression kBlanks(u"^[ \t\v\f\x1A]+|[ \t\v\f\x1A]+$"_s);
    return s.remove(kBlanks);
}

// The byte-order marks and their encodings; plain UTF-8 last.
const std::pair<QByteArray, QStringConverter::Encoding> kBoms[] = {{"\xEF\xBB\xBF", QStringConverter::Utf8},
                                                                   {"\xFF\xFE", QStringConverter::Utf16LE},
                                                                   {"\xFE\xFF", QStringConverter::Utf16BE},
                                                                   {"", QStringConverter::Utf8}};

// The file's byte-order mark ("" for none) and its text.
std::pair<QByteArray, QString> Decoded(const QByteArray& bytes) {
    for (const auto& [bom, encoding] : kBoms)
        if (bytes.startsWith(bom)) return {bom, QStringDecoder(encoding)(bytes.mid(bom.size()))};
    return {};
}
QString DecodeFile(const QByteArray& bytes) { return Decoded(bytes).second; }

// Trimmed, ASCII letters in upper case.
QString Folded(QString s) {
    for (QChar& c : s) c = c.unicode() < 128 ? c.toUpper() : c;
    return Trimmed(s);
}
bool SameName(const QString& a, const QString& b) { return Folded(a) == Folded(b); }

struct ModelSection {
    QString name;
    QList<std::pair<QString, std::optional<QString>>> keys;  // no value on a line without '='
};

struct ModelFile {
    explicit ModelFile(const QByteArray& bytes) {
        for (const QString& raw : DecodeFile(bytes).replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').split(u'\n')) {
            const QString line = Trimmed(raw);
            const qsizetype close = line.lastIndexOf(u']'), eq = line.indexOf(u'=');
            if (line.isEmpty() || line.startsWith(u';')) continue;
            if (line.startsWith(u'[') && close > 0) {
                sections.append({Trimmed(line.sliced(1, close - 1)), {}});
                continue;
            }
            const QString v = Trimmed(line.mid(eq + 1));
            const bool quoted = v.size() > 1 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
            const auto value = eq < 0 ? std::nullopt : std::optional(quoted ? v.mid(1, v.size() - 2) : v);
            if (!sections.isEmpty()) sections.back().keys.append({Trimmed(eq < 0 ? line : line.left(eq)), value});
        }
    }

    QStringList Names() const {
        QStringList names;
        for (const ModelSection& s : sections)
            if (!s.name.isEmpty()) names.append(s.name);
        return names;
    }

    const ModelSection* Find(const QString& section) const {
        for (const ModelSection& s : sections)
            if (!Trimmed(section).isEmpty() && SameName(s.name, section)) return &s;
        return nullptr;
    }

    std::optional<QString> Value(const QString& section, const QString& key) const {
        const ModelSection* s = Find(section);
        if (s == nullptr || Trimmed(key).isEmpty()) return std::nullopt;
        for (const auto& [name, value] : s->keys)
            if (SameName(name, key)) return value;
        return std::nullopt;
    }

    QList<ModelSection> sections;  // from the first header on
};

// ---- Generated files ----------------------------------------------------

const QStringList kSectionNames = {u"a"_s, u"A"_s, u" a "_s,    u"b"_s,      u"profile-x"_s, u"PROFILE-X"_s,
                                   u""_s,  u" "_s, u"\u00FC"_s, u"\u00DC"_s, u"a]b"_s,       u"x\x1A"_s};
const QStringList kKeys = {u"k"_s, u"K"_s, u"tvmode"_s, u"TVMODE"_s, u"osd"_s, u"\u00E4"_s, u"\u00C4"_s};
const QStringList kValues = {u"on"_s, u"off"_s, u""_s,    u"'q'"_s,    u"\"q\""_s,
                             u"\""_s, u"a b"_s, u"x=y"_s, u"\u00FC"_s, u"' q '"_s};
// Lookups: the names above plus spellings that must find nothing or the
// same thing.
const QStringList kSectionQueries = kSectionNames + QStringList{u"B"_s, u"x"_s, u"c"_s, u"[c"_s, u"\x1A"_s};
const QStringList kKeyQueries = kKeys + QStringList{u" k "_s, u""_s, u"[c"_s, u";k"_s, u"k\x1A"_s, u"zz"_s};
// Line shapes: {s} a section name, {k} a key, {v} a value.
const QStringList kLines = {
    u"[{s}]"_s,    u"  [{s}]\t "_s, u"[{s}] ; note"_s, u"\x1A[{s}]"_s, u"[c"_s,   u"{k}"_s,  u"  {k}\x1A"_s,
    u";{k}={v}"_s, u""_s,           u"   "_s,          u"\x1A"_s,      u"\t;c"_s, u"={v}"_s, u" {k} \t= {v} \x1A"_s,
    u"{k}={v}"_s,  u"{k}={v}"_s,    u"{k}={v}"_s};
const QStringList kEnds = {u"\n"_s, u"\r\n"_s, u"\r"_s};

struct FileGenerator {
    std::mt19937 random;
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    const QString& Pick(const QStringList& list) { return list[Below(int(list.size()))]; }

    // One line end for the whole file, or any mix; any encoding.
    QByteArray File() {
        const bool mixed = Below(2);
        const QString fileEnd = Pick(kEnds);
        QString text;
        for (int i = Below(12); i > 0; --i) {
            text += QString(Pick(kLines))
                        .replace(u"{s}"_s, Pick(kSectionNames))
                        .replace(u"{k}"_s, Pick(kKeys))
                        .replace(u"{v}"_s, Pick(kValues));
            if (i > 1 || Below(2)) text += mixed ? Pick(kEnds) : fileEnd;
        }
        if (Below(4) == 0) text += QChar(0x1A);
        const auto& [bom, encoding] = kBoms[Below(4)];
        return bom + QByteArray(QStringEncoder(encoding)(text));
    }
};

std::string Shown(const QByteArray& bytes) { return bytes.toPercentEncoding(" =[];'\"").toStdString(); }

// ---- Writing ------------------------------------------------------------

// The line ends a file uses: LF, CR LF, lone CR.
std::array<bool, 3> LineEndKinds(const QByteArray& bytes) {
    const QString text = DecodeFile(bytes);
    return {text.count(u"\n"_s) > text.count(u"\r\n"_s), text.contains(u"\r\n"_s),
            text.count(u"\r"_s) > text.count(u"\r\n"_s)};
}

// Every lookup but the one a change aimed at reads as before.
void ExpectOtherLookupsKept(const ModelFile& before, const ModelFile& after, const QString& section,
                            const QString& key = {}) {
    for (const QString& s : kSectionQueries)
        for (const QString& k : kKeyQueries) {
            if (SameName(s, section) && (key.isNull() || SameName(k, key))) continue;
            ASSERT_EQ(after.Value(s, k), before.Value(s, k)) << '[' << s.toStdString() << "] " << k.toStdString();
        }
}

// Each file is read as the model reads it; then one value is set, which
// reads back and leaves every other lookup as it was, and one section is
// deleted, which takes all of that name and nothing else.
TEST(IniDocumentReference, ReadsAndWritesEveryGeneratedFileAsThePlatformDoes) {
    FileGenerator generate{std::mt19937(20261207)};
    const QString fallback = u"\x01missing"_s;
    const QStringList writable = {u"a"_s, u"A"_s, u"b"_s, u"profile-x"_s, u"\u00DC"_s, u"a]b"_s, u"new"_s};
    for (int n = 0; n < 3000; ++n) {
        const QByteArray file = generate.File();
        SCOPED_TRACE(Shown(file));
        const ModelFile before(file);
        IniDocument doc = IniDocument::Parse(file.toStdString());
        ASSERT_EQ(QByteArray::fromStdString(doc.Serialize()), file);
        ASSERT_EQ(FromUtf8(doc.SectionNames()), before.Names());
        for (const QString& section : kSectionQueries) {
            ASSERT_EQ(doc.HasSection(ToUtf8(section)), before.Find(section) != nullptr);
            for (const QString& key : kKeyQueries)
                ASSERT_EQ(FromUtf8(doc.Value(ToUtf8(section), ToUtf8(key), ToUtf8(fallback))),
                          before.Value(section, key).value_or(fallback))
                    << '[' << section.toStdString() << "] " << key.toStdString();
        }

        const QString section = generate.Pick(writable), key = generate.Pick(kKeys);
        const QString value = generate.Pick({u"on"_s, u"pal"_s, u""_s, u"\u00E4 x"_s});

        const WriteOutcome set = doc.SetValue(ToUtf8(section), ToUtf8(key), ToUtf8(value));
        ASSERT_TRUE(set) << set.error;
        const QByteArray written = QByteArray::fromStdString(doc.Serialize());
        const ModelFile after(written);
        SCOPED_TRACE(Shown(written));
        ASSERT_EQ(after.Value(section, key), value);
        ASSERT_EQ(after.Names(), before.Find(section) ? before.Names() : before.Names() + QStringList{section});
        ExpectOtherLookupsKept(before, after, section, key);

        // Same encoding, and added lines use a line end the file already had
        // (CR LF in a file that had none). A Ctrl-Z is read as a blank only
        // at the end of the file.
        ASSERT_EQ(Decoded(written).first, Decoded(file).first);
        ASSERT_EQ(DecodeFile(written).endsWith(u'\x1A'), DecodeFile(file).endsWith(u'\x1A'));
        std::array<bool, 3> allowed = LineEndKinds(file);
        if (allowed == std::array<bool, 3>{}) allowed[1] = true;
        const std::array<bool, 3> used = LineEndKinds(written);
        for (int kind = 0; kind < 3; ++kind) ASSERT_TRUE(allowed[kind] || !used[kind]);

        // Deleting a section removes all of that name and nothing else.
        IniDocument removed = IniDocument::Parse(file.toStdString());
        removed.RemoveSection(ToUtf8(section));
        const QByteArray rest = QByteArray::fromStdString(removed.Serialize());
        SCOPED_TRACE("after the delete: " + Shown(rest));
        QStringList keptNames = before.Names();
        keptNames.removeIf([&](const QString& s) { return SameName(s, section); });
        ASSERT_EQ(ModelFile(rest).Names(), keptNames);
        ExpectOtherLookupsKept(before, ModelFile(rest), section);
    }
}

// ---- Where a change lands ----------------------------------------------

// A null value deletes the section. A refused change, or a delete that finds
// nothing, has an empty `after`.
void Check(const char* rule, const QByteArray& before, const char* section, const char* key, const char* value,
           const QByteArray& after) {
    IniDocument doc = IniDocument::Parse(before.toStdString());
    const WriteOutcome set = value ? doc.SetValue(section, key, value) : WriteOutcome::Success();
    const bool done = value ? bool(set) : doc.RemoveSection(section) > 0;
    EXPECT_EQ(done, !after.isEmpty()) << rule;
    EXPECT_EQ(set.error.empty(), done || !value) << rule;
    EXPECT_EQ(QByteArray::fromStdString(doc.Serialize()), done ? after : before) << rule;
    EXPECT_EQ(doc.Modified(), done && before != after) << rule;
}

TEST(IniDocumentWrite, TouchesOnlyWhatItChangesAndRefusesWhatWouldNotReadBack) {
    Check("value replaced in place, key spelling and indent kept", "; c\n[A]\n\tMODE = old \n\nkeep\n", "a", "mode",
          "new", "; c\n[A]\n\tMODE=new\n\nkeep\n");
    Check("new key after the last key, before blanks and comments", "[a]\nk=1\nodd\n\n;b\n[b]\n", "a", "j", "2",
          "[a]\nk=1\nodd\nj=2\n\n;b\n[b]\n");
    Check("undecodable bytes survive", "[a]\n\xFF\xC0junk\nk=1\n", "a", "k", "2", "[a]\n\xFF\xC0junk\nk=2\n");
    Check("mixed line ends: the first one seen", "[a]\rk=1\r\n", "a", "j", "2", "[a]\rk=1\r\nj=2\r");
    Check("a final Ctrl-Z stays last", "[a]\r\nk=0\x1A", "b", "j", "2", "[a]\r\nk=0\r\n[b]\r\nj=2\r\n\x1A");
    Check("delete removes every same-named section, not the comment leading into the next one",
          "x=0\n[a]\nk=1\n\n;c\n[b]\n[ A ]\nk=3", "a", nullptr, nullptr, "x=0\n;c\n[b]\n");
    Check("delete finds no empty name", "[]\nk=1\n", " ", nullptr, nullptr, {});
    Check("empty section name", "[]\nk=1\n", "", "k", "2", {});
    Check("empty key", "[a]\n", "a", " \x1A", "2", {});
    Check("line break in a name", "[a]\n", "a\nb", "k", "v", {});
    Check("line break in a value", "[a]\n", "a", "k", "v\r", {});
}

}  // namespace

}  // namespace quillmar
