#pragma once

// The real main window on a fresh temporary program folder, with a scripted
// prompter, for window tests: init() before each test, cleanup() after it.

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "support/scriptedprompter.h"

namespace kirel::test {

struct WindowFixture {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<MainWindow> form;

    void init() {
        dir = std::make_unique<QTemporaryDir>();
        app() = AppState();
        app().AppDir = dir->path() + QLatin1Char('/');
        prompter = std::make_unique<ScriptedPrompter>();
        form = std::make_unique<MainWindow>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        app().CharLimit = 0;
        prompter->clear();
    }
    void cleanup() {
        form.reset();
        prompter.reset();
        dir.reset();
    }
};

}  // namespace kirel::test
