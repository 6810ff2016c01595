#include "preferences/rulesimportdialog.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "core/appstate.h"
#include "platform/prompter.h"
#include "platform/windowlook.h"
#include "preferences/rulesfetch.h"

namespace kirel {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

RulesImportDialog::RulesImportDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("RulesImportDialog"));
    setWindowTitle(kCaption);
    setModal(true);

    address = new QLineEdit(this);
    address->setObjectName(QStringLiteral("RulesAddress"));
    address->setPlaceholderText(QStringLiteral("http://example.jp/board/"));
    address->setToolTip(
        QStringLiteral("掲示板またはスレッドのアドレスです。掲示板のSETTING.TXTを読み込みます"));
    fetchButton = button(this, "FetchRules", QStringLiteral("アドレスから読み込む"));
    cancelFetchButton = button(this, "CancelFetch", QStringLiteral("中止"));
    cancelFetchButton->setEnabled(false);
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("FetchProgress"));
    progress->setRange(0, 0);
    progress->setVisible(false);
    progressLabel = new QLabel(this);
    progressLabel->setObjectName(QStringLiteral("FetchState"));
    fileButton = button(this, "RulesFromFile", QStringLiteral("ファイルから読み込む..."));
    pasted = new QPlainTextEdit(this);
    pasted->setObjectName(QStringLiteral("RulesText"));
    pasted->setPlaceholderText(QStringLiteral("BBS_TITLE=...\nBBS_MESSAGE_COUNT=..."));
    readButton = button(this, "ReadRulesText", QStringLiteral("貼り付けた内容を読み込む"));
    closeButton = button(this, "CloseRules", QStringLiteral("閉じる"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("掲示板のアドレス"), this), 0, 0, 1, 3);
    grid->addWidget(address, 1, 0, 1, 2);
    grid->addWidget(fetchButton, 1, 2);
    grid->addWidget(progress, 2, 0);
    grid->addWidget(progressLabel, 2, 1);
    grid->addWidget(cancelFetchButton, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("SETTING.TXTのファイル"), this), 3, 0, 1, 2);
    grid->addWidget(fileButton, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("SETTING.TXTの内容を貼り付け"), this), 4, 0, 1, 3);
    grid->addWidget(pasted, 5, 0, 1, 3);
    grid->addWidget(readButton, 6, 2);
    grid->addWidget(
        new QLabel(QStringLiteral("＊読み込んだ内容は「設定反映」で保存されます。"), this), 7, 0, 1,
        2);
    grid->addWidget(closeButton, 7, 2);
    grid->setColumnStretch(1, 1);

    connect(fetchButton, &QPushButton::clicked, this, &RulesImportDialog::fetch);
    connect(address, &QLineEdit::returnPressed, this, &RulesImportDialog::fetch);
    connect(cancelFetchButton, &QPushButton::clicked, this, [this] {
        if (fetch_) fetch_->cancel();
    });
    connect(fileButton, &QPushButton::clicked, this, [this] { readFile(); });
    connect(readButton, &QPushButton::clicked, this, [this] { readPasted(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    applyWindowLook(this);
    resize(480, 360);
}

RulesImportDialog::~RulesImportDialog() = default;

bool RulesImportDialog::take(
    const std::variant<boardrules::BoardRules, boardrules::RulesError>& result) {
    if (const auto* error = std::get_if<boardrules::RulesError>(&result)) {
        showMessage(error->message, Icon::Warning);
        return false;
    }
    rules_ = std::get<boardrules::BoardRules>(result);
    accept();
    return true;
}

bool RulesImportDialog::readPasted() {
    if (pasted->toPlainText().trimmed().isEmpty()) {
        showMessage(QStringLiteral("SETTING.TXTの内容が貼り付けられていません。"), Icon::Warning);
        return false;
    }
    return take(boardrules::parseSettingText(pasted->toPlainText()));
}

bool RulesImportDialog::readFile() {
    const QString name = Prompter::current().openFileName(
        {QStringLiteral("SETTING.TXTを開く"), app().AppDir, QStringLiteral("SETTING.TXT"),
         QStringLiteral("SETTING.TXT (SETTING.TXT *.txt)|SETTING.TXT;*.txt|すべてのファイル "
                        "(*.*)|*.*")});
    if (name.isEmpty()) return false;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        showPlain(name + QStringLiteral(" を開けません。\r\n") + file.errorString());
        return false;
    }
    return take(boardrules::parseSettingTxt(file.read(boardrules::kMaxSettingBytes + 1)));
}

void RulesImportDialog::fetch() {
    if (fetch_) return;
    const QUrl url = boardrules::settingTxtUrl(address->text());
    if (!url.isValid()) {
        showMessage(
            QStringLiteral("掲示板のアドレス（http:// または https:// で始まるもの）を入力し"
                           "てください。"),
            Icon::Warning);
        address->setFocus();
        address->selectAll();
        return;
    }
    fetch_ = new RulesFetch(this);
    progress->setRange(0, 0);
    progress->setVisible(true);
    progressLabel->setText(QStringLiteral("読み込み中: ") + url.toDisplayString());
    fetchButton->setEnabled(false);
    cancelFetchButton->setEnabled(true);
    connect(fetch_, &RulesFetch::progress, this, [this](qint64 received, qint64 total) {
        if (total > 0) {
            progress->setRange(0, int(total));
            progress->setValue(int(received));
        }
    });
    connect(fetch_, &RulesFetch::finished, this, [this](const QByteArray& bytes) {
        fetchEnded();
        take(boardrules::parseSettingTxt(bytes));
    });
    connect(fetch_, &RulesFetch::failed, this, [this](const QString& message) {
        fetchEnded();
        showMessage(message, Icon::Warning);
    });
    fetch_->start(url);
}

void RulesImportDialog::fetchEnded() {
    fetch_->deleteLater();
    fetch_ = nullptr;
    progress->setVisible(false);
    progressLabel->clear();
    fetchButton->setEnabled(true);
    cancelFetchButton->setEnabled(false);
}

}  // namespace kirel
