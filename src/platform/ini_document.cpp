// The INI text held line by line: lookups and edits that leave untouched lines byte for byte.
#include "platform/ini_document.h"

#include "platform/log_categories.h"

#include <QStringDecoder>

#include <algorithm>

namespace quillmar {

namespace {

// Ctrl-Z counts: old editors leave one at the end of a file.
bool IsBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\v' || u == u'\f' || u == u'\x1A';
}

QStringView TrimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return s.sliced(begin, end - begin);
}

// Unit by unit, as the platform compares names; a surrogate stays itself.
char32_t FoldCase(QChar c) { return c.isSurrogate() ? c.unicode() : QChar::toUpper(char32_t(c.unicode())); }

QStringView StripQuotes(QStringView value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool HasLineBreak(QStringView s) { return s.contains(u'\n') || s.contains(u'\r'); }

}  // namespace

bool IniNamesMatch(QStringView a, QStringView b) {
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.isEmpty() || a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

IniDocument::IniDocument(IniLineEnd lineEnd) : line_end_(lineEnd) { sections_.emplace_back(); }

IniDocument::Line IniDocument::Classify(QStringView text) {
    Line line;
    const QStringView t = TrimBlanks(text);
    if (t.isEmpty()) {
        line.kind = LineKind::kBlank;
    } else if (t.front() == u';') {
        line.kind = LineKind::kComment;
    } else if (const qsizetype close = t.lastIndexOf(u']'); t.front() == u'[' && close > 0) {
        line.kind = LineKind::kHeader;
        line.name = TrimBlanks(t.sliced(1, close - 1)).toString();
    } else {
        // Anything else is a key, also a '[' without ']'; no '=' means an
        // empty value.
        const qsizetype eq = t.indexOf(u'=');
        line.kind = LineKind::kEntry;
        line.name = TrimBlanks(eq >= 0 ? t.first(eq) : t).toString();
        if (eq >= 0) line.value = TrimBlanks(t.sliced(eq + 1)).toString();
        line.indent = text.first(t.data() - text.data()).toString();
    }
    return line;
}

char16_t IniDocument::UnitAt(QByteArrayView bytes, qsizetype at) const {
    const auto byte = [&](qsizetype i) { return char16_t(uchar(bytes[i])); };
    switch (encoding_) {
    case IniEncoding::kUtf16LeBom:
        return char16_t(byte(at) | byte(at + 1) << 8);
    case IniEncoding::kUtf16BeBom:
        return char16_t(byte(at) << 8 | byte(at + 1));
    default:
        return byte(at);  // no UTF-8 sequence holds a byte below 0x80
    }
}

IniDocument IniDocument::Parse(QByteArrayView bytes) {
    IniDocument doc;
    QStringConverter::Encoding decoding = QStringConverter::Utf8;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        doc.encoding_ = IniEncoding::kUtf8Bom;
        doc.bom_ = bytes.first(3).toByteArray();
    } else if (bytes.startsWith("\xFF\xFE")) {
        doc.encoding_ = IniEncoding::kUtf16LeBom;
        doc.bom_ = bytes.first(2).toByteArray();
        decoding = QStringConverter::Utf16LE;
    } else if (bytes.startsWith("\xFE\xFF")) {
        doc.encoding_ = IniEncoding::kUtf16BeBom;
        doc.bom_ = bytes.first(2).toByteArray();
        decoding = QStringConverter::Utf16BE;
    }
    const qsizetype unit = decoding == QStringConverter::Utf8 ? 1 : 2;
    // Stateless with ConvertInitialBom: every line decodes on its own and a
    // U+FEFF inside the file stays a character.
    QStringDecoder decode(decoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const auto isUnit = [&](qsizetype at, char16_t c) {
        return at + unit <= bytes.size() && doc.UnitAt(bytes, at) == c;
    };

    bool endSeen = false;
    qsizetype lineNumber = 0;
    qsizetype start = doc.bom_.size();
    while (start < bytes.size()) {
        ++lineNumber;
        qsizetype contentEnd = start;
        while (contentEnd + unit <= bytes.size() && !isUnit(contentEnd, u'\n') && !isUnit(contentEnd, u'\r'))
            contentEnd += unit;
        IniLineEnd end = IniLineEnd::kNone;
        qsizetype next = bytes.size();
        if (isUnit(contentEnd, u'\n')) {
            end = IniLineEnd::kLf;
            next = contentEnd + unit;
        } else if (isUnit(contentEnd, u'\r')) {
            const bool lf = isUnit(contentEnd + unit, u'\n');
            end = lf ? IniLineEnd::kCrLf : IniLineEnd::kCr;
            next = contentEnd + (lf ? 2 : 1) * unit;
        } else {
            contentEnd = bytes.size();  // a lone trailing byte of a UTF-16 file stays in the line
        }
        const QString text = decode(bytes.sliced(start, contentEnd - start));
        Line line = Classify(text);
        if (line.kind == LineKind::kEntry && line.name.isEmpty())
            qCDebug(lcIni) << "line" << lineNumber << "has no key name and is never read:" << text;
        else if (line.kind == LineKind::kEntry && !text.contains(u'='))
            qCDebug(lcIni) << "line" << lineNumber << "has no '=', read as key" << line.name << "with an empty value";
        line.raw = bytes.sliced(start, next - start).toByteArray();
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

QByteArray IniDocument::Serialize() const {
    qsizetype size = bom_.size();
    for (const Section& s : sections_)
        for (const Line& l : s.lines) size += l.raw.size();
    QByteArray out;
    out.reserve(size);
    out += bom_;
    for (const Section& s : sections_)
        for (const Line& l : s.lines) out += l.raw;
    return out;
}

QByteArray IniDocument::Encode(QStringView text, IniLineEnd end) const {
    QString whole = text.toString();
    if (end == IniLineEnd::kCrLf) whole += QStringLiteral("\r\n");
    if (end == IniLineEnd::kLf) whole += u'\n';
    if (end == IniLineEnd::kCr) whole += u'\r';
    const bool bigEndian = encoding_ == IniEncoding::kUtf16BeBom;
    if (!bigEndian && encoding_ != IniEncoding::kUtf16LeBom) return whole.toUtf8();
    QByteArray out;
    out.reserve(whole.size() * 2);
    for (const QChar c : whole) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

IniDocument::Line IniDocument::MakeLine(const QString& text) const {
    Line line = Classify(text);
    line.end = line_end_;
    line.raw = Encode(text, line_end_);
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
    if (utf16 && line.raw.size() % 2 != 0) line.raw.chop(1);
    line.raw += Encode(u"", line_end_);
    line.end = line_end_;
}

QStringList IniDocument::SectionNames() const {
    QStringList names;
    names.reserve(qsizetype(sections_.size()) - 1);
    for (size_t i = 1; i < sections_.size(); ++i)
        if (!sections_[i].name.isEmpty()) names.append(sections_[i].name);
    return names;
}

qsizetype IniDocument::FindSection(QStringView name) const {
    for (size_t i = 1; i < sections_.size(); ++i)
        if (IniNamesMatch(sections_[i].name, name)) return qsizetype(i);
    return -1;
}

bool IniDocument::HasSection(QStringView section) const { return FindSection(section) >= 0; }

QString IniDocument::Value(QStringView section, QStringView key, const QString& fallback) const {
    const qsizetype s = FindSection(section);
    if (s < 0) return fallback;
    for (const Line& line : sections_[size_t(s)].lines)
        if (line.kind == LineKind::kEntry && IniNamesMatch(line.name, key)) return StripQuotes(line.value).toString();
    return fallback;
}

WriteOutcome IniDocument::CheckSectionName(QStringView section) {
    if (TrimBlanks(section).isEmpty())
        return WriteOutcome::Failure(QStringLiteral("An empty section name cannot be stored."));
    if (!HasLineBreak(section)) return WriteOutcome::Success();
    return WriteOutcome::Failure(
        QStringLiteral("The name \"%1\" cannot be stored: it holds a line break.").arg(section));
}

WriteOutcome IniDocument::SetValue(QStringView section, QStringView key, QStringView value) {
    if (WriteOutcome checked = CheckSectionName(section); !checked) return checked;
    const QStringView trimmedKey = TrimBlanks(key);
    if (trimmedKey.isEmpty() || HasLineBreak(key) || key.contains(u'=') || trimmedKey.startsWith(u';') ||
        trimmedKey.startsWith(u'[')) {
        return WriteOutcome::Failure(QStringLiteral("The key \"%1\" cannot be stored in an INI file.").arg(key));
    }
    if (HasLineBreak(value)) {
        return WriteOutcome::Failure(
            QStringLiteral("The value of \"%1\" cannot be stored: it holds a line break.").arg(key));
    }

    const QString entry = key.toString() + u'=' + value.toString();
    const qsizetype found = FindSection(section);
    if (found < 0) {
        // Only the lines before any header can be an empty section.
        if (Section& last = sections_.back(); !last.lines.empty()) EnsureLineEnd(last.lines.back());
        Section added{TrimBlanks(section).toString(), {}};
        added.lines.push_back(MakeLine(u'[' + section.toString() + u']'));
        added.lines.push_back(MakeLine(entry));
        sections_.push_back(std::move(added));
        modified_ = true;
        return WriteOutcome::Success();
    }

    std::vector<Line>& lines = sections_[size_t(found)].lines;
    for (Line& line : lines) {
        if (line.kind != LineKind::kEntry || !IniNamesMatch(line.name, key)) continue;
        if (line.value == value) return WriteOutcome::Success();
        line.value = value.toString();
        line.raw = Encode(QString(line.indent + line.name + u'=' + line.value), line.end);
        modified_ = true;
        return WriteOutcome::Success();
    }
    // After the section's last key, so blank lines and comments that lead
    // into the next section stay in front of it.
    size_t at = lines.size();
    while (at > 1 && (lines[at - 1].kind == LineKind::kBlank || lines[at - 1].kind == LineKind::kComment)) --at;
    EnsureLineEnd(lines[at - 1]);
    lines.insert(lines.begin() + qsizetype(at), MakeLine(entry));
    modified_ = true;
    return WriteOutcome::Success();
}

int IniDocument::RemoveSection(QStringView section) {
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
            sections_[i - 1].lines.insert(sections_[i - 1].lines.end(), lines.begin() + qsizetype(lead), lines.end());
        sections_.erase(sections_.begin() + qsizetype(i));
        ++removed;
    }
    if (removed > 0) modified_ = true;
    return removed;
}

}  // namespace quillmar
