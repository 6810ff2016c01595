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
#include "app/editactions.h"
#include "app/editcommands.h"
#include "app/finddialog.h"
#include "app/unit1.h"
#include "support/scriptedprompter.h"

using namespace kirel;

class EditingGui : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir* dir_ = nullptr;
    test::ScriptedPrompter* prompter_ = nullptr;
    TForm1* form_ = nullptr;

    // Text with the selection from `start`, `length` characters long.
    void setEdit(const QString& text, int start, int length) {
        form_->RichEdit1->setPlainText(text);
        QTextCursor c = form_->RichEdit1->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        form_->RichEdit1->setTextCursor(c);
    }
    QString editText() const { return form_->RichEdit1->toPlainText(); }
    QString editSelection() const {
        return form_->RichEdit1->textCursor().selection().toPlainText();
    }
    FindDialog* findDialog() const {
        return form_->findChild<FindDialog*>(QStringLiteral("FindDialog1"));
    }
    ReplaceDialog* replaceDialog() const {
        return form_->findChild<ReplaceDialog*>(QStringLiteral("ReplaceDialog1"));
    }

  private slots:
    void init() {
        dir_ = new QTemporaryDir;
        QVERIFY(dir_->isValid());
        app() = AppState();
        app().AppDir = dir_->path() + QLatin1Char('/');
        prompter_ = new test::ScriptedPrompter;
        form_ = new TForm1;
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
        app().CharLimit = 0;
        prompter_->clear();
    }
    void cleanup() {
        delete form_;
        form_ = nullptr;
        delete prompter_;
        delete dir_;
    }

    void countAndSplitItemsFollowTheSelection() {
        setEdit(QStringLiteral("abc"), 1, 0);
        emit form_->PopupMenu4->aboutToShow();
        QVERIFY(!form_->N6->isEnabled());
        QVERIFY(!form_->N7->isEnabled());
        setEdit(QStringLiteral("abc"), 1, 1);
        emit form_->PopupMenu4->aboutToShow();
        QVERIFY(form_->N6->isEnabled());
        QVERIFY(form_->N7->isEnabled());

        form_->RichEdit3->setPlainText(QStringLiteral("quoted"));
        emit form_->PopupMenu8->aboutToShow();
        QVERIFY(!form_->N14->isEnabled());
        form_->RichEdit3->selectAll();
        emit form_->PopupMenu8->aboutToShow();
        QVERIFY(form_->N14->isEnabled());
    }

    void quoteMarksAndHeartsOnThePane() {
        app().QuoteMark = QStringLiteral("＞");
        setEdit(QStringLiteral("x\na\nb\ny"), 2, 4);  // "a\nb\n"
        form_->N1->trigger();
        QCOMPARE(editText(), QStringLiteral("x\n＞a\n＞b\n＞y"));
        QCOMPARE(form_->focusWidget(), form_->RichEdit1);

        setEdit(QStringLiteral("好き"), 2, 0);
        form_->N13->trigger();
        QCOMPARE(editText(), QStringLiteral("好き<FONT Color=Hotpink Face=Symbol>ｩ</FONT>"));
        form_->N23->trigger();
        QVERIFY(editText().endsWith(
            QStringLiteral("</FONT><FONT Face=Webdings Size=+2 Color=DeepPink>Y</FONT>")));
    }

    void countCountsShiftJisBytesOfTheSelection() {
        setEdit(QStringLiteral("あいうえおa\nz"), 0, 6);
        app().CharLimit = 20;
        form_->N6->setEnabled(true);
        form_->N6->trigger();
        QCOMPARE(prompter_->texts(),
                 QStringList(
                     {QStringLiteral("半角表記では、11 文字です。\r\n全角では、5 文字相当です。"),
                      QStringLiteral("選択された文字を分割投稿としますか？")}));
    }

    void findStepsThroughMatchesWithEnter() {
        setEdit(QStringLiteral("😀猫の手も😀猫"), 0, 0);
        form_->Find1->trigger();
        FindDialog* dialog = findDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("検索"));
        QVERIFY(!dialog->FindNextButton->isEnabled());
        dialog->FindEdit->setText(QStringLiteral("猫"));
        QVERIFY(dialog->FindNextButton->isEnabled());

        QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
        QCOMPARE(form_->RichEdit1->textCursor().selectionStart(), 2);
        QCOMPARE(editSelection(), QStringLiteral("猫"));
        QCOMPARE(form_->focusWidget(), form_->RichEdit1);
        dialog->FindNextButton->click();
        QCOMPARE(form_->RichEdit1->textCursor().selectionStart(), 8);
        QCOMPARE(editSelection(), QStringLiteral("猫"));
        QVERIFY(prompter_->shown.isEmpty());
        dialog->FindNextButton->click();
        QCOMPARE(prompter_->texts(),
                 QStringList{QStringLiteral("\"猫\" が見つかりませんでした。")});
        QCOMPARE(prompter_->shown[0].icon, Icon::Information);
        QCOMPARE(form_->RichEdit1->textCursor().selectionStart(), 8);

        // Esc closes; the next find shows the same dialog with its text kept.
        QTest::keyClick(dialog->FindEdit, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        form_->Find1->trigger();
        QCOMPARE(findDialog(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findText(), QStringLiteral("猫"));
    }

    void replaceTakesTheFirstMatchEachTime() {
        setEdit(QStringLiteral("aaa"), 3, 0);
        form_->Replace1->trigger();
        ReplaceDialog* dialog = replaceDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
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
        QCOMPARE(editText(), QStringLiteral("bba"));
        QCOMPARE(prompter_->texts(), QStringList{QStringLiteral("\"A\" は見つかりませんでした。")});

        dialog->FindEdit->clear();
        QVERIFY(!dialog->ReplaceButton->isEnabled());
        QVERIFY(!dialog->ReplaceAllButton->isEnabled());
        QTest::keyClick(dialog->FindEdit, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
    }

    void brAndQuotePaneCopy() {
        setEdit(QStringLiteral("one\ntwo"), 0, 0);
        form_->BR1->trigger();
        QCOMPARE(editText(), QStringLiteral("one<br>\ntwo"));

        form_->RichEdit3->setPlainText(QStringLiteral("引用一\n引用二"));
        QTextCursor q = form_->RichEdit3->textCursor();
        q.setPosition(2);
        q.setPosition(6, QTextCursor::KeepAnchor);  // "一\n引用"
        form_->RichEdit3->setTextCursor(q);
        setEdit(QStringLiteral("[]"), 1, 0);
        form_->N14->trigger();
        QCOMPARE(editText(), QStringLiteral("[一\n引用]"));
        QCOMPARE(form_->RichEdit3->toPlainText(), QStringLiteral("引用一\n引用二"));
        QCOMPARE(form_->focusWidget(), form_->RichEdit1);
    }
};

QTEST_MAIN(EditingGui)
#include "test_editing_gui.moc"
