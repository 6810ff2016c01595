// A bare Qt Widgets window with the editor's title and size: the baseline for the
// editor's start-up time and memory.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kirel Editor"));
    window.resize(623, 402);
    window.show();
    return QApplication::exec();
}
