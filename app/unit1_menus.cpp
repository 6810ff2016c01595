// Menus of the main window: captions, shortcuts and designer names.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "app/unit1.h"
#include "controls/pictbtn.h"

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

void TForm1::buildMenus() {
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
    edit(EditUndo1, "EditUndo1", QStringLiteral("元に戻す(&U)"),
         QKeySequence(Qt::ALT | Qt::Key_Backspace), "undo");
    edit(EditCut1, "EditCut1", QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X),
         "cut");
    edit(EditCopy1, "EditCopy1", QStringLiteral("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C),
         "copy");
    edit(EditPaste1, "EditPaste1", QStringLiteral("貼り付け(&P)"),
         QKeySequence(Qt::CTRL | Qt::Key_V), "paste");
    edit(EditSelectAll1, "EditSelectAll1", QStringLiteral("すべてを選択(&A)"), {}, "selectAll");

    popup(PopupMenu1, "PopupMenu1");
    item(PopupMenu1, N11, "N11", QStringLiteral("クイックセーブ1"));
    item(PopupMenu1, N21, "N21", QStringLiteral("クイックセーブ2"));
    item(PopupMenu1, N31, "N31", QStringLiteral("クイックセーブ3"));
    item(PopupMenu1, N39, "N39", QStringLiteral("上書き保存(&S)"));
    item(PopupMenu1, SaveAs1, "SaveAs1", QStringLiteral("名前をつけて保存(&A)"));

    popup(PopupMenu2, "PopupMenu2");
    item(PopupMenu2, N12, "N12", QStringLiteral("クイックロード1"));
    item(PopupMenu2, N22, "N22", QStringLiteral("クイックロード2"));
    item(PopupMenu2, N32, "N32", QStringLiteral("クイックロード3"));
    item(PopupMenu2, O1, "O1", QStringLiteral("ファイルを開く(&O)"));

    popup(PopupMenu4, "PopupMenu4");
    QMenu* m = PopupMenu4;
    submenu(m, HTML1, "HTML1", QStringLiteral("HTMLタグを挿入"));
    item(HTML1, N2, "N2", QStringLiteral("選択した文字を修飾する(&W)"));
    separator(HTML1, N3, "N3");
    item(HTML1, N4, "N4", QStringLiteral("リンクを入れる(&L)"));
    submenu(HTML1, H1, "H1", QStringLiteral("ハートマークを入れる(H)"));
    item(H1, N13, "N13", QStringLiteral("ハートマーク1"));
    item(H1, N23, "N23", QStringLiteral("ハートマーク2"));
    item(m, N1, "N1", QStringLiteral("引用符を挿入"));
    item(m, N6, "N6", QStringLiteral("選択した文字をカウントする"));
    item(m, N7, "N7", QStringLiteral("選択した文字を分割して表示"));
    item(m, N8, "N8", QStringLiteral("飾り罫を挿入"));
    separator(m, N9, "N9");
    actionItem(m, Undo1, "Undo1", EditUndo1);
    actionItem(m, Cut1, "Cut1", EditCut1);
    actionItem(m, Copy1, "Copy1", EditCopy1);
    actionItem(m, Paste1, "Paste1", EditPaste1);
    actionItem(m, Undo2, "Undo2", EditSelectAll1);
    separator(m, N10, "N10");
    item(m, Find1, "Find1", QStringLiteral("検索(&F)"));
    item(m, Replace1, "Replace1", QStringLiteral("置換(&R)"));
    separator(m, N18, "N18");
    item(m, BR1, "BR1", QStringLiteral("<br>を加えた改行へ変換する"));
    item(m, N29, "N29", QStringLiteral("ブラウザで確認(&B)"));
    item(m, T1, "T1", QStringLiteral("テキストファイルの挿入(&T)"));
    submenu(m, N35, "N35", QStringLiteral("ファイル"));
    submenu(N35, S1, "S1", QStringLiteral("ロード(&L)"));
    item(S1, N01, "N01", QStringLiteral("クイックロード0"));
    item(S1, N111, "N111", QStringLiteral("クイックロード1"));
    item(S1, N210, "N210", QStringLiteral("クイックロード2"));
    item(S1, N310, "N310", QStringLiteral("クイックロード3"));
    item(S1, N36, "N36", QStringLiteral("開く(&O)"));
    submenu(N35, S2, "S2", QStringLiteral("セーブ(&S)"));
    item(S2, N02, "N02", QStringLiteral("クイックセーブ0"));
    item(S2, N112, "N112", QStringLiteral("クイックセーブ1"));
    item(S2, N211, "N211", QStringLiteral("クイックセーブ2"));
    item(S2, N311, "N311", QStringLiteral("クイックセーブ3"));
    item(S2, N37, "N37", QStringLiteral("上書き保存(&S)"));
    item(S2, N38, "N38", QStringLiteral("名前をつけて保存(&A)"));
    item(m, N19, "N19", QStringLiteral("外部ツール"));
    submenu(m, KirelEditor1, "KirelEditor1", QStringLiteral("Kirel Editorについて"));
    item(KirelEditor1, N26, "N26", QStringLiteral("ヘルプ"));
    item(KirelEditor1, N27, "N27", QStringLiteral("バージョン情報"));
    item(KirelEditor1, N28, "N28", QStringLiteral("作者のホームページ"));
    separator(m, N40, "N40")->setVisible(false);
    // The four hidden items keep their shortcuts; the edit pane's key handler runs
    // them (a hidden action's own shortcut would not fire).
    item(m, N44, "N44", QStringLiteral("転送する"), QKeySequence(Qt::CTRL | Qt::Key_E))
        ->setVisible(false);
    item(m, N42, "N42", QStringLiteral("修飾を開く"), QKeySequence(Qt::CTRL | Qt::Key_M))
        ->setVisible(false);
    item(m, N41, "N41", QStringLiteral("顔文字を開く"), QKeySequence(Qt::CTRL | Qt::Key_K))
        ->setVisible(false);
    item(m, N43, "N43", QStringLiteral("定型を開く"), QKeySequence(Qt::CTRL | Qt::Key_F))
        ->setVisible(false);

    popup(PopupMenu5, "PopupMenu5");
    submenu(PopupMenu5, N16, "N16", QStringLiteral("掲示板の選択(&B)"));
    BoardGroup = new QActionGroup(this);
    BoardGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    item(N16, N110, "N110", QStringLiteral("掲示板１"));
    item(N16, N24, "N24", QStringLiteral("掲示板２"));
    item(N16, N25, "N25", QStringLiteral("掲示板３"));
    for (QAction* a : {N110, N24, N25}) {
        a->setCheckable(true);
        BoardGroup->addAction(a);
    }
    item(PopupMenu5, N5, "N5", QStringLiteral("環境設定(&O)"));
    item(PopupMenu5, N17, "N17", QStringLiteral("外部ツールの設定(&T)"));
    item(PopupMenu5, N20, "N20", QStringLiteral("引用符の選択(&R)"));
    item(PopupMenu5, F1, "F1", QStringLiteral("常に最前面(&F)"))->setCheckable(true);

    popup(PopupMenu6, "PopupMenu6");

    popup(PopupMenu7, "PopupMenu7");
    actionItem(PopupMenu7, Undo3, "Undo3", EditUndo1);
    actionItem(PopupMenu7, Cut2, "Cut2", EditCut1);
    actionItem(PopupMenu7, Copy2, "Copy2", EditCopy1);
    actionItem(PopupMenu7, Paste2, "Paste2", EditPaste1);
    actionItem(PopupMenu7, A1, "A1", EditSelectAll1);

    popup(PopupMenu8, "PopupMenu8");
    item(PopupMenu8, N14, "N14", QStringLiteral("選択された文字を編集欄に転送する"));
    separator(PopupMenu8, N15, "N15");
    actionItem(PopupMenu8, Undo4, "Undo4", EditUndo1);
    actionItem(PopupMenu8, Cut3, "Cut3", EditCut1);
    actionItem(PopupMenu8, Copy3, "Copy3", EditCopy1);
    // Pasting into the quote pane cannot take effect while the program is in
    // the foreground (the pane is read-only then); the item stays, inert.
    item(PopupMenu8, Paste3, "Paste3", QStringLiteral("貼り付け(&P)"),
         QKeySequence(Qt::CTRL | Qt::Key_V));
    Paste3->setToolTip(QStringLiteral("貼り付け"));
    Paste3->setShortcutContext(Qt::WidgetShortcut);
    actionItem(PopupMenu8, A2, "A2", EditSelectAll1);

    popup(PopupMenu9, "PopupMenu9");
    item(PopupMenu9, P1, "P1", QStringLiteral("貼り付け(&P)"));
    separator(PopupMenu9, N34, "N34");
    item(PopupMenu9, N30, "N30", QStringLiteral("アイテムリストに追加(&A)"));
    item(PopupMenu9, N33, "N33", QStringLiteral("アイテムリストから削除(&D)"));

    connect(PopupMenu4, &QMenu::aboutToShow, this,
            [this] { enableEditItems(RichEdit1, Undo1, Cut1, Copy1, Paste1); });
    connect(PopupMenu8, &QMenu::aboutToShow, this,
            [this] { enableEditItems(RichEdit3, Undo4, Cut3, Copy3, nullptr); });

    // Shortcuts of the edit pane's menu work while the edit pane has the focus.
    for (QAction* a : {EditUndo1, EditCut1, EditCopy1, EditPaste1, EditSelectAll1})
        RichEdit1->addAction(a);
    for (QAction* a : {EditUndo1, EditCopy1, EditSelectAll1}) RichEdit3->addAction(a);
}
