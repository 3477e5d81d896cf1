// The INI engine on arbitrary bytes: parsing never fails, an unchanged
// document goes back byte for byte, and a change touches only its own lines.

#include "platform/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using namespace quillmar;

namespace {

// Pieces of `bytes` between line-end characters: lines, in any of the line
// ends. A UTF-16 file is cut on whole units after its mark, so that a byte
// 0x0A or 0x0D inside a character does not count as a line end.
std::vector<std::string> Pieces(const std::string& bytes) {
    const bool little = bytes.starts_with("\xFF\xFE");
    const bool big = bytes.starts_with("\xFE\xFF");
    const size_t unit = little || big ? 2 : 1;
    std::vector<std::string> pieces(1);
    for (size_t at = 0; at < bytes.size(); at += unit) {
        const std::string piece = bytes.substr(at, unit);
        char c = piece[0];
        if (unit == 2 && piece.size() == 2) c = piece[little ? 1 : 0] == '\0' ? piece[little ? 0 : 1] : 'x';
        if (c == '\r' || c == '\n')
            pieces.emplace_back();
        else
            pieces.back() += piece;
    }
    return pieces;
}

// Lines of `before` that `after` no longer holds, counted as a multiset.
int LinesLost(const std::string& before, const std::string& after) {
    std::map<std::string, int> remaining;
    for (const std::string& line : Pieces(after)) ++remaining[line];
    int lost = 0;
    for (const std::string& line : Pieces(before)) {
        if (remaining[line] > 0)
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
    const std::string input(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::Parse(input);
    Check(doc.Serialize() == input);
    const std::vector<std::string> names = doc.SectionNames();

    // One write: the value reads back, every section is still there, and at
    // most the replaced line and a last line that gained its line end differ.
    const std::string section = "profile-fuzz";
    if (doc.SetValue(section, "mode_1", "1920x1080p 60")) {
        const std::string written = doc.Serialize();
        const IniDocument again = IniDocument::Parse(written);
        Check(again.Value(section, "mode_1", "") == "1920x1080p 60");
        // Existing headers stay in order; a new section can only follow them.
        const std::vector<std::string> after = again.SectionNames();
        Check(after.size() >= names.size() && std::equal(names.begin(), names.end(), after.begin()));
        Check(LinesLost(input, written) <= 2);
    }

    // Writing into a section the file has adds no section, whichever line
    // (a key line without '=' too) the key was found on.
    if (!names.empty()) {
        IniDocument existing = IniDocument::Parse(input);
        if (existing.SetValue(names.front(), "tvmode", "pal")) {
            const std::string written = existing.Serialize();
            const IniDocument again = IniDocument::Parse(written);
            Check(again.Value(names.front(), "tvmode", "") == "pal");
            Check(again.SectionNames() == names);
            Check(LinesLost(input, written) <= 2);
        }
    }

    // Removing a section leaves none of that name behind.
    IniDocument removed = IniDocument::Parse(input);
    if (!names.empty()) {
        removed.RemoveSection(names.front());
        Check(!IniDocument::Parse(removed.Serialize()).HasSection(names.front()));
    }
    return 0;
}
