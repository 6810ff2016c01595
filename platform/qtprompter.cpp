#include "platform/qtprompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLoggingCategory>
#include <QMessageBox>

#include "platform/filefilter.h"
#include "platform/toplevelwindows.h"

namespace kirel {
namespace {

// Every message box's text, for tests that drive the real program and need to
// know what it said (QT_LOGGING_RULES="kirel.messages.info=true"); off otherwise.
Q_LOGGING_CATEGORY(messages, "kirel.messages", QtWarningMsg)

QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Texts of the program use CR LF; a message box wants "\n".
QString plain(const QString& text) {
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString startPath(const FileRequest& r) {
    if (r.fileName.isEmpty()) return r.directory;
    if (QDir::isAbsolutePath(r.fileName) || r.directory.isEmpty()) return r.fileName;
    return QDir(r.directory).filePath(r.fileName);
}

}  // namespace

QString toQtFilter(const QString& windowsFilter) {
    return qtNameFilters(windowsFilter).join(QLatin1String(";;"));
}

void QtPrompter::message(const QString& text, Icon icon, const QString& caption) {
    qCInfo(messages).noquote() << "message:"
                               << plain(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QMessageBox box(toQt(icon), caption, plain(text), QMessageBox::Ok, dialogParent());
    showAboveProgram(&box);
    box.exec();
}

bool QtPrompter::question(const QString& text, Icon icon, const QString& caption) {
    qCInfo(messages).noquote() << "question:"
                               << plain(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QMessageBox box(toQt(icon), caption, plain(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    showAboveProgram(&box);
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompter::openFileName(const FileRequest& r) {
    return QFileDialog::getOpenFileName(dialogParent(), r.title, startPath(r),
                                        toQtFilter(r.filter));
}

QString QtPrompter::saveFileName(const FileRequest& r) {
    // The callers ask before nothing: saving replaces a file without a question.
    return QFileDialog::getSaveFileName(dialogParent(), r.title, startPath(r), toQtFilter(r.filter),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtPrompter::openPictureName(const FileRequest& r) {
    return QFileDialog::getOpenFileName(dialogParent(), r.title, startPath(r),
                                        toQtFilter(r.filter));
}

std::optional<unsigned> QtPrompter::chooseColor(unsigned initialRgb) {
    const QColor c = QColorDialog::getColor(QColor::fromRgb(initialRgb), dialogParent());
    if (!c.isValid()) return std::nullopt;
    return c.rgb() & 0xFFFFFFu;
}

}  // namespace kirel
