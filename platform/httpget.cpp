#include "platform/httpget.h"

#include "platform/module.h"

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
        factory = loadModule<HttpGetFactory>(QStringLiteral("kirelnet"), &failure);
    }
    if (error) *error = failure;
    return factory;
}

}  // namespace kirel
