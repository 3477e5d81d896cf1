// The INI engine against a small model of how the private-profile functions
// read a file, on many generated files that mix line ends, byte-order marks,
// key lines without '=' (found, but without a value), empty section names,
// Ctrl-Z and blanks. The model
// decodes the whole file at once, folds every line end into LF and reads the
// lines with Qt's own case-insensitive comparison, so it shares no code with
// the engine. Names fold ASCII letters only, as the platform's functions do.

#include "platform/ini_document.h"
#include "platform/qt_text_bridge.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace quillmar {

namespace {

using namespace Qt::StringLiterals;

// ---- The model ----------------------------------------------------------

QString Trimmed(QStringView s) {
    static const QString kBlanks = QStringLiteral(" \t\v\f\x1A");
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && kBlanks.contains(s[begin])) ++begin;
    while (end > begin && kBlanks.contains(s[end - 1])) --end;
    return s.sliced(begin, end - begin).toString();
}

QString DecodeFile(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) return QStringDecoder(QStringConverter::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF")) return QStringDecoder(QStringConverter::Utf16BE)(bytes.mid(2));
    return QString::fromUtf8(bytes);
}

bool SameName(const QString& a, const QString& b) {
    const auto upper = [](QString s) {
        for (QChar& c : s)
            if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
        return s;
    };
    return upper(a) == upper(b);
}

struct ModelKey {
    QString name;
    std::optional<QString> value;  // none on a line without '='
};
struct ModelSection {
    QString name;
    std::vector<ModelKey> keys;
};

class ModelFile {
public:
    explicit ModelFile(const QByteArray& bytes) {
        QString text = DecodeFile(bytes);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        sections_.push_back({});  // the lines before any header
        for (const QString& raw : text.split(u'\n')) {
            const QString line = Trimmed(raw);
            if (line.isEmpty() || line.startsWith(u';')) continue;
            if (line.startsWith(u'[') && line.lastIndexOf(u']') > 0) {
                sections_.push_back({Trimmed(QStringView(line).sliced(1, line.lastIndexOf(u']') - 1)), {}});
                continue;
            }
            const qsizetype eq = line.indexOf(u'=');
            ModelKey key{Trimmed(eq < 0 ? line : line.left(eq)), std::nullopt};
            if (eq >= 0) {
                const QString v = Trimmed(line.mid(eq + 1));
                const bool quoted = v.size() > 1 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
                key.value = quoted ? v.mid(1, v.size() - 2) : v;
            }
            sections_.back().keys.push_back(key);
        }
    }

    QStringList Names() const {
        QStringList names;
        for (size_t i = 1; i < sections_.size(); ++i)
            if (!sections_[i].name.isEmpty()) names.append(sections_[i].name);
        return names;
    }

    const ModelSection* Find(const QString& section) const {
        const QString wanted = Trimmed(section);
        for (size_t i = 1; i < sections_.size(); ++i)
            if (!wanted.isEmpty() && SameName(sections_[i].name, wanted)) return &sections_[i];
        return nullptr;
    }

    std::optional<QString> Value(const QString& section, const QString& key) const {
        const ModelSection* s = Find(section);
        const QString wanted = Trimmed(key);
        if (s == nullptr || wanted.isEmpty()) return std::nullopt;
        for (const ModelKey& k : s->keys)
            if (SameName(k.name, wanted)) return k.value;
        return std::nullopt;
    }

private:
    std::vector<ModelSection> sections_;
};

// ---- Generated files ----------------------------------------------------

enum class Encoding { kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be };

QByteArray Encode(const QString& text, Encoding encoding) {
    switch (encoding) {
    case Encoding::kUtf8:
        return text.toUtf8();
    case Encoding::kUtf8Bom:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case Encoding::kUtf16Le:
        return "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text));
    case Encoding::kUtf16Be:
        return "\xFE\xFF" + QByteArray(QStringEncoder(QStringConverter::Utf16BE)(text));
    }
    return {};
}

const QStringList kSectionNames = {u"a"_s, u"A"_s, u" a "_s,    u"b"_s,      u"profile-x"_s, u"PROFILE-X"_s,
                                   u""_s,  u" "_s, u"\u00FC"_s, u"\u00DC"_s, u"a]b"_s,       u"x\x1A"_s};
