#include "platform/fieldrule.h"

#include <algorithm>

namespace kirel {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool isHex(char16_t c) {
    return isDigit(c) || c == u'#' || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool isBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

}  // namespace

QString toHalfWidth(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) c = QChar(char16_t(u - 0xFF01 + 0x21));
    }
    return out;
}

QString firstLine(QStringView text) {
    qsizetype end = 0;
    while (end < text.size() && !isBreak(text[end].unicode())) ++end;
    return text.first(end).toString();
}

std::optional<QString> admitInput(FieldRule rule, QStringView input) {
    if (rule == FieldRule::OneLine) return firstLine(input);
    const QString half = toHalfWidth(input);
    for (const QChar c : half) {
        const bool ok = rule == FieldRule::Digits ? isDigit(c.unicode()) : isHex(c.unicode());
        if (!ok) return std::nullopt;
    }
    return half;
}

std::optional<QString> admitEdit(FieldRule rule, int maxLength, QStringView before,
                                 QStringView after, int* cursor) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    qsizetype suffix = -1;
    // The caret after an edit stands at the end of what was put in, and the
    // text after it is the end of the old text. That places a repeated
    // character: ">" pasted over a selected ">" is new, not the old one kept.
    if (cursor && *cursor >= 0 && *cursor <= after.size()) {
        const qsizetype tail = after.size() - *cursor;
        if (tail <= before.size() && after.last(tail) == before.last(tail)) {
            suffix = tail;
            prefix = std::min({prefix, qsizetype(*cursor), before.size() - suffix});
        }
    }
    if (suffix < 0) {
        suffix = 0;
        while (suffix < shorter - prefix &&
               before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
            ++suffix;
    }
    const QStringView inserted = after.sliced(prefix, after.size() - prefix - suffix);
    QString kept = after.toString();
    qsizetype end = prefix + inserted.size();
    if (!inserted.isEmpty()) {
        const std::optional<QString> admitted = admitInput(rule, inserted);
        if (!admitted) return std::nullopt;
        kept = after.first(prefix).toString() + *admitted + after.last(suffix).toString();
        end = prefix + admitted->size();
    }
    if (maxLength > 0 && kept.size() > maxLength && kept.size() > before.size())
        return std::nullopt;
    if (cursor) *cursor = int(end);
    return kept;
}

}  // namespace kirel
