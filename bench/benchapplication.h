#pragma once

// The one application object of a benchmark process, made on first use so that
// benchmarks that need no display do not pay for one.

#include <QApplication>

namespace kirel::bench {

inline QApplication* application() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

}  // namespace kirel::bench
