// The emoticon, fixed-phrase and quote-mark windows on the real main window,
// with a temporary program folder and scripted answers to every question.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/mainwindow.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/capturetargets.h"
#include "phrases/emoticonwindow.h"
#include "phrases/inputdialog.h"
#include "phrases/menulibrary.h"
#include "phrases/phrasewindow.h"
#include "phrases/quotemarkdialog.h"
#include "phrases/quotemarks.h"
#include "phrases/textart.h"
#include "platform/keyboard.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "platform/toplevelwindows.h"
#include "support/scriptedprompter.h"
#include "support/windowfixture.h"

using namespace kirel;

class PhrasesGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    MainWindow* form_ = nullptr;

    QString path(const QString& name) const { return app().path(name); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray sj(const QString& text) { return sjis::encode(text); }
    void answers(std::initializer_list<bool> list) {
        prompter_->answers.clear();
        for (bool a : list) prompter_->answers.enqueue(a);
    }
    QString post() const { return form_->editPane->toPlainText(); }

    // Runs steps on the modal input dialog once it is up, then closes it.
    static void inDialog(std::function<void(InputDialog*)> steps) {
        QTimer::singleShot(0, [steps] {
            auto* d = qobject_cast<InputDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            steps(d);
            if (d->isVisible()) d->close();
        });
    }
    static void enter(InputDialog* d, const QString& text) {
        d->field->setText(text);
        QTest::keyClick(d->field, Qt::Key_Return);
    }

    template <typename W>
    W* openWindow(PictureButton* button) {
        emit button->clicked();
        W* w = form_->findChild<W*>();
        if (w) {
            if (!QTest::qWaitForWindowExposed(w)) return nullptr;
        }
        return w;
    }
    EmoticonWindow* openEmoticons() { return openWindow<EmoticonWindow>(form_->emoticonButton); }
    PhraseWindow* openPhrases() { return openWindow<PhraseWindow>(form_->phraseButton); }

    static void choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // The context menu as it opens with the focus on control.
    static void menuOn(PhraseWindow* w, QWidget* control) {
        control->setFocus();
        emit w->menu->aboutToShow();
    }
    static void doubleClick(QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    static void select(QListWidget* list, int row) {
        list->setCurrentRow(row);
        list->item(row)->setSelected(true);
    }

  private slots:
    // The program's keyboard conventions, as the application installs them: a
    // menu letter goes to the enabled item that carries it.
    void initTestCase() { installKeyboardConventions(); }
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
        QDir(app().AppDir).mkpath(QStringLiteral("kao"));
        QDir(app().AppDir).mkpath(QStringLiteral("user"));
    }
    void cleanup() { fixture_.cleanup(); }

    // --- emoticons ---

    void emoticonButtonAndShortcutToggleTheWindowAndKeepItsPlace() {
        Profile(app().iniPath()).writeInteger("Form7", "Form7Left", 5000);
        EmoticonWindow* w = openEmoticons();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("Form7"));
        QCOMPARE(findWindow(QStringLiteral("顔文字選択")), w);
        QCOMPARE(w->pos(), QPoint(10, 30));  // off the screen: back to 10
        // Every category file is there, empty.
        for (const char* f :
             {"zyouyou", "waraikao", "terekao", "asekakikao", "nakikao", "okorikao", "sonotakao"})
            QCOMPARE(bytesOf(path(QStringLiteral("kao/%1.txt").arg(QLatin1String(f)))),
                     QByteArray());
        QCOMPARE(w->categories->count(), 7);
        QCOMPARE(w->categories->currentText(), QStringLiteral("常用"));

        w->move(120, 140);
        QPointer<EmoticonWindow> gone = w;
        emit form_->emoticonButton->clicked();
        QTRY_VERIFY(gone.isNull());
        QCOMPARE(Profile(app().iniPath()).readInteger("Form7", "Form7Left", 0), 120);
        QCOMPARE(Profile(app().iniPath()).readInteger("Form7", "Form7Top", 0), 140);

        form_->emoticonShortcut->trigger();  // Ctrl+K
        w = form_->findChild<EmoticonWindow*>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->pos(), QPoint(120, 140));
    }

    // Both tool windows stay on top, take the keyboard when they open, and keep
    // to the main window when "常に最前面" gives it a new native window.
    void toolWindowsStayOnTopWithTheKeyboardAndTheirOwner() {
        writeFile(path("kao/zyouyou.txt"), "(^^)\r\n(--)\r\n");
        QApplication::setActiveWindow(form_);
        form_->emoticonShortcut->trigger();
        auto* emoticons = form_->findChild<EmoticonWindow*>();
        QVERIFY(emoticons);
        QTRY_VERIFY(emoticons->isActiveWindow());
        QCOMPARE(emoticons->focusWidget(), emoticons->list);
        form_->editPane->setPlainText(QStringLiteral("ab"));
        form_->editPane->moveCursor(QTextCursor::End);
        QTest::keyClick(emoticons->list, Qt::Key_Down);
        QTest::keyClick(emoticons->list, Qt::Key_Return);
        QCOMPARE(post(), QStringLiteral("ab(--)"));

        emit form_->phraseButton->clicked();
        auto* phrases = form_->findChild<PhraseWindow*>();
        QVERIFY(phrases);
        QTRY_VERIFY(phrases->isActiveWindow());
        QCOMPARE(phrases->focusWidget(),
                 phrases->findChild<QComboBox*>(QStringLiteral("ComboBox1")));

        for (QWidget* w : {static_cast<QWidget*>(emoticons), static_cast<QWidget*>(phrases)}) {
            QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(w->windowType(), Qt::Tool);
        }
        for (bool on : {true, false}) {
            form_->alwaysOnTop->trigger();
            QCOMPARE(form_->alwaysOnTop->isChecked(), on);
            for (QWidget* w : {static_cast<QWidget*>(emoticons), static_cast<QWidget*>(phrases)}) {
                QVERIFY(w->isVisible());
                QVERIFY(w->windowHandle());
                QCOMPARE(w->windowHandle()->transientParent(), form_->windowHandle());
            }
        }
    }

    void emoticonGoesIntoThePostUnlessTheEditPaneIsDisabled() {
        writeFile(path("kao/nakikao.txt"), sj(QStringLiteral("(´；ω；｀)\r\n(T_T)\r\n")));
        EmoticonWindow* w = openEmoticons();
        QVERIFY(w);
        choose(w->categories, 4);
        QCOMPARE(w->category(), 4);
        QCOMPARE(w->list->count(), 2);

        form_->editPane->setPlainText(QStringLiteral("今日はxx"));
        QTextCursor c = form_->editPane->textCursor();
        c.setPosition(3);
        c.setPosition(5, QTextCursor::KeepAnchor);
        form_->editPane->setTextCursor(c);
        form_->showTab(EditorHost::Tab::Preview);
        QTest::keyClick(w->list, Qt::Key_Return);  // nothing selected: nothing happens
        QCOMPARE(post(), QStringLiteral("今日はxx"));
        // Tabbing into the list marks and selects its first entry.
        w->categories->setFocus();
        w->list->setFocus();
        QTRY_COMPARE(w->list->selectedItems().size(), 1);
        QTest::keyClick(w->list, Qt::Key_Return);
        QCOMPARE(post(), QStringLiteral("今日は(´；ω；｀)"));
        form_->editPane->setPlainText(QStringLiteral("今日はxx"));
        c = form_->editPane->textCursor();
        c.setPosition(3);
        c.setPosition(5, QTextCursor::KeepAnchor);
        form_->editPane->setTextCursor(c);
        form_->showTab(EditorHost::Tab::Preview);
        select(w->list, 1);
        QTest::keyClick(w->list, Qt::Key_Return);
        QCOMPARE(post(), QStringLiteral("今日は(T_T)"));
        QCOMPARE(form_->currentTab(), EditorHost::Tab::Edit);
        QVERIFY(prompter_->shown.isEmpty());

        // The decoration window has the edit pane: both ways refuse.
        form_->setEditPaneEnabled(false);
        QTest::keyClick(w->list, Qt::Key_Return);
        emit w->list->itemDoubleClicked(w->list->item(0));
        QCOMPARE(post(), QStringLiteral("今日は(T_T)"));
        QCOMPARE(prompter_->shown.size(), 2);
        QCOMPARE(
            prompter_->last(),
            QStringLiteral("「HTMLタグで文字を修飾」のウィンドウが開いているため、\r\n顔文字の挿"
                           "入ができません。\r\n\r\n「HTMLタグで文字を修飾」のウィンドウを閉じ"
                           "てください。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::Information);
        form_->setEditPaneEnabled(true);
        doubleClick(w->list, 0);
        QCOMPARE(post(), QStringLiteral("今日は(T_T)(´；ω；｀)"));
    }

    void emoticonsAddedBeforeTheSelectionAndDeleted() {
        writeFile(path("kao/okorikao.txt"), "(a)\r\n(b)\r\n");
        EmoticonWindow* w = openEmoticons();
        QVERIFY(w);
        choose(w->categories, 5);
        select(w->list, 1);
        inDialog([](InputDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("顔文字を追加"));
            enter(d, QStringLiteral("(｀Д´)"));
            QVERIFY(d->isVisible());  // stays for the next one
            enter(d, QStringLiteral("(#ﾟДﾟ)"));
        });
        w->addEntry->trigger();
        QCOMPARE(bytesOf(path("kao/okorikao.txt")),
                 "(a)\r\n" + sj(QStringLiteral("(｀Д´)\r\n(#ﾟДﾟ)\r\n")) + "(b)\r\n");
        QCOMPARE(prompter_->texts(),
                 QStringList(2, QStringLiteral("アイテムリストに追加しました。")));
        QCOMPARE(app().ClipCaptureOn, 1);

        // Delete asks; No keeps, Yes removes the selected entry.
        select(w->list, 0);
        answers({false});
        w->deleteEntry->trigger();
        QCOMPARE(w->list->count(), 4);
        answers({true, true, true, true});
        for (int i = 0; i < 4; ++i) {
            select(w->list, 0);
            w->deleteEntry->trigger();
        }
        QCOMPARE(prompter_->last(),
                 QStringLiteral("選択された顔文字を削除します。\r\nよろしいですか？"));
        QCOMPARE(bytesOf(path("kao/okorikao.txt")), QByteArray());

        // Opened again: the first category, and adding with nothing selected
        // goes to the end of its file.
        w->close();
        QTRY_VERIFY(!form_->findChild<EmoticonWindow*>());
        w = openEmoticons();
        QCOMPARE(w->category(), 0);
        inDialog([](InputDialog* d) { enter(d, QStringLiteral("(^^)")); });
        w->addEntry->trigger();
        QCOMPARE(bytesOf(path("kao/zyouyou.txt")), QByteArray("(^^)\r\n"));
    }

    void emoticonWindowWithoutKaoFolderOpensEmpty() {
        QDir(path("kao")).removeRecursively();
        EmoticonWindow* w = openEmoticons();
        QVERIFY(w);
        QCOMPARE(w->list->count(), 0);
        QCOMPARE(prompter_->shown.size(), 1);
        QCOMPARE(prompter_->shown.last().icon, Icon::Error);
    }

    // --- fixed phrases and text art ---

    void firstOpeningCreatesTheFoldersAndOffersOnlyAddMenu() {
        PhraseWindow* w = openPhrases();
        QVERIFY(w);
        QCOMPARE(findWindow(QStringLiteral("定型文選択")), w);
        QCOMPARE(captureTargets().textArt, static_cast<TextArtTarget*>(w));
        QCOMPARE(bytesOf(path("user/custom/Itemlist.txt")), QByteArray());
        QCOMPARE(bytesOf(path("user/custom/mozie/Itemlist.txt")), QByteArray());
        QCOMPARE(w->phraseMenus->count(), 0);
        QCOMPARE(w->artMenus->count(), 0);
        QCOMPARE(w->button->text(), QStringLiteral("キャンセル(&X)"));
        QCOMPARE(w->focusWidget(), w->phraseMenus);
        menuOn(w, w->phraseMenus);
        QVERIFY(w->addMenu->isEnabled());
        for (QAction* a : {w->renameMenu, w->deleteMenu, w->saveItem, w->deleteItem})
            QVERIFY(!a->isEnabled());

        // The capture's question answered Yes: the text-art page, its menu list.
        w->showTextArtMenus();
        QCOMPARE(w->pages->currentIndex(), 1);
        QCOMPARE(w->focusWidget(), w->artMenus);
        QCOMPARE(w->button->text(), QStringLiteral("挿入(&I)"));

        // Button2 on the phrase page closes; the position is kept.
        w->pages->setCurrentIndex(0);
        w->move(200, 60);
        QPointer<PhraseWindow> gone = w;
        w->button->click();
        QTRY_VERIFY(gone.isNull());
        QVERIFY(captureTargets().textArt == nullptr);
        QCOMPARE(Profile(app().iniPath()).readInteger("Form8", "Form8Left", 0), 200);
        QCOMPARE(Profile(app().iniPath()).readInteger("Form8", "Form8Top", 0), 60);
    }

    void phraseMenusAndItemsThroughTheInputDialog() {
        PhraseWindow* w = openPhrases();
        QVERIFY(w);
        inDialog([](InputDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("メニューを追加"));
            enter(d, QStringLiteral("../../x"));
            enter(d, QStringLiteral("挨拶"));
            enter(d, QStringLiteral("挨拶"));
        });
        w->addMenu->trigger();
        QCOMPARE(prompter_->texts(),
                 (QStringList{phrases::kNameSlash, phrases::kMenuAdded, phrases::kMenuExists}));
        QVERIFY(!QFile::exists(path("x.txt")) && !QFile::exists(path("../x.txt")));
        QCOMPARE(bytesOf(path("user/custom/Itemlist.txt")), sj(QStringLiteral("挨拶\r\n")));
        QCOMPARE(bytesOf(path("user/custom/挨拶.txt")), QByteArray());
        QCOMPARE(w->phraseMenus->count(), 1);
        QCOMPARE(w->phraseMenus->currentIndex(), -1);  // listed, not chosen

        choose(w->phraseMenus, 0);
        menuOn(w, w->items);
        QVERIFY(w->saveItem->isEnabled() && !w->deleteItem->isEnabled() &&
                !w->addMenu->isEnabled());
        prompter_->clear();
        inDialog([](InputDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("アイテムリストを追加"));
            enter(d, QStringLiteral("こんにちは"));
            enter(d, QStringLiteral("またね"));
        });
        // By the keyboard: A chooses the one enabled item of that letter, though
        // the disabled "すべてを選択(&A)" shares it.
        w->menu->popup(w->items->mapToGlobal(QPoint(5, 5)));
        QVERIFY(!w->menu->findChild<QAction*>(QStringLiteral("SelectAll1"))->isEnabled());
        QTest::keyClick(w->menu, Qt::Key_A);
        QCOMPARE(bytesOf(path("user/custom/挨拶.txt")),
                 sj(QStringLiteral("こんにちは\r\nまたね\r\n")));
        QCOMPARE(w->items->count(), 2);

        // Inserting: the selection of the post is replaced, the window stays.
        form_->editPane->setPlainText(QStringLiteral("A"));
        form_->editPane->moveCursor(QTextCursor::End);
        select(w->items, 1);
        QTest::keyClick(w->items, Qt::Key_Return);
        doubleClick(w->items, 1);
        QCOMPARE(post(), QStringLiteral("Aまたねまたね"));
        QVERIFY(w->isVisible());
        form_->setEditPaneEnabled(false);
        prompter_->clear();
        QTest::keyClick(w->items, Qt::Key_Return);
        QCOMPARE(post(), QStringLiteral("Aまたねまたね"));
        QVERIFY(prompter_->last().contains(QStringLiteral("定型文の挿入ができません。")));
        form_->setEditPaneEnabled(true);

        // Delete item: asks, then saves what is left.
        select(w->items, 0);
        answers({true});
        menuOn(w, w->items);
        QVERIFY(w->deleteItem->isEnabled());
        w->deleteItem->trigger();
        QCOMPARE(bytesOf(path("user/custom/挨拶.txt")), sj(QStringLiteral("またね\r\n")));
    }

    void renameAndDeleteKeepTheItemsOfTheMenuShown() {
        QDir(path("user")).mkpath(QStringLiteral("custom/mozie"));
        writeFile(path("user/custom/Itemlist.txt"), "a\r\nb\r\n");
        writeFile(path("user/custom/a.txt"), "a1\r\n");
        writeFile(path("user/custom/b.txt"), "b1\r\nb2\r\n");
        PhraseWindow* w = openPhrases();
        QVERIFY(w);
        QCOMPARE(w->items->count(), 1);
        choose(w->phraseMenus, 1);
        QCOMPARE(w->items->count(), 2);

        // No to the question: nothing renamed, the dialog stays.
        menuOn(w, w->phraseMenus);
        answers({false, true});
        inDialog([](InputDialog* d) {
            enter(d, QStringLiteral("c"));
            QVERIFY(d->isVisible());
            enter(d, QStringLiteral("c"));
            QVERIFY(!d->isVisible());  // renamed: the dialog closes
        });
        w->renameMenu->trigger();
        QCOMPARE(prompter_->last(), phrases::kRenamed);
        QCOMPARE(bytesOf(path("user/custom/Itemlist.txt")), QByteArray("a\r\nc\r\n"));
        QCOMPARE(bytesOf(path("user/custom/c.txt")), QByteArray("b1\r\nb2\r\n"));
        QVERIFY(!QFile::exists(path("user/custom/b.txt")));
        // The first menu is shown, with its own items: adding an item now cannot
        // write the renamed menu's items into it.
        QCOMPARE(w->phraseMenus->currentText(), QStringLiteral("a"));
        QCOMPARE(w->items->count(), 1);
        QCOMPARE(w->items->item(0)->text(), QStringLiteral("a1"));

        answers({true});
        menuOn(w, w->phraseMenus);
        w->deleteMenu->trigger();
        QVERIFY(!QFile::exists(path("user/custom/a.txt")));
        QCOMPARE(bytesOf(path("user/custom/Itemlist.txt")), QByteArray("c\r\n"));
        QCOMPARE(w->phraseMenus->currentText(), QStringLiteral("c"));
        QCOMPARE(w->items->count(), 2);
    }

    void textArtIsEditedSavedAndInserted() {
        PhraseWindow* w = openPhrases();
        QVERIFY(w);
        w->pages->setCurrentIndex(1);
        inDialog([](InputDialog* d) {
            enter(d, QStringLiteral("neko"));
            enter(d, QStringLiteral("inu"));
        });
        w->addMenu->trigger();
        QCOMPARE(bytesOf(path("user/custom/mozie/Itemlist.txt")), QByteArray("neko\r\ninu\r\n"));
        QVERIFY(!QFile::exists(path("user/custom/neko.txt")));
        choose(w->artMenus, 0);

        const QString cat = QStringLiteral("  ∧＿∧\n （ ´∀｀）\n");
        w->artEditor->setPlainText(cat);
        QVERIFY(w->artModified());
        menuOn(w, w->artEditor);
        QCOMPARE(w->saveItem->text(), QStringLiteral("アイテムを保存(&S)"));
        QVERIFY(w->saveItem->isEnabled() && w->renameMenu->isEnabled());
        prompter_->clear();
        answers({true});
        w->saveItem->trigger();
        QCOMPARE(prompter_->texts(),
                 (QStringList{phrases::kOverwriteQuestion, phrases::kItemAdded}));
        QCOMPARE(bytesOf(path("user/custom/mozie/neko.txt")),
                 sj(QStringLiteral("  ∧＿∧\r\n （ ´∀｀）\r\n")));
        QVERIFY(!w->artModified());

        // An edit, then another menu with No: the text stays under the new name.
        w->artEditor->moveCursor(QTextCursor::End);
        w->artEditor->insertPlainText(QStringLiteral("edited"));
        prompter_->clear();
        answers({false});
        choose(w->artMenus, 1);
        QCOMPARE(prompter_->texts(), QStringList{phrases::kSaveChangesQuestion});
        QCOMPARE(w->artMenus->currentText(), QStringLiteral("inu"));
        QVERIFY(w->artEditor->toPlainText().endsWith(QStringLiteral("edited")));
        QVERIFY(w->artModified());

        // The insert button puts every line at the caret of the post.
        form_->editPane->setPlainText(QStringLiteral("before\nafter"));
        QTextCursor c = form_->editPane->textCursor();
        c.setPosition(7);
        form_->editPane->setTextCursor(c);
        w->button->click();
        QCOMPARE(post(), QStringLiteral("before\n") + cat + QStringLiteral("editedafter"));

        // An empty editor has nothing to insert.
        w->artEditor->clear();
        prompter_->clear();
        w->button->click();
        QCOMPARE(prompter_->texts(), QStringList{QStringLiteral("挿入するテキストがありません。")});

        // Closing drops unsaved changes without a question.
        w->artEditor->setPlainText(QStringLiteral("lost"));
        prompter_->clear();
        w->close();
        QVERIFY(prompter_->shown.isEmpty());
        QCOMPARE(bytesOf(path("user/custom/mozie/inu.txt")), QByteArray());
    }

    void aLongPictureFillsTheEditorInStepsAsNoEdit() {
        QDir(path("user")).mkpath(QStringLiteral("custom/mozie"));
        writeFile(path("user/custom/mozie/Itemlist.txt"), "small\r\nbig\r\n");
        QString picture;
        for (int i = 0; i < 8000; ++i) picture += QStringLiteral("（ ´∀｀）%1 ∧＿∧\n").arg(i);
        writeFile(path("user/custom/mozie/big.txt"), sjis::toFile(picture));
        writeFile(path("user/custom/mozie/small.txt"), "x");
        PhraseWindow* w = openPhrases();
        QVERIFY(w);
        w->pages->setCurrentIndex(1);
        QCOMPARE(w->artEditor->toPlainText(), QStringLiteral("x"));
        choose(w->artMenus, 1);
        // Until every piece is in: no typing, no insert, no save, no edit.
        QVERIFY(w->artEditor->isReadOnly());
        form_->editPane->setPlainText(QStringLiteral("post"));
        w->button->click();
        w->saveItem->trigger();
        QCOMPARE(post(), QStringLiteral("post"));
        QCOMPARE(bytesOf(path("user/custom/mozie/big.txt")), sjis::toFile(picture));
        QTRY_VERIFY_WITH_TIMEOUT(!w->artEditor->isReadOnly(), 30000);
        QCOMPARE(w->artEditor->toPlainText(), picture);
        QVERIFY(!w->artModified());
        // Another menu while a picture goes in: no question, the new one shown.
        choose(w->artMenus, 0);
        choose(w->artMenus, 1);
        QVERIFY(w->artEditor->isReadOnly());
        prompter_->clear();
        choose(w->artMenus, 0);
        QVERIFY(prompter_->shown.isEmpty());
        QCOMPARE(w->artEditor->toPlainText(), QStringLiteral("x"));
        QVERIFY(!w->artEditor->isReadOnly());
        QVERIFY(w->artEditor->document()->isUndoRedoEnabled());
        QVERIFY(!w->artModified());
        w->close();
    }

    // --- quote marks ---

    void quoteMarkListFromTheSettingsMenu() {
        app().QuoteDlgLeft = 150;
        app().QuoteDlgTop = 90;
        QTimer::singleShot(0, [this] {
            auto* d = qobject_cast<QuoteMarkDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("引用"));
            QCOMPARE(d->pos(), QPoint(150, 90));
            QCOMPARE(bytesOf(path("user/inyoufu.txt")), QByteArray());
            QCOMPARE(d->marks->count(), 0);
            QCOMPARE(d->marks->currentText(), QStringLiteral(">"));

            // Typed and added: listed, not yet the quote mark.
            d->marks->setEditText(QStringLiteral("＞＞"));
            d->addMark->trigger();
            d->addMark->trigger();
            QCOMPARE(bytesOf(path("user/inyoufu.txt")), sj(QStringLiteral("＞＞\r\n＞＞\r\n")));
            QCOMPARE(app().QuoteMark, QStringLiteral(">"));
            choose(d->marks, 1);
            QCOMPARE(app().QuoteMark, QStringLiteral("＞＞"));

            // Deleting the current mark keeps it current.
            answers({true});
            d->deleteMark->trigger();
            QCOMPARE(bytesOf(path("user/inyoufu.txt")), sj(QStringLiteral("＞＞\r\n")));
            QCOMPARE(app().QuoteMark, QStringLiteral("＞＞"));
            d->marks->setEditText(QString());
            d->deleteMark->trigger();
            QCOMPARE(prompter_->last(), phrases::kNothingToDelete);
            d->closeButton->click();
        });
        form_->chooseQuoteMark->trigger();
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(app().QuoteMark, QStringLiteral("＞＞"));
    }

    void quoteMarkChangesOnlyByAChoiceFromTheList() {
        QDir().mkpath(path("user"));
        writeFile(path("user/inyoufu.txt"), ">\r\n>>\r\n");
        app().QuoteMark = QStringLiteral("|");
        QuoteMarkDialog d(form_);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.activateWindow();
        QLineEdit* field = d.marks->lineEdit();
        field->setFocus();
        field->selectAll();
        // A typed candidate, Return, then leaving the field: no choice.
        QTest::keyClicks(field, QStringLiteral(">>"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(app().QuoteMark, QStringLiteral("|"));
        QVERIFY(d.isVisible());
        d.closeButton->setFocus();
        QCOMPARE(app().QuoteMark, QStringLiteral("|"));
        QCOMPARE(field->text(), QStringLiteral(">>"));

        // 削除 with nothing chosen: asked, nothing removed, the file written again.
        answers({true});
        d.deleteMark->trigger();
        QCOMPARE(prompter_->last(), phrases::kDeleteQuoteMarkQuestion);
        QCOMPARE(d.marks->count(), 2);
        QCOMPARE(bytesOf(path("user/inyoufu.txt")), QByteArray(">\r\n>>\r\n"));

        // Chosen from the list: it is the quote mark, and 削除 removes it.
        choose(d.marks, 1);
        QCOMPARE(app().QuoteMark, QStringLiteral(">>"));
        answers({true});
        d.deleteMark->trigger();
        QCOMPARE(bytesOf(path("user/inyoufu.txt")), QByteArray(">\r\n"));
        QCOMPARE(app().QuoteMark, QStringLiteral(">>"));
    }
};

QTEST_MAIN(PhrasesGui)
#include "test_phrases_gui.moc"
