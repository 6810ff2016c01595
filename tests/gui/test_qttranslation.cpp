// Qt's own texts in Japanese: the buttons of the program's message boxes and
// questions, the file and colour dialogs it opens and the context menu of a
// text field, with the program's application object under an English locale.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/application.h"
#include "platform/prompter.h"
#include "platform/qtprompter.h"
#include "platform/qttranslation.h"

using namespace kirel;

namespace {

// Runs look on the modal dialog of type T once it is open, then closes it with
// close.
template <class T>
void whenOpen(std::function<void(T*)> look, std::function<void(T*)> close) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, look, close] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        look(dialog);
        close(dialog);
    });
    timer->start(20);
}

QStringList buttonTexts(const QList<QAbstractButton*>& buttons) {
    QStringList texts;
    for (const QAbstractButton* b : buttons) texts << b->text();
    texts.sort();
    return texts;
}

}  // namespace

class QtTranslationGui : public QObject {
    Q_OBJECT
    QtPrompter prompter;

  private slots:
    void initTestCase() {
        QVERIFY2(QFileInfo::exists(qtJapaneseCatalogue()), qPrintable(qtJapaneseCatalogue()));
        Prompter::setCurrent(&prompter);
    }
    void cleanupTestCase() { Prompter::setCurrent(nullptr); }

    // The program's question and message boxes, and a box with Qt's Cancel.
    void messageBoxButtons() {
        QStringList question, message, standard;
        whenOpen<QMessageBox>([&](QMessageBox* box) { question = buttonTexts(box->buttons()); },
                              [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        QVERIFY(!ask(QStringLiteral("保存しますか？")));
        QCOMPARE(question, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));

        whenOpen<QMessageBox>([&](QMessageBox* box) { message = buttonTexts(box->buttons()); },
                              [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        showMessage(QStringLiteral("お知らせ"), Icon::Information);
        QCOMPARE(message, QStringList{QStringLiteral("OK")});

        QMessageBox box(QMessageBox::Warning, kAppTitle, QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        standard = buttonTexts(box.buttons());
        QCOMPARE(standard, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)"),
                                        QStringLiteral("キャンセル")}));
    }

    // The open and save dialogs the prompter shows: their labels and buttons.
    void fileDialogs() {
        QTemporaryDir dir;
        const FileRequest request{QStringLiteral("開く"), dir.path(), QString(),
                                  QStringLiteral("テキストファイル (*.txt)|*.txt")};
        QString lookIn, fileName, fileType;
        QStringList openButtons, saveButtons;
        const auto labels = [&](QFileDialog* d) {
            lookIn = d->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
            fileName = d->findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
            fileType = d->findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text();
        };
        const auto buttons = [](QFileDialog* d) {
            return buttonTexts(d->findChild<QDialogButtonBox*>()->buttons());
        };
        whenOpen<QFileDialog>(
            [&](QFileDialog* d) {
                labels(d);
                openButtons = buttons(d);
            },
            [](QFileDialog* d) { d->reject(); });
        QVERIFY(prompter.openFileName(request).isEmpty());
        QCOMPARE(lookIn, QStringLiteral("アドレス:"));
        QCOMPARE(fileName, QStringLiteral("ファイル名(&N):"));
        QCOMPARE(fileType, QStringLiteral("ファイルの種類:"));
        QCOMPARE(openButtons,
                 (QStringList{QStringLiteral("キャンセル"), QStringLiteral("開く(&O)")}));

        whenOpen<QFileDialog>([&](QFileDialog* d) { saveButtons = buttons(d); },
                              [](QFileDialog* d) { d->reject(); });
        QVERIFY(prompter.saveFileName(request).isEmpty());
        QCOMPARE(saveButtons,
                 (QStringList{QStringLiteral("キャンセル"), QStringLiteral("保存(&S)")}));
    }

    void colourDialog() {
        QString title;
        QStringList buttons;
        whenOpen<QColorDialog>(
            [&](QColorDialog* d) {
                title = d->windowTitle();
                buttons = buttonTexts(d->findChild<QDialogButtonBox*>()->buttons());
            },
            [](QColorDialog* d) { d->reject(); });
        QVERIFY(!prompter.chooseColor(0x82C2F2).has_value());
        QCOMPARE(title, QStringLiteral("色を選択"));
        QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
    }

    // Text fields of the windows keep Qt's own context menu.
    void textFieldMenu() {
        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList items;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator()) items << a->text().section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(items.contains(QStringLiteral("元に戻す(&U)")), qPrintable(items.join(u',')));
        QVERIFY(items.contains(QStringLiteral("貼り付け(&P)")));
        QVERIFY(items.contains(QStringLiteral("すべてを選択")));
    }
};

int main(int argc, char** argv) {
    // Japanese whatever the user's locale.
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LANGUAGE", "en");
    Application application(argc, argv);
    QtTranslationGui test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_qttranslation.moc"
