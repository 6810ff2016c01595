#pragma once

// "掲示板の設定を読み込む": reads a board's SETTING.TXT from the board's address
// (fetched beside it), from a file, or from text pasted into the box, and hands
// the rules it found to the preferences. A text that is no SETTING.TXT is
// refused with a message and the window stays open; nothing is changed.

#include <QDialog>
#include <optional>

#include "boardrules/settingtxt.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kirel {

class RulesFetch;

class RulesImportDialog : public QDialog {
    Q_OBJECT
  public:
    inline static const QString kCaption = QStringLiteral("掲示板の設定を読み込む");

    explicit RulesImportDialog(QWidget* owner);
    ~RulesImportDialog() override;

    QLineEdit* address = nullptr;
    QPushButton* fetchButton = nullptr;
    QPushButton* cancelFetchButton = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* progressLabel = nullptr;
    QPushButton* fileButton = nullptr;
    QPlainTextEdit* pasted = nullptr;
    QPushButton* readButton = nullptr;
    QPushButton* closeButton = nullptr;

    // What was read, once the window was accepted.
    const std::optional<boardrules::BoardRules>& rules() const { return rules_; }

    // The three ways in (the buttons call these); true when the rules were read
    // (the window is then accepted).
    void fetch();
    bool readFile();
    bool readPasted();

  private:
    bool take(const std::variant<boardrules::BoardRules, boardrules::RulesError>& result);
    void fetchEnded();

    RulesFetch* fetch_ = nullptr;
    std::optional<boardrules::BoardRules> rules_;
};

}  // namespace kirel
