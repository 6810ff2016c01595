#include "app/editpane.h"

#include <QMimeData>
#include <QTextCursor>

#include "core/textpane.h"
#include "platform/sjis.h"

namespace kirel {
namespace {

// The selection's text as this pane held it, beside the board's form.
const QString kPaneTextFormat = QStringLiteral("application/x-kirel-edit-pane-text");

}  // namespace

QMimeData* EditPane::createMimeDataFromSelection() const {
    const QString text = plainText(textCursor().selectedText());
    auto* data = new QMimeData;
    data->setText(sjis::toBoardText(text));
    data->setData(kPaneTextFormat, text.toUtf8());
    return data;
}

void EditPane::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasFormat(kPaneTextFormat)) {
        QMimeData own;
        own.setText(QString::fromUtf8(source->data(kPaneTextFormat)));
        QPlainTextEdit::insertFromMimeData(&own);
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace kirel
