#pragma once

// The decorative rules: one line of ornamental characters per rule, kept in
// "user/kazari.txt" (Shift-JIS, CR LF), edited as a whole in the rule dialog.

#include <QString>
#include <QStringList>

namespace kirel::decoration {

// Path of the rule file under the program folder.
QString ruleFilePath(const QString& appDir);

// Creates the rule file empty (and its folder) when it is missing. Throws
// kirel::Failure when that is not possible.
void ensureRuleFile(const QString& path);

// The rules of the file, one a line, in file order; an empty line is an empty
// rule. Throws kirel::Failure when the file cannot be read.
QStringList readRules(const QString& path);

// The editor's text as rules: one a line; a line break at the very end does
// not start another rule, and an empty editor holds no rule.
QStringList rulesOfEditorText(const QString& text);
// The rules as the editor shows them: each followed by a line break, so that an
// empty last rule survives the way back.
QString editorTextOfRules(const QStringList& rules);

// Writes the editor's text as the rule file, replacing it in one step. Throws
// kirel::Failure when it cannot be written.
void saveRules(const QString& path, const QString& editorText);

}  // namespace kirel::decoration
