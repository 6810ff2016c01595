#include "platform/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QString>
#include <QTranslator>

namespace kirel {

QString qtJapaneseCatalogue() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
}

bool installQtJapanese() {
    // Owned by the application: gone with it, and loaded again for the next one.
    static QPointer<QTranslator> translator;
    if (translator) return true;
    auto* loaded = new QTranslator(QCoreApplication::instance());
    // The catalogue is mapped, not read: loading it costs next to nothing.
    if (!loaded->load(qtJapaneseCatalogue()) || !QCoreApplication::installTranslator(loaded)) {
        delete loaded;
        return false;
    }
    translator = loaded;
    return true;
}

}  // namespace kirel
