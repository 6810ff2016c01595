// The platform rules every window shares, offscreen: which window a message box
// belongs to, Shift+F10 for context menus, accelerators shared with disabled
// menu items, and read-only panes refusing input-method text.
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/keyboard.h"
#include "platform/qtprompter.h"
#include "platform/readonlyinput.h"
#include "platform/toplevelwindows.h"

using namespace kirel;

namespace {

// Shows a message through the Qt prompter and reports the parent of the box.
QWidget* parentOfNextBox() {
    QWidget* parent = reinterpret_cast<QWidget*>(1);
    QTimer::singleShot(0, [&parent] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        parent = box->parentWidget();
        box->accept();
    });
    QtPrompter().message(QStringLiteral("text"), Icon::None, kAppTitle);
    return parent;
}

bool imEnabled(QWidget* w) {
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(w, &query);
    return query.value(Qt::ImEnabled).toBool();
}

void commit(QWidget* w, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(w, &event);
}

}  // namespace

class PlatformInputTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installKeyboardConventions(); }

    void messageBoxesBelongToAWindowOfTheProgram() {
        QWidget main;
        main.setWindowTitle(kAppTitle);
        main.show();
        setMainWindow(&main);
        // No window is active (the main window was just moved to the topmost
        // layer): the box still belongs to the main window.
        QApplication::setActiveWindow(nullptr);
        QCOMPARE(parentOfNextBox(), &main);
        // An active window that asks keeps its box.
        QWidget tool;
        tool.show();
        QApplication::setActiveWindow(&tool);
        QCOMPARE(parentOfNextBox(), &tool);
        // A window that asks while another is active names itself.
        QWidget asking;
        asking.show();
        {
            DialogOwner owner(&asking);
            QCOMPARE(parentOfNextBox(), &asking);
        }
        QApplication::setActiveWindow(&tool);
        QCOMPARE(parentOfNextBox(), &tool);
        setMainWindow(nullptr);
    }

    void shiftF10OpensTheContextMenuAtTheCaretOrItem() {
        QWidget window;
        auto* pane = new QPlainTextEdit(&window);
        auto* list = new QListWidget(&window);
        pane->setGeometry(0, 0, 300, 200);
        list->setGeometry(0, 210, 300, 200);
        pane->setPlainText(QStringLiteral("one\ntwo\nthree"));
        pane->moveCursor(QTextCursor::End);
        list->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        list->setCurrentRow(2);
        QPoint asked(-1, -1);
        for (QWidget* w : {static_cast<QWidget*>(pane), static_cast<QWidget*>(list)}) {
            w->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(w, &QWidget::customContextMenuRequested, this,
                    [&asked](const QPoint& p) { asked = p; });
        }
        window.show();
        QApplication::setActiveWindow(&window);

        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_F10, Qt::ShiftModifier);
        const QRect caret = pane->cursorRect().translated(pane->viewport()->pos());
        QVERIFY2((asked - caret.center()).manhattanLength() <= 2, "the menu opens at the caret");

        asked = {-1, -1};
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(asked,
                 list->viewport()->mapTo(list, list->visualItemRect(list->item(2)).center()));

        // F10 alone, or with Ctrl as well, is not the menu key.
        asked = {-1, -1};
        QTest::keyClick(list, Qt::Key_F10);
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(asked, QPoint(-1, -1));
    }

    void sharedAcceleratorsGoToEnabledItems() {
        QMenu menu;
        QAction* cut = menu.addAction(QStringLiteral("切り取り(&T)"));
        QAction* hidden = menu.addAction(QStringLiteral("隠し(&T)"));
        QAction* insert = menu.addAction(QStringLiteral("テキストファイルの挿入(&T)"));
        QAction* other = menu.addAction(QStringLiteral("その他(&O)"));
        hidden->setVisible(false);
        QSignalSpy cutRuns(cut, &QAction::triggered);
        QSignalSpy insertRuns(insert, &QAction::triggered);
        QSignalSpy otherRuns(other, &QAction::triggered);

        // The one enabled item with the letter runs at once.
        cut->setEnabled(false);
        menu.popup(QPoint(10, 10));
        QTest::keyClick(&menu, Qt::Key_T);
        QCOMPARE(insertRuns.size(), 1);
        QCOMPARE(cutRuns.size(), 0);
        QVERIFY(!menu.isVisible());

        // Several enabled: the letter steps through them, running none.
        cut->setEnabled(true);
        menu.popup(QPoint(10, 10));
        QTest::keyClick(&menu, Qt::Key_T);
        QCOMPARE(menu.activeAction(), cut);
        QTest::keyClick(&menu, Qt::Key_T);
        QCOMPARE(menu.activeAction(), insert);
        QTest::keyClick(&menu, Qt::Key_T);
        QCOMPARE(menu.activeAction(), cut);
        QCOMPARE(insertRuns.size() + cutRuns.size(), 1);

        // None enabled: nothing is chosen. A letter of its own still runs its item.
        insert->setEnabled(false);
        cut->setEnabled(false);
        menu.setActiveAction(nullptr);
        QTest::keyClick(&menu, Qt::Key_T);
        QCOMPARE(menu.activeAction(), nullptr);
        QTest::keyClick(&menu, Qt::Key_O);
        QCOMPARE(otherRuns.size(), 1);
    }

    void readOnlyPaneRefusesInputMethodText() {
        QPlainTextEdit pane;
        refuseInputMethodWhileReadOnly(&pane);
        pane.setPlainText(QStringLiteral("quote"));
        pane.setReadOnly(true);
        QVERIFY(!imEnabled(&pane));
        commit(&pane, QStringLiteral("日本語"));
        QCOMPARE(pane.toPlainText(), QStringLiteral("quote"));
        // Writable again (the program in the background): input is taken.
        pane.setReadOnly(false);
        QVERIFY(imEnabled(&pane));
        pane.moveCursor(QTextCursor::End);
        commit(&pane, QStringLiteral("日本語"));
        QCOMPARE(pane.toPlainText(), QStringLiteral("quote日本語"));
    }
};

QTEST_MAIN(PlatformInputTest)
#include "test_platform_input.moc"
