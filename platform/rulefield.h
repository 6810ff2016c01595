#pragma once

// Holds a field's rule (platform/fieldrule.h) on a QLineEdit by every input
// path: typed keys, input-method commits, paste (keys, menus, the middle
// button) and drops all reach the field's validator, which keeps what the rule
// admits and drops the rest with the beep. A key filter alone would see none of
// these but the keys.

#include "platform/fieldrule.h"

class QLineEdit;

namespace kirel {

// Installs the rule on the field (also an editable combo box's lineEdit()).
// maxLength > 0: input that would make the text longer is refused, while a
// longer stored value is still shown whole (unlike QLineEdit::setMaxLength,
// which cuts it).
void holdRule(QLineEdit* field, FieldRule rule, int maxLength = 0);

// Shows a stored value as it is, the rule not applied: the rule is for what the
// user puts in.
void setStoredText(QLineEdit* field, const QString& text);

}  // namespace kirel
