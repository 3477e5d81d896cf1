#pragma once
// An INI text held line by line, so that a change rewrites only the lines it
// touches and every other line goes back to disk byte for byte.
//
// Reading rules, as the files written by the camera tools expect them:
// section and key names match without regard to ASCII case, after blanks
// around them are dropped; the first matching section and, inside it, the
// first matching key win; a value loses surrounding blanks and one pair of
// matching quotes ("..." or '...'); a line whose first non-blank character is
// ';' is a comment; a header's name runs to the last ']' of its line; lines
// before the first header belong to no section; a line that is none of
// header, comment or key=value is kept but never read.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

enum class IniEncoding {
    kUtf8,        // no byte-order mark (also what a new file gets)
    kUtf8Bom,
    kUtf16LeBom,
};

enum class IniLineEnd { kNone, kLf, kCrLf };

// The line end of lines added to a file that has none yet: CR LF, as the
// Windows tools that share these files write them.
inline constexpr IniLineEnd kNewFileLineEnd = IniLineEnd::kCrLf;

class IniDocument {
public:
    // An empty document: UTF-8 without BOM, added lines end with `lineEnd`.
    explicit IniDocument(IniLineEnd lineEnd = kNewFileLineEnd);

    // Accepts UTF-8 with or without BOM and UTF-16LE with BOM, LF or CR LF.
    // Never fails: what cannot be understood is kept as an unread line.
    static IniDocument Parse(QByteArrayView bytes);
    // The original bytes where nothing changed, in the original encoding.
    QByteArray Serialize() const;

    IniEncoding encoding() const { return encoding_; }
    // The line end given to added lines: that of the first line that has one.
    IniLineEnd lineEnd() const { return lineEnd_; }
    // True once a change has been made since Parse or construction.
    bool modified() const { return modified_; }
    // Called once the document's bytes are what the file holds.
    void MarkUnmodified() { modified_ = false; }

    // Every section header's name, in file order, duplicates included.
    QStringList SectionNames() const;
    bool HasSection(QStringView section) const;
    // The key's value in the first matching section, or `fallback` when the
    // section or the key is absent.
    QString Value(QStringView section, QStringView key, const QString& fallback) const;

    // Replaces the value of an existing key where it stands (the key keeps
    // its spelling), or adds the key after the last key of the section, or
    // adds the section at the end of the file. Writing the value a key
    // already holds changes nothing. Refuses, with `error` set, names and
    // values that could not be read back as given.
    bool SetValue(QStringView section, QStringView key, QStringView value, QString* error);
    // Removes every section of that name with all its lines, so that no
    // duplicate can surface later. Returns how many were removed.
    int RemoveSection(QStringView section);

    static bool CheckSectionName(QStringView section, QString* error);

private:
    enum class LineKind { kBlank, kComment, kHeader, kEntry, kOther };
    struct Line {
        QByteArray raw;  // stored bytes, line end included
        IniLineEnd end = IniLineEnd::kNone;
        LineKind kind = LineKind::kOther;
        QString name;    // header or key name, trimmed
        QString value;   // key value, trimmed, quotes kept
        QString indent;  // blanks before the key, kept when the value changes
    };
    struct Section {
        QString name;
        std::vector<Line> lines;  // the header first, except for the lines before any header
    };

    static Line Classify(QStringView text);
    QByteArray Encode(QStringView text, IniLineEnd end) const;
    Line MakeLine(const QString& text) const;
    void EnsureLineEnd(Line& line) const;
    qsizetype FindSection(QStringView name) const;

    IniEncoding encoding_ = IniEncoding::kUtf8;
    IniLineEnd lineEnd_;
    bool modified_ = false;
    QByteArray bom_;
    std::vector<Section> sections_;  // [0] holds the lines before the first header
};

// Name comparison of the format: blanks around either name ignored, ASCII
// letters without regard to case, everything else exactly.
bool IniNamesMatch(QStringView a, QStringView b);
