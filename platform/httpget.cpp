#include "platform/httpget.h"

#include <QPluginLoader>

#include "platform/appfolder.h"

namespace kirel {
namespace {
HttpGetFactory* installedFactory = nullptr;
}

void setHttpModule(HttpGetFactory* factory) {
    installedFactory = factory;
}

HttpGetFactory* httpModule(QString* error) {
    if (installedFactory) {
        if (error) error->clear();
        return installedFactory;
    }
    static HttpGetFactory* factory = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        QPluginLoader loader(modulePath(QStringLiteral("kirelnet")));
        QObject* instance = loader.instance();
        factory = qobject_cast<HttpGetFactory*>(instance);
        if (!factory) {
            failure = instance
                          ? QStringLiteral("%1 は別の種類のモジュールです。").arg(loader.fileName())
                          : loader.errorString();
        }
    }
    if (error) *error = failure;
    return factory;
}

}  // namespace kirel
