#include "app/counterdisplay.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "app/appstate.h"
#include "app/bytetally.h"
#include "app/counter.h"
#include "app/unit1.h"

namespace kirel {
namespace {

// A bar position outside the range shows as an empty or a full bar.
void setPosition(QProgressBar* bar, int position) {
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

}  // namespace

CounterDisplay::CounterDisplay(TForm1* form)
    : QObject(form), form_(form), tally_(new ByteTally(form->RichEdit1->document())) {
    connect(form->RichEdit1, &QPlainTextEdit::textChanged, this, &CounterDisplay::update);
}

qint64 CounterDisplay::bytes() const {
    return tally_->bytes();
}

void CounterDisplay::reset(bool atStartup) {
    const counter::Display d = counter::reset(app().CharLimit, bytes(), atStartup);
    form_->Label1->setText(d.label1);
    form_->Label2->setText(d.label2);
    if (d.setMaximum) form_->ProgressBar1->setRange(0, d.maximum);
    setPosition(form_->ProgressBar1, d.position);
    form_->ProgressBar1->setToolTip(d.hint);
}

void CounterDisplay::update() {
    const counter::Update u = counter::update(app().CharLimit, bytes(), app().LimitWarnState);
    if (!u.changed) return;
    setPosition(form_->ProgressBar1, u.position);
    form_->ProgressBar1->setToolTip(u.hint);
    if (u.warning) showMessage(u.warning->text, u.warning->icon);
}

}  // namespace kirel
