// The decoration window and the decorative-rule dialog on the real main window:
// composing into the post, preview and putting the selection back, the width
// and colour dialogs through scripted answers, the refusals while the window is
// open, and inserting and saving rules.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

#include "app/finddialog.h"
#include "app/mainwindow.h"
#include "controls/colorswatchbutton.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "decoration/decorationwindow.h"
#include "decoration/ruledialog.h"
#include "platform/profile.h"
#include "platform/qtprompter.h"
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "support/windowfixture.h"

using namespace kirel;

class DecorationGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    MainWindow* form_ = nullptr;

    void setEdit(const QString& text, int start, int length) {
        form_->editPane->setPlainText(text);
        QTextCursor c = form_->editPane->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        form_->editPane->setTextCursor(c);
    }
    QString editText() const { return form_->editPane->toPlainText(); }
    QString selected() const { return form_->editPane->textCursor().selection().toPlainText(); }
    DecorationWindow* opened() const {
        return qobject_cast<DecorationWindow*>(form_->decorationWindow());
    }
    DecorationWindow* open() {
        form_->decorationButton->click();
        return opened();
    }
    // A window with scripted answers to the width and colour-settings requests.
    DecorationWindow* openScripted(DecorationCallbacks callbacks) {
        auto* w = new DecorationWindow(*form_, form_, std::move(callbacks));
        w->show();
        return w;
    }
    static void pick(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static QString display(DecorationWindow* w) { return w->tagDisplay->toPlainText(); }
    void writeIni(const QByteArray& text) {
        QFile f(app().iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
    }
    void cleanup() { fixture_.cleanup(); }

    void openersToggleTheWindowAndItHoldsTheEditPane() {
        DecorationWindow* w = open();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("Form3"));
        QCOMPARE(w->windowTitle(), QStringLiteral("HTMLタグで文字を修飾"));
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!form_->editPaneEnabled());
        QCOMPARE(form_->toolTip(), DecorationWindow::kEditHint);
        QVERIFY(form_->testAttribute(Qt::WA_AlwaysShowToolTips));
        QCOMPARE(w->swatches[1]->color(), QColor(0x00, 0x80, 0xFF));
        QCOMPARE(w->fontBox->currentText(), QStringLiteral("指定しない"));
        QVERIFY(w->fontBox->findText(QStringLiteral("ＭＳ Ｐゴシック")) >= 0);
        QVERIFY(w->fontBox->findText(QStringLiteral("ＭＳ ゴシック")) >= 0);

        // Refusals while it is open: the settings button, and the capture of a
        // handle name into the disabled pane.
        QTest::mouseClick(form_->settingsButton, Qt::LeftButton);
        QVERIFY(fixture_.prompter->last().startsWith(
            QStringLiteral("「HTMLタグで文字を修飾」のウィンドウが開いているため")));
        app().ClipSnapTaken = true;
        QGuiApplication::clipboard()->setText(QStringLiteral("名前"));
        form_->runCapture();
        QVERIFY(editText().isEmpty() && form_->quotePane->toPlainText().isEmpty());

        form_->decorationShortcut->trigger();  // Ctrl+M closes it
        QTRY_VERIFY(!opened());
        QVERIFY(form_->editPaneEnabled());
        QVERIFY(form_->toolTip().isEmpty());
        form_->decorate->trigger();  // the edit menu opens it again
        QVERIFY(opened());
        QApplication::setActiveWindow(opened());
        QVERIFY(QTest::qWaitForWindowActive(opened()));
        QTest::keyClick(opened()->fontBox, Qt::Key_M, Qt::ControlModifier);
        QTRY_VERIFY(!opened());
    }

    void swatchThenOkReplacesTheSelection() {
        setEdit(QStringLiteral("abc word def"), 4, 4);
        DecorationWindow* w = open();
        QVERIFY(display(w).isEmpty());
        QTest::mouseClick(w->swatches[0], Qt::LeftButton);
        QCOMPARE(display(w), QStringLiteral("<FONT color=\"#FF0000\">選択された文字列</FONT>"));
        QCOMPARE(w->sample->fontColor(), QColor(255, 0, 0));
        QTest::mouseClick(w->okButton, Qt::LeftButton);
        QCOMPARE(editText(), QStringLiteral("abc <FONT color=\"#FF0000\">word</FONT> def"));
        QTRY_VERIFY(!opened());
        QVERIFY(form_->editPaneEnabled());
        QCOMPARE(app().ClipCaptureOn, 1);

        // Nothing selected: the tags go in at the caret around nothing.
        setEdit(QStringLiteral("ab"), 1, 0);
        w = open();
        QTest::mouseClick(w->swatches[0], Qt::LeftButton);
        w->okButton->click();
        QCOMPARE(editText(), QStringLiteral("a<FONT color=\"#FF0000\"></FONT>b"));
    }

    void previewReplacesAndClosingPutsTheSelectionBack() {
        setEdit(QStringLiteral("abc word def"), 4, 4);
        DecorationWindow* w = open();
        w->swatches[0]->click();
        pick(w->sizeBox, 7);  // ＋１
        w->previewButton->click();
        const QString first = QStringLiteral("<FONT color=\"#FF0000\" size=\"+1\">word</FONT>");
        QCOMPARE(editText(), QStringLiteral("abc ") + first + QStringLiteral(" def"));
        QCOMPARE(selected(), first);
        QCOMPARE(form_->tabs->currentIndex(), 1);
        QFile page(app().path(QStringLiteral("0.htm")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(sjis::decode(page.readAll()).contains(first));
        page.close();

        // A second preview replaces the first, built from the captured word again.
        w->styleButtons[1]->click();  // 強調
        w->previewButton->click();
        const QString second = QStringLiteral("<B>") + first + QStringLiteral("</B>");
        QCOMPARE(editText(), QStringLiteral("abc ") + second + QStringLiteral(" def"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(sjis::decode(page.readAll()).contains(second));

        // Cancelling takes the preview out, even with every decoration turned
        // off again after it.
        w->noColorButton->click();
        pick(w->sizeBox, 9);
        w->styleButtons[4]->click();
        QVERIFY(display(w).isEmpty());
        w->cancelButton->click();
        QCOMPARE(editText(), QStringLiteral("abc word def"));
        QCOMPARE(selected(), QStringLiteral("word"));
        QCOMPARE(form_->tabs->currentIndex(), 0);
        QVERIFY(form_->editPaneEnabled());

        // Preview then OK keeps the result.
        w = open();
        w->swatches[0]->click();
        w->previewButton->click();
        w->okButton->click();
        QCOMPARE(editText(), QStringLiteral("abc <FONT color=\"#FF0000\">word</FONT> def"));
        QCOMPARE(form_->tabs->currentIndex(), 0);
    }

    void closingTheMainWindowTakesThePreviewOut() {
        setEdit(QStringLiteral("abc word def"), 4, 4);
        DecorationWindow* w = open();
        w->swatches[2]->click();
        w->previewButton->click();
        QVERIFY(editText() != QStringLiteral("abc word def"));
        form_->close();
        QCOMPARE(editText(), QStringLiteral("abc word def"));
    }

    void postReplacedMeanwhileIsLeftAlone() {
        setEdit(QStringLiteral("abc word def"), 4, 4);
        DecorationWindow* w = open();
        w->swatches[0]->click();
        w->previewButton->click();
        form_->editPane->setPlainText(QStringLiteral("loaded draft"));  // a draft loaded
        w->close();
        QCOMPARE(editText(), QStringLiteral("loaded draft"));
    }

    // Every way into the post from elsewhere in the main window is closed while
    // the window is open, so OK wraps the word that was selected when it opened.
    void postStaysLockedWhileTheWindowIsOpen() {
        setEdit(QStringLiteral("abc word def"), 4, 4);
        form_->quotePane->setPlainText(QStringLiteral("これは引用\n二行目"));
        // Find and replace left open from before, their texts filled in.
        form_->find->trigger();
        form_->replace->trigger();
        auto* find = form_->findChild<FindDialog*>(QStringLiteral("FindDialog1"));
        auto* replace = form_->findChild<ReplaceDialog*>(QStringLiteral("ReplaceDialog1"));
        find->FindEdit->setText(QStringLiteral("def"));
        replace->FindEdit->setText(QStringLiteral("abc"));
        replace->ReplaceEdit->setText(QStringLiteral("xyz"));
        setEdit(QStringLiteral("abc word def"), 4, 4);
        DecorationWindow* w = open();
        w->swatches[0]->click();
        const auto unchanged = [this] {
            QCOMPARE(editText(), QStringLiteral("abc word def"));
            QCOMPARE(form_->editPane->textCursor().selectionStart(), 4);
            QCOMPARE(selected(), QStringLiteral("word"));
        };

        // Esc in the quote pane.
        form_->quotePane->setFocus();
        QTest::keyClick(form_->quotePane, Qt::Key_Escape);
        unchanged();
        QCOMPARE(form_->quotePane->toPlainText(), QStringLiteral("これは引用\n二行目"));
        // The quote pane's menu item, disabled and inert.
        QTextCursor c = form_->quotePane->textCursor();
        c.setPosition(0);
        c.setPosition(3, QTextCursor::KeepAnchor);
        form_->quotePane->setTextCursor(c);
        emit form_->quoteMenu->aboutToShow();
        QVERIFY(!form_->quoteToEdit->isEnabled());
        form_->quoteToEdit->trigger();
        unchanged();
        // Find next, replace and replace all: buttons disabled, presses inert.
        QVERIFY(!find->FindNextButton->isEnabled());
        QVERIFY(!replace->ReplaceButton->isEnabled() && !replace->ReplaceAllButton->isEnabled());
        emit find->find();
        emit replace->replace();
        emit replace->replaceAll();
        unchanged();
        // The edit menu's commands, and a text file to insert.
        writeTextFile(app().path(QStringLiteral("in.txt")), QStringLiteral("ins"));
        fixture_.prompter->fileNames.enqueue(app().path(QStringLiteral("in.txt")));
        for (QAction* a :
             {form_->insertQuoteMarks, form_->heartMark1, form_->heartMark2, form_->convertBreaks,
              form_->insertTextFile, form_->insertLink, form_->insertRule})
            a->trigger();
        unchanged();
        QVERIFY(fixture_.prompter->fileRequests.isEmpty());
        QVERIFY(fixture_.prompter->shown.isEmpty());

        w->okButton->click();
        QCOMPARE(editText(), QStringLiteral("abc <FONT color=\"#FF0000\">word</FONT> def"));
        // Open again, the post's paths work as before.
        QVERIFY(find->FindNextButton->isEnabled() && replace->ReplaceAllButton->isEnabled());
        emit find->find();
        QCOMPARE(selected(), QStringLiteral("def"));
        form_->quotePane->setFocus();
        QTest::keyClick(form_->quotePane, Qt::Key_Escape);
        QCOMPARE(selected(), QStringLiteral(">これは引用"));
    }

    // A draft loaded while the window is open replaces the post; OK and preview
    // then leave it alone and say why.
    void okAndPreviewLeaveALoadedPostAlone() {
        QFile draft(app().path(QStringLiteral("qick1.txt")));
        QVERIFY(draft.open(QIODevice::WriteOnly));
        draft.write(sjis::toFile(QStringLiteral("loaded draft")));
        draft.close();
        setEdit(QStringLiteral("abc word def"), 4, 4);
        DecorationWindow* w = open();
        w->swatches[0]->click();
        form_->quickLoad1->trigger();
        QCOMPARE(editText(), QStringLiteral("loaded draft"));
        w->previewButton->click();
        QCOMPARE(editText(), QStringLiteral("loaded draft"));
        QCOMPARE(fixture_.prompter->last(), DecorationWindow::kPostReplaced);
        QCOMPARE(form_->tabs->currentIndex(), 0);
        QVERIFY(opened());
        fixture_.prompter->clear();
        w->okButton->click();
        QCOMPARE(editText(), QStringLiteral("loaded draft"));
        QCOMPARE(fixture_.prompter->texts(), QStringList{DecorationWindow::kPostReplaced});
        QTRY_VERIFY(!opened());
        QVERIFY(form_->editPaneEnabled());

        // Previewed first, then loaded: OK leaves the loaded post too.
        setEdit(QStringLiteral("abc word def"), 4, 4);
        w = open();
        w->swatches[0]->click();
        w->previewButton->click();
        form_->quickLoad1->trigger();
        w->okButton->click();
        QCOMPARE(editText(), QStringLiteral("loaded draft"));
    }

    // Ctrl+M closes the window from anywhere in the main window, whose edit
    // pane (holding the shortcut) is disabled meanwhile.
    void ctrlMFromTheMainWindowClosesIt() {
        setEdit(QStringLiteral("abc word def"), 4, 4);
        QVERIFY(open());
        QApplication::setActiveWindow(form_);
        QVERIFY(QTest::qWaitForWindowActive(form_));
        form_->quotePane->setFocus();
        QTest::keyClick(form_->quotePane, Qt::Key_M, Qt::ControlModifier);
        QTRY_VERIFY(!opened());
        QCOMPARE(editText(), QStringLiteral("abc word def"));
        // Closed, Ctrl+M opens it from the edit pane only, as its menu says.
        QTest::keyClick(form_->quotePane, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!opened());
        form_->editPane->setFocus();
        QTest::keyClick(form_->editPane, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(opened());
        QApplication::setActiveWindow(form_);
        QTest::keyClick(form_->quotePane, Qt::Key_M, Qt::ControlModifier);
        QTRY_VERIFY(!opened());
    }

    // A box that belongs to the main window comes up above the window kept on
    // top, with the keyboard.
    void boxesComeUpAboveTheWindow() {
        QtPrompter real;
        Prompter::setCurrent(&real);
        QVERIFY(open());
        QApplication::setActiveWindow(form_);
        QVERIFY(QTest::qWaitForWindowActive(form_));
        bool seen = false;
        // Looks until the box is up and has had time to take the keyboard (a slow
        // build may take a while), then answers it.
        QTimer poll;
        int tries = 0;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            if (QApplication::activeWindow() != box && ++tries < 100) return;
            seen = bool(box->windowFlags() & Qt::WindowStaysOnTopHint) &&
                   QApplication::activeWindow() == box;
            poll.stop();
            box->close();
        });
        poll.start(20);
        QTest::mouseClick(form_->settingsButton, Qt::LeftButton);
        poll.stop();
        Prompter::setCurrent(fixture_.prompter.get());
        QVERIFY(seen);
        opened()->close();
    }

    void widthRequestSetsOrTurnsOffScrolling() {
        setEdit(QStringLiteral("x"), 0, 1);
        QStringList answers = {QStringLiteral("050"), QString(), QStringLiteral("")};
        QWidget* askedBy = nullptr;
        DecorationWindow* w = openScripted({[&](QWidget* owner) {
                                                askedBy = owner;
                                                return answers.takeFirst();
                                            },
                                            {}});
        pick(w->scrollBox, 0);
        QCOMPARE(askedBy, w);
        QCOMPARE(display(w), QStringLiteral("<MARQUEE width=050%>選択された文字列</MARQUEE>"));
        // Closed without a confirmed width, or confirmed empty: scrolling is off.
        for (int i = 0; i < 2; ++i) {
            pick(w->scrollBox, 6);
            QCOMPARE(w->scrollBox->currentText(), QStringLiteral("指定しない"));
            QVERIFY(!w->state().scrollOn);
            QVERIFY(display(w).isEmpty());
        }
        w->close();
    }

    // The window opened by the main window asks through the real input dialog.
    void widthIsAskedInTheInputDialog() {
        setEdit(QStringLiteral("x"), 0, 1);
        DecorationWindow* w = open();
        bool confirmed = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("Form4"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("可変幅の設定"));
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            field->setText(QStringLiteral("050"));
            dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            confirmed = true;
        });
        pick(w->scrollBox, 0);
        QVERIFY(confirmed);
        QCOMPARE(display(w), QStringLiteral("<MARQUEE width=050%>選択された文字列</MARQUEE>"));
        // Closed with its close box: scrolling goes off.
        QTimer::singleShot(0, this, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("30"));
            dialog->close();
        });
        pick(w->scrollBox, 1);
        QCOMPARE(w->scrollBox->currentText(), QStringLiteral("指定しない"));
        QVERIFY(!w->state().scrollOn);
        w->close();
    }

    void sizeWarningFaceAndSample() {
        writeIni(
            "[Form10]\r\nFColor=#00FF00\r\nCColor=#102030\r\n[Form3]\r\nColor1=-2147483633\r\n");
        setEdit(QStringLiteral("x"), 0, 1);
        DecorationWindow* w = open();
        QCOMPARE(w->sample->fontColor(), QColor(0, 255, 0));
        QCOMPARE(w->sample->color(), QColor(0x10, 0x20, 0x30));
        QVERIFY(!w->sample->isEnabled());
        QCOMPARE(w->sample->buttonStyle(), PictureButton::bsLowered);

        pick(w->sizeBox, 5);  // ６: warned, and taken
        QCOMPARE(fixture_.prompter->last(), decoration::kLargeSizeWarning);
        QCOMPARE(fixture_.prompter->shown.last().icon, Icon::Information);
        QCOMPARE(w->state().sizeText, QStringLiteral("6"));

        // A system colour in the settings: the tag carries what it resolves to.
        const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
        QCOMPARE(w->swatches[0]->color(), face);
        w->swatches[0]->click();
        QCOMPARE(w->state().colorText, face.name().toUpper());

        const int gothic = w->fontBox->findText(QStringLiteral("ＭＳ Ｐゴシック"));
        pick(w->fontBox, gothic);
        QCOMPARE(display(w), QStringLiteral("<FONT face=\"ＭＳ Ｐゴシック\" color=\"%1\" "
                                            "size=\"6\">選択された文字列</FONT>")
                                 .arg(face.name().toUpper()));
        QCOMPARE(w->sample->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        const QString drawn = QFontInfo(w->sample->font()).family();
        QVERIFY2(drawn == QStringLiteral("Monapo") || drawn.startsWith(QStringLiteral("IPA")),
                 qPrintable(drawn));
        w->styleButtons[3]->click();
        QVERIFY(w->sample->font().strikeOut());
        pick(w->fontBox, w->fontBox->count() - 1);
        QVERIFY(!w->state().faceOn);
        w->close();
    }

    void makeColorAndColorSettings() {
        DecorationWindow* w = nullptr;
        int settingsCalls = 0;
        w = openScripted({{}, [&](QWidget* owner) {
                              ++settingsCalls;
                              if (owner != w) return false;
                              Profile(app().iniPath())
                                  .writeInteger(QStringLiteral("Form3"), QStringLiteral("Color1"),
                                                0xFF0000);
                              return true;
                          }});
        auto& colors = fixture_.prompter->colors;
        const Profile ini(app().iniPath());
        // Cancelled with no colour on: nothing changes.
        w->makeColorButton->click();
        QVERIFY(!w->state().colorOn);
        // The window's own colour chosen while no colour is on: nothing either.
        colors.enqueue(0x82C2F2u);
        w->makeColorButton->click();
        QVERIFY(!w->state().colorOn);
        QCOMPARE(ini.readInteger(QStringLiteral("Form3"), QStringLiteral("MakeColor"), -1), -1);
        // A made colour goes on and is remembered.
        colors.enqueue(0x123456u);
        w->makeColorButton->click();
        QCOMPARE(w->state().colorText, QStringLiteral("#123456"));
        QCOMPARE(ini.readInteger(QStringLiteral("Form3"), QStringLiteral("MakeColor"), -1),
                 0x563412);
        // Cancelling later keeps the colour there is.
        w->swatches[1]->click();
        w->makeColorButton->click();
        QCOMPARE(w->state().colorText, QStringLiteral("#0080FF"));

        w->colorSettingsButton->click();
        QCOMPARE(settingsCalls, 1);
        QCOMPARE(w->swatches[0]->color(), QColor(0, 0, 0xFF));
        w->close();
    }

    void rulesAreInsertedAtTheCaretAndSaved() {
        setEdit(QStringLiteral("ab"), 1, 0);
        {
            RuleDialog first(*form_, form_);  // first use: an empty file
            QVERIFY(QFile::exists(app().path(QStringLiteral("user/kazari.txt"))));
            QCOMPARE(first.ruleBox->count(), 0);
            QVERIFY(first.editor->toPlainText().isEmpty());
            QCOMPARE(app().ClipCaptureOn, 0);
            first.editor->setPlainText(QStringLiteral("☆彡☆彡\n＝＝＝\n"));
            first.saveButton->click();
            QCOMPARE(fixture_.prompter->last(), QStringLiteral("アイテムリストに追加しました。"));
            QCOMPARE(first.ruleBox->count(), 0);  // offered from the next opening
            first.reject();
            QCOMPARE(app().ClipCaptureOn, 1);
        }
        QFile file(app().path(QStringLiteral("user/kazari.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), sjis::toFile(QStringLiteral("☆彡☆彡\n＝＝＝\n")));
        file.close();

        RuleDialog dialog(*form_, form_);
        dialog.show();
        QCOMPARE(dialog.ruleBox->count(), 2);
        QCOMPARE(dialog.ruleBox->currentIndex(), -1);
        dialog.insertButton->click();  // nothing chosen: nothing happens
        QCOMPARE(editText(), QStringLiteral("ab"));
        QCOMPARE(dialog.focusWidget(), dialog.ruleBox);
        dialog.ruleBox->setCurrentIndex(0);
        dialog.insertButton->click();
        dialog.ruleBox->setCurrentIndex(1);
        dialog.insertButton->click();
        QCOMPARE(editText(), QStringLiteral("a☆彡☆彡＝＝＝b"));
        // A failed save reports the error and keeps the edits.
        QVERIFY(QFile::remove(app().path(QStringLiteral("user/kazari.txt"))));
        QVERIFY(QDir().mkdir(app().path(QStringLiteral("user/kazari.txt"))));
        dialog.editor->setPlainText(QStringLiteral("kept"));
        fixture_.prompter->clear();
        dialog.saveButton->click();
        QVERIFY(fixture_.prompter->last().contains(QStringLiteral("kazari.txt")));
        QCOMPARE(dialog.editor->toPlainText(), QStringLiteral("kept"));
    }

    void aLongRuleFileFillsTheEditorInStepsAndIsSavedWhole() {
        QStringList rules;
        for (int i = 0; i < 12000; ++i) rules << QStringLiteral("━━☆彡 %1 ━━ ｱｲｳ ━━").arg(i);
        rules << QString();  // an empty rule at the end survives
        const QString path = app().path(QStringLiteral("user/kazari.txt"));
        QVERIFY(QDir().mkpath(app().path(QStringLiteral("user"))));
        writeItemList(path, rules);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();

        RuleDialog dialog(*form_, form_);
        dialog.show();
        QCOMPARE(dialog.ruleBox->count(), rules.size());
        QCOMPARE(dialog.ruleBox->currentIndex(), -1);
        // Not all in yet: nothing can be typed and nothing saved.
        QVERIFY(dialog.editor->isReadOnly());
        QVERIFY(!dialog.saveButton->isEnabled());
        dialog.saveRules();
        QVERIFY(fixture_.prompter->shown.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(dialog.saveButton->isEnabled(), 30000);
        QVERIFY(!dialog.editor->isReadOnly());
        QVERIFY(!dialog.editor->document()->isUndoAvailable());
        QCOMPARE(dialog.editor->toPlainText(), rules.join(QLatin1Char('\n')) + QLatin1Char('\n'));

        dialog.saveButton->click();
        QCOMPARE(fixture_.prompter->last(), QStringLiteral("アイテムリストに追加しました。"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        file.close();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.saveButton->isEnabled(), 30000);
        dialog.ruleBox->setCurrentIndex(rules.size() - 2);
        QCOMPARE(dialog.ruleBox->currentText(), rules[rules.size() - 2]);
    }

    void ruleMenuItemOpensTheModalDialog() {
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            if (auto* d = qobject_cast<RuleDialog*>(QApplication::activeModalWidget())) {
                seen = d->windowTitle();
                d->reject();
            }
        });
        form_->insertRule->trigger();
        QCOMPARE(seen, QStringLiteral("飾り罫を入れる"));
    }
};

QTEST_MAIN(DecorationGui)
#include "test_decoration_gui.moc"
