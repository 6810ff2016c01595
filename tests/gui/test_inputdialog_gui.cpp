// The input dialog in each role, driven as a person would: keys into the field,
// OK, the close box; messages go through the scripted prompter.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/appstate.h"
#include "phrases/inputdialog.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using phrases::InputRole;

class InputDialogGui : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScriptedPrompter> prompter_;
    QWidget owner_;

    // Runs step on the modal dialog once it is up.
    static void whenOpen(std::function<void(InputDialog*)> step) {
        QTimer::singleShot(0, [step] {
            auto* d = qobject_cast<InputDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            step(d);
        });
    }

  private slots:
    void init() {
        app() = AppState();
        prompter_ = std::make_unique<test::ScriptedPrompter>();
    }
    void cleanup() { prompter_.reset(); }

    void widthFieldTakesDigitsOnlyAndChecksTheRange() {
        InputDialog d(InputRole::Width, &owner_);
        QCOMPARE(d.objectName(), QStringLiteral("Form4"));
        QCOMPARE(d.windowTitle(), QStringLiteral("可変幅の設定"));
        QCOMPARE(d.field->toolTip(), QStringLiteral("可変幅として1%～100%まで設定できます。"));
        QCOMPARE(d.field->contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(app().ClipCaptureOn, 0);

        QTest::keyClicks(d.field, QStringLiteral("a5-x"));
        QCOMPARE(d.field->text(), QStringLiteral("5"));
        QTest::keyClick(d.field, Qt::Key_Backspace);
        QVERIFY(prompter_->shown.isEmpty());

        // 0 is refused as soon as it is typed, and the field is selected.
        QTest::keyClicks(d.field, QStringLiteral("0"));
        QCOMPARE(prompter_->last(), phrases::kWidthRange);
        QCOMPARE(prompter_->shown.last().icon, Icon::Warning);
        QCOMPARE(d.field->selectedText(), QStringLiteral("0"));

        for (const QString& refused : {QStringLiteral("000"), QStringLiteral("101")}) {
            prompter_->clear();
            d.field->setText(refused);
            d.confirm();
            QCOMPARE(prompter_->last(), phrases::kWidthRange);
            QVERIFY(d.result() != QDialog::Accepted);
            QVERIFY(d.confirmedWidth().isNull());
        }
        // Four characters do not fit.
        d.field->setText(QStringLiteral("1000"));
        QCOMPARE(d.field->text(), QStringLiteral("100"));

        prompter_->clear();
        d.field->clear();
        d.confirm();
        QCOMPARE(prompter_->last(), phrases::kNothingSet);
    }

    void askMarqueeWidthHandsBackTheConfirmedTextOrNothing() {
        whenOpen([](InputDialog* d) {
            QTest::keyClicks(d->field, QStringLiteral("050"));
            QTest::keyClick(d->field, Qt::Key_Return);
        });
        // Typing 0 first warns and selects the field, so the 5 replaces it: typed
        // key by key the width is 50. Pasted whole, 050 stays as it is.
        QCOMPARE(askMarqueeWidth(&owner_), QStringLiteral("50"));
        QCOMPARE(prompter_->texts(), QStringList{phrases::kWidthRange});
        QCOMPARE(app().ClipCaptureOn, 1);

        whenOpen([](InputDialog* d) {
            d->field->setText(QStringLiteral("050"));
            QTest::keyClick(d->field, Qt::Key_Return);
        });
        QCOMPARE(askMarqueeWidth(&owner_), QStringLiteral("050"));

        for (const QString& bound : {QStringLiteral("1"), QStringLiteral("100")}) {
            whenOpen([bound](InputDialog* d) {
                d->field->setText(bound);
                d->okButton->click();
            });
            QCOMPARE(askMarqueeWidth(&owner_), bound);
        }

        // A valid number closed with the close box is no confirmed width.
        whenOpen([](InputDialog* d) {
            QTest::keyClicks(d->field, QStringLiteral("30"));
            d->close();
        });
        QVERIFY(askMarqueeWidth(&owner_).isNull());
        QCOMPARE(app().ClipCaptureOn, 1);
    }

    void addingRolesStayOpenUntilTheJobSaysDone() {
        QStringList received;
        InputDialog d(InputRole::AddMenu, &owner_, [&](const QString& text) {
            received << text;
            return text == QStringLiteral("last");
        });
        QCOMPARE(d.windowTitle(), QStringLiteral("メニューを追加"));
        QCOMPARE(d.field->maxLength(), 32767);
        QCOMPARE(d.field->contextMenuPolicy(), Qt::CustomContextMenu);
        d.show();
        d.confirm();  // empty: the job is not asked
        QCOMPARE(prompter_->last(), phrases::kNothingSet);
        QVERIFY(received.isEmpty());
        // Any character goes into the field in the other roles.
        QTest::keyClicks(d.field, QStringLiteral("a-b"));
        d.confirm();
        QVERIFY(d.isVisible());
        d.field->setText(QStringLiteral("last"));
        d.confirm();
        QVERIFY(!d.isVisible());
        QCOMPARE(received, (QStringList{QStringLiteral("a-b"), QStringLiteral("last")}));

        QCOMPARE(InputDialog(InputRole::AddEmoticon, &owner_).windowTitle(),
                 QStringLiteral("顔文字を追加"));
        QCOMPARE(InputDialog(InputRole::AddItem, &owner_).windowTitle(),
                 QStringLiteral("アイテムリストを追加"));
        QCOMPARE(InputDialog(InputRole::RenameMenu, &owner_).windowTitle(),
                 QStringLiteral("メニューの名称を変更"));
    }
};

QTEST_MAIN(InputDialogGui)
#include "test_inputdialog_gui.moc"
