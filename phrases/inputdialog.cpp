#include "phrases/inputdialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "core/appstate.h"
#include "phrases/windowlook.h"
#include "platform/editmenu.h"
#include "platform/prompter.h"
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

bool allDigits(const QString& text) {
    for (const QChar c : text)
        if (!phrases::widthKeyAllowed(c) || c.unicode() < 0x20) return false;
    return true;
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
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, &InputDialog::widthChanged);
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

bool InputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (!typed.isEmpty() && !phrases::widthKeyAllowed(typed.front())) {
            QApplication::beep();
            return true;
        }
    }
    if (watched == field && event->type() == QEvent::InputMethod) {
        // An input method that ignores the closed state may still commit text.
        const auto* im = static_cast<QInputMethodEvent*>(event);
        if (!im->preeditString().isEmpty() || !allDigits(im->commitString())) {
            if (!im->commitString().isEmpty()) QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString askMarqueeWidth(QWidget* owner) {
    InputDialog dialog(InputRole::Width, owner);
    dialog.exec();
    return dialog.confirmedWidth();
}

}  // namespace kirel
