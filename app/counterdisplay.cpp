#include "app/counterdisplay.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "app/counter.h"
#include "app/linecounter.h"
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

qint64 CounterDisplay::lines() const {
    return form_->editPane->document()->blockCount();
}

void CounterDisplay::reset(bool atStartup) {
    const counter::Display d = counter::reset(app().CharLimit, bytes(), atStartup);
    form_->counterLabel->setText(d.label1);
    form_->limitLabel->setText(d.label2);
    if (d.setMaximum) form_->counterBar->setRange(0, d.maximum);
    setPosition(form_->counterBar, d.position);
    form_->counterBar->setToolTip(atStartup && app().CharLimit != 0
                                      ? d.hint
                                      : counter::withLines(d.hint, app().LineLimit, lines()));
}

void CounterDisplay::update() {
    AppState& st = app();
    const counter::Update u = counter::update(st.CharLimit, bytes(), st.LimitWarnState);
    const std::optional<counter::Warning> lineWarning =
        counter::updateLines(st.LineLimit, lines(), st.LineWarnState);
    if (u.changed) {
        setPosition(form_->counterBar, u.position);
        qCInfo(counterLog).noquote() << "counter:" << u.hint;
    }
    if (u.changed || st.LineLimit > 0)
        form_->counterBar->setToolTip(
            counter::withLines(u.changed ? u.hint : counter::kOffHint, st.LineLimit, lines()));
    if (u.warning) warn(*u.warning);
    if (lineWarning) warn(*lineWarning);
}

void CounterDisplay::warn(const counter::Warning& warning) {
    // Over a limit: the box offers to split the post into parts that pass.
    if (warning.icon != Icon::Warning) {
        showMessage(warning.text, warning.icon);
        return;
    }
    if (ask(warning.text + counter::kSplitOffer, Icon::Warning)) emit splitRequested();
}

}  // namespace kirel
