#include "platform/rulefield.h"

#include <QApplication>
#include <QLineEdit>
#include <QValidator>

namespace kirel {
namespace {

// Judges each change against the text the field held before it. A refused edit
// is reported Invalid, and the line edit undoes it itself.
class RuleValidator final : public QValidator {
  public:
    RuleValidator(QLineEdit* field, FieldRule rule, int maxLength)
        : QValidator(field), rule_(rule), maxLength_(maxLength), before_(field->text()) {
        connect(field, &QLineEdit::textChanged, this, &RuleValidator::textChanged);
    }

    State validate(QString& input, int& pos) const override {
        refusedPending_ = false;
        if (suspended_) return Acceptable;
        int cursor = pos;
        const std::optional<QString> kept = admitEdit(rule_, maxLength_, before_, input, &cursor);
        if (!kept) {
            QApplication::beep();
            if (keptRefused_) {
                // The field holds a text set while it was refused (the line edit
                // then undoes nothing): put the last text back instead.
                input = before_;
                pos = int(before_.size());
                return Acceptable;
            }
            refusedPending_ = true;
            return Invalid;
        }
        if (*kept != input) {
            input = *kept;
            pos = cursor;
        }
        return Acceptable;
    }

    void setSuspended(bool on) { suspended_ = on; }

  private:
    void textChanged(const QString& text) {
        // A refused edit the line edit undid changes no text; a text that changes
        // after being refused was set by the program and kept.
        keptRefused_ = refusedPending_;
        refusedPending_ = false;
        before_ = text;
    }

    FieldRule rule_;
    int maxLength_;
    QString before_;
    bool suspended_ = false;
    mutable bool refusedPending_ = false;
    bool keptRefused_ = false;
};

}  // namespace

void holdRule(QLineEdit* field, FieldRule rule, int maxLength) {
    field->setValidator(new RuleValidator(field, rule, maxLength));
}

void setStoredText(QLineEdit* field, const QString& text) {
    auto* rule = dynamic_cast<RuleValidator*>(const_cast<QValidator*>(field->validator()));
    if (rule) rule->setSuspended(true);
    field->setText(text);
    if (rule) rule->setSuspended(false);
}

}  // namespace kirel
