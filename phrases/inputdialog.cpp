#include "phrases/inputdialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "core/appstate.h"
#include "phrases/windowlook.h"
#include "platform/editmenu.h"
#include "platform/prompter.h"
#include "platform/rulefield.h"
#include "platform/windowlook.h"

namespace kirel {

using phrases::InputRole;

namespace {

// The program's main window: the top of the owner chain.
QWidget* mainWindowOf(QWidget* owner) {
    QWidget* w = owner ? owner->window() : nullptr;
    while (w && w->parentWidget()) w = w->parentWidget()->window();
    return w;
}

}  // namespace

InputDialog::InputDialog(InputRole role, QWidget* owner, Job job)
    : QDialog(owner), role_(role), job_(std::move(job)) {
    app().ClipCaptureOn = 0;
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("設定"));
    setModal(true);
    applyWindowLook(this);

    field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("Edit1"));
    field->setMinimumWidth(180);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setDefault(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->addWidget(field, 1);
    row->addWidget(okButton);
    row->setSizeConstraint(QLayout::SetFixedSize);

    const phrases::RoleSetup setup = phrases::roleSetup(role);
    setWindowTitle(setup.caption);
    field->setMaxLength(setup.maxLength);
    if (setup.latinInput) field->setInputMethodHints(Qt::ImhPreferLatin);
    if (setup.digitsOnly) {
        field->setInputMethodHints(Qt::ImhDigitsOnly);
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        // Digits by every path; an input method that ignores the closed state
        // and commits full-width digits gives the same digits.
        holdRule(field, FieldRule::Digits);
        connect(field, &QLineEdit::textChanged, this, &InputDialog::widthChanged);
    } else {
        // Every other job adds or names one line of a list file.
        holdRule(field, FieldRule::OneLine);
    }
    if (!setup.hint.isEmpty()) field->setToolTip(setup.hint);
    if (setup.editMenu) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("PopupMenu7"));
        addEditItems(menu, [this] { return field; });
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, menu](QPoint p) { menu->exec(field->mapToGlobal(p)); });
    } else {
        field->setContextMenuPolicy(Qt::NoContextMenu);
    }

    connect(okButton, &QPushButton::clicked, this, &InputDialog::confirm);
    adjustSize();
    if (QWidget* main = mainWindowOf(owner)) {
        const QRect frame = main->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    field->setFocus();
}

InputDialog::~InputDialog() {
    app().ClipCaptureOn = 1;
}

void InputDialog::confirm() {
    const QString text = field->text();
    if (text.isEmpty()) {
        showMessage(phrases::kNothingSet, Icon::Warning);
        return;
    }
    if (role_ == InputRole::Width) {
        if (phrases::checkWidth(text) == phrases::WidthCheck::InRange) {
            confirmedWidth_ = text;
            field->setModified(false);
            accept();
            return;
        }
        showMessage(phrases::kWidthRange, Icon::Warning);
        field->setFocus();
        field->selectAll();
        return;
    }
    if (job_ && job_(text)) accept();
}

void InputDialog::widthChanged(const QString& text) {
    if (text.isEmpty() || phrases::checkWidth(text) == phrases::WidthCheck::InRange) return;
    showMessage(phrases::kWidthRange, Icon::Warning);
    field->selectAll();
}

QString askMarqueeWidth(QWidget* owner) {
    InputDialog dialog(InputRole::Width, owner);
    dialog.exec();
    return dialog.confirmedWidth();
}

}  // namespace kirel
