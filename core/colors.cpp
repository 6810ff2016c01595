#include "core/colors.h"

namespace kirel {

bool colorStringToInt(const QString& text, int* out) {
    const QString digits = text.startsWith(QLatin1Char('#')) ? text.mid(1, 6) : text.left(6);
    const QString bgr = digits.mid(4, 2) + digits.mid(2, 2) + digits.mid(0, 2);
    quint32 value = 0;
    for (QChar c : bgr) {
        const char16_t u = c.unicode();
        int d = -1;
        if (u >= u'0' && u <= u'9') d = u - u'0';
        if (u >= u'a' && u <= u'f') d = u - u'a' + 10;
        if (u >= u'A' && u <= u'F') d = u - u'A' + 10;
        if (d < 0) return false;
        value = value * 16 + quint32(d);
    }
    if (out) *out = int(value);
    return true;
}

QString colorIntToString(int value) {
    // Only the three colour bytes count, so the text is always six digits.
    const QString bgr =
        QStringLiteral("%1").arg(quint32(value) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
    return bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.mid(0, 2);
}

int colorToRgb(int value, const std::function<int(int)>& systemColor) {
    if (isSystemColor(value)) return systemColor(systemColorIndex(value)) & 0xFFFFFF;
    return value & 0xFFFFFF;
}

}  // namespace kirel
