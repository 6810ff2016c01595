#include "platform/application.h"

#include "platform/failure.h"
#include "platform/keyboard.h"
#include "platform/prompter.h"
#include "platform/qttranslation.h"

namespace kirel {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    installQtJapanese();
    installKeyboardConventions();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Failure& failure) {
        showError(failure.message());
    } catch (const std::exception& e) {
        showError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

}  // namespace kirel
