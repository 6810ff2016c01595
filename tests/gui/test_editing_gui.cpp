// The editing commands and the find and replace dialogs on the real main window.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

#include "app/finddialog.h"
#include "app/mainwindow.h"
#include "core/appstate.h"
#include "support/scriptedprompter.h"
#include "support/windowfixture.h"

using namespace kirel;

class EditingGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    MainWindow* form_ = nullptr;

    void select(QPlainTextEdit* pane, int start, int length) {
        QTextCursor c = pane->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        pane->setTextCursor(c);
    }
    void setEdit(const QString& text, int start, int length) {
        form_->editPane->setPlainText(text);
        select(form_->editPane, start, length);
    }
    QString editText() const { return form_->editPane->toPlainText(); }
    QString selected() const { return form_->editPane->textCursor().selection().toPlainText(); }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
    }
    void cleanup() { fixture_.cleanup(); }

    void menuItemsReachThePanes() {
        setEdit(QStringLiteral("abc"), 1, 0);
        emit form_->editMenu->aboutToShow();
        QVERIFY(!form_->countSelection->isEnabled() && !form_->splitPost->isEnabled());
        form_->quotePane->setPlainText(QStringLiteral("引用一\n引用二"));
        emit form_->quoteMenu->aboutToShow();
        QVERIFY(!form_->quoteToEdit->isEnabled());

        app().QuoteMark = QStringLiteral("＞");
        setEdit(QStringLiteral("x\na\nb\ny"), 2, 4);  // "a\nb\n"
        emit form_->editMenu->aboutToShow();
        QVERIFY(form_->countSelection->isEnabled() && form_->splitPost->isEnabled());
        form_->countSelection->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("半角表記では、6 文字です。\r\n全角では、3 文字相当です。"));
        form_->insertQuoteMarks->trigger();
        QCOMPARE(editText(), QStringLiteral("x\n＞a\n＞b\n＞y"));
        QCOMPARE(form_->focusWidget(), form_->editPane);
        form_->heartMark1->trigger();
        QCOMPARE(editText(),
                 QStringLiteral("x\n＞a\n＞b\n＞<FONT Color=Hotpink Face=Symbol>ｩ</FONT>y"));
        form_->convertBreaks->trigger();
        QVERIFY(editText().startsWith(QStringLiteral("x<br>\n＞a<br>\n")));

        select(form_->quotePane, 2, 4);  // "一\n引用" from the read-only quote pane
        emit form_->quoteMenu->aboutToShow();
        QVERIFY(form_->quoteToEdit->isEnabled());
        setEdit(QStringLiteral("[]"), 1, 0);
        form_->quoteToEdit->trigger();
        QCOMPARE(editText(), QStringLiteral("[一\n引用]"));
    }

    void findDialogStepsWithEnterAndClosesWithEsc() {
        // Characters outside the basic plane take two positions in the pane too.
        setEdit(QStringLiteral("😀猫の手も😀猫"), 0, 0);
        form_->find->trigger();
        auto* dialog = form_->findChild<FindDialog*>(QStringLiteral("FindDialog1"));
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("検索"));
        QVERIFY(!dialog->FindNextButton->isEnabled());
        dialog->FindEdit->setText(QStringLiteral("猫"));

        QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
        QCOMPARE(form_->editPane->textCursor().selectionStart(), 2);
        QCOMPARE(selected(), QStringLiteral("猫"));
        QCOMPARE(form_->focusWidget(), form_->editPane);
        QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
        QCOMPARE(form_->editPane->textCursor().selectionStart(), 8);
        QCOMPARE(selected(), QStringLiteral("猫"));
        QVERIFY(prompter_->shown.isEmpty());
        dialog->FindNextButton->click();
        QCOMPARE(prompter_->texts(),
                 QStringList{QStringLiteral("\"猫\" が見つかりませんでした。")});
        QCOMPARE(editText(), QStringLiteral("😀猫の手も😀猫"));

        QTest::keyClick(dialog->FindEdit, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        form_->find->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findText(), QStringLiteral("猫"));
    }

    void replaceDialogReplacesTheFirstMatchPerPress() {
        setEdit(QStringLiteral("aaa"), 3, 0);
        form_->replace->trigger();
        auto* dialog = form_->findChild<ReplaceDialog*>(QStringLiteral("ReplaceDialog1"));
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("置換"));
        dialog->FindEdit->setText(QStringLiteral("a"));
        dialog->ReplaceEdit->setText(QStringLiteral("b"));
        dialog->ReplaceAllButton->click();
        QCOMPARE(editText(), QStringLiteral("baa"));
        QTest::keyClick(dialog->ReplaceEdit, Qt::Key_Return);
        QCOMPARE(editText(), QStringLiteral("bba"));
        dialog->FindNextButton->click();  // does not search
        QCOMPARE(editText(), QStringLiteral("bba"));
        QVERIFY(prompter_->shown.isEmpty());
        dialog->FindEdit->setText(QStringLiteral("A"));
        dialog->ReplaceButton->click();
        QCOMPARE(prompter_->texts(), QStringList{QStringLiteral("\"A\" は見つかりませんでした。")});
        dialog->FindEdit->clear();
        QVERIFY(!dialog->ReplaceButton->isEnabled() && !dialog->ReplaceAllButton->isEnabled());
    }
};

QTEST_MAIN(EditingGui)
#include "test_editing_gui.moc"
