#include "phrases/quotemarkdialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/appstate.h"
#include "phrases/quotemarks.h"
#include "phrases/windowlook.h"
#include "platform/listfill.h"
#include "platform/rulefield.h"
#include "platform/windowlook.h"

namespace kirel {

void QuoteMarkDialog::choose(QWidget* owner) {
    QuoteMarkDialog dialog(owner);
    dialog.exec();
}

QuoteMarkDialog::QuoteMarkDialog(QWidget* owner)
    : QDialog(owner), path_(app().path(phrases::kQuoteMarkFile)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("引用"));
    setModal(true);

    label = new QLabel(QStringLiteral("引用符の選択"), this);
    label->setObjectName(QStringLiteral("Label1"));
    marks = new QComboBox(this);
    marks->setObjectName(QStringLiteral("ComboBox1"));
    marks->setEditable(true);
    marks->setInsertPolicy(QComboBox::NoInsert);
    marks->setDuplicatesEnabled(true);
    // Typing must not complete into a candidate: only a choice from the list
    // changes the quote mark.
    marks->setCompleter(nullptr);
    marks->setMinimumWidth(150);
    marks->setToolTip(QStringLiteral("右クリックでアイテムの追加・削除ができます"));
    marks->setContextMenuPolicy(Qt::CustomContextMenu);
    marks->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    // A candidate is one line of the list file.
    holdRule(marks->lineEdit(), FieldRule::OneLine);
    label->setBuddy(marks);
    closeButton = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    closeButton->setObjectName(QStringLiteral("Button1"));
    closeButton->setAutoDefault(false);

    menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    addMark = menu->addAction(QStringLiteral("アイテムリストに追加(&A)"));
    addMark->setObjectName(QStringLiteral("N1"));
    deleteMark = menu->addAction(QStringLiteral("アイテムリストから削除(&D)"));
    deleteMark->setObjectName(QStringLiteral("N2"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(label);
    layout->addWidget(marks);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(marks, &QComboBox::activated, this, &QuoteMarkDialog::chooseMark);
    // Left to itself, the box chooses the candidate equal to the typed text when
    // Return is pressed or the field is left: only a choice from the list may
    // change the quote mark, so the box does not follow the field's editing.
    disconnect(marks->lineEdit(), &QLineEdit::editingFinished, marks, nullptr);
    disconnect(marks->lineEdit(), &QLineEdit::returnPressed, marks, nullptr);
    connect(marks->lineEdit(), &QLineEdit::textEdited, this, [this] { chosen_ = -1; });
    connect(marks, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { menu->exec(marks->mapToGlobal(p)); });
    connect(addMark, &QAction::triggered, this, &QuoteMarkDialog::addTyped);
    connect(deleteMark, &QAction::triggered, this, &QuoteMarkDialog::deleteTyped);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    move(app().QuoteDlgLeft, app().QuoteDlgTop);
    applyWindowLook(this);
    list_ = phrases::openQuoteMarks(path_);
    showMarks(app().QuoteMark);
}

void QuoteMarkDialog::showMarks(const QString& fieldText) {
    setComboItems(marks, list_);
    marks->setCurrentIndex(-1);
    marks->setEditText(fieldText);
    chosen_ = -1;
}

void QuoteMarkDialog::chooseMark(int index) {
    if (index < 0 || index >= list_.size()) return;
    chosen_ = index;
    app().QuoteMark = list_.at(index);
}

void QuoteMarkDialog::addTyped() {
    const QString text = marks->currentText();
    if (!phrases::addQuoteMark(list_, text, path_)) return;
    const int chosen = chosen_;
    showMarks(text);
    chosen_ = chosen;
}

void QuoteMarkDialog::deleteTyped() {
    const QString text = marks->currentText();
    if (phrases::deleteQuoteMark(list_, chosen_, text, path_) < 0) return;
    showMarks(text);
}

}  // namespace kirel
