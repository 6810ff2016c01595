#pragma once

#include <QApplication>

namespace kirel {

// The application object, with Qt's own texts in Japanese. A failure that no command caught ends up
// here and is shown in the general error dialog; the program goes on.
class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kirel
