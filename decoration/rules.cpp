#include "decoration/rules.h"

#include <QDir>
#include <QFileInfo>

#include "platform/failure.h"
#include "platform/textfile.h"

namespace kirel::decoration {

QString ruleFilePath(const QString& appDir) {
    return appDir + QStringLiteral("user/kazari.txt");
}

void ensureRuleFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) return;
    if (!QDir().mkpath(info.absolutePath()))
        throw Failure(QStringLiteral("%1 を作成できません。").arg(info.absolutePath()));
    writeItemList(path, {});
}

QStringList readRules(const QString& path) {
    return readItemList(path);
}

QStringList rulesOfEditorText(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QString editorTextOfRules(const QStringList& rules) {
    QString text;
    for (const QString& rule : rules) text += rule + QLatin1Char('\n');
    return text;
}

void saveRules(const QString& path, const QString& editorText) {
    writeItemList(path, rulesOfEditorText(editorText));
}

}  // namespace kirel::decoration
