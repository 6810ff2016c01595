#pragma once

#include <QObject>

#include "app/editcommands.h"

class QPlainTextEdit;
class TForm1;

namespace kirel {

class FindDialog;
class ReplaceDialog;

// A TextPane over one of the window's plain-text panes.
class QtTextPane final : public TextPane {
  public:
    explicit QtTextPane(QPlainTextEdit* edit) : edit_(edit) {}

    QString text() const override;
    void setText(const QString& text) override;
    qsizetype selectionStart() const override;
    qsizetype selectionLength() const override;
    void select(qsizetype start, qsizetype length) override;
    void replaceSelection(const QString& text) override;
    void giveFocus() override;
    void showCaret() override;

  private:
    QPlainTextEdit* edit_;
};

// The editing commands of the edit pane's and quote pane's context menus, and the
// find and replace dialogs. Connects itself to the window's menu items.
class EditCommands : public QObject {
    Q_OBJECT
  public:
    explicit EditCommands(TForm1* form);
    ~EditCommands() override;

    void N1Click();   // quote marks
    void N13Click();  // heart mark 1
    void N23Click();  // heart mark 2
    void N6Click();   // count the selection
    void N7Click();   // split-post window
    void Find1Click();
    void Replace1Click();
    void FindDialog1Find();
    void ReplaceDialog1Replace();
    void BR1Click();
    void N14Click();  // quote pane selection into the edit pane

    // The split-post window for the edit pane's selection. The window is not
    // part of the program yet, so for now this does nothing.
    void openSplitPost();

    // Created on first use, then kept (with their texts) for the whole run.
    FindDialog* findDialog();
    ReplaceDialog* replaceDialog();

  private:
    void PopupMenu4Popup();
    void PopupMenu8Popup();

    TForm1* form_;
    QtTextPane edit_;
    QtTextPane quote_;
    FindDialog* FindDialog1 = nullptr;
    ReplaceDialog* ReplaceDialog1 = nullptr;
};

}  // namespace kirel
