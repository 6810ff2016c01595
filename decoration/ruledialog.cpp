#include "decoration/ruledialog.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>
#include <QTextDocument>

#include "core/appstate.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "decoration/rules.h"
#include "platform/editmenu.h"
#include "platform/failure.h"
#include "platform/piecefill.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/systemcolors.h"
#include "platform/windowlook.h"

namespace kirel {
namespace {

const QString kWindowFont = QStringLiteral("ＭＳ Ｐゴシック");

}  // namespace

RuleDialog::RuleDialog(EditorHost& host, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      path_(decoration::ruleFilePath(app().AppDir)) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(kCaption);
    QFont f(kWindowFont);
    f.setPointSize(windowPointSize(owner ? owner : this));
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, resolvedColor(formColorSetting()));
    setPalette(pal);
    setAutoFillBackground(true);
    buildWidgets();
    buildEditorMenu();
    fill_ = new PieceFill(editor);
    // Saving a half-filled editor would cut the rule file short.
    connect(fill_, &PieceFill::finished, this, [this] { saveButton->setEnabled(true); });
    load();
    app().ClipCaptureOn = 0;
}

RuleDialog::~RuleDialog() = default;

void RuleDialog::buildWidgets() {
    setFixedSize(400, 290);
    auto label = [this](const char* name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto button = [this](const char* name, const QString& text, const QRect& geometry) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(geometry);
        b->setAutoDefault(false);
        return b;
    };
    choiceLabel = label("Label1", QStringLiteral("飾り罫選択"), 8, 8);
    ruleBox = new QComboBox(this);
    ruleBox->setObjectName(QStringLiteral("ComboBox1"));
    ruleBox->setGeometry(8, 26, 300, 24);
    ruleBox->setMaxVisibleItems(16);
    choiceLabel->setBuddy(ruleBox);
    insertButton = button("Button1", QStringLiteral("挿入"), QRect(316, 26, 76, 24));

    editorLabel = label("Label2", QStringLiteral("飾り罫編集"), 8, 60);
    editor = new QPlainTextEdit(this);
    editor->setObjectName(QStringLiteral("Memo1"));
    editor->setGeometry(8, 78, 384, 166);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editorLabel->setBuddy(editor);

    saveButton = button("Button2", QStringLiteral("設定反映(&A)"), QRect(216, 254, 88, 26));
    cancelButton = button("Button3", QStringLiteral("キャンセル(&X)"), QRect(310, 254, 82, 26));

    connect(insertButton, &QPushButton::clicked, this, &RuleDialog::insertRule);
    connect(saveButton, &QPushButton::clicked, this, &RuleDialog::saveRules);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// The editor's menu: the usual edit commands, under the main window's captions.
void RuleDialog::buildEditorMenu() {
    editorMenu = new QMenu(this);
    editorMenu->setObjectName(QStringLiteral("PopupMenu1"));
    const EditItems items = addEditItems(editorMenu, [this] { return editor; });
    undoItem = items.undo;
    cutItem = items.cut;
    copyItem = items.copy;
    pasteItem = items.paste;
    selectAllItem = items.selectAll;
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { editorMenu->popup(editor->mapToGlobal(pos)); });
}

void RuleDialog::load() {
    QStringList rules;
    try {
        decoration::ensureRuleFile(path_);
        rules = decoration::readRules(path_);
    } catch (const Failure& failure) {
        showPlain(failure.message());
    }
    // A list model fills a long list at once, where the combo box's own items
    // would be made one by one.
    ruleBox->setModel(new QStringListModel(rules, ruleBox));
    ruleBox->setCurrentIndex(-1);
    fillEditor(decoration::editorTextOfRules(rules));
}

void RuleDialog::fillEditor(const QString& text) {
    fill_->fill(text);
    saveButton->setEnabled(!fill_->running());
}

void RuleDialog::insertRule() {
    if (ruleBox->currentIndex() < 0) {
        ruleBox->setFocus();
        return;
    }
    TextPane& pane = host_.editText();
    pane.replaceSelection(ruleBox->currentText());
    pane.showCaret();
    pane.giveFocus();
}

void RuleDialog::saveRules() {
    try {
        if (fill_->running()) return;  // the rules are not all in the editor yet
        decoration::saveRules(path_, editor->toPlainText());
        fillEditor(decoration::editorTextOfRules(decoration::readRules(path_)));
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return;
    }
    showMessage(kSaved, Icon::None);
}

void RuleDialog::done(int result) {
    if (!finished_) {
        finished_ = true;
        app().ClipCaptureOn = 1;
    }
    QDialog::done(result);
}

}  // namespace kirel
