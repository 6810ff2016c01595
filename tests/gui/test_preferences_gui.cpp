// The preferences dialog on the real main window: refusals turning to their
// field with nothing written, the cell colour and its frame, the window colour
// tried and undone, the preview drawn again on save, the quote list saved before
// the quote-mark list opens, and the decoration window's "色設定".

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "controls/colorswatchbutton.h"
#include "controls/picturebutton.h"
#include "core/colors.h"
#include "core/settingskeys.h"
#include "decoration/decorationwindow.h"
#include "platform/browserengine.h"
#include "platform/browserview.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "preferences/preferencesdialog.h"
#include "support/nullbrowser.h"
#include "support/windowfixture.h"

using namespace kirel;

class PreferencesGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    MainWindow* form_ = nullptr;
    test::NullFactory factory_;
    QStringList quoteListSeen_;  // the quote file when the quote-mark list opened

    QByteArray iniBytes() const {
        QFile f(app().iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    QString ini(const char* section, const char* key) const {
        return Profile(app().iniPath())
            .readString(QString::fromLatin1(section), QString::fromLatin1(key),
                        QStringLiteral("<missing>"));
    }
    std::unique_ptr<PreferencesDialog> open() {
        PreferencesCallbacks callbacks;
        callbacks.chooseQuoteMark = [this](QWidget*) {
            QFile f(app().path(QStringLiteral("user/inyoufu.txt")));
            quoteListSeen_ = f.open(QIODevice::ReadOnly)
                                 ? sjis::decode(f.readAll()).split(QStringLiteral("\r\n"))
                                 : QStringList{QStringLiteral("<none>")};
        };
        callbacks.setMainColor = [this](int color) {
            QPalette p = form_->palette();
            p.setColor(QPalette::Window, qcolorOf(color));
            form_->setPalette(p);
        };
        auto d = std::make_unique<PreferencesDialog>(*form_, form_, callbacks);
        d->show();
        return d;
    }
    static void type(QWidget* w, const QString& keys) {
        for (QChar c : keys) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, c, {});
    }
    int mainColor() const { return colorIntOf(form_->palette().color(QPalette::Window)); }

  private slots:
    void initTestCase() { BrowserView::setFactory(&factory_); }
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
    }
    void cleanup() { fixture_.cleanup(); }

    void openingShowsTheCurrentBoard() {
        QFile f(app().iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Form10]\r\nCheck2=2\r\nF3Color=0000FF\r\nC3Color=\r\nWaku3=1\r\n");
        f.close();
        auto d = open();
        QCOMPARE(app().ClipCaptureOn, 0);
        QCOMPARE(d->pages->currentIndex(), 2);
        QCOMPARE(d->focusWidget(), d->boards[2].limit);
        QCOMPARE(d->boards[2].textColor->text(), QStringLiteral("#0000FF"));
        QVERIFY(!d->boards[2].frame->isChecked());
        QVERIFY(!d->boards[2].frame->isEnabled());
        QCOMPARE(d->boards[2].sample->fontColor(), QColor(0, 0, 255));
        QVERIFY(!d->changed());
        d->reject();  // nothing changed: no question
        QVERIFY(fixture_.prompter->shown.isEmpty());
        QCOMPARE(app().ClipCaptureOn, 1);
    }

    void keyFiltersAndColourRules() {
        auto d = open();
        QLineEdit* text = d->boards[0].textColor;
        text->clear();
        QCOMPARE(text->text(), QStringLiteral("#"));  // clearing leaves "#"
        type(text, QStringLiteral("g"));
        QCOMPARE(text->text(), QStringLiteral("#"));
        type(text, QStringLiteral("f00Zf0"));
        QCOMPARE(text->text(), QStringLiteral("#f00f0"));
        type(text, QStringLiteral("0123"));  // at most seven characters
        QCOMPARE(text->text(), QStringLiteral("#f00f00"));
        QCOMPARE(d->boards[0].sample->fontColor(), QColor(0xF0, 0x0F, 0x00));
        QLineEdit* limit = d->boards[0].limit;
        limit->clear();
        type(limit, QStringLiteral("5a#0"));
        QCOMPARE(limit->text(), QStringLiteral("50"));
        d->handleMax->clear();
        QCOMPARE(d->handleMax->text(), QStringLiteral("0"));
        QVERIFY(fixture_.prompter->shown.isEmpty());

        // Seven pasted characters that are no colour: the colour message, the
        // field focused; the sample keeps its colour.
        const QColor before = d->boards[0].sample->color();
        d->boards[0].cellColor->setText(QStringLiteral("#ZZZZZZ"));
        QCOMPARE(fixture_.prompter->last(),
                 QStringLiteral(
                     "入力された文字に誤りがあります。\r\n0～9,A～Fの半角英数で入力してください"));
        QCOMPARE(d->focusWidget(), d->boards[0].cellColor);
        QCOMPARE(d->boards[0].sample->color(), before);
    }

    void refusedSaveTurnsToTheFieldAndWritesNothing() {
        auto d = open();
        const QByteArray before = iniBytes();
        d->boards[1].cellWidth->setText(QStringLiteral("99"));
        d->pages->setCurrentIndex(4);
        QVERIFY(!d->save());
        QCOMPARE(
            fixture_.prompter->last(),
            QStringLiteral("掲示板２のセル幅設定が異常です。\r\n２けた以下は設定できません。"));
        QCOMPARE(fixture_.prompter->shown.last().icon, Icon::None);
        QCOMPARE(d->pages->currentIndex(), 1);
        QCOMPARE(d->focusWidget(), d->boards[1].cellWidth);
        QCOMPARE(iniBytes(), before);
        QVERIFY(d->isVisible());

        // The save folder must be a folder: a file is refused like a missing one.
        d->boards[1].cellWidth->setText(QStringLiteral("100"));
        d->saveFolder->setText(app().iniPath());
        QFile(app().iniPath()).open(QIODevice::WriteOnly);
        QVERIFY(!d->save());
        QCOMPARE(d->pages->currentIndex(), 5);
        QCOMPARE(d->focusWidget(), d->saveFolder);

        // An empty limit of the current board is refused before anything else.
        d->saveFolder->setText(app().AppDir);
        d->boards[0].limit->clear();
        QVERIFY(!d->save());
        QCOMPARE(d->pages->currentIndex(), 0);
        QCOMPARE(d->focusWidget(), d->boards[0].limit);
        QCOMPARE(iniBytes(), QByteArray());
    }

    void saveWritesAndAppliesEverything() {
        auto d = open();
        d->boards[0].limit->setText(QStringLiteral("500"));
        d->boards[0].textColor->setText(QStringLiteral("#"));  // "#" alone passes
        d->boards[0].cellColor->clear();
        QVERIFY(!d->boards[0].frame->isChecked());
        QVERIFY(!d->boards[0].frame->isEnabled());
        d->quoteItalic->setChecked(true);
        d->handleMax->setText(QStringLiteral("7"));
        QVERIFY(d->save());
        QCOMPARE(fixture_.prompter->last(), QStringLiteral("設定を保存しました。"));
        QVERIFY(!d->isVisible());
        QCOMPARE(ini("Form10", "F1Color"), QStringLiteral("#"));
        QCOMPARE(ini("Form10", "Waku"), QString());  // no cell colour, no frame
        QCOMPARE(ini("Form10", "Waku1"), QStringLiteral("0"));
        QCOMPARE(ini("Form10", "MojiOK"), QStringLiteral("500"));
        QCOMPARE(app().CharLimit, 500);
        QCOMPARE(app().HandleMaxLen, 7);
        QVERIFY(app().QuoteItalicOn);
        QCOMPARE(form_->counterBar->maximum(), 1000);
    }

    void saveResetsTheCounterWithoutItsWarnings() {
        // 1,900 bytes against the 2,000 of the limit saved below: 100 left.
        form_->editPane->setPlainText(QString(950, QChar(u'あ')));
        app().LimitWarnState = 1;
        auto d = open();
        d->boards[0].limit->setText(QStringLiteral("1000"));
        QVERIFY(d->save());
        QCOMPARE(fixture_.prompter->texts(), QStringList{QStringLiteral("設定を保存しました。")});
        QCOMPARE(app().LimitWarnState, 1);
        QCOMPARE(form_->counterBar->value(), 100);
        QCOMPARE(form_->counterBar->toolTip(), QStringLiteral("残り 100 文字(Byte)です"));
        // The next change of the text runs the counter as usual.
        form_->editPane->moveCursor(QTextCursor::End);
        form_->editPane->insertPlainText(QStringLiteral("x"));
        QCOMPARE(fixture_.prompter->last(), QStringLiteral("残り49文字です"));
    }

    void badStoredColoursAreReportedAtOpening() {
        QFile f(app().iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Form10]\r\nHaikei1=#GGGGGG\r\nF2Color=00FF0Z\r\n[Form3]\r\nHTML3=#12345X\r\n");
        f.close();
        auto d = open();
        const QString typo = QStringLiteral(
            "入力された文字に誤りがあります。\r\n0～9,A～Fの半角英数で入力してください");
        QCOMPARE(fixture_.prompter->texts(), QStringList({typo, typo, typo}));
        QCOMPARE(d->boards[0].backColor->text(), QStringLiteral("#GGGGGG"));
        QCOMPARE(d->boards[1].textColor->text(), QStringLiteral("#00FF0Z"));
        QCOMPARE(d->presetFields[2]->text(), QStringLiteral("#12345X"));
        // Opening still ends on the current board's limit, with nothing changed.
        QCOMPARE(d->pages->currentIndex(), 0);
        QCOMPARE(d->focusWidget(), d->boards[0].limit);
        QVERIFY(!d->changed());
    }

    void quoteListSavesNoEmptyCandidate() {
        const QString path = app().path(QStringLiteral("user/inyoufu.txt"));
        auto d = open();
        d->quoteList->setPlainText(QStringLiteral(">\n＞\n"));
        QVERIFY(d->save());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), sjis::encode(QStringLiteral(">\r\n＞\r\n")));
        f.close();
        d = open();
        QCOMPARE(d->quoteList->toPlainText(), QStringLiteral(">\n＞"));
        d->quoteList->clear();
        QVERIFY(d->save());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void triedWindowColourIsUndoneOnClose() {
        QWidget emoticons;
        emoticons.setWindowTitle(QStringLiteral("顔文字選択"));
        emoticons.show();
        auto d = open();
        const int before = mainColor();
        d->windowSwatches[3]->click();
        const int tried = colorIntOf(d->windowSwatches[3]->color());
        QVERIFY(tried != before);
        QCOMPARE(mainColor(), tried);
        QCOMPARE(colorIntOf(emoticons.palette().color(QPalette::Window)), tried);
        QVERIFY(d->changed());

        fixture_.prompter->answers.enqueue(false);  // No: stays open
        d->reject();
        QVERIFY(d->isVisible());
        QCOMPARE(mainColor(), tried);
        fixture_.prompter->answers.enqueue(true);
        d->reject();
        QVERIFY(!d->isVisible());
        QCOMPARE(
            fixture_.prompter->last(),
            QStringLiteral("設定が変更されています。\r\nこのまま設定を反映させずに終了しますか？"));
        QCOMPARE(mainColor(), keys::kFormColorDefault);
        QCOMPARE(colorIntOf(emoticons.palette().color(QPalette::Window)), keys::kFormColorDefault);
        QVERIFY(!QFile::exists(app().iniPath()));
    }

    void saveRedrawsTheShowingPreview() {
        form_->editPane->setPlainText(QStringLiteral("hello"));
        form_->showTab(EditorHost::Tab::Preview);
        auto d = open();
        d->boards[0].textColor->setText(QStringLiteral("#0000FF"));
        QVERIFY(d->save());
        QFile page(app().path(QStringLiteral("0.htm")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("<FONT color=\"#0000FF\">hello</FONT>"));
    }

    void chooseQuoteMarkSavesTheEditedListFirst() {
        auto d = open();
        d->chooseQuoteMark();  // unchanged: straight to the list
        QVERIFY(fixture_.prompter->shown.isEmpty());
        quoteListSeen_.clear();
        d->quoteList->setPlainText(QStringLiteral(">\n＞"));
        fixture_.prompter->answers.enqueue(false);
        d->chooseQuoteMark();  // No: nothing
        QVERIFY(quoteListSeen_.isEmpty());
        fixture_.prompter->answers.enqueue(true);
        d->chooseQuoteMark();
        QCOMPARE(quoteListSeen_,
                 QStringList({QStringLiteral(">"), QStringLiteral("＞"), QString()}));
        QVERIFY(!d->quoteListModified());
    }

    void pictureChoices() {
        auto d = open();
        d->pictureChoice->setCurrentIndex(4);
        emit d->pictureChoice->activated(4);  // ユーザー設定2, never set
        QVERIFY(d->picturePathField->text().isEmpty());
        QVERIFY(d->changePictureButton->isEnabled());
        QVERIFY(!d->save());
        QCOMPARE(d->pages->currentIndex(), 5);
        QCOMPARE(d->focusWidget(), d->pictureChoice);

        fixture_.prompter->fileNames.enqueue(QStringLiteral("/x/a.gif"));
        d->changePicture();  // refused
        QVERIFY(d->picturePathField->text().isEmpty());
        const QString bmp = app().path(QStringLiteral("images/topopo.bmp"));
        fixture_.prompter->fileNames.enqueue(bmp);
        d->changePicture();
        QCOMPARE(d->picturePathField->text(), bmp);
        QVERIFY(d->save());
        QCOMPARE(ini("Form10", "UserImagePath2"), bmp);
        QCOMPARE(ini("Form10", "Image"), QStringLiteral("4"));
    }

    void decorationColourSettingsStartOnTheColourPage() {
        form_->editPane->setPlainText(QStringLiteral("word"));
        form_->editPane->selectAll();
        form_->decorationButton->click();
        auto* w = qobject_cast<DecorationWindow*>(form_->decorationWindow());
        QVERIFY(w);
        int page = -1;
        QTimer::singleShot(0, this, [&page] {
            auto* d = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            page = d->pages->currentIndex();
            d->presetFields[0]->setText(QStringLiteral("#00FF00"));
            d->save();
        });
        w->colorSettingsButton->click();
        QCOMPARE(page, 3);
        QCOMPARE(w->swatches[0]->color(), QColor(0, 255, 0));
        w->close();
    }
};

QTEST_MAIN(PreferencesGui)
#include "test_preferences_gui.moc"
