#include "app/counterdisplay.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "app/counter.h"
#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/bytetally.h"

namespace kirel {
namespace {

// The hint of every update, for tests that drive the real program and compare
// its figure with what a board receives (QT_LOGGING_RULES="kirel.counter.info=true");
// off otherwise.
Q_LOGGING_CATEGORY(counterLog, "kirel.counter", QtWarningMsg)

// A bar position outside the range shows as an empty or a full bar.
void setPosition(QProgressBar* bar, int position) {
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

}  // namespace

CounterDisplay::CounterDisplay(MainWindow* form)
    : QObject(form), form_(form), tally_(new ByteTally(form->editPane->document())) {
    connect(form->editPane, &QPlainTextEdit::textChanged, this, &CounterDisplay::update);
}

qint64 CounterDisplay::bytes() const {
    return tally_->bytes();
}

void CounterDisplay::reset(bool atStartup) {
    const counter::Display d = counter::reset(app().CharLimit, bytes(), atStartup);
    form_->counterLabel->setText(d.label1);
    form_->limitLabel->setText(d.label2);
    if (d.setMaximum) form_->counterBar->setRange(0, d.maximum);
    setPosition(form_->counterBar, d.position);
    form_->counterBar->setToolTip(d.hint);
}

void CounterDisplay::update() {
    const counter::Update u = counter::update(app().CharLimit, bytes(), app().LimitWarnState);
    if (!u.changed) return;
    setPosition(form_->counterBar, u.position);
    form_->counterBar->setToolTip(u.hint);
    qCInfo(counterLog).noquote() << "counter:" << u.hint;
    if (u.warning) showMessage(u.warning->text, u.warning->icon);
}

}  // namespace kirel
