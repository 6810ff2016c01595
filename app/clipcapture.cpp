#include "app/clipcapture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCursor>

#include "app/appstate.h"
#include "app/capture.h"
#include "app/unit1.h"
#include "platform/clipboard.h"
#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "platform/windows.h"

namespace kirel {
namespace {

const QString kLinkCaption = QStringLiteral("リンクする");
const QString kPhraseCaption = QStringLiteral("定型文選択");

// An address copied while the link dialog is open goes straight into it.
void fillLinkDialog(QWidget* dialog, const QString& address) {
    setTopMost(dialog, true);
    if (auto* box = dialog->findChild<QComboBox*>(QStringLiteral("ComboBox2")))
        box->setEditText(address);
    auto* image = dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox4"));
    auto* newWindow = dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox2"));
    auto* comment = dialog->findChild<QLineEdit*>(QStringLiteral("Edit2"));
    auto* tag = dialog->findChild<QLineEdit*>(QStringLiteral("Edit3"));
    const QString commentText = comment ? comment->text() : QString();
    const bool isImage = capture::looksLikeImage(address);
    if (image) image->setEnabled(isImage);
    if (!tag) return;
    if (isImage && image && image->isChecked()) {
        tag->setText(capture::imageTag(address, commentText));
        return;
    }
    tag->setText(capture::linkTag(address, commentText, newWindow && newWindow->isChecked()));
}

void linkCapture(TForm1&, const QString& address) {
    if (QWidget* dialog = findWindow(kLinkCaption)) {
        fillLinkDialog(dialog, address);
        return;
    }
    // Without an open link dialog the address waits on the clipboard: the dialog
    // takes it from there when the user opens it.
}

// The fixed-phrase window may want the copied text for text art.
bool phraseWindowTakes(QWidget* window) {
    if (!ask(
            QStringLiteral(
                "クリップボードにある内容「編集欄」に転送せずに\r\n「定型文選択」で使用しますか？"),
            Icon::Warning))
        return false;
    if (auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(1);
    if (auto* menus = window->findChild<QWidget*>(QStringLiteral("ComboBox2"))) menus->setFocus();
    return true;
}

}  // namespace

void takeSnapshot(TForm1& form) {
    const capture::Snapshot s = capture::snapshotOf(form.clipboard().text());
    app().ClipSnapLen = s.length;
    app().ClipSnapHead = s.head;
}

void deactivated(TForm1& form) {
    takeSnapshot(form);
    form.RichEdit3->setReadOnly(false);
}

void runCapture(TForm1& form) {
    AppState& st = app();
    form.RichEdit3->setReadOnly(true);
    if (!st.ClipSnapTaken) {
        st.ClipSnapTaken = true;
        takeSnapshot(form);
        return;
    }
    if (st.ClipCaptureOn != 1) return;
    const QString raw = form.clipboard().text();
    if (capture::isUnchanged(raw, st.ClipSnapLen, st.ClipSnapHead)) return;
    if (!form.clipboard().hasText() || raw.isEmpty()) return;
    const QString text = capture::normalizeLineBreaks(raw);
    if (st.AutoLinkOn && capture::isAddress(text)) {
        linkCapture(form, text);
        return;
    }
    if (QWidget* phrases = findWindow(kPhraseCaption)) {
        if (phraseWindowTakes(phrases)) return;
    }
    const QString handle =
        capture::handleInsertion(text, st.HandleMaxLen, st.HandlePrefix, st.HandleSuffix);
    if (!handle.isNull()) {
        form.RichEdit1->textCursor().insertText(handle);
        form.RichEdit1->ensureCursorVisible();
        return;
    }
    QPlainTextEdit* quote = form.RichEdit3;
    if (quote->document()->isEmpty()) {
        quote->setPlainText(text);
    } else {
        QTextCursor c(quote->document());
        c.movePosition(QTextCursor::End);
        c.insertText(QStringLiteral("\n") + text);
    }
    quote->moveCursor(QTextCursor::End);
    quote->ensureCursorVisible();
}

void transferToClipboard(TForm1& form) {
    const QString text = form.RichEdit1->toPlainText();
    if (!text.isEmpty()) {
        try {
            writeTextFile(app().path(QStringLiteral("backup.txt")), text);
        } catch (const Failure& f) {
            showPlain(f.message());
        }
        form.clipboard().setText(sjis::toBoardText(text));
        showMessage(QStringLiteral("編集中の内容をクリップボードに転送しました。"), Icon::None);
    } else {
        showMessage(QStringLiteral(
                        "クリップボードに転送するものがありませんでした。\r\n処理を中止します。"),
                    Icon::Information);
    }
    if (form.editTabActive()) form.RichEdit1->setFocus();
    takeSnapshot(form);
}

}  // namespace kirel
