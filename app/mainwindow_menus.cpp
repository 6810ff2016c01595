// Menus of the main window: captions, shortcuts and designer names.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "app/mainwindow.h"
#include "controls/picturebutton.h"

namespace {

QAction* item(QMenu* menu, QAction*& slot, const char* name, const QString& caption,
              const QKeySequence& shortcut = {}) {
    slot = menu->addAction(caption);
    slot->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) slot->setShortcut(shortcut);
    return slot;
}

QAction* separator(QMenu* menu, QAction*& slot, const char* name) {
    slot = menu->addSeparator();
    slot->setObjectName(QLatin1String(name));
    return slot;
}

QMenu* submenu(QMenu* menu, QMenu*& slot, const char* name, const QString& caption) {
    slot = menu->addMenu(caption);
    slot->setObjectName(QLatin1String(name));
    slot->menuAction()->setObjectName(QLatin1String(name));
    return slot;
}

// A menu item standing for a standard edit action: its caption and shortcut, and
// choosing it runs the action.
QAction* actionItem(QMenu* menu, QAction*& slot, const char* name, QAction* action) {
    slot = menu->addAction(action->text());
    slot->setObjectName(QLatin1String(name));
    slot->setShortcut(action->shortcut());
    slot->setShortcutContext(Qt::WidgetShortcut);  // the shortcut is the action's own
    QObject::connect(slot, &QAction::triggered, action, &QAction::trigger);
    return slot;
}

// Runs an edit operation on the focused text control.
void onFocused(const char* method) {
    QWidget* w = QApplication::focusWidget();
    if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QLineEdit*>(w))
        QMetaObject::invokeMethod(w, method);
}

// The edit items of a pane's menu are enabled as the pane allows: undo when
// there is something to undo, cut and copy with a selection, paste with text on
// the clipboard; a read-only pane cuts and pastes nothing.
void enableEditItems(QPlainTextEdit* pane, QAction* undo, QAction* cut, QAction* copy,
                     QAction* paste) {
    const bool selection = pane->textCursor().hasSelection();
    const bool writable = !pane->isReadOnly();
    undo->setEnabled(writable && pane->document()->isUndoAvailable());
    cut->setEnabled(writable && selection);
    copy->setEnabled(selection);
    if (paste) paste->setEnabled(writable && pane->canPaste());
}

}  // namespace

