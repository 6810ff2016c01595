#pragma once

// Loading one of the program's modules (see modulePath): the module's entry
// point as the interface the caller expects.

#include <QPluginLoader>
#include <QString>

#include "platform/appfolder.h"

namespace kirel {

// The entry point of module name; null, with the reason in error, when the
// module cannot be loaded or is not the kind expected. Qt keeps a loaded module
// for the rest of the run.
template <typename Interface>
Interface* loadModule(const QString& name, QString* error) {
    QPluginLoader loader(modulePath(name));
    QObject* instance = loader.instance();
    auto* entry = qobject_cast<Interface*>(instance);
    if (!entry && error) {
        *error = instance ? QStringLiteral("%1 は別の種類のモジュールです。").arg(loader.fileName())
                          : loader.errorString();
    }
    return entry;
}

}  // namespace kirel
