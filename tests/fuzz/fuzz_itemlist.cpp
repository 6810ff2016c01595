// The list files (addresses, phrases) on any file: read, written back and read
// again gives the same items, a kept lead byte at most turned into "?".
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzzcheck.h"
#include "platform/sjis.h"
#include "platform/textfile.h"

using namespace kirel;

namespace {

const QString& listPath() {
    // In memory where possible: every save waits for its data to reach the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/kirel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/kirel-fuzz-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("bbs.txt"));
    return path;
}

bool sameOrReplaced(const QString& before, const QString& after) {
    const QList<uint> a = before.toUcs4();
    const QList<uint> b = after.toUcs4();
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && !(sjis::isPlaceholder(a[i]) && b[i] == uint('?'))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeBytesFile(listPath(), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList items = readItemList(listPath());
    for (const QString& item : items) {
        FUZZ_CHECK(!item.contains(QLatin1Char('\n')) && !item.contains(QLatin1Char('\r')));
    }
    writeItemList(listPath(), items);
    const QStringList again = readItemList(listPath());
    FUZZ_CHECK(again.size() == items.size());
    for (qsizetype i = 0; i < items.size(); ++i) FUZZ_CHECK(sameOrReplaced(items[i], again[i]));
    return 0;
}
