#pragma once

// Loading one of the program's modules (see modulePath): the module's entry
// point as the interface the caller expects.

#include <QHash>
#include <QPluginLoader>
#include <QString>

#include "platform/appfolder.h"

namespace kirel {

// The entry point of module name; null, with the reason in error, when the
// module cannot be loaded or is not the kind expected. A module is loaded once
// and kept for the rest of the run (the objects it makes must not outlive it);
// a failure is remembered and reported again, not tried again.
template <typename Interface>
Interface* loadModule(const QString& name, QString* error) {
    struct Loaded {
        Interface* entry = nullptr;
        QString failure;
    };
    static QHash<QString, Loaded> loaded;
    auto found = loaded.constFind(name);
    if (found == loaded.constEnd()) {
        QPluginLoader loader(modulePath(name));
        QObject* instance = loader.instance();
        Loaded result;
        result.entry = qobject_cast<Interface*>(instance);
        if (!result.entry) {
            result.failure =
                instance ? QStringLiteral("%1 は別の種類のモジュールです。").arg(loader.fileName())
                         : loader.errorString();
        }
        found = loaded.insert(name, result);
    }
    if (error) *error = found->failure;
    return found->entry;
}

}  // namespace kirel
