#include "app/finddialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kirel {
namespace {

QLineEdit* addField(QGridLayout* grid, int row, const QString& caption, const QString& name,
                    QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QPushButton* addButton(QVBoxLayout* column, const QString& caption, const QString& name,
                       QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    column->addWidget(button);
    return button;
}

void bringUp(QDialog* dialog, QLineEdit* field) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    field->setFocus();
    field->selectAll();
}

}  // namespace

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("検索"));
    setModal(false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    auto* grid = new QGridLayout;
    FindEdit =
        addField(grid, 0, QStringLiteral("検索する文字列(&N):"), QStringLiteral("FindEdit"), this);
    grid->setRowStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    FindNextButton =
        addButton(buttons, QStringLiteral("次を検索(&F)"), QStringLiteral("FindNextButton"), this);
    CloseButton = addButton(buttons, QStringLiteral("閉じる"), QStringLiteral("CloseButton"), this);
    buttons->addStretch(1);
    FindNextButton->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    FindEdit->setMinimumWidth(220);

    connect(FindEdit, &QLineEdit::textChanged, this, &FindDialog::updateButtons);
    connect(FindNextButton, &QPushButton::clicked, this, &FindDialog::find);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

QString FindDialog::findText() const {
    return FindEdit->text();
}

void FindDialog::setFindText(const QString& text) {
    FindEdit->setText(text);
}

void FindDialog::popup() {
    bringUp(this, FindEdit);
}

void FindDialog::setSearchAllowed(bool allowed) {
    allowed_ = allowed;
    updateButtons();
}

void FindDialog::updateButtons() {
    FindNextButton->setEnabled(allowed_ && !FindEdit->text().isEmpty());
}

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setWindowTitle(QStringLiteral("置換"));
    setModal(false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    auto* grid = new QGridLayout;
    FindEdit =
        addField(grid, 0, QStringLiteral("検索する文字列(&N):"), QStringLiteral("FindEdit"), this);
    ReplaceEdit = addField(grid, 1, QStringLiteral("置換後の文字列(&P):"),
                           QStringLiteral("ReplaceEdit"), this);
    grid->setRowStretch(2, 1);

    auto* buttons = new QVBoxLayout;
    FindNextButton =
        addButton(buttons, QStringLiteral("次を検索(&F)"), QStringLiteral("FindNextButton"), this);
    ReplaceButton =
        addButton(buttons, QStringLiteral("置換(&R)"), QStringLiteral("ReplaceButton"), this);
    ReplaceAllButton = addButton(buttons, QStringLiteral("すべて置換(&A)"),
                                 QStringLiteral("ReplaceAllButton"), this);
    CloseButton = addButton(buttons, QStringLiteral("閉じる"), QStringLiteral("CloseButton"), this);
    buttons->addStretch(1);
    // Enter replaces: that is what this dialog is for.
    ReplaceButton->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    FindEdit->setMinimumWidth(220);

    connect(FindEdit, &QLineEdit::textChanged, this, &ReplaceDialog::updateButtons);
    connect(ReplaceButton, &QPushButton::clicked, this, &ReplaceDialog::replace);
    connect(ReplaceAllButton, &QPushButton::clicked, this, &ReplaceDialog::replaceAll);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

QString ReplaceDialog::findText() const {
    return FindEdit->text();
}

QString ReplaceDialog::replaceText() const {
    return ReplaceEdit->text();
}

void ReplaceDialog::setFindText(const QString& text) {
    FindEdit->setText(text);
}

void ReplaceDialog::setReplaceText(const QString& text) {
    ReplaceEdit->setText(text);
}

void ReplaceDialog::popup() {
    bringUp(this, FindEdit);
}

void ReplaceDialog::setSearchAllowed(bool allowed) {
    allowed_ = allowed;
    updateButtons();
}

void ReplaceDialog::updateButtons() {
    const bool any = allowed_ && !FindEdit->text().isEmpty();
    FindNextButton->setEnabled(any);
    ReplaceButton->setEnabled(any);
    ReplaceAllButton->setEnabled(any);
}

}  // namespace kirel
