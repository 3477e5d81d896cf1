// The INI engine against a small model of how the private-profile functions
// read a file, on many generated files that mix line ends, byte-order marks,
// key lines without '=' (found, but without a value), empty section names,
// Ctrl-Z and blanks. The model decodes the whole file at once, folds every
// line end into LF and reads the lines as UTF-16 text, with its own decoder, so it
// shares no code with the engine. Names fold ASCII letters only, as the
// platform's functions do.

#include "platform/ini_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>

namespace quillmar {

namespace {

using Text = std::u16string;

// ---- The model ----------------------------------------------------------

enum class Encoding { kUtf8, kUtf16Le, kUtf16Be };

// The byte-order marks and their encodings; plain UTF-8 last.
const std::pair<std::string, Encoding> kBoms[] = {{"\xEF\xBB\xBF", Encoding::kUtf8},
                                                  {"\xFF\xFE", Encoding::kUtf16Le},
                                                  {"\xFE\xFF", Encoding::kUtf16Be},
                                                  {"", Encoding::kUtf8}};

// ASCII and Latin-1 only: all that the files below hold.
std::string Encode(Encoding e, const Text& text) {
    std::string out;
    for (const char16_t c : text)
        out += e == Encoding::kUtf16Le   ? std::string{char(c), char(c >> 8)}
               : e == Encoding::kUtf16Be ? std::string{char(c >> 8), char(c)}
               : c < 0x80                ? std::string(1, char(c))
                                         : std::string{char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    return out;
}
std::string U8(const Text& text) { return Encode(Encoding::kUtf8, text); }

Text Decode(Encoding e, std::string_view bytes) {
    Text out;
    const auto at = [&](size_t i) { return char16_t(i < bytes.size() ? uint8_t(bytes[i]) : 0); };
    for (size_t i = 0; i < bytes.size(); i += e != Encoding::kUtf8 || at(i) >= 0x80 ? 2 : 1)
        out += e == Encoding::kUtf16Le   ? char16_t(at(i) | at(i + 1) << 8)
               : e == Encoding::kUtf16Be ? char16_t(at(i) << 8 | at(i + 1))
               : at(i) < 0x80            ? at(i)
                                         : char16_t((at(i) & 0x1F) << 6 | (at(i + 1) & 0x3F));
    return out;
}

// The file's byte-order mark ("" for none) and its text.
std::pair<std::string, Text> Decoded(const std::string& bytes) {
    for (const auto& [bom, encoding] : kBoms)
        if (bytes.starts_with(bom)) return {bom, Decode(encoding, std::string_view(bytes).substr(bom.size()))};
    return {};
}
Text DecodeFile(const std::string& bytes) { return Decoded(bytes).second; }

Text Trimmed(Text s) {
    const auto blank = [](char16_t c) { return Text(u" \t\v\f\x1A").find(c) != Text::npos; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    while (!s.empty() && blank(s.front())) s.erase(0, 1);
    return s;
}

Text Folded(Text s) {
    for (char16_t& c : s)
        if (c >= u'a' && c <= u'z') c = char16_t(c - 32);
    return s;
}
bool SameName(const Text& a, const Text& b) { return Folded(Trimmed(a)) == Folded(Trimmed(b)); }

Text Replaced(Text s, const Text& from, const Text& to) {
    for (size_t at = s.find(from); at != Text::npos; at = s.find(from, at + to.size())) s.replace(at, from.size(), to);
    return s;
}
struct ModelSection {
    Text name;
    std::vector<std::pair<Text, std::optional<Text>>> keys;  // no value on a line without '='
};

class ModelFile {
public:
    explicit ModelFile(const std::string& bytes) {
        const Text text = Replaced(Replaced(DecodeFile(bytes), u"\r\n", u"\n"), u"\r", u"\n");
        for (size_t start = 0, end = 0; start <= text.size(); start = end + 1) {
            end = std::min(text.find(u'\n', start), text.size());
            const Text line = Trimmed(text.substr(start, end - start));
            const size_t close = line.rfind(u']'), eq = line.find(u'=');
            if (line.empty() || line.starts_with(u';')) continue;
            if (line.starts_with(u'[') && close != Text::npos && close > 0) {
                sections_.push_back({Trimmed(line.substr(1, close - 1)), {}});
                continue;
            }
            std::optional<Text> value;
            if (eq != Text::npos) {
                const Text v = Trimmed(line.substr(eq + 1));
                const bool quoted = v.size() > 1 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
                value = quoted ? v.substr(1, v.size() - 2) : v;
            }
            if (!sections_.empty()) sections_.back().keys.push_back({Trimmed(line.substr(0, eq)), value});
        }
    }

    std::vector<Text> Names() const {
        std::vector<Text> names;
        for (const ModelSection& s : sections_)
            if (!s.name.empty()) names.push_back(s.name);
        return names;
    }

    const ModelSection* Find(const Text& section) const {
        for (const ModelSection& s : sections_)
            if (!Trimmed(section).empty() && SameName(s.name, section)) return &s;
        return nullptr;
    }

    std::optional<Text> Value(const Text& section, const Text& key) const {
        const ModelSection* s = Find(section);
        if (s == nullptr || Trimmed(key).empty()) return std::nullopt;
        for (const auto& [name, value] : s->keys)
            if (SameName(name, key)) return value;
        return std::nullopt;
    }

private:
    std::vector<ModelSection> sections_;  // from the first header on
};

// ---- Generated files ----------------------------------------------------

using Texts = std::vector<Text>;
Texts operator+(Texts a, const Texts& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

const Texts kSectionNames = {u"a", u"A", u" a ",    u"b",      u"profile-x", u"PROFILE-X",
                             u"",  u" ", u"\u00FC", u"\u00DC", u"a]b",       u"x\x1A"};
const Texts kKeys = {u"k", u"K", u"tvmode", u"TVMODE", u"osd", u"\u00E4", u"\u00C4"};
const Texts kValues = {u"on", u"off", u"", u"'q'", u"\"q\"", u"\"", u"a b", u"x=y", u"\u00FC", u"' q '"};
// Lookups: the names above plus spellings that must find nothing or the
// same thing.
const Texts kSectionQueries = kSectionNames + Texts{u"B", u"x", u"c", u"[c", u"\x1A"};
const Texts kKeyQueries = kKeys + Texts{u" k ", u"", u"[c", u";k", u"k\x1A", u"zz"};
// Line shapes: {s} a section name, {k} a key, {v} a value.
const Texts kLines = {u"[{s}]",    u"  [{s}]\t ", u"[{s}] ; note", u"\x1A[{s}]", u"[c",   u"{k}",  u"  {k}\x1A",
                      u";{k}={v}", u"",           u"   ",          u"\x1A",      u"\t;c", u"={v}", u" {k} \t= {v} \x1A",
                      u"{k}={v}",  u"{k}={v}",    u"{k}={v}"};
const Texts kEnds = {u"\n", u"\r\n", u"\r"};

struct FileGenerator {
    std::mt19937 random;
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    const Text& Pick(const Texts& list) { return list[size_t(Below(int(list.size())))]; }

    // One line end for the whole file, or any mix; any encoding.
    std::string File() {
        const bool mixed = Below(2);
        const Text fileEnd = Pick(kEnds);
        Text text;
        for (int i = Below(12); i > 0; --i) {
            text += Replaced(Replaced(Replaced(Pick(kLines), u"{s}", Pick(kSectionNames)), u"{k}", Pick(kKeys)), u"{v}",
                             Pick(kValues));
            if (i > 1 || Below(2)) text += mixed ? Pick(kEnds) : fileEnd;
        }
        if (Below(4) == 0) text += u'\x1A';
        const auto& [bom, encoding] = kBoms[Below(4)];
        return bom + Encode(encoding, text);
    }
};

// The bytes with all but letters, digits and a few signs percent-encoded.
std::string Shown(const std::string& bytes) {
    std::string shown;
    for (const char c : bytes) {
        const bool plain =
            std::isalnum(uint8_t(c)) || std::string_view("-._~ =[];'\"").find(c) != std::string_view::npos;
        shown += plain ? std::string(1, c)
                       : "%" + std::string{"0123456789ABCDEF"[uint8_t(c) >> 4], "0123456789ABCDEF"[c & 15]};
    }
    return shown;
}

std::vector<std::string> U8(const Texts& texts) {
    std::vector<std::string> out;
    for (const Text& text : texts) out.push_back(U8(text));
    return out;
}

constexpr int kFiles = 3000;

// ---- Writing ------------------------------------------------------------

// The line ends a file uses: LF, CR LF, lone CR.
std::array<bool, 3> LineEndKinds(const std::string& bytes) {
    const Text text = DecodeFile(bytes), lone = Replaced(text, u"\r\n", u"");
    return {lone.find(u'\n') != Text::npos, text.find(u"\r\n") != Text::npos, lone.find(u'\r') != Text::npos};
}

// Every lookup but the one a change aimed at reads as before; a null key
// stands for every key of the section.
void ExpectOtherLookupsKept(const ModelFile& before, const ModelFile& after, const Text& section, const Text* key,
                            const std::string& file) {
    for (const Text& s : kSectionQueries)
        for (const Text& k : kKeyQueries) {
            if (SameName(s, section) && (key == nullptr || SameName(k, *key))) continue;
            ASSERT_EQ(after.Value(s, k), before.Value(s, k)) << Shown(file) << " [" << U8(s) << "] " << U8(k);
        }
}

// Each file is read as the model reads it; then one value is set, which
// reads back and leaves every other lookup as it was, and one section is
// deleted, which takes all of that name and nothing else.
TEST(IniDocumentReference, ReadsAndWritesEveryGeneratedFileAsThePlatformDoes) {
    FileGenerator generate{std::mt19937(20261207)};
    const Text fallback = u"\x01missing";
    const Texts writable = {u"a", u"A", u"b", u"profile-x", u"\u00DC", u"a]b", u"new"};
    for (int n = 0; n < kFiles; ++n) {
        const std::string file = generate.File();
        const ModelFile before(file);
        IniDocument doc = IniDocument::Parse(file);
        ASSERT_EQ(doc.Serialize(), file);
        ASSERT_EQ(doc.SectionNames(), U8(before.Names())) << Shown(file);
        for (const Text& section : kSectionQueries) {
            ASSERT_EQ(doc.HasSection(U8(section)), before.Find(section) != nullptr) << Shown(file);
            for (const Text& key : kKeyQueries)
                ASSERT_EQ(doc.Value(U8(section), U8(key), U8(fallback)),
                          U8(before.Value(section, key).value_or(fallback)))
                    << Shown(file) << " [" << U8(section) << "] " << U8(key);
        }

        const Text section = generate.Pick(writable), key = generate.Pick(kKeys);
        const Text value = generate.Pick({u"on", u"pal", u"", u"\u00E4 x"});

        const WriteOutcome set = doc.SetValue(U8(section), U8(key), U8(value));
        ASSERT_TRUE(set) << set.error;
        const std::string written = doc.Serialize();
        const ModelFile after(written);
        ASSERT_EQ(after.Value(section, key), value) << Shown(file) << " -> " << Shown(written);
        ASSERT_EQ(after.Names(), before.Find(section) ? before.Names() : before.Names() + Texts{section})
            << Shown(written);
        ExpectOtherLookupsKept(before, after, section, &key, written);

        // Same encoding, and added lines use a line end the file already had
        // (CR LF in a file that had none). A Ctrl-Z is read as a blank only
        // at the end of the file.
        ASSERT_EQ(Decoded(written).first, Decoded(file).first);
        ASSERT_EQ(DecodeFile(written).ends_with(u'\x1A'), DecodeFile(file).ends_with(u'\x1A')) << Shown(written);
        std::array<bool, 3> allowed = LineEndKinds(file);
        if (allowed == std::array<bool, 3>{}) allowed[1] = true;
        const std::array<bool, 3> used = LineEndKinds(written);
        for (int kind = 0; kind < 3; ++kind) ASSERT_TRUE(allowed[kind] || !used[kind]) << Shown(written);

        // Deleting a section removes all of that name and nothing else.
        IniDocument removed = IniDocument::Parse(file);
        removed.RemoveSection(U8(section));
        const std::string rest = removed.Serialize();
        const ModelFile afterRemove(rest);
        Texts keptNames = before.Names();
        std::erase_if(keptNames, [&](const Text& s) { return SameName(s, section); });
        ASSERT_EQ(afterRemove.Names(), keptNames) << Shown(file) << " -> " << Shown(rest);
        ExpectOtherLookupsKept(before, afterRemove, section, nullptr, rest);
    }
}

}  // namespace

}  // namespace quillmar
