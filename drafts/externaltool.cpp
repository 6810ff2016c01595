#include "drafts/externaltool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

#include "core/settingskeys.h"
#include "platform/profile.h"
#include "platform/sjis.h"

namespace kirel::tool {
namespace {

// The longest value the settings file gives back whole.
constexpr qsizetype kMaxSettingBytes = 2047;

// File systems of the system itself, of memory, and of packaged images: nothing
// a user keeps files on.
bool isSystemType(const QString& type) {
    static const QStringList kTypes = {
        QStringLiteral("proc"),        QStringLiteral("sysfs"),
        QStringLiteral("devtmpfs"),    QStringLiteral("devpts"),
        QStringLiteral("tmpfs"),       QStringLiteral("ramfs"),
        QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),
        QStringLiteral("pstore"),      QStringLiteral("bpf"),
        QStringLiteral("tracefs"),     QStringLiteral("debugfs"),
        QStringLiteral("securityfs"),  QStringLiteral("configfs"),
        QStringLiteral("fusectl"),     QStringLiteral("mqueue"),
        QStringLiteral("hugetlbfs"),   QStringLiteral("autofs"),
        QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),
        QStringLiteral("nsfs"),        QStringLiteral("rpc_pipefs"),
        QStringLiteral("nfsd"),        QStringLiteral("selinuxfs"),
        QStringLiteral("squashfs"),    QStringLiteral("overlay"),
        QStringLiteral("fuse.portal"), QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.lxcfs"),  QStringLiteral("fuse.snapfuse"),
    };
    return kTypes.contains(type);
}

bool isUnder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Folders of the system's own mounts; removable media under /run/media stay.
bool isSystemFolder(const QString& root) {
    if (isUnder(root, QStringLiteral("/run/media"))) return false;
    for (const char* folder : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock", "/var/lib",
                               "/snap", "/boot", "/efi"})
        if (isUnder(root, QLatin1String(folder))) return true;
    return false;
}

QString cleanFolder(const QString& path) {
    return QDir::cleanPath(path);
}

QStringList entries(const QString& folder, QDir::Filters filters) {
    return QDir(folder).entryList(filters | QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}

}  // namespace

QString registered(const Profile& settings) {
    return settings.readString(keys::kTool, keys::kToolPath, {});
}

void setRegistered(const Profile& settings, const QString& path) {
    settings.writeString(keys::kTool, keys::kToolPath, path);
}

Launch launch(const QString& tool, const std::function<bool(const QString&)>& start) {
    if (tool.isEmpty()) return Launch::NothingRegistered;
    return start(tool) ? Launch::Started : Launch::NotStarted;
}

bool isStorable(const QString& path) {
    // A path key stores what Shift-JIS cannot hold, and blanks at the ends, as
    // "&#N;" references; only a line break cannot be kept, and the stored form
    // must fit in one value.
    if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
        return false;
    return sjis::byteLength(storedPathForm(path)) <= kMaxSettingBytes;
}

bool isSharedLibrary(const QFileInfo& file) {
    // "libx.so", "libx.so.6", "libx.so.6.0.1".
    static const QRegularExpression named(QStringLiteral("\\.so(\\.[0-9]+)*$"));
    if (named.match(file.fileName()).hasMatch()) return true;
    // An ELF shared object without a program interpreter is a library; programs
    // (position-independent ones are shared objects too) name their interpreter.
    QFile f(file.absoluteFilePath());
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = f.read(64);
    if (head.size() < 52 || !head.startsWith("\x7f"
                                             "ELF"))
        return false;
    const bool wide = head[4] == 2;
    const bool little = head[5] == 1;
    const auto number = [little](const QByteArray& bytes, qsizetype at, int size) {
        quint64 v = 0;
        for (int i = 0; i < size; ++i) {
            const quint64 b = quint8(bytes[at + (little ? size - 1 - i : i)]);
            v = (v << 8) | b;
        }
        return v;
    };
    if (wide && head.size() < 64) return false;
    constexpr quint64 kSharedObject = 3;  // ET_DYN
    constexpr quint64 kInterpreter = 3;   // PT_INTERP
    if (number(head, 16, 2) != kSharedObject) return false;
    const quint64 table = wide ? number(head, 32, 8) : number(head, 28, 4);
    const quint64 entrySize = number(head, wide ? 54 : 42, 2);
    const quint64 entries = number(head, wide ? 56 : 44, 2);
    if (entrySize < 4 || entries > 512) return false;
    for (quint64 i = 0; i < entries; ++i) {
        if (!f.seek(qint64(table + i * entrySize))) return false;
        const QByteArray type = f.read(4);
        if (type.size() < 4) return false;
        if (number(type, 0, 4) == kInterpreter) return false;
    }
    return true;
}

bool isOffered(const QFileInfo& file) {
    if (!file.isFile() || !isStorable(file.absoluteFilePath())) return false;
    if (file.fileName().endsWith(QLatin1String(".desktop"))) return true;
    return file.isExecutable() && !isSharedLibrary(file);
}

QStringList offeredFiles(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    for (const QString& name : entries(folder, QDir::Files))
        if (isOffered(QFileInfo(dir.filePath(name)))) out << name;
    return out;
}

QStringList subfolders(const QString& folder) {
    return entries(folder, QDir::Dirs);
}

QList<Drive> drives(const QList<Mount>& mounts, const QString& home) {
    QList<Drive> out{{QStringLiteral("/"), QStringLiteral("/")}};
    const QString homeFolder = cleanFolder(home);
    if (!home.isEmpty() && homeFolder != QLatin1String("/")) out.append({homeFolder, homeFolder});
    QList<Drive> others;
    for (const Mount& m : mounts) {
        const QString root = cleanFolder(m.root);
        if (!m.usable || root.isEmpty() || isSystemType(m.type) || isSystemFolder(root)) continue;
        if (root == QLatin1String("/") || root == homeFolder) continue;
        // The volume's name, unless the mount point already shows it.
        const bool named = !m.label.isEmpty() && m.label != QFileInfo(root).fileName();
        const QString text = named ? QStringLiteral("%1 [%2]").arg(root, m.label) : root;
        if (!others.contains(Drive{root, text})) others.append({root, text});
    }
    std::sort(others.begin(), others.end(),
              [](const Drive& a, const Drive& b) { return a.root < b.root; });
    return out + others;
}

QList<Drive> currentDrives() {
    QList<Mount> mounts;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        const QFileInfo root(s.rootPath());
        mounts.append({s.rootPath(), QString::fromLatin1(s.fileSystemType()), s.name(),
                       s.isValid() && s.isReady() && root.isDir() && root.isReadable()});
    }
    return drives(mounts, QDir::homePath());
}

int driveOf(const QList<Drive>& drives, const QString& folder) {
    const QString path = cleanFolder(folder);
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString& root = drives[i].root;
        const bool holds =
            root == QLatin1String("/") ? path.startsWith(QLatin1Char('/')) : isUnder(path, root);
        if (holds && (best < 0 || root.size() > drives[best].root.size())) best = i;
    }
    return best;
}

}  // namespace kirel::tool
