// The INI engine on arbitrary bytes: parsing never fails, an unchanged
// document goes back byte for byte, and a change touches only its own lines.

#include "platform/ini_document.h"

#include <QHash>

#include <cstdint>

using namespace quillmar;

namespace {

// Pieces of `bytes` between CR and LF bytes: lines, in any of the line ends.
QList<QByteArray> Pieces(const QByteArray& bytes) {
    QByteArray unified = bytes;
    unified.replace('\r', '\n');
    return unified.split('\n');
}

// Lines of `before` that `after` no longer holds, counted as a multiset.
int LinesLost(const QByteArray& before, const QByteArray& after) {
    QHash<QByteArray, int> remaining;
    for (const QByteArray& line : Pieces(after)) ++remaining[line];
    int lost = 0;
    for (const QByteArray& line : Pieces(before)) {
        if (remaining.value(line) > 0)
            --remaining[line];
        else
            ++lost;
    }
    return lost;
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniDocument doc = IniDocument::Parse(input);
    Check(doc.Serialize() == input);
    const QStringList names = doc.SectionNames();

    // One write: the value reads back, every section is still there, and at
    // most the replaced line and a last line that gained its line end differ.
    const QString section = QStringLiteral("profile-fuzz");
    if (doc.SetValue(section, QStringLiteral("mode_1"), QStringLiteral("1920x1080p 60"))) {
        const QByteArray written = doc.Serialize();
        const IniDocument again = IniDocument::Parse(written);
        Check(again.Value(section, QStringLiteral("mode_1"), QString()) == QStringLiteral("1920x1080p 60"));
        // Existing headers stay in order; a new section can only follow them.
        Check(again.SectionNames().mid(0, names.size()) == names);
        Check(LinesLost(input, written) <= 2);
    }

    // Writing into a section the file has adds no section, whichever line
    // (a key line without '=' too) the key was found on.
    if (!names.isEmpty()) {
        IniDocument existing = IniDocument::Parse(input);
        if (existing.SetValue(names.first(), QStringLiteral("tvmode"), QStringLiteral("pal"))) {
            const QByteArray written = existing.Serialize();
            const IniDocument again = IniDocument::Parse(written);
            Check(again.Value(names.first(), QStringLiteral("tvmode"), QString()) == QStringLiteral("pal"));
            Check(again.SectionNames() == names);
            Check(LinesLost(input, written) <= 2);
        }
    }

    // Removing a section leaves none of that name behind.
    IniDocument removed = IniDocument::Parse(input);
    if (!names.isEmpty()) {
        removed.RemoveSection(names.first());
        Check(!IniDocument::Parse(removed.Serialize()).HasSection(names.first()));
    }
    return 0;
}