const QStringList kKeys = {u"k"_s, u"K"_s, u"tvmode"_s, u"TVMODE"_s, u"osd"_s, u"\u00E4"_s, u"\u00C4"_s};
const QStringList kValues = {u"on"_s, u"off"_s, u""_s,    u"'q'"_s,    u"\"q\""_s,
                             u"\""_s, u"a b"_s, u"x=y"_s, u"\u00FC"_s, u"' q '"_s};
// Lookups: the names above plus spellings that must find nothing or the
// same thing.
const QStringList kSectionQueries = kSectionNames + QStringList{u"B"_s, u"x"_s, u"c"_s, u"[c"_s, u"\x1A"_s};
const QStringList kKeyQueries = kKeys + QStringList{u" k "_s, u""_s, u"[c"_s, u";k"_s, u"k\x1A"_s, u"zz"_s};

class FileGenerator {
public:
    explicit FileGenerator(unsigned seed) : random_(seed) {}

    template <typename T>
    const T& Pick(const QList<T>& list) {
        return list[qsizetype(Below(unsigned(list.size())))];
    }
    unsigned Below(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random_); }

    QString Line() {
        const QString& key = Pick(kKeys);
        const QString& value = Pick(kValues);
        switch (Below(14)) {
        case 0:
            return u"["_s + Pick(kSectionNames) + u"]"_s;
        case 1:
            return u"  ["_s + Pick(kSectionNames) + u"]\t "_s;
        case 2:
            return u"["_s + Pick(kSectionNames) + u"] ; note"_s;
        case 3:
            return u"\x1A["_s + Pick(kSectionNames) + u"]"_s;
        case 4:
            return u"[c"_s;
        case 5:
            return key;
        case 6:
            return u"  "_s + key + u"\x1A"_s;
        case 7:
            return u";"_s + key + u"="_s + value;
        case 8:
            return Pick(QStringList{u""_s, u"   "_s, u"\x1A"_s, u"\t;c"_s});
        case 9:
            return u"="_s + value;
        case 10:
            return u" "_s + key + u" \t= "_s + value + u" \x1A"_s;
        default:
            return key + u"="_s + value;
        }
    }

    QByteArray File() {
        static const QStringList kEnds = {u"\n"_s, u"\r\n"_s, u"\r"_s};
        // One line end for the whole file, or any mix.
        const bool mixed = Below(2) == 0;
        const QString fileEnd = Pick(kEnds);
        QString text;
        const unsigned lines = Below(12);
        for (unsigned i = 0; i < lines; ++i) {
            text += Line();
            if (i + 1 < lines || Below(2) == 0) text += mixed ? Pick(kEnds) : fileEnd;
        }
        if (Below(4) == 0) text += QChar(0x1A);
        return Encode(text, Encoding(Below(4)));
    }

private:
    std::mt19937 random_;
};

QString Shown(const QByteArray& bytes) { return QString::fromLatin1(bytes.toPercentEncoding(" =[];'\"")); }

constexpr int kFiles = 3000;

// ---- Reading ------------------------------------------------------------

TEST(IniDocumentReference, ReadsEveryGeneratedFileAsThePlatformDoes) {
    FileGenerator generate(20261207);
    const QString fallback = QStringLiteral("\x01missing");
    for (int n = 0; n < kFiles; ++n) {
        const QByteArray file = generate.File();
        const IniDocument doc = IniDocument::Parse(file.toStdString());
        const ModelFile model(file);
        ASSERT_EQ(QByteArray::fromStdString(doc.Serialize()), file);
        ASSERT_EQ(FromUtf8(doc.SectionNames()), model.Names()) << Shown(file).toStdString();
        for (const QString& section : kSectionQueries) {
            ASSERT_EQ(doc.HasSection(ToUtf8(section)), model.Find(section) != nullptr)
                << Shown(file).toStdString() << " section " << section.toStdString();
            for (const QString& key : kKeyQueries)
                ASSERT_EQ(FromUtf8(doc.Value(ToUtf8(section), ToUtf8(key), ToUtf8(fallback))),
                          model.Value(section, key).value_or(fallback))
                    << Shown(file).toStdString() << " [" << section.toStdString() << "] " << key.toStdString();
        }
    }
}

// ---- Writing ------------------------------------------------------------

