// The editing commands and the find and replace dialogs on the real main window.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

#include "app/appstate.h"
#include "app/finddialog.h"
#include "app/unit1.h"
#include "support/scriptedprompter.h"
#include "support/windowfixture.h"

using namespace kirel;

class EditingGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    TForm1* form_ = nullptr;

    void select(QPlainTextEdit* pane, int start, int length) {
        QTextCursor c = pane->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        pane->setTextCursor(c);
    }
    void setEdit(const QString& text, int start, int length) {
        form_->RichEdit1->setPlainText(text);
        select(form_->RichEdit1, start, length);
    }
    QString editText() const { return form_->RichEdit1->toPlainText(); }
    QString selected() const { return form_->RichEdit1->textCursor().selection().toPlainText(); }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
    }
    void cleanup() { fixture_.cleanup(); }

    void menuItemsReachThePanes() {
        setEdit(QStringLiteral("abc"), 1, 0);
        emit form_->PopupMenu4->aboutToShow();
        QVERIFY(!form_->N6->isEnabled() && !form_->N7->isEnabled());
        form_->RichEdit3->setPlainText(QStringLiteral("引用一\n引用二"));
        emit form_->PopupMenu8->aboutToShow();
        QVERIFY(!form_->N14->isEnabled());

        app().QuoteMark = QStringLiteral("＞");
        setEdit(QStringLiteral("x\na\nb\ny"), 2, 4);  // "a\nb\n"
        emit form_->PopupMenu4->aboutToShow();
        QVERIFY(form_->N6->isEnabled() && form_->N7->isEnabled());
        form_->N6->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("半角表記では、6 文字です。\r\n全角では、3 文字相当です。"));
        form_->N1->trigger();
        QCOMPARE(editText(), QStringLiteral("x\n＞a\n＞b\n＞y"));
        QCOMPARE(form_->focusWidget(), form_->RichEdit1);
        form_->N13->trigger();
        QCOMPARE(editText(),
                 QStringLiteral("x\n＞a\n＞b\n＞<FONT Color=Hotpink Face=Symbol>ｩ</FONT>y"));
        form_->BR1->trigger();
        QVERIFY(editText().startsWith(QStringLiteral("x<br>\n＞a<br>\n")));

        select(form_->RichEdit3, 2, 4);  // "一\n引用" from the read-only quote pane
        emit form_->PopupMenu8->aboutToShow();
        QVERIFY(form_->N14->isEnabled());
        setEdit(QStringLiteral("[]"), 1, 0);
        form_->N14->trigger();
        QCOMPARE(editText(), QStringLiteral("[一\n引用]"));
    }

    void findDialogStepsWithEnterAndClosesWithEsc() {
        // Characters outside the basic plane take two positions in the pane too.
        setEdit(QStringLiteral("😀猫の手も😀猫"), 0, 0);
        form_->Find1->trigger();
        auto* dialog = form_->findChild<FindDialog*>(QStringLiteral("FindDialog1"));
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("検索"));
        QVERIFY(!dialog->FindNextButton->isEnabled());
        dialog->FindEdit->setText(QStringLiteral("猫"));

        QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
        QCOMPARE(form_->RichEdit1->textCursor().selectionStart(), 2);
        QCOMPARE(selected(), QStringLiteral("猫"));
        QCOMPARE(form_->focusWidget(), form_->RichEdit1);
        QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
        QCOMPARE(form_->RichEdit1->textCursor().selectionStart(), 8);
        QCOMPARE(selected(), QStringLiteral("猫"));
        QVERIFY(prompter_->shown.isEmpty());
        dialog->FindNextButton->click();
        QCOMPARE(prompter_->texts(),
                 QStringList{QStringLiteral("\"猫\" が見つかりませんでした。")});
        QCOMPARE(editText(), QStringLiteral("😀猫の手も😀猫"));

        QTest::keyClick(dialog->FindEdit, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        form_->Find1->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findText(), QStringLiteral("猫"));
    }

    void replaceDialogReplacesTheFirstMatchPerPress() {
        setEdit(QStringLiteral("aaa"), 3, 0);
        form_->Replace1->trigger();
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
