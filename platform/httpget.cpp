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
    return loadModule<HttpGetFactory>(QStringLiteral("kirelnet"), error);
}

}  // namespace kirel
