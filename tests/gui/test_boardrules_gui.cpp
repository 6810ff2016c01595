// A board's own rules on the real windows: its SETTING.TXT pasted into the
// import window fills the board page's fields and is written only on save; the
// line limit's warning shows once and offers the split; the split post's parts
// stepped through in the split-post window and transferred one by one.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "boardrules/postsplitter.h"
#include "controls/picturebutton.h"
#include "core/settingskeys.h"
#include "platform/browserengine.h"
#include "platform/browserview.h"
#include "platform/clipboard.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "preferences/preferencesdialog.h"
#include "preferences/rulesimportdialog.h"
#include "splitpost/partsbar.h"
#include "splitpost/splitpostwindow.h"
#include "support/nullbrowser.h"
#include "support/windowfixture.h"

using namespace kirel;

namespace {

const QString kSetting = QStringLiteral(
    "board@board\r\nBBS_TITLE=テスト板\r\nBBS_MESSAGE_COUNT=301\r\nBBS_LINE_NUMBER=5\r\n"
    "BBS_TEXT_COLOR=green\r\nBBS_BG_COLOR=#FFFFEE\r\nBBS_THREAD_COLOR=#EFEFEF\r\n");

}  // namespace

class BoardRulesGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    MainWindow* form_ = nullptr;
    test::NullFactory factory_;

    QByteArray iniBytes() const {
        QFile f(app().iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    QString ini(const QString& key) const {
        return Profile(app().iniPath()).readString(keys::kShared, key, QStringLiteral("<missing>"));
    }
    // Runs the step on the import window once it is open (it is modal).
    static void onImportWindow(std::function<void(RulesImportDialog*)> step) {
        QTimer::singleShot(0, [step] {
            auto* d = qobject_cast<RulesImportDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            step(d);
            if (d->isVisible()) d->reject();
        });
    }
    static QList<SplitPostWindow*> splitWindows() {
        QList<SplitPostWindow*> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<SplitPostWindow*>(w); s && s->isVisible()) out << s;
        return out;
    }

  private slots:
    void initTestCase() { BrowserView::setFactory(&factory_); }
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
    }
    void cleanup() {
        fixture_.cleanup();
        QVERIFY(splitWindows().isEmpty());
    }

    void pastedRulesFillTheFieldsAndAreSavedOnlyOnSave() {
        auto d = std::make_unique<PreferencesDialog>(*form_, form_, PreferencesCallbacks{});
        d->show();
        const QByteArray before = iniBytes();
        PreferencesDialog::BoardPage& board2 = d->boards[1];
        QCOMPARE(board2.importRules->objectName(), QStringLiteral("ImportRules2"));

        // Not a SETTING.TXT: a message, the window stays open, nothing changes.
        onImportWindow([this](RulesImportDialog* w) {
            w->pasted->setPlainText(QStringLiteral("<html>404 Not Found</html>"));
            QVERIFY(!w->readPasted());
            QVERIFY(w->isVisible());
            QCOMPARE(fixture_.prompter->last(), boardrules::kNoKeys);
        });
        board2.importRules->click();
        QCOMPARE(board2.limit->text(), QStringLiteral("1000"));
        QVERIFY(!d->changed());

        onImportWindow([](RulesImportDialog* w) {
            w->pasted->setPlainText(kSetting);
            w->readButton->click();
        });
        board2.importRules->click();
        // 301 bytes round down to 150 full-width characters; 5 x 2 lines.
        QCOMPARE(board2.limit->text(), QStringLiteral("150"));
        QCOMPARE(board2.lineLimit->text(), QStringLiteral("10"));
        QCOMPARE(board2.name->text(), QStringLiteral("テスト板"));
        QCOMPARE(board2.textColor->text(), QStringLiteral("#008000"));
        QCOMPARE(board2.backColor->text(), QStringLiteral("#FFFFEE"));
        QCOMPARE(board2.cellColor->text(), QStringLiteral("#EFEFEF"));
        QCOMPARE(board2.sample->fontColor(), QColor(0, 0x80, 0));
        QCOMPARE(d->pages->tabText(1), QStringLiteral("掲示板２: テスト板"));
        QCOMPARE(d->pages->currentIndex(), 1);
        QVERIFY(d->changed());
        QVERIFY(
            fixture_.prompter->last().startsWith(QStringLiteral("掲示板の設定を読み込みました。")));
        QCOMPARE(iniBytes(), before);  // nothing written yet

        // Saved: the profile keys and the new ones; the board menu shows the name.
        QVERIFY(d->save());
        QCOMPARE(ini(QStringLiteral("MOJISU2")), QStringLiteral("150"));
        QCOMPARE(ini(QStringLiteral("F2Color")), QStringLiteral("#008000"));
        QCOMPARE(ini(QStringLiteral("BBSName2")), QStringLiteral("テスト板"));
        QCOMPARE(ini(QStringLiteral("LineLimit2")), QStringLiteral("10"));
        QCOMPARE(ini(QStringLiteral("BBSName1")), QStringLiteral("<missing>"));
        emit form_->boardMenu->aboutToShow();
        QCOMPARE(form_->board2->text(), QStringLiteral("掲示板２: テスト板"));
        QCOMPARE(form_->board1->text(), QStringLiteral("掲示板１"));

        // Choosing board 2 brings its line limit to the counter.
        form_->board2->trigger();
        QCOMPARE(app().CharLimit, 150);
        QCOMPARE(app().LineLimit, 10);
    }

    void lineWarningOnceAndItsOfferOpensTheParts() {
        app().LineLimit = 3;
        form_->restartCounter();
        form_->editPane->setPlainText(QStringLiteral("1\n2\n3"));
        QVERIFY(fixture_.prompter->shown.isEmpty());
        QVERIFY(form_->counterBar->toolTip().endsWith(QStringLiteral("残り 0 行")));
        QTextCursor c = form_->editPane->textCursor();
        c.movePosition(QTextCursor::End);
        form_->editPane->setTextCursor(c);
        QTest::keyClick(form_->editPane, Qt::Key_Return);  // the fourth line
        QCOMPARE(fixture_.prompter->shown.size(), 1);
        QVERIFY(fixture_.prompter->shown[0].isQuestion);
        QVERIFY(fixture_.prompter->last().contains(QStringLiteral("3行まで")));
        QTest::keyClick(form_->editPane, Qt::Key_Return);
        QTest::keyClick(form_->editPane, Qt::Key_Backspace);
        QCOMPARE(fixture_.prompter->shown.size(), 1);  // once
        QVERIFY(form_->counterBar->toolTip().endsWith(QStringLiteral("残り -1 行")));
        QCOMPARE(app().LimitWarnState, 0);  // the byte warning's state is its own

        // Back within the limit re-arms it; the answer Yes splits the post.
        QTest::keyClick(form_->editPane, Qt::Key_Backspace);
        fixture_.prompter->answers.enqueue(true);
        QTest::keyClick(form_->editPane, Qt::Key_Return);
        QCOMPARE(fixture_.prompter->shown.size(), 2);
        QTRY_COMPARE(splitWindows().size(), 1);
        SplitPostWindow* w = splitWindows().first();
        QCOMPARE(w->parts->count(), 2);
        QCOMPARE(w->editor->toPlainText(), QStringLiteral("1\n2\n3"));
    }

    void splitWindowStepsThroughThePartsAndTransfersTheShownOne() {
        // 40 bytes and 3 lines a part.
        app().CharLimit = 20;
        app().LineLimit = 3;
        QString post;
        for (int i = 1; i <= 7; ++i) post += QStringLiteral("行%1はここ\n").arg(i);  // 9 bytes
        post += QStringLiteral("最後");
        form_->editPane->setPlainText(post);
        fixture_.prompter->clear();

        QAction* item = form_->editMenu->findChild<QAction*>(QStringLiteral("SplitForBoard"));
        QVERIFY(item);
        QVERIFY(form_->editMenu->actions().contains(item));
        item->trigger();
        QCOMPARE(splitWindows().size(), 1);
        SplitPostWindow* w = splitWindows().first();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->parts->count(), 3);
        QCOMPARE(w->parts->position->text(), QStringLiteral("1/3"));
        QCOMPARE(w->editor->toPlainText(), QStringLiteral("行1はここ\n行2はここ\n行3はここ"));
        QCOMPARE(w->bytesBox->text(), QStringLiteral("31"));  // this part's figures
        QCOMPARE(w->linesBox->text(), QStringLiteral("3"));
        QVERIFY(!w->parts->previous->isEnabled());

        QStringList transferred;
        for (int i = 0; i < 3; ++i) {
            w->transfer->trigger();
            transferred << form_->clipboard().text();
            if (i < 2) w->parts->next->click();
        }
        QVERIFY(!w->parts->next->isEnabled());
        QCOMPARE(w->parts->position->text(), QStringLiteral("3/3"));
        QCOMPARE(transferred.join(QLatin1Char('\n')), post);
        for (const QString& part : transferred) QVERIFY(sjis::byteLength(part) <= 40);

        // An edit of a part is kept when stepping away and back.
        w->editor->setPlainText(QStringLiteral("行7はここ\n追記"));
        w->parts->previous->click();
        QCOMPARE(w->parts->position->text(), QStringLiteral("2/3"));
        w->parts->next->click();
        QCOMPARE(w->editor->toPlainText(), QStringLiteral("行7はここ\n追記"));

        // The window's own split, numbered: the whole text again, "(1/n)" counted in.
        w->partNumbers->setChecked(true);
        QVERIFY(w->splitForBoard());
        QCOMPARE(w->parts->current(), 0);
        QVERIFY(
            w->editor->toPlainText().endsWith(QStringLiteral("\n(1/%1)").arg(w->parts->count())));
        for (int i = 0; i < w->parts->count(); ++i) {
            w->parts->showPart(i);
            QVERIFY(sjis::byteLength(w->editor->toPlainText()) <= 40);
            QVERIFY(boardrules::lineCount(w->editor->toPlainText()) <= 3);
        }
        QVERIFY(w->parts->wholeText().endsWith(QStringLiteral("行7はここ\n追記")));
        w->partNumbers->setChecked(false);

        // No limits at all: refused with a message, no window.
        app().CharLimit = 0;
        app().LineLimit = 0;
        item->trigger();
        QCOMPARE(fixture_.prompter->last(), kNoBoardLimits);
        QCOMPARE(splitWindows().size(), 1);
        w->close();
    }
};

QTEST_MAIN(BoardRulesGui)
#include "test_boardrules_gui.moc"