void MainWindow::buildMenus() {
    auto popup = [this](QMenu*& slot, const char* name) {
        slot = new QMenu(this);
        slot->setObjectName(QLatin1String(name));
    };
    auto edit = [this](QAction*& slot, const char* name, const QString& caption,
                       const QKeySequence& key, const char* method) {
        slot = new QAction(caption, this);
        slot->setObjectName(QLatin1String(name));
        slot->setShortcut(key);
        slot->setShortcutContext(Qt::WidgetShortcut);
        connect(slot, &QAction::triggered, this, [method] { onFocused(method); });
    };
    edit(undoAction, "EditUndo1", QStringLiteral("元に戻す(&U)"),
         QKeySequence(Qt::ALT | Qt::Key_Backspace), "undo");
    edit(cutAction, "EditCut1", QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X),
         "cut");
    edit(copyAction, "EditCopy1", QStringLiteral("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C),
         "copy");
    edit(pasteAction, "EditPaste1", QStringLiteral("貼り付け(&P)"),
         QKeySequence(Qt::CTRL | Qt::Key_V), "paste");
    edit(selectAllAction, "EditSelectAll1", QStringLiteral("すべてを選択(&A)"), {}, "selectAll");

    popup(saveMenu, "PopupMenu1");
    item(saveMenu, quickSave1, "N11", QStringLiteral("クイックセーブ1"));
    item(saveMenu, quickSave2, "N21", QStringLiteral("クイックセーブ2"));
    item(saveMenu, quickSave3, "N31", QStringLiteral("クイックセーブ3"));
    item(saveMenu, overwriteSave, "N39", QStringLiteral("上書き保存(&S)"));
    item(saveMenu, saveAs, "SaveAs1", QStringLiteral("名前をつけて保存(&A)"));

    popup(loadMenu, "PopupMenu2");
    item(loadMenu, quickLoad1, "N12", QStringLiteral("クイックロード1"));
    item(loadMenu, quickLoad2, "N22", QStringLiteral("クイックロード2"));
    item(loadMenu, quickLoad3, "N32", QStringLiteral("クイックロード3"));
    item(loadMenu, openFile, "O1", QStringLiteral("ファイルを開く(&O)"));

    popup(editMenu, "PopupMenu4");
    QMenu* m = editMenu;
    submenu(m, htmlMenu, "HTML1", QStringLiteral("HTMLタグを挿入"));
    item(htmlMenu, decorate, "N2", QStringLiteral("選択した文字を修飾する(&W)"));
    separator(htmlMenu, htmlSeparator, "N3");
    item(htmlMenu, insertLink, "N4", QStringLiteral("リンクを入れる(&L)"));
    submenu(htmlMenu, heartMenu, "H1", QStringLiteral("ハートマークを入れる(H)"));
    item(heartMenu, heartMark1, "N13", QStringLiteral("ハートマーク1"));
    item(heartMenu, heartMark2, "N23", QStringLiteral("ハートマーク2"));
    item(m, insertQuoteMarks, "N1", QStringLiteral("引用符を挿入"));
    item(m, countSelection, "N6", QStringLiteral("選択した文字をカウントする"));
    item(m, splitPost, "N7", QStringLiteral("選択した文字を分割して表示"));
    item(m, insertRule, "N8", QStringLiteral("飾り罫を挿入"));
    item(m, showArtWidths, "ArtWidths1", QStringLiteral("文字絵の幅を表示(&Z)"))
        ->setCheckable(true);
    separator(m, editSeparator1, "N9");
    actionItem(m, editUndo, "Undo1", undoAction);
    actionItem(m, editCut, "Cut1", cutAction);
    actionItem(m, editCopy, "Copy1", copyAction);
    actionItem(m, editPaste, "Paste1", pasteAction);
    actionItem(m, editSelectAll, "Undo2", selectAllAction);
    separator(m, editSeparator2, "N10");
    item(m, find, "Find1", QStringLiteral("検索(&F)"));
    item(m, replace, "Replace1", QStringLiteral("置換(&R)"));
    separator(m, editSeparator3, "N18");
    item(m, convertBreaks, "BR1", QStringLiteral("<br>を加えた改行へ変換する"));
    item(m, openInBrowser, "N29", QStringLiteral("ブラウザで確認(&B)"));
    item(m, insertTextFile, "T1", QStringLiteral("テキストファイルの挿入(&T)"));
    submenu(m, fileMenu, "N35", QStringLiteral("ファイル"));
    submenu(fileMenu, loadSubmenu, "S1", QStringLiteral("ロード(&L)"));
    item(loadSubmenu, menuQuickLoad0, "N01", QStringLiteral("クイックロード0"));
    item(loadSubmenu, menuQuickLoad1, "N111", QStringLiteral("クイックロード1"));
    item(loadSubmenu, menuQuickLoad2, "N210", QStringLiteral("クイックロード2"));
    item(loadSubmenu, menuQuickLoad3, "N310", QStringLiteral("クイックロード3"));
    item(loadSubmenu, menuOpenFile, "N36", QStringLiteral("開く(&O)"));
    submenu(fileMenu, saveSubmenu, "S2", QStringLiteral("セーブ(&S)"));
    item(saveSubmenu, menuQuickSave0, "N02", QStringLiteral("クイックセーブ0"));
    item(saveSubmenu, menuQuickSave1, "N112", QStringLiteral("クイックセーブ1"));
    item(saveSubmenu, menuQuickSave2, "N211", QStringLiteral("クイックセーブ2"));
    item(saveSubmenu, menuQuickSave3, "N311", QStringLiteral("クイックセーブ3"));
    item(saveSubmenu, menuOverwriteSave, "N37", QStringLiteral("上書き保存(&S)"));
    item(saveSubmenu, menuSaveAs, "N38", QStringLiteral("名前をつけて保存(&A)"));
    item(m, runTool, "N19", QStringLiteral("外部ツール"));
    submenu(m, aboutMenu, "KirelEditor1", QStringLiteral("Kirel Editorについて"));
    item(aboutMenu, help, "N26", QStringLiteral("ヘルプ"));
    item(aboutMenu, versionInfo, "N27", QStringLiteral("バージョン情報"));
    item(aboutMenu, homepage, "N28", QStringLiteral("作者のホームページ"));
    separator(m, hiddenSeparator, "N40")->setVisible(false);
    // The four hidden items keep their shortcuts; the edit pane's key handler runs
    // them (a hidden action's own shortcut would not fire).
    item(m, transferShortcut, "N44", QStringLiteral("転送する"), QKeySequence(Qt::CTRL | Qt::Key_E))
        ->setVisible(false);
    item(m, decorationShortcut, "N42", QStringLiteral("修飾を開く"),
         QKeySequence(Qt::CTRL | Qt::Key_M))
        ->setVisible(false);
    item(m, emoticonShortcut, "N41", QStringLiteral("顔文字を開く"),
         QKeySequence(Qt::CTRL | Qt::Key_K))
        ->setVisible(false);
    item(m, phraseShortcut, "N43", QStringLiteral("定型を開く"), QKeySequence(Qt::CTRL | Qt::Key_F))
        ->setVisible(false);

    popup(settingsMenu, "PopupMenu5");
    submenu(settingsMenu, boardMenu, "N16", QStringLiteral("掲示板の選択(&B)"));
    boardGroup = new QActionGroup(this);
    boardGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    item(boardMenu, board1, "N110", QStringLiteral("掲示板１"));
    item(boardMenu, board2, "N24", QStringLiteral("掲示板２"));
    item(boardMenu, board3, "N25", QStringLiteral("掲示板３"));
    for (QAction* a : {board1, board2, board3}) {
        a->setCheckable(true);
        boardGroup->addAction(a);
    }
    item(settingsMenu, preferences, "N5", QStringLiteral("環境設定(&O)"));
    item(settingsMenu, toolSettings, "N17", QStringLiteral("外部ツールの設定(&T)"));
    item(settingsMenu, chooseQuoteMark, "N20", QStringLiteral("引用符の選択(&R)"));
    item(settingsMenu, alwaysOnTop, "F1", QStringLiteral("常に最前面(&F)"))->setCheckable(true);

    popup(emptyMenu, "PopupMenu6");

    popup(fieldMenu, "PopupMenu7");
    actionItem(fieldMenu, fieldUndo, "Undo3", undoAction);
    actionItem(fieldMenu, fieldCut, "Cut2", cutAction);
    actionItem(fieldMenu, fieldCopy, "Copy2", copyAction);
    actionItem(fieldMenu, fieldPaste, "Paste2", pasteAction);
    actionItem(fieldMenu, fieldSelectAll, "A1", selectAllAction);

    popup(quoteMenu, "PopupMenu8");
    item(quoteMenu, quoteToEdit, "N14", QStringLiteral("選択された文字を編集欄に転送する"));
    separator(quoteMenu, quoteSeparator, "N15");
    actionItem(quoteMenu, quoteUndo, "Undo4", undoAction);
    actionItem(quoteMenu, quoteCut, "Cut3", cutAction);
    actionItem(quoteMenu, quoteCopy, "Copy3", copyAction);
    // Pasting into the quote pane cannot take effect while the program is in
    // the foreground (the pane is read-only then); the item stays, inert.
    item(quoteMenu, quotePaste, "Paste3", QStringLiteral("貼り付け(&P)"),
         QKeySequence(Qt::CTRL | Qt::Key_V));
    quotePaste->setToolTip(QStringLiteral("貼り付け"));
    quotePaste->setShortcutContext(Qt::WidgetShortcut);
    actionItem(quoteMenu, quoteSelectAll, "A2", selectAllAction);

    connect(editMenu, &QMenu::aboutToShow, this,
            [this] { enableEditItems(editPane, editUndo, editCut, editCopy, editPaste); });
    connect(quoteMenu, &QMenu::aboutToShow, this,
            [this] { enableEditItems(quotePane, quoteUndo, quoteCut, quoteCopy, nullptr); });

    // Shortcuts of the edit pane's menu work while the edit pane has the focus.
    for (QAction* a : {undoAction, cutAction, copyAction, pasteAction, selectAllAction})
        editPane->addAction(a);
    for (QAction* a : {undoAction, copyAction, selectAllAction}) quotePane->addAction(a);
}
