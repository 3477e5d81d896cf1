#pragma once
// An INI text held line by line, so that a change rewrites only the lines it
// touches and every other line goes back to disk byte for byte.
//
// Text is UTF-8 in std::string. Reading rules, those of the private-profile
// functions that the camera tools use: a line ends at LF, CR LF or a lone CR, in any mix; blanks are space,
// tab, CR, VT, FF and Ctrl-Z (old editors end files with one). Section and
// key names match without regard to ASCII case (A-Z only, as the Windows
// functions compare them; other letters match only as they stand), after
// blanks around them are dropped; the first matching section and, inside it, the first matching key
// win; a value loses surrounding blanks and one pair of matching quotes
// ("..." or '...'); a line whose first non-blank character is ';' is a
// comment; a line starting with '[' that holds a ']' is a header whose name
// runs to the last ']'; every other non-blank line is a key. A key line
// without '=' is found as its key but has no value: the lookup gives the
// caller's fallback, and a later line of the same key stays hidden. A
// section with an empty name, and the lines before the first header, are
// never found and never listed; nor is a key with an empty name.
//
// Ctrl-Z at the very end of a file (after its last line end, or ending its
// last line) is an end-of-file mark: lines added later go in front of it, so
// it never ends up inside a value.

#include "platform/write_outcome.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmar {

enum class IniEncoding {
    kUtf8,  // no byte-order mark (also what a new file gets)
    kUtf8Bom,
    kUtf16LeBom,
    kUtf16BeBom,
    kLegacyCodePage,  // no byte-order mark, not UTF-8: the system's 8-bit code page (Windows)
};

enum class IniLineEnd { kNone, kLf, kCrLf, kCr };

// The line end of lines added to a file that has none yet: CR LF, as the
// Windows tools that share these files write them.
inline constexpr IniLineEnd kNewFileLineEnd = IniLineEnd::kCrLf;

class IniDocument {
public:
    // An empty document: UTF-8 without BOM, added lines end with `lineEnd`.
    explicit IniDocument(IniLineEnd lineEnd = kNewFileLineEnd);

    // Accepts UTF-8 with or without BOM and UTF-16 (either byte order) with
    // BOM; without BOM, a file that is not UTF-8 is read in the system's
    // legacy code page where it has one, else its stray bytes read as U+FFFD.
    // Untouched lines keep their bytes either way. Never fails.
    static IniDocument Parse(std::string_view bytes);
    // The original bytes where nothing changed, in the original encoding.
    std::string Serialize() const;

    IniEncoding Encoding() const { return encoding_; }
    // The line end given to added lines: that of the first line that has one.
    IniLineEnd LineEnd() const { return line_end_; }
    // True once a change has been made since Parse or construction.
    bool Modified() const { return modified_; }
    // Called once the document's bytes are what the file holds.
    void MarkUnmodified() { modified_ = false; }

    // Every section header's name, in file order, duplicates included,
    // except empty ones.
    std::vector<std::string> SectionNames() const;
    bool HasSection(std::string_view section) const;
    // The key's value in the first matching section, or `fallback` when the
    // section or the key is absent, or the key's first line has no '='.
    std::string Value(std::string_view section, std::string_view key, const std::string& fallback) const;

    // Replaces the value of an existing key where it stands (the key keeps
    // its spelling), or adds the key after the last key of the section, or
    // adds the section at the end of the file. A key line without '=' is
    // filled in where it stands. Writing the value a key already holds
    // changes nothing. Refuses, saying why, names and values that could not
    // be read back as given (a line break; a character the file's code page
    // lacks); the document is then unchanged.
    WriteOutcome SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines, so that no
    // duplicate can surface later. Returns how many were removed; an empty
    // name removes nothing, as it finds nothing.
    int RemoveSection(std::string_view section);

    static WriteOutcome CheckSectionName(std::string_view section);

private:
    enum class LineKind { kBlank, kComment, kHeader, kEntry };
    struct Line {
        std::string raw;  // stored bytes, line end included
        IniLineEnd end = IniLineEnd::kNone;
        LineKind kind = LineKind::kBlank;
        std::string name;        // header or key name, trimmed
        std::string value;       // key value, trimmed, quotes kept
        bool has_value = false;  // the key line holds a '='
        std::string indent;      // blanks before the key, kept when the value changes
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;  // the header first, except for the lines before any header
    };

    static Line Classify(std::string_view text);
    std::string Decode(std::string_view bytes) const;
    std::optional<std::string> Encode(std::string_view text, IniLineEnd end) const;
    Line MakeLine(const std::string& text) const;
    void EnsureLineEnd(Line& line) const;
    int FindSection(std::string_view name) const;

    IniEncoding encoding_ = IniEncoding::kUtf8;
    IniLineEnd line_end_;
    bool modified_ = false;
    std::string bom_;
    std::string eof_marks_;          // the Ctrl-Z run that ends the file, kept last
    std::vector<Section> sections_;  // [0] holds the lines before the first header
};

// Name comparison of the format: blanks around either name ignored, ASCII
// letters compared without case, every other byte as it is. Empty names
// match nothing.
bool IniNamesMatch(std::string_view a, std::string_view b);

}  // namespace quillmar
