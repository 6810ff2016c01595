#include "platform/activationrequest.h"

namespace kirel {
namespace {

const QByteArray kVerb = QByteArrayLiteral("activate");
constexpr qsizetype kMaxToken = 512;

// Tokens are opaque strings of the compositor or launcher. Only printable ASCII
// without blanks is passed on: the token goes into the environment and into
// the compositor's protocol, and nothing legitimate needs more.
bool passable(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxToken) return false;
    for (const char c : token) {
        if (c < 0x21 || c > 0x7e) return false;
    }
    return true;
}

}  // namespace

QByteArray activationRequest(const QString& token) {
    const QByteArray bytes = token.toUtf8();
    if (!passable(bytes)) return kVerb + '\n';
    return kVerb + ' ' + bytes + '\n';
}

std::optional<QString> activationToken(const QByteArray& line) {
    if (line == kVerb) return QString();
    if (!line.startsWith(kVerb + ' ')) return std::nullopt;
    const QByteArray token = line.mid(kVerb.size() + 1);
    return passable(token) ? QString::fromLatin1(token) : QString();
}

}  // namespace kirel
