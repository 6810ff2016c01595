// The board pages' part that a board can fill in itself: its name and line
// limit, and the import of its SETTING.TXT into the page's fields.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "boardrules/published.h"
#include "platform/prompter.h"
#include "platform/rulefield.h"
#include "preferences/preferencesdialog.h"
#include "preferences/rulesimportdialog.h"

namespace kirel {
namespace {

const QString kPageCaptions[3] = {QStringLiteral("掲示板１"), QStringLiteral("掲示板２"),
                                  QStringLiteral("掲示板３")};

}  // namespace

void PreferencesDialog::buildRulesRow(int b, QWidget* page, QGridLayout* grid, int row) {
    BoardPage& f = boards[b];
    const QString n = QString::number(b + 1);
    f.name = new QLineEdit(page);
    f.name->setObjectName(QStringLiteral("BoardName") + n);
    f.name->setToolTip(QStringLiteral("掲示板の名前です（メニューと見出しに表示されます）"));
    f.lineLimit = new QLineEdit(page);
    f.lineLimit->setObjectName(QStringLiteral("LineLimit") + n);
    // Four digits at most, typed, by every input path; a stored value shows whole.
    holdRule(f.lineLimit, FieldRule::Digits, 4);
    f.lineLimit->setToolTip(QStringLiteral("1回の投稿に書ける最大行数です（空欄で制限なし）"));
    f.lineLimit->installEventFilter(this);
    f.importRules = new QPushButton(QStringLiteral("掲示板の設定を読み込む(&R)"), page);
    f.importRules->setObjectName(QStringLiteral("ImportRules") + n);
    f.importRules->setToolTip(
        QStringLiteral("掲示板のSETTING.TXTから文字数・行数の制限と色を読み込みます"));
    f.importRules->setAutoDefault(false);

    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("掲示板名"), page));
    line->addWidget(f.name, 1);
    line->addWidget(new QLabel(QStringLiteral("最大行数"), page));
    line->addWidget(f.lineLimit);
    f.lineLimit->setFixedWidth(48);
    grid->addLayout(line, row, 0, 1, 4);
    grid->addWidget(f.importRules, row + 1, 0, 1, 2);

    connect(f.name, &QLineEdit::textChanged, this, [this, b] {
        changed_ = true;
        showBoardName(b);
    });
    connect(f.lineLimit, &QLineEdit::textChanged, this, [this] { changed_ = true; });
    connect(f.importRules, &QPushButton::clicked, this, [this, b] { importRules(b); });
}

void PreferencesDialog::showBoardName(int b) {
    pages->setTabText(prefs::boardPage(b), boardrules::withBoardName(
                                               kPageCaptions[b], boards[b].name->text().trimmed()));
}

void PreferencesDialog::importRules(int b) {
    RulesImportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted || !dialog.rules()) return;
    applyRules(b, *dialog.rules());
}

void PreferencesDialog::applyRules(int b, const boardrules::BoardRules& rules) {
    BoardPage& f = boards[b];
    pages->setCurrentIndex(prefs::boardPage(b));
    QStringList read;
    const auto put = [&read](QLineEdit* field, const std::optional<QString>& value,
                             const QString& what) {
        if (!value) return;
        field->setText(*value);
        read << what + QStringLiteral(": ") + *value;
    };
    const auto number = [](const std::optional<int>& n) {
        return n ? std::optional<QString>(QString::number(*n)) : std::nullopt;
    };
    put(f.name, rules.title, QStringLiteral("掲示板名"));
    put(f.limit, number(rules.charLimit), QStringLiteral("最大文字数（全角）"));
    put(f.lineLimit, number(rules.lineLimit), QStringLiteral("最大行数"));
    put(f.textColor, rules.textColor, QStringLiteral("文字色"));
    put(f.cellColor, rules.cellColor, QStringLiteral("セル色"));
    put(f.backColor, rules.backColor, QStringLiteral("背景色"));
    changed_ = true;
    showMessage(QStringLiteral("掲示板の設定を読み込みました。\r\n") +
                    read.join(QStringLiteral("\r\n")) +
                    QStringLiteral("\r\n\r\n「設定反映」で保存されます。"),
                Icon::Information);
}

}  // namespace kirel
