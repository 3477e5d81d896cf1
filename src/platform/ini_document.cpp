// The INI text held line by line: lookups and edits that leave untouched lines byte for byte.
#include "platform/ini_document.h"

#include "platform/legacy_code_page.h"
#include "platform/text_encoding.h"

#include <algorithm>

namespace quillmar {

namespace {

// Ctrl-Z counts: old editors leave one at the end of a file.
bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == 0x1A; }

std::string_view TrimBlanks(std::string_view s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && IsBlank(char32_t(s[begin]))) ++begin;
    while (end > begin && IsBlank(char32_t(s[end - 1]))) --end;
    return s.substr(begin, end - begin);
}

// ASCII only, as the Windows private-profile functions fold names; a byte of
// a longer UTF-8 sequence is never a letter here.
char FoldCase(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

}  // namespace

bool IniNamesMatch(std::string_view a, std::string_view b) {
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.empty() || a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

IniDocument::IniDocument(IniLineEnd lineEnd) : line_end_(lineEnd) { sections_.emplace_back(); }

IniDocument::Line IniDocument::Classify(std::string_view text) {
    Line line;
    const std::string_view t = TrimBlanks(text);
    if (t.empty()) {
        line.kind = LineKind::kBlank;
    } else if (t.front() == ';') {
        line.kind = LineKind::kComment;
    } else if (const size_t close = t.rfind(']'); t.front() == '[' && close != std::string_view::npos && close > 0) {
        line.kind = LineKind::kHeader;
        line.name = TrimBlanks(t.substr(1, close - 1));
    } else {
        // Anything else is a key, also a '[' without ']'; no '=' means no
        // value at all.
        const size_t eq = t.find('=');
        line.kind = LineKind::kEntry;
        line.has_value = eq != std::string_view::npos;
        line.name = TrimBlanks(line.has_value ? t.substr(0, eq) : t);
        if (line.has_value) line.value = TrimBlanks(t.substr(eq + 1));
        line.indent = text.substr(0, size_t(t.data() - text.data()));
    }
    return line;
}

std::string IniDocument::Decode(std::string_view bytes) const {
    switch (encoding_) {
    case IniEncoding::kUtf16LeBom:
        return Utf16ToUtf8(bytes, false);
    case IniEncoding::kUtf16BeBom:
        return Utf16ToUtf8(bytes, true);
    case IniEncoding::kLegacyCodePage:
        return LegacyCodePageToUtf8(bytes).value_or(std::string(bytes));
    default:
        // Where the system has no legacy code page, stray bytes read as
        // U+FFFD; the line itself stays as it is until it is changed.
        return ValidUtf8(bytes);
    }
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        doc.encoding_ = IniEncoding::kUtf8Bom;
        doc.bom_ = bytes.substr(0, 3);
    } else if (bytes.starts_with("\xFF\xFE")) {
        doc.encoding_ = IniEncoding::kUtf16LeBom;
        doc.bom_ = bytes.substr(0, 2);
    } else if (bytes.starts_with("\xFE\xFF")) {
        doc.encoding_ = IniEncoding::kUtf16BeBom;
        doc.bom_ = bytes.substr(0, 2);
    } else if (LegacyCodePageToUtf8("") && !IsValidUtf8(bytes)) {
        // Files the Windows functions write have no mark and use this page.
        doc.encoding_ = IniEncoding::kLegacyCodePage;
    }
    const bool utf16 = doc.encoding_ == IniEncoding::kUtf16LeBom || doc.encoding_ == IniEncoding::kUtf16BeBom;
    const size_t unit = utf16 ? 2 : 1;
    // No multi-byte sequence of UTF-8 or of the legacy pages holds a byte
    // below 0x40 that could be taken for one of these.
    const auto isUnit = [&](size_t at, char c) {
        if (at + unit > bytes.size()) return false;
        if (!utf16) return bytes[at] == c;
        const bool bigEndian = doc.encoding_ == IniEncoding::kUtf16BeBom;
        return bytes[at + (bigEndian ? 1 : 0)] == c && bytes[at + (bigEndian ? 0 : 1)] == '\0';
    };

    // A Ctrl-Z that ends the file, blanks at most after it, stays the file's
    // last bytes whatever is added: Windows takes it for a blank only there,
    // and in the middle of the file it would become part of a value.
    size_t stop = bytes.size();
    if ((stop - doc.bom_.size()) % unit == 0) {
        size_t at = stop;
        const auto blankInLine = [&](size_t i) {
            return isUnit(i, ' ') || isUnit(i, '\t') || isUnit(i, '\v') || isUnit(i, '\f') || isUnit(i, '\x1A');
        };
        while (at >= doc.bom_.size() + unit && blankInLine(at - unit)) at -= unit;
        // From the first Ctrl-Z of the blanks that end the last line.
        for (size_t i = at; i < stop; i += unit)
            if (isUnit(i, '\x1A')) {
                doc.eof_marks_ = bytes.substr(i);
                stop = i;
                break;
            }
    }
    bytes = bytes.substr(0, stop);

    bool endSeen = false;
    size_t start = doc.bom_.size();
    while (start < bytes.size()) {
        size_t contentEnd = start;
        while (contentEnd + unit <= bytes.size() && !isUnit(contentEnd, '\n') && !isUnit(contentEnd, '\r'))
            contentEnd += unit;
        IniLineEnd end = IniLineEnd::kNone;
        size_t next = bytes.size();
        if (isUnit(contentEnd, '\n')) {
            end = IniLineEnd::kLf;
            next = contentEnd + unit;
        } else if (isUnit(contentEnd, '\r')) {
            const bool lf = isUnit(contentEnd + unit, '\n');
            end = lf ? IniLineEnd::kCrLf : IniLineEnd::kCr;
            next = contentEnd + (lf ? 2 : 1) * unit;
        } else {
            contentEnd = bytes.size();  // a lone trailing byte of a UTF-16 file stays in the line
        }
        Line line = Classify(doc.Decode(bytes.substr(start, contentEnd - start)));
        line.raw = bytes.substr(start, next - start);
        line.end = end;
        if (end != IniLineEnd::kNone && !endSeen) {
            doc.line_end_ = end;
            endSeen = true;
        }
        if (line.kind == LineKind::kHeader) doc.sections_.push_back({line.name, {}});
        doc.sections_.back().lines.push_back(std::move(line));
        start = next;
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    size_t size = bom_.size() + eof_marks_.size();
    for (const Section& s : sections_)
        for (const Line& l : s.lines) size += l.raw.size();
    std::string out;
    out.reserve(size);
    out += bom_;
    for (const Section& s : sections_)
        for (const Line& l : s.lines) out += l.raw;
    out += eof_marks_;
    return out;
}

std::optional<std::string> IniDocument::Encode(std::string_view text, IniLineEnd end) const {
    std::string whole(text);
    if (end == IniLineEnd::kCrLf) whole += "\r\n";
    if (end == IniLineEnd::kLf) whole += '\n';
    if (end == IniLineEnd::kCr) whole += '\r';
    switch (encoding_) {
    case IniEncoding::kUtf16LeBom:
        return Utf8ToUtf16(whole, false);
    case IniEncoding::kUtf16BeBom:
        return Utf8ToUtf16(whole, true);
    case IniEncoding::kLegacyCodePage:
        return Utf8ToLegacyCodePage(whole);
    default:
        return whole;
    }
}

// Only for text that Encode has accepted.
IniDocument::Line IniDocument::MakeLine(const std::string& text) const {
    Line line = Classify(text);
    line.end = line_end_;
    line.raw = Encode(text, line_end_).value_or(text);
    return line;
}

// A line about to get a successor: only the file's last line can lack an
// end, and it gets one in the file's style.
void IniDocument::EnsureLineEnd(Line& line) const {
    if (line.end != IniLineEnd::kNone) return;
    // A UTF-16 file cut inside a character ends on a lone byte that reads as
    // nothing. It goes, so that what follows starts on a character boundary
    // and the line still reads as it did.
    const bool utf16 = encoding_ == IniEncoding::kUtf16LeBom || encoding_ == IniEncoding::kUtf16BeBom;
    if (utf16 && line.raw.size() % 2 != 0) line.raw.pop_back();
    line.raw += Encode("", line_end_).value_or("");
    line.end = line_end_;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size() - 1);
    for (size_t i = 1; i < sections_.size(); ++i)
        if (!sections_[i].name.empty()) names.push_back(sections_[i].name);
    return names;
}

