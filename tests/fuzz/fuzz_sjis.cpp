// The Shift-JIS codec on any bytes: a file loaded, saved and loaded again gives
// the same text, except that a kept lead byte may become "?" where it would
// have paired with the byte after it; the counter agrees with the saved size.
#include <QList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzcheck.h"
#include "platform/sjis.h"

using namespace kirel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The first byte chooses where the text is cut in two and joined again (an
    // edit that puts any two pieces side by side).
    QString text = sjis::fromFile(bytes);
    if (size > 0 && !text.isEmpty()) {
        const qsizetype cut = data[0] % (text.size() + 1);
        const qsizetype drop = qsizetype(data[size - 1] % 4);
        if (cut < text.size() && !text[cut].isLowSurrogate()) {
            qsizetype end = std::min(text.size(), cut + drop);
            if (end < text.size() && text[end].isLowSurrogate()) ++end;
            text.remove(cut, end - cut);
        }
    }
    const QByteArray saved = sjis::toFile(text);
    FUZZ_CHECK(sjis::byteLength(text) == saved.size());
    const QList<uint> before = text.toUcs4();
    const QList<uint> after = sjis::fromFile(saved).toUcs4();
    FUZZ_CHECK(before.size() == after.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        FUZZ_CHECK(sjis::isPlaceholder(before[i]) && after[i] == uint('?'));
    }
    // Without line break conversion the same holds.
    const QString plain = sjis::decode(bytes);
    FUZZ_CHECK(sjis::decode(sjis::encode(plain)).size() <= plain.size());
    return 0;
}
