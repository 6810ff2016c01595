// The external tool: the registration dialog's lists and messages, and the launch
// from the edit pane's menu of the real main window.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "drafts/tooldialog.h"
#include "platform/launcher.h"
#include "platform/profile.h"
#include "support/scriptedprompter.h"
#include "support/windowfixture.h"

using namespace kirel;

class ToolDialogGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    MainWindow* form_ = nullptr;
    QStringList started_;
    std::function<bool(const QString&)> realStarter_;

    QString appDir() const { return QDir::cleanPath(app().AppDir); }
    void program(const QString& path, bool executable = true) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) p |= QFile::ExeOwner;
        QVERIFY(f.setPermissions(p));
    }
    static QStringList files(const ToolDialog& d) {
        QStringList out;
        for (int i = 0; i < d.fileList->count(); ++i) out << d.fileList->item(i)->text();
        return out;
    }
    static void click(QListWidget* list, const QString& name) {
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
    }
    static void click(QTreeWidget* tree, const QString& name) {
        const QList<QTreeWidgetItem*> found =
            tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!found.isEmpty());
        tree->scrollToItem(found.first());
        const QRect r = tree->visualItemRect(found.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          QPoint(r.left() + 8, r.center().y()));
    }
    QString registered() const {
        return Profile(app().iniPath())
            .readString(QStringLiteral("Form9"), QStringLiteral("Tool"), {});
    }
    // Runs f once the next modal dialog is up, and closes that dialog.
    void whenModal(std::function<void(QWidget*)> f) {
        QTimer::singleShot(0, this, [f] {
            QWidget* modal = QApplication::activeModalWidget();
            f(modal);
            if (modal) modal->close();
        });
    }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
        started_.clear();
        realStarter_ = programStarter();
        programStarter() = [this](const QString& path) { return started_ << path, true; };
        program(app().path("reader"));
        program(app().path("notes.txt"), false);
        QVERIFY(QDir(appDir()).mkdir("tools"));
        program(app().path("tools/viewer"));
        program(app().path("tools/board.desktop"), false);
    }
    void cleanup() {
        programStarter() = realStarter_;
        fixture_.cleanup();
    }

    void choosingAFileFillsThePathAndChangingFolderOrDriveClearsIt() {
        ToolDialog d(form_);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.objectName(), QStringLiteral("Form9"));
        QCOMPARE(d.windowTitle(), QStringLiteral("外部ツールの登録"));
        QCOMPARE(d.minimumSize(), d.maximumSize());  // fixed size
        QCOMPARE(d.folder(), appDir());
        QCOMPARE(files(d), QStringList{"reader"});
        QCOMPARE(d.driveBox->currentText(), QStringLiteral("/"));
        QVERIFY(d.pathEdit->isReadOnly() && d.pathEdit->text().isEmpty());

        click(d.fileList, "reader");
        QCOMPARE(d.pathEdit->text(), app().path("reader"));
        click(d.folderTree, "tools");
        QCOMPARE(d.folder(), app().path("tools"));
        QVERIFY(d.pathEdit->text().isEmpty());
        QCOMPARE(files(d), (QStringList{"board.desktop", "viewer"}));
        click(d.fileList, "board.desktop");
        QCOMPARE(d.pathEdit->text(), app().path("tools/board.desktop"));
        QTest::keyClick(d.fileList, Qt::Key_Down);  // the keyboard chooses too
        QCOMPARE(d.pathEdit->text(), app().path("tools/viewer"));

        if (d.driveBox->count() < 2) QSKIP("only one drive on this machine");
        d.driveBox->setCurrentIndex(1);
        QVERIFY(d.pathEdit->text().isEmpty());
        QCOMPARE(d.folderTree->topLevelItem(0)->text(0), d.folder());
    }

    void registeringNeedsAChoiceAndTheRegisteredToolOpensSelected() {
        {
            ToolDialog d(form_);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.registerButton->click();
            QCOMPARE(prompter_->texts(),
                     QStringList{QStringLiteral("外部ツールを指定していません。")});
            QCOMPARE(prompter_->shown.last().icon, Icon::Warning);
            QVERIFY(registered().isEmpty());
            click(d.folderTree, "tools");
            click(d.fileList, "viewer");
            d.registerButton->click();
            QCOMPARE(prompter_->last(), QStringLiteral("登録が完了しました。"));
            QCOMPARE(prompter_->shown.last().icon, Icon::None);
            QCOMPARE(registered(), app().path("tools/viewer"));
        }
        prompter_->clear();
        // Opening again: the registered tool's folder, the tool selected, the box empty.
        ToolDialog d(form_);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.folder(), app().path("tools"));
        QCOMPARE(d.fileList->currentItem()->text(), QStringLiteral("viewer"));
        QVERIFY(d.pathEdit->text().isEmpty());
        QCOMPARE(d.folderTree->currentItem()->text(0), QStringLiteral("tools"));
        d.registerButton->click();
        QCOMPARE(prompter_->last(), QStringLiteral("外部ツールを指定していません。"));
        // Clicking the selected tool fills the box.
        click(d.fileList, "viewer");
        QCOMPARE(d.pathEdit->text(), app().path("tools/viewer"));
    }

    void launchWithNothingRegisteredAsksAndYesOpensTheDialog() {
        form_->runTool->trigger();  // No
        QCOMPARE(prompter_->texts(),
                 QStringList{QStringLiteral(
                     "外部ツールに何も登録されていません。\r\n外部ツールを設定しますか？")});
        QVERIFY(prompter_->shown.last().isQuestion);
        QCOMPARE(prompter_->shown.last().icon, Icon::Information);
        QVERIFY(started_.isEmpty());

        QString opened;
        whenModal([&](QWidget* w) { opened = w ? w->objectName() : QString(); });
        prompter_->answers.enqueue(true);
        form_->runTool->trigger();
        QCOMPARE(opened, QStringLiteral("Form9"));
        QVERIFY(started_.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());

        // Registered: started as it is, without a message.
        prompter_->clear();
        Profile(app().iniPath()).writeString("Form9", "Tool", app().path("reader"));
        form_->runTool->trigger();
        QCOMPARE(started_, QStringList{app().path("reader")});
        // One that cannot start says nothing either.
        programStarter() = [](const QString&) { return false; };
        form_->runTool->trigger();
        QVERIFY(prompter_->shown.isEmpty());
    }

    void settingsMenuOpensTheDialogModally() {
        bool modal = false;
        whenModal([&](QWidget* w) { modal = w && w->objectName() == "Form9" && w->isModal(); });
        form_->toolSettings->trigger();
        QVERIFY(modal);
    }
};

QTEST_MAIN(ToolDialogGui)
#include "test_tooldialog_gui.moc"
