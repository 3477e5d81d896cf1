// Escaping control characters and shortening long text before it is printed.
#include "cli/cli_text.h"

namespace quillmar {

namespace {

bool IsControl(char32_t c) {
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) return true;
    // Unicode format controls that reorder or break what a terminal shows.
    return c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || c == 0x200e ||
           c == 0x200f || c == 0x061c;
}

}  // namespace

QString EscapeControls(QStringView text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A lone surrogate has no printable form either.
        if (c.isSurrogate() && !(c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())) {
            shown += QStringLiteral("\\u{%1}").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            continue;
        }
        if (c.isHighSurrogate()) {
            shown += c;
            shown += text[++i];
            continue;
        }
        const char16_t u = c.unicode();
        if (u == u'\r')
            shown += QLatin1String("\\r");
        else if (u == u'\n')
            shown += QLatin1String("\\n");
        else if (u == u'\t')
            shown += QLatin1String("\\t");
        else if (IsControl(u) && u <= 0xff)
            shown += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else if (IsControl(u))
            shown += QStringLiteral("\\u{%1}").arg(u, 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString QuotedForMessage(QStringView text, qsizetype maxChars) {
    if (text.size() <= maxChars) return u'"' + EscapeControls(text) + u'"';
    qsizetype keep = maxChars;
    if (text[keep - 1].isHighSurrogate()) --keep;  // never half a character
    return QStringLiteral("\"%1...\" (%2 characters)").arg(EscapeControls(text.first(keep))).arg(text.size());
}

QString CutMessage(QStringView text, qsizetype maxChars) {
    if (text.size() <= maxChars) return EscapeControls(text);
    qsizetype keep = maxChars;
    if (text[keep - 1].isHighSurrogate()) --keep;
    return EscapeControls(text.first(keep)) + QLatin1String("...");
}

}  // namespace quillmar
