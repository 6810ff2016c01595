// The settings file parser on any file: reads never fail, and a path written
// into it reads back exactly, leaving the other keys as they read before.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzzcheck.h"
#include "platform/profile.h"
#include "platform/sjis.h"

using namespace kirel;

namespace {

const QString& iniPath() {
    // In memory where possible: every save waits for its data to reach the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/kirel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/kirel-fuzz-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("Kirel.ini"));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is the file, then after the last 0x00 byte the path to write.
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.lastIndexOf('\0');
    const QByteArray file = split < 0 ? input : input.left(split);
    // At most 150 characters (whole ones), so that the stored form stays within
    // the 2047 bytes a value can have.
    QString path = split < 0 ? QString() : sjis::decode(input.mid(split + 1));
    if (path.size() > 150) path.truncate(path[149].isHighSurrogate() ? 149 : 150);
    {
        QFile f(iniPath());
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(file) == file.size());
    }
    const Profile ini(iniPath());
    const QString others[][2] = {{QStringLiteral("Form10"), QStringLiteral("FormColor")},
                                 {QStringLiteral("form1"), QStringLiteral("Form1Top")},
                                 {QStringLiteral("Form5"), QStringLiteral("HnBack")},
                                 {QStringLiteral("Form1"), QStringLiteral("RichEdit1width")}};
    QStringList before;
    for (const auto& k : others) {
        before << ini.readString(k[0], k[1], QStringLiteral("<none>"));
        ini.readInteger(k[0], k[1], 7);
    }

    qsizetype end = 0;
    while (end < path.size() && path[end] != QLatin1Char('\r') && path[end] != QLatin1Char('\n'))
        ++end;
    const QString stored = path.left(end);
    ini.writeString(QStringLiteral("Form1"), QStringLiteral("LastSavePath"), path);
    FUZZ_CHECK(ini.readString(QStringLiteral("Form1"), QStringLiteral("LastSavePath"), {}) ==
               stored);
    for (qsizetype i = 0; i < qsizetype(std::size(others)); ++i) {
        FUZZ_CHECK(ini.readString(others[i][0], others[i][1], QStringLiteral("<none>")) ==
                   before[i]);
    }
    return 0;
}
