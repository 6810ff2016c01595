// A bare Qt Widgets window with the editor's title and size: the baseline for the
// editor's start-up time and memory. With "--japanese FONTS_CONF" it also shows
// one Japanese word in the editor's window font, resolved through the editor's
// fontconfig file: what drawing any Japanese text costs a window at start.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    const bool japanese = argc == 3 && std::strcmp(argv[1], "--japanese") == 0;
    if (japanese) qputenv("FONTCONFIG_FILE", argv[2]);
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kirel Editor"));
    if (japanese) {
        window.setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック")));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("　編集　")));
    }
    window.resize(623, 402);
    window.show();
    return QApplication::exec();
}