QByteArray Bom(const QByteArray& bytes) {
    for (const char* bom : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        if (bytes.startsWith(bom)) return bom;
    return {};
}

// The line ends a file uses, by kind: LF, CR LF, lone CR.
QList<bool> LineEndKinds(const QByteArray& bytes) {
    const QString text = DecodeFile(bytes);
    QList<bool> kinds{false, false, false};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') kinds[0] = true;
        if (text[i] != u'\r') continue;
        const bool lf = i + 1 < text.size() && text[i + 1] == u'\n';
        kinds[lf ? 1 : 2] = true;
        i += lf ? 1 : 0;
    }
    return kinds;
}

// Every lookup but the one a change aimed at reads as before.
void ExpectOtherLookupsKept(const ModelFile& before, const ModelFile& after, const QString& section, const QString& key,
                            const QByteArray& file) {
    for (const QString& s : kSectionQueries) {
        const bool sameSection = SameName(Trimmed(s), Trimmed(section));
        for (const QString& k : kKeyQueries) {
            if (sameSection && (key.isNull() || SameName(Trimmed(k), Trimmed(key)))) continue;
            ASSERT_EQ(after.Value(s, k), before.Value(s, k))
                << Shown(file).toStdString() << " [" << s.toStdString() << "] " << k.toStdString();
        }
    }
}

TEST(IniDocumentReference, WritesReadBackAndTouchNothingElse) {
    FileGenerator generate(7);
    const QStringList writable = {u"a"_s, u"A"_s, u"b"_s, u"profile-x"_s, u"\u00DC"_s, u"a]b"_s, u"new"_s};
    const QStringList values = {u"on"_s, u"pal"_s, u""_s, u"\u00E4 x"_s};
    for (int n = 0; n < kFiles; ++n) {
        const QByteArray file = generate.File();
        const ModelFile before(file);
        const QString section = generate.Pick(writable);
        const QString key = generate.Pick(kKeys);
        const QString value = generate.Pick(values);

        IniDocument doc = IniDocument::Parse(file.toStdString());
        const WriteOutcome set = doc.SetValue(ToUtf8(section), ToUtf8(key), ToUtf8(value));
        ASSERT_TRUE(set) << set.error;
        const QByteArray written = QByteArray::fromStdString(doc.Serialize());
        const ModelFile after(written);
        ASSERT_EQ(after.Value(section, key), value)
            << Shown(file).toStdString() << " -> " << Shown(written).toStdString();
        const QStringList expectedNames = before.Find(section) ? before.Names() : before.Names() + QStringList{section};
        ASSERT_EQ(after.Names(), expectedNames) << Shown(written).toStdString();
        ExpectOtherLookupsKept(before, after, section, key, written);

        // Same encoding, and added lines use a line end the file already had
        // (CR LF in a file that had none).
        ASSERT_EQ(Bom(written), Bom(file));
        // Windows reads a Ctrl-Z as a blank only at the end of the file.
        ASSERT_EQ(DecodeFile(written).endsWith(u'\x1A'), DecodeFile(file).endsWith(u'\x1A'))
            << Shown(written).toStdString();
        QList<bool> allowed = LineEndKinds(file);
        if (!allowed.contains(true)) allowed = {false, true, false};
        const QList<bool> used = LineEndKinds(written);
        for (int kind = 0; kind < 3; ++kind) ASSERT_TRUE(allowed[kind] || !used[kind]) << Shown(written).toStdString();

        // Deleting a section removes all of that name and nothing else.
        IniDocument removed = IniDocument::Parse(file.toStdString());
        removed.RemoveSection(ToUtf8(section));
        const QByteArray rest = QByteArray::fromStdString(removed.Serialize());
        const ModelFile afterRemove(rest);
        ASSERT_EQ(afterRemove.Find(section), nullptr) << Shown(rest).toStdString();
        QStringList keptNames = before.Names();
        keptNames.removeIf([&](const QString& s) { return SameName(s, Trimmed(section)); });
        ASSERT_EQ(afterRemove.Names(), keptNames) << Shown(file).toStdString() << " -> " << Shown(rest).toStdString();
        ExpectOtherLookupsKept(before, afterRemove, section, QString(), rest);
    }
}

}  // namespace

}  // namespace quillmar
