#include "platform/textpieces.h"

namespace kirel {

qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype size) {
    if (size < 2 || text.size() - from <= size) return text.size();
    const qsizetype limit = from + size;
    const qsizetype lastBreak = text.sliced(from, size).lastIndexOf(u'\n');
    if (lastBreak >= 0) return from + lastBreak + 1;
    const QChar next = text[limit];
    if (next.isLowSurrogate() || (next == u'\n' && text[limit - 1] == u'\r')) return limit - 1;
    return limit;
}

}  // namespace kirel
