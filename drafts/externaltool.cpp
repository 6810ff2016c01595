#include "drafts/externaltool.h"

#include <QDir>
#include <QFileInfo>
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
    if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')) ||
        path.endsWith(QLatin1Char(' ')) || path.endsWith(QLatin1Char('\t')))
        return false;
    for (const char32_t c : path.toUcs4())
        if (!sjis::isEncodable(c)) return false;
    return sjis::byteLength(path) <= kMaxSettingBytes;
}

bool isOffered(const QFileInfo& file) {
    if (!file.isFile() || !isStorable(file.absoluteFilePath())) return false;
    if (file.fileName().endsWith(QLatin1String(".desktop"))) return true;
    return file.isExecutable();
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
