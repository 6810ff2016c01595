#include "phrases/menulibrary.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/sjis.h"
#include "platform/systemreason.h"
#include "platform/textfile.h"

namespace kirel::phrases {
namespace {

bool entryExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Longest file name the folder's file system takes, in bytes.
qsizetype nameMax(const QString& folder) {
    const long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return max > 0 ? qsizetype(max) : 255;
}

}  // namespace

QString menuName(const QString& typed) {
    QString name = typed;
    name.replace(QChar(0x00A5), QChar(0xFFE5));
    return sjis::toBoardText(name);
}

QString menuNameProblem(const QString& folder, const QString& name) {
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) return kNameSlash;
    if (name == QLatin1String(".") || name == QLatin1String("..")) return kNameDots;
    for (const char32_t cp : name.toUcs4()) {
        if (cp < 0x20 || cp == 0x7F) return kNameChars;
        // Bytes that were not Shift-JIS in the list file come back as placeholders
        // and are written back unchanged, so they may stay in a name.
        if (sjis::isPlaceholder(cp)) continue;
        const QString one = QString::fromUcs4(&cp, 1);
        if (sjis::decode(sjis::encode(one)) != one) return kNameChars;
    }
    if (QFile::encodeName(name + QStringLiteral(".txt")).size() > nameMax(folder)) return kNameLong;
    return {};
}

bool MenuLibrary::menuFileExists(const QString& name) const {
    return entryExists(menuPath(name));
}

bool MenuLibrary::usable(const QString& name) const {
    const QString problem = menuNameProblem(folder_, name);
    if (problem.isEmpty()) return true;
    showMessage(problem, Icon::Warning);
    return false;
}

void MenuLibrary::ensure() const {
    const QString dir = QDir::cleanPath(folder_);
    if (!QFileInfo(dir).isDir() && !QDir().mkdir(dir))
        throw Failure(QStringLiteral("%1 を作成できません。").arg(QDir::toNativeSeparators(dir)));
    if (!entryExists(listPath())) writeBytesFile(listPath(), QByteArray());
}

QString MenuLibrary::repair() const {
    const QStringList completed = completeInterruptedSaves(folder_);
    return completed.isEmpty() ? QString() : completedSavesMessage(completed);
}

QStringList MenuLibrary::readMenus() const {
    return readItemList(listPath());
}

bool MenuLibrary::saveMenus(const QStringList& menus) const {
    try {
        writeItemList(listPath(), menus);
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

bool MenuLibrary::addMenu(QStringList& menus, const QString& typed) const {
    const QString name = menuName(typed);
    if (!usable(name)) return false;
    if (menuFileExists(name)) {
        showMessage(kMenuExists, Icon::Warning);
        return false;
    }
    if (refuseUnreadList(listPath())) return false;
    QStringList updated = menus;
    updated.append(name);
    try {
        // The name and its empty file appear together: an interruption or a
        // full disk never leaves a file that blocks the name without listing it.
        writeFilesTogether({{listPath(), itemListBytes(updated)}, {menuPath(name), QByteArray()}});
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
    menus = updated;
    showMessage(kMenuAdded, Icon::None);
    return true;
}

bool MenuLibrary::renameMenu(QStringList& menus, int index, const QString& typed) const {
    if (index < 0 || index >= menus.size()) return false;
    const QString newName = menuName(typed);
    const QString oldName = menus.at(index);
    if (!usable(newName)) return false;
    if (!menuNameProblem(folder_, oldName).isEmpty() || !menuFileExists(oldName)) {
        showMessage(kRenameMissing, Icon::Warning);
        return false;
    }
    if (menuFileExists(newName)) {
        showMessage(kRenameExists, Icon::Warning);
        return false;
    }
    if (refuseUnreadList(listPath())) return false;
    QStringList updated = menus;
    updated[index] = newName;
    try {
        // The file's new name and the list naming it are one change: the list
        // never names a missing file while the items sit under an unlisted one.
        writeFilesTogether({{listPath(), itemListBytes(updated)}},
                           {{menuPath(oldName), menuPath(newName)}});
    } catch (const Failure& failure) {
        showPlain(
            QStringLiteral("メニューの名称を変更できませんでした。\r\n%1").arg(failure.message()));
        return false;
    }
    menus = updated;
    showPlain(kRenamed);
    return true;
}

bool MenuLibrary::deleteMenu(QStringList& menus, int index) const {
    if (index < 0 || index >= menus.size()) return false;
    const QString name = menus.at(index);
    // The list must be writable before the menu's file goes.
    if (refuseUnreadList(listPath())) return false;
    // A hand-edited list entry that is no usable name owns no file here: only the
    // entry goes.
    if (menuNameProblem(folder_, name).isEmpty() && menuFileExists(name)) {
        QFile file(menuPath(name));
        errno = 0;
        if (!file.remove()) {
            showPlain(QStringLiteral("%1 を削除できません。\r\n%2")
                          .arg(QDir::toNativeSeparators(file.fileName()), systemReason(errno)));
            return false;
        }
    }
    menus.removeAt(index);
    saveMenus(menus);
    return true;
}

template <typename T, typename Read>
std::optional<T> MenuLibrary::load(const QString& name, Read read) const {
    if (!usable(name)) return std::nullopt;
    const QString path = menuPath(name);
    try {
        if (!entryExists(path)) {
            writeBytesFile(path, QByteArray());
            return T();
        }
        return read(path);
    } catch (const Failure& failure) {
        showError(failure.message());
        return std::nullopt;
    }
}

std::optional<QStringList> MenuLibrary::loadItems(const QString& name) const {
    return load<QStringList>(name, [](const QString& p) { return readItemList(p); });
}

std::optional<QString> MenuLibrary::loadPicture(const QString& name) const {
    return load<QString>(name, [](const QString& p) { return readTextFile(p); });
}

bool MenuLibrary::saveItems(const QString& name, const QStringList& items) const {
    if (!usable(name)) return false;
    try {
        writeItemList(menuPath(name), items);
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

MenuLibrary::SaveResult MenuLibrary::savePicture(const QString& name, const QString& text) const {
    if (name.isEmpty()) {
        showMessage(kNoMenuName, Icon::Warning);
        return SaveResult::Refused;
    }
    if (!usable(name)) return SaveResult::Refused;
    if (menuFileExists(name) && !ask(kOverwriteQuestion, Icon::Warning))
        return SaveResult::Declined;
    try {
        writeTextFile(menuPath(name), text);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return SaveResult::Failed;
    }
    showMessage(kItemAdded, Icon::None);
    return SaveResult::Saved;
}

}  // namespace kirel::phrases
