// Temporary stand-in until the table-driven codec lands.
#include "platform/sjis.h"

namespace kirel::sjis {
QByteArray encode(QStringView text) { return text.toString().toLocal8Bit(); }
QString decode(QByteArrayView bytes) { return QString::fromLocal8Bit(bytes); }
qsizetype byteLength(QStringView text) { return toFile(text).size(); }
QByteArray toFile(QStringView text) { return encode(text.toString().replace(QLatin1Char('\n'), QLatin1String("\r\n"))); }
QString fromFile(QByteArrayView bytes) { return decode(bytes).replace(QLatin1String("\r\n"), QLatin1String("\n")); }
QString toBoardText(QStringView text) { return text.toString(); }
bool isEncodable(char32_t) { return true; }
}  // namespace kirel::sjis