int IniDocument::FindSection(std::string_view name) const {
    for (size_t i = 1; i < sections_.size(); ++i)
        if (IniNamesMatch(sections_[i].name, name)) return int(i);
    return -1;
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) >= 0; }

std::string IniDocument::Value(std::string_view section, std::string_view key, const std::string& fallback) const {
    const int s = FindSection(section);
    if (s < 0) return fallback;
    for (const Line& line : sections_[size_t(s)].lines)
        if (line.kind == LineKind::kEntry && IniNamesMatch(line.name, key))
            return line.has_value ? std::string(StripQuotes(line.value)) : fallback;
    return fallback;
}

WriteOutcome IniDocument::CheckSectionName(std::string_view section) {
    if (TrimBlanks(section).empty()) return WriteOutcome::Failure("An empty section name cannot be stored.");
    if (!HasLineBreak(section)) return WriteOutcome::Success();
    return WriteOutcome::Failure("The name " + Quoted(section) + " cannot be stored: it holds a line break.");
}

WriteOutcome IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (WriteOutcome checked = CheckSectionName(section); !checked) return checked;
    const std::string_view trimmedKey = TrimBlanks(key);
    if (trimmedKey.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
        trimmedKey.starts_with(';') || trimmedKey.starts_with('[')) {
        return WriteOutcome::Failure("The key " + Quoted(key) + " cannot be stored in an INI file.");
    }
    if (HasLineBreak(value))
        return WriteOutcome::Failure("The value of " + Quoted(key) + " cannot be stored: it holds a line break.");

    const std::string header = "[" + std::string(section) + "]";
    const std::string entry = std::string(key) + "=" + std::string(value);
    // A file in a legacy code page keeps it: what it cannot hold is refused.
    if (!Encode(header, IniLineEnd::kNone) || !Encode(entry, IniLineEnd::kNone)) {
        return WriteOutcome::Failure("The profile file's code page cannot hold " + Quoted(header) + " or " +
                                     Quoted(entry) + "; nothing was changed.");
    }
    const int found = FindSection(section);
    if (found < 0) {
        // Only the lines before any header can be an empty section.
        if (Section& last = sections_.back(); !last.lines.empty()) EnsureLineEnd(last.lines.back());
        Section added{std::string(TrimBlanks(section)), {}};
        added.lines.push_back(MakeLine(header));
        added.lines.push_back(MakeLine(entry));
        sections_.push_back(std::move(added));
        modified_ = true;
        return WriteOutcome::Success();
    }

    std::vector<Line>& lines = sections_[size_t(found)].lines;
    for (Line& line : lines) {
        if (line.kind != LineKind::kEntry || !IniNamesMatch(line.name, key)) continue;
        if (line.has_value && line.value == value) return WriteOutcome::Success();
        const std::string text = line.indent + line.name + "=" + std::string(value);
        const std::optional<std::string> raw = Encode(text, line.end);
        if (!raw) {
            return WriteOutcome::Failure("The profile file's code page cannot hold " + Quoted(text) +
                                         "; nothing was changed.");
        }
        line.value = value;
        line.has_value = true;
        line.raw = *raw;
        modified_ = true;
        return WriteOutcome::Success();
    }
    // After the section's last key, so blank lines and comments that lead
    // into the next section stay in front of it.
    size_t at = lines.size();
    while (at > 1 && (lines[at - 1].kind == LineKind::kBlank || lines[at - 1].kind == LineKind::kComment)) --at;
    EnsureLineEnd(lines[at - 1]);
    lines.insert(lines.begin() + std::ptrdiff_t(at), MakeLine(entry));
    modified_ = true;
    return WriteOutcome::Success();
}

int IniDocument::RemoveSection(std::string_view section) {
    // sections_[0] holds the lines before any header and is never a match.
    int removed = 0;
    for (size_t i = sections_.size() - 1; i >= 1; --i) {
        if (!IniNamesMatch(sections_[i].name, section)) continue;
        // Comment lines right above the next header belong to that section:
        // they stay. One set off by a blank line ends this section, and goes.
        std::vector<Line>& lines = sections_[i].lines;
        size_t lead = lines.size();
        while (lead > 1 && lines[lead - 1].kind == LineKind::kComment) --lead;
        if (i + 1 < sections_.size())
            sections_[i - 1].lines.insert(sections_[i - 1].lines.end(),
                                          lines.begin() + static_cast<std::ptrdiff_t>(lead), lines.end());
        sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
        ++removed;
    }
    if (removed > 0) modified_ = true;
    return removed;
}

}  // namespace quillmar
