// Japanese desktop conventions on the real windows: digit and colour fields
// hold their rule by keys, input-method commits, paste and drops; stored
// values are shown whole; one-line lists stay one line whatever is pasted;
// the picture dialog lists the files its filters name; menu names typed the
// Linux way come back after a reopening; the tool list offers every program.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "controls/picturebutton.h"
#include "decoration/linkdialog.h"
#include "drafts/tooldialog.h"
#include "phrases/inputdialog.h"
#include "phrases/phrasewindow.h"
#include "phrases/quotemarkdialog.h"
#include "platform/browserengine.h"
#include "platform/browserview.h"
#include "platform/profile.h"
#include "platform/qtprompter.h"
#include "platform/sjis.h"
#include "preferences/preferencesdialog.h"
#include "support/nullbrowser.h"
#include "support/windowfixture.h"

using namespace kirel;

namespace {

// The four ways text gets into a field.
void typeKeys(QWidget* w, const QString& keys) {
    for (QChar c : keys) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, c, {});
}
void commit(QWidget* w, const QString& text) {
    QInputMethodEvent composing(text, {});
    QApplication::sendEvent(w, &composing);
    QInputMethodEvent done;
    done.setCommitString(text);
    QApplication::sendEvent(w, &done);
}
void paste(QLineEdit* w, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    w->paste();
}
void drop(QLineEdit* w, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    QDropEvent event(QPointF(w->width() - 2, w->height() / 2), Qt::CopyAction, &mime,
                     Qt::LeftButton, {});
    QApplication::sendEvent(w, &event);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

class ConventionsGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    MainWindow* form_ = nullptr;
    test::NullFactory factory_;

    QString ini(const char* section, const char* key) const {
        return Profile(app().iniPath())
            .readString(QString::fromLatin1(section), QString::fromLatin1(key),
                        QStringLiteral("<missing>"));
    }
    std::unique_ptr<PreferencesDialog> preferences() {
        auto d = std::make_unique<PreferencesDialog>(*form_, form_, PreferencesCallbacks{});
        d->show();
        return d;
    }
    // Runs f on the next modal window once it is up, then closes it.
    void whenModal(std::function<void(QWidget*)> f) {
        QTimer::singleShot(0, this, [f] {
            QWidget* modal = QApplication::activeModalWidget();
            f(modal);
            if (modal) modal->close();
        });
    }

  private slots:
    void initTestCase() { BrowserView::setFactory(&factory_); }
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        QDir(app().AppDir).mkpath(QStringLiteral("user"));
    }
    void cleanup() { fixture_.cleanup(); }

    void digitAndColourFieldsHoldTheirRuleByEveryPath() {
        auto d = preferences();
        struct Case {
            QLineEdit* field;
            const char* name;
            QString start;  // the handle-name length cannot be empty: it becomes "0"
            QString committed;
        };
        QList<Case> digits;
        for (const auto& b : d->boards) {
            digits << Case{b.limit, "limit", QString(), QStringLiteral("１２")};
            digits << Case{b.cellWidth, "width", QString(), QStringLiteral("１２")};
        }
        digits << Case{d->handleMax, "handle-name length", QStringLiteral("1"),
                       QStringLiteral("２")};
        for (const Case& c : digits) {
            QLineEdit* f = c.field;
            f->setFocus();
            f->setText(c.start);
            commit(f, c.committed);  // the input method on: full-width digits
            QVERIFY2(f->text() == QStringLiteral("12"), c.name);
            commit(f, QStringLiteral("725あ"));
            typeKeys(f, QStringLiteral("a"));
            paste(f, QStringLiteral("abc"));
            drop(f, QStringLiteral("x"));
            QVERIFY2(f->text() == QStringLiteral("12"), c.name);
            f->setCursorPosition(0);
            typeKeys(f, QStringLiteral("3"));
            QCOMPARE(f->text(), f == d->handleMax ? QStringLiteral("12") : QStringLiteral("312"));
            paste(f, QStringLiteral("9"));  // a paste within the length is taken
            QCOMPARE(f->text(), f == d->handleMax ? QStringLiteral("12") : QStringLiteral("3912"));
        }

        QList<QLineEdit*> colours;
        for (const auto& b : d->boards) colours << b.textColor << b.cellColor << b.backColor;
        for (QLineEdit* f : d->presetFields) colours << f;
        for (QLineEdit* f : colours) {
            f->setFocus();
            f->setText(QStringLiteral("#"));
            commit(f, QStringLiteral("ＡＢ"));
            QCOMPARE(f->text(), QStringLiteral("#AB"));
            commit(f, QStringLiteral("あ"));
            typeKeys(f, QStringLiteral("g"));
            paste(f, QStringLiteral("zz"));
            drop(f, QStringLiteral("赤"));
            QCOMPARE(f->text(), QStringLiteral("#AB"));
            paste(f, QStringLiteral("cd"));
            typeKeys(f, QStringLiteral("0"));
            commit(f, QStringLiteral("１"));
            QCOMPARE(f->text(), QStringLiteral("#ABcd01"));
        }
        QVERIFY(fixture_.prompter->shown.isEmpty());

        // The scroll width of the input dialog: the same shared rule.
        InputDialog width(phrases::InputRole::Width, form_);
        commit(width.field, QStringLiteral("５"));
        commit(width.field, QStringLiteral("あ"));
        paste(width.field, QStringLiteral("x"));
        drop(width.field, QStringLiteral("%"));
        typeKeys(width.field, QStringLiteral("0"));
        QCOMPARE(width.field->text(), QStringLiteral("50"));

        // What was taken is what is saved: board 2's limit typed with the input
        // method on is the number 12.
        d->boards[1].limit->clear();
        commit(d->boards[1].limit, QStringLiteral("１２"));
        for (QLineEdit* f : colours) f->setText(QStringLiteral("#123456"));
        for (const auto& b : d->boards) b.cellWidth->setText(QStringLiteral("725"));
        d->handleMax->setText(QStringLiteral("20"));
        QVERIFY(d->save());
        QCOMPARE(ini("Form10", "MOJISU2"), QStringLiteral("12"));
    }

    void storedValuesAreShownWholeAndSavedBack() {
        writeFile(app().iniPath(),
                  "[Form10]\r\nMOJISU1=12345\r\nCELL1=99999\r\n[Form5]\r\nHnMax=150\r\n");
        auto d = preferences();
        QCOMPARE(d->boards[0].limit->text(), QStringLiteral("12345"));
        QCOMPARE(d->boards[0].cellWidth->text(), QStringLiteral("99999"));
        QCOMPARE(d->handleMax->text(), QStringLiteral("150"));
        QVERIFY(!d->changed());
        // Typing cannot make them longer; removing a digit is fine.
        typeKeys(d->handleMax, QStringLiteral("7"));
        QCOMPARE(d->handleMax->text(), QStringLiteral("150"));
        QVERIFY(d->save());
        QCOMPARE(ini("Form10", "MOJISU1"), QStringLiteral("12345"));
        QCOMPARE(ini("Form10", "CELL1"), QStringLiteral("99999"));
        QCOMPARE(ini("Form5", "HnMax"), QStringLiteral("150"));
    }

    void saveRefusesNumbersTheSettingsCouldNotRead() {
        // Stored by hand or by an older version: shown as they are, refused on save.
        writeFile(app().iniPath(), "[Form10]\r\nCELL2=abc\r\nMOJISU3=x\r\n");
        auto d = preferences();
        QCOMPARE(d->boards[1].cellWidth->text(), QStringLiteral("abc"));
        const QByteArray before = bytesOf(app().iniPath());
        QVERIFY(!d->save());
        QCOMPARE(fixture_.prompter->last(),
                 QStringLiteral("掲示板２のセル幅設定が異常です。\r\n"
                                "100～9999の半角数字で入力してください"));
        QCOMPARE(fixture_.prompter->shown.last().icon, Icon::Warning);
        QCOMPARE(d->pages->currentIndex(), 1);
        QCOMPARE(d->focusWidget(), d->boards[1].cellWidth);
        // Typed over, the stored junk goes; the next refusal is board 3's limit.
        typeKeys(d->boards[1].cellWidth, QStringLiteral("800"));
        QCOMPARE(d->boards[1].cellWidth->text(), QStringLiteral("800"));
        QVERIFY(!d->save());
        QCOMPARE(d->pages->currentIndex(), 2);
        QCOMPARE(d->focusWidget(), d->boards[2].limit);
        d->boards[2].limit->setText(QStringLiteral("3000"));
        d->handleMax->setText(QStringLiteral("0"));
        QVERIFY(d->save());
        QVERIFY(bytesOf(app().iniPath()) != before);
    }

    void multiLinePasteIntoOneLineListsKeepsTheFirstLine() {
        const QString lines = QStringLiteral("(^_^)\r\n(;_;)\n(T_T)");
        for (phrases::InputRole role :
             {phrases::InputRole::AddEmoticon, phrases::InputRole::AddMenu,
              phrases::InputRole::AddItem, phrases::InputRole::RenameMenu}) {
            QString received;
            InputDialog d(role, form_, [&received](const QString& text) {
                received = text;
                return true;
            });
            paste(d.field, lines);
            drop(d.field, QStringLiteral("\n2"));
            commit(d.field, QStringLiteral("3\r\n4"));
            d.confirm();
            QCOMPARE(received, QStringLiteral("(^_^)3"));
        }

        // The quote-mark list: what is added is one line of the file.
        QuoteMarkDialog marks(form_);
        marks.marks->lineEdit()->selectAll();
        paste(marks.marks->lineEdit(), QStringLiteral("＞\r\n>>"));
        QCOMPARE(marks.marks->currentText(), QStringLiteral("＞"));
        marks.addMark->trigger();
        QCOMPARE(bytesOf(app().path(QStringLiteral("user/inyoufu.txt"))),
                 sjis::encode(QStringLiteral("＞\r\n")));

        // The link dialog's title and address: the files stay in step.
        LinkDialog link(form_, *form_);
        for (QComboBox* box : {link.titleBox, link.addressBox}) {
            box->lineEdit()->selectAll();
            paste(box->lineEdit(), box == link.titleBox ? QStringLiteral("日記\r\n続き")
                                                        : QStringLiteral("http://a/\nb"));
        }
        QCOMPARE(link.titleBox->currentText(), QStringLiteral("日記"));
        QCOMPARE(link.addressBox->currentText(), QStringLiteral("http://a/"));
        link.addButton->click();
        QCOMPARE(bytesOf(app().path(QStringLiteral("user/url-t.txt"))),
                 sjis::encode(QStringLiteral("日記\r\n")));
        QCOMPARE(bytesOf(app().path(QStringLiteral("user/url.txt"))), QByteArray("http://a/\r\n"));
    }

    void pictureDialogListsTheFilesItsFiltersName() {
        QtPrompter real;
        Prompter::setCurrent(&real);
        const QString folder = app().path(QStringLiteral("pics"));
        for (const char* name : {"a.bmp", "b.jpg", "c.png", "d.gif", "e.txt"})
            writeFile(folder + QLatin1Char('/') + QLatin1String(name), "x");
        auto d = preferences();
        d->boards[0].image->setText(folder + QStringLiteral("/a.bmp"));
        QMap<QString, QStringList> listed;
        whenModal([&listed](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            QVERIFY(view);
            // The folder is read in the background: wait for its first listing.
            const auto shown = [view] {
                QStringList names;
                const QModelIndex root = view->rootIndex();
                for (int r = 0; r < view->model()->rowCount(root); ++r) {
                    const QModelIndex i = view->model()->index(r, 0, root);
                    if (view->model()->flags(i) & Qt::ItemIsEnabled) names << i.data().toString();
                }
                names.sort();
                return names;
            };
            QTRY_VERIFY_WITH_TIMEOUT(!shown().isEmpty(), 5000);
            for (const QString& filter : dialog->nameFilters()) {
                dialog->selectNameFilter(filter);
                QTest::qWait(300);  // the list is filtered again from the event loop
                listed[filter] = shown();
            }
        });
        d->browseImage(0);
        Prompter::setCurrent(fixture_.prompter.get());
        QCOMPARE(listed.value(QStringLiteral("画像ファイル (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf "
                                             "*.gif *.png)")),
                 (QStringList{"a.bmp", "b.jpg", "c.png", "d.gif"}));
        QCOMPARE(listed.value(QStringLiteral("JPEG イメージファイル (*.jpg)")),
                 QStringList{"b.jpg"});
        QCOMPARE(listed.value(QStringLiteral("ビットマップ (*.bmp)")), QStringList{"a.bmp"});
        QCOMPARE(listed.value(QStringLiteral("ＧＩＦ(*.gif)")), QStringList{"d.gif"});
        QCOMPARE(listed.value(QStringLiteral("PNG(*.png)")), QStringList{"c.png"});
    }

    void menuNamesTypedTheLinuxWayComeBackAfterReopening() {
        const QStringList typed = {QStringLiteral("お礼〜"), QStringLiteral("円¥"),
                                   QStringLiteral("差−引")};
        const QStringList kept = {QStringLiteral("お礼～"), QStringLiteral("円￥"),
                                  QStringLiteral("差－引")};
        auto* w = new PhraseWindow(form_, *form_);
        w->show();
        whenModal([&typed](QWidget* modal) {
            auto* d = qobject_cast<InputDialog*>(modal);
            QVERIFY(d);
            for (const QString& name : typed) {
                d->field->setText(name);
                d->confirm();
            }
        });
        w->addMenuCommand();
        QCOMPARE(w->phraseMenus->count(), 3);
        for (int i = 0; i < 3; ++i) QCOMPARE(w->phraseMenus->itemText(i), kept[i]);
        // An item in each menu, then close and open again.
        for (int i = 0; i < 3; ++i) {
            w->phraseMenus->setCurrentIndex(i);
            w->choosePhraseMenu(i);
            whenModal([i](QWidget* modal) {
                auto* d = qobject_cast<InputDialog*>(modal);
                QVERIFY(d);
                d->field->setText(QStringLiteral("item %1").arg(i));
                d->confirm();
            });
            w->pages->setCurrentIndex(0);
            w->saveItemCommand();
        }
        QPointer<PhraseWindow> gone = w;
        w->close();
        QTRY_VERIFY(gone.isNull());
        const QStringList before =
            QDir(app().path(QStringLiteral("user/custom"))).entryList(QDir::Files);

        w = new PhraseWindow(form_, *form_);
        w->show();
        QCOMPARE(w->phraseMenus->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w->phraseMenus->itemText(i), kept[i]);
            w->phraseMenus->setCurrentIndex(i);
            w->choosePhraseMenu(i);
            QCOMPARE(w->items->count(), 1);
            QCOMPARE(w->items->item(0)->text(), QStringLiteral("item %1").arg(i));
        }
        // No second, empty file appeared for any of them.
        QCOMPARE(QDir(app().path(QStringLiteral("user/custom"))).entryList(QDir::Files), before);
        w->close();
    }

    void toolListOffersEveryProgramAndNoLibrary() {
        const QString folder = app().path(QStringLiteral("café 😀"));
        QVERIFY(QDir().mkpath(folder));
        const auto put = [&folder](const QString& name, const QByteArray& bytes, bool run) {
            QFile f(folder + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            f.close();
            QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
            if (run) p |= QFile::ExeOwner;
            QVERIFY(f.setPermissions(p));
        };
        put(QStringLiteral("reader"), "#!/bin/sh\n", true);
        put(QStringLiteral("lecteur é"), "#!/bin/sh\n", true);
        put(QStringLiteral("😀viewer"), "#!/bin/sh\n", true);
        put(QStringLiteral("blank "), "#!/bin/sh\n", true);
        put(QStringLiteral("board.desktop"), "[Desktop Entry]\n", false);
        put(QStringLiteral("kirelweb.so"),
            "\x7f"
            "ELF",
            true);
        put(QStringLiteral("notes.txt"), "text", false);
        // Registered: the dialog opens in the program's folder.
        Profile(app().iniPath()).writeString("Form9", "Tool", folder + QStringLiteral("/reader"));
        ToolDialog d(form_);
        QStringList offered;
        for (int i = 0; i < d.fileList->count(); ++i) offered << d.fileList->item(i)->text();
        offered.sort();
        QStringList expected = {QStringLiteral("blank "), QStringLiteral("board.desktop"),
                                QStringLiteral("lecteur é"), QStringLiteral("reader"),
                                QStringLiteral("😀viewer")};
        expected.sort();
        QCOMPARE(offered, expected);

        // The chosen path is registered and read back exactly.
        d.fileList->setCurrentItem(
            d.fileList->findItems(QStringLiteral("blank "), Qt::MatchExactly).first());
        d.fileList->currentItem()->setSelected(true);
        QCOMPARE(d.pathEdit->text(), folder + QStringLiteral("/blank "));
        d.registerButton->click();
        QCOMPARE(ini("Form9", "Tool"), folder + QStringLiteral("/blank "));

        // A refused registration says which file and why, in the one form.
        QVERIFY(QFile::setPermissions(app().iniPath(), QFile::ReadOwner));
        d.fileList->setCurrentItem(
            d.fileList->findItems(QStringLiteral("reader"), Qt::MatchExactly).first());
        fixture_.prompter->clear();
        d.registerButton->click();
        QCOMPARE(fixture_.prompter->last(),
                 app().iniPath() + QStringLiteral(" に書き込めません。\r\n"
                                                  "アクセス権がありません。"));
        QFile::setPermissions(app().iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    }
};

int main(int argc, char** argv) {
    // Qt's own file dialog, whose list the test reads.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    ConventionsGui test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_conventions_gui.moc"
