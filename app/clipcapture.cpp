#include "app/clipcapture.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/capture.h"
#include "app/mainwindow.h"
#include "core/appstate.h"
#include "core/capturetargets.h"
#include "platform/clipboard.h"
#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/qttextpane.h"
#include "platform/sjis.h"
#include "platform/textfile.h"

namespace kirel {
namespace {

// An address copied while the link dialog is open goes straight into it, and
// the dialog makes its tag again for the new address.
void fillLinkDialog(LinkTarget& dialog, const QString& address) {
    dialog.bringToTop();
    dialog.takeAddress(address);
}

// The fixed-phrase window may want the copied text for text art.
bool textArtTakes(TextArtTarget& window) {
    if (!ask(
            QStringLiteral(
                "クリップボードにある内容「編集欄」に転送せずに\r\n「定型文選択」で使用しますか？"),
            Icon::Warning))
        return false;
    window.showTextArtMenus();
    return true;
}

}  // namespace

void takeSnapshot(MainWindow& form) {
    const capture::Snapshot s = capture::snapshotOf(form.clipboard().text());
    app().ClipSnapLen = s.length;
    app().ClipSnapHead = s.head;
}

void deactivated(MainWindow& form) {
    takeSnapshot(form);
    form.quotePane->setReadOnly(false);
}

void runCapture(MainWindow& form) {
    AppState& st = app();
    form.quotePane->setReadOnly(true);
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
    if (st.AutoLinkOn && isAddress(text)) {
        if (LinkTarget* link = captureTargets().link)
            fillLinkDialog(*link, text);
        else if (captureTargets().openLinkDialog)
            captureTargets().openLinkDialog(text);
        return;
    }
    if (TextArtTarget* phrases = captureTargets().textArt) {
        if (textArtTakes(*phrases)) return;
    }
    const QString handle =
        capture::handleInsertion(text, st.HandleMaxLen, st.HandlePrefix, st.HandleSuffix);
    if (!handle.isNull()) {
        // A disabled edit pane (the decoration window is working on its
        // selection) takes nothing; the name stays on the clipboard for the
        // user to paste.
        if (!form.editPaneEnabled()) return;
        form.editPane->textCursor().insertText(handle);
        form.editPane->ensureCursorVisible();
        return;
    }
    QPlainTextEdit* quote = form.quotePane;
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

void transferToClipboard(MainWindow& form) {
    const QString text = paneText(*form.editPane->document());
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
    if (form.editTabActive()) form.editPane->setFocus();
    takeSnapshot(form);
}

}  // namespace kirel
