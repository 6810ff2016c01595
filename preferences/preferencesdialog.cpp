#include "preferences/preferencesdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/colorswatchbutton.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/colors.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/rulefield.h"
#include "platform/textfile.h"
#include "platform/toplevelwindows.h"
#include "platform/windowlook.h"

namespace kirel {
namespace {

const QString kPictureTitle = QStringLiteral("背景画像の指定");
const QString kPictureFilter = QStringLiteral(
    "画像ファイル "
    "(*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.gif;*.png)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;"
    "*.wmf;*.gif;*.png|JPEG イメージファイル (*.jpg)|*.jpg|JPEG イメージファイル (*.jpeg)|*.jpeg|"
    "ビットマップ (*.bmp)|*.bmp|ＧＩＦ(*.gif)|*.gif|PNG(*.png)|*.png|アイコン (*.ico)|*.ico|"
    "エンハンス メタファイル (*.emf)|*.emf|メタファイル (*.wmf)|*.wmf");
const QString kQuoteListFile = QStringLiteral("user/inyoufu.txt");
const QString kSampleText = QStringLiteral("aAあア亜");
const QString kPathHint = QStringLiteral("画像のパスです。");
const int kWhite = colorInt(255, 255, 255);
const int kSilver = 12632256;

// Designer names of the board pages' controls, board 1, 2, 3.
struct BoardNames {
    const char *page, *limit, *text, *cell, *width, *frame, *back, *image, *browse, *sample;
};
constexpr BoardNames kBoardNames[3] = {
    {"TabSheet1", "Edit1", "Edit4", "Edit5", "Edit19", "CheckBox1", "Edit22", "Edit3", "Button11",
     "PictureButton1"},
    {"TabSheet4", "Edit25", "Edit27", "Edit28", "Edit29", "CheckBox4", "Edit26", "Edit30",
     "Button12", "PictureButton2"},
    {"TabSheet5", "Edit2", "Edit7", "Edit20", "Edit23", "CheckBox2", "Edit6", "Edit31", "Button13",
     "PictureButton3"},
};
const QString kBoardCaptions[3] = {QStringLiteral("掲示板１"), QStringLiteral("掲示板２"),
                                   QStringLiteral("掲示板３")};

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength, const QString& hint) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    e->setToolTip(hint);
    return e;
}

QLabel* label(QWidget* parent, const QString& text, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QLatin1String(name));
    return l;
}

// A label on the cream background the notes of the dialog use.
QLabel* note(QWidget* parent, const QString& text, const char* name = nullptr) {
    QLabel* l = label(parent, text, name);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    l->setPalette(p);
    l->setWordWrap(true);
    return l;
}

QPixmap loadPicture(const QString& path) {
    QPixmap pixmap;
    if (!path.isEmpty()) pixmap.load(path);
    return pixmap;
}

// The windows that take the window colour, by caption (the split-post window
// may be open several times).
void recolorWindows(int color) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || !PreferencesDialog::recoloredCaptions().contains(w->windowTitle()))
            continue;
        QPalette p = w->palette();
        p.setColor(QPalette::Window, qcolorOf(color));
        w->setPalette(p);
        w->setAutoFillBackground(true);
        w->update();
    }
}

}  // namespace

const QStringList& PreferencesDialog::recoloredCaptions() {
    static const QStringList captions = {
        QStringLiteral("HTMLタグで文字を修飾"),
        QStringLiteral("顔文字選択"),
        QStringLiteral("定型文選択"),
        QStringLiteral("分割投稿する"),
    };
    return captions;
}

PreferencesDialog::PreferencesDialog(EditorHost& host, QWidget* owner,
                                     PreferencesCallbacks callbacks)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      callbacks_(std::move(callbacks)) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(kCaption);
    setModal(true);
    buildWidgets();
    load();
    setFixedSize(sizeHint());
    if (owner) {
        const QWidget* centre = owner->window();
        move(centre->geometry().center() - rect().center());
    }
}

PreferencesDialog::~PreferencesDialog() {
    app().ClipCaptureOn = 1;
}

bool PreferencesDialog::open(EditorHost& host, QWidget* owner,
                             const PreferencesCallbacks& callbacks) {
    PreferencesDialog dialog(host, owner, callbacks);
    dialog.exec();
    return dialog.saved_;
}

// ---------------------------------------------------------------- building

void PreferencesDialog::buildWidgets() {
    auto* outer = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    for (int b = 0; b < 3; ++b) pages->addTab(buildBoardPage(b), kBoardCaptions[b]);
    pages->addTab(buildColorPage(), QStringLiteral("色設定"));
    pages->addTab(buildQuotePage(), QStringLiteral("引用の設定"));
    pages->addTab(buildFormPage(), QStringLiteral("フォーム"));
    outer->addWidget(pages);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    saveButton = new QPushButton(QStringLiteral("設定反映(&A)"), this);
    saveButton->setObjectName(QStringLiteral("Button1"));
    saveButton->setToolTip(QStringLiteral("すべての設定を反映します"));
    cancelButton = new QPushButton(QStringLiteral("キャンセル(&X)"), this);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {saveButton, cancelButton}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        app().ClipCaptureOn = 1;
        reject();
    });
}

QWidget* PreferencesDialog::buildBoardPage(int b) {
    const BoardNames& n = kBoardNames[b];
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(n.page));
    BoardPage& f = boards[b];
    f.limit = lineEdit(page, n.limit, 0, QStringLiteral("掲示板に投稿できる最大文字数です"));
    f.textColor =
        lineEdit(page, n.text, 7, QStringLiteral("掲示板に投稿されている文字の色を指定します"));
    f.cellColor =
        lineEdit(page, n.cell, 7, QStringLiteral("投稿内容が表示される背景の色を指定します"));
    f.cellWidth = lineEdit(page, n.width, 0, QStringLiteral("投稿内容が表示される幅を指定します"));
    f.backColor = lineEdit(page, n.back, 7, QStringLiteral("掲示板の背景となる色を指定します"));
    f.image = lineEdit(page, n.image, 0, QStringLiteral("画像ファイルのアドレスを指定します"));
    f.frame = new QCheckBox(QStringLiteral("セル枠あり"), page);
    f.frame->setObjectName(QLatin1String(n.frame));
    f.browse = new QPushButton(QStringLiteral("参照"), page);
    f.browse->setObjectName(QLatin1String(n.browse));
    f.browse->setToolTip(QStringLiteral("画像ファイルを参照します"));
    f.browse->setAutoDefault(false);
    f.sample = new PictureButton(page);
    f.sample->setObjectName(QLatin1String(n.sample));
    f.sample->setButtonStyle(PictureButton::bsLowered);
    f.sample->setCaption(kSampleText);
    f.sample->setPictureLeft(0);
    f.sample->setPictureTop(0);
    f.sample->setEnabled(false);
    f.sample->setFixedSize(120, 48);

    auto* grid = new QGridLayout(page);
    grid->addWidget(label(page, QStringLiteral("文字数制限の設定")), 0, 0, 1, 4);
    grid->addWidget(label(page, QStringLiteral("全角文字（ひらがな・漢字）で投稿できる最大文字数")),
                    1, 0, 1, 3);
    grid->addWidget(f.limit, 1, 3);
    grid->addWidget(label(page, QStringLiteral("ブラウザで投稿内容を確認する掲示板の設定")), 2, 0,
                    1, 4);
    grid->addWidget(label(page, QStringLiteral("文字色")), 3, 0);
    grid->addWidget(f.textColor, 3, 1);
    grid->addWidget(label(page, QStringLiteral("セル色")), 4, 0);
    grid->addWidget(f.cellColor, 4, 1);
    grid->addWidget(f.frame, 4, 2);
    grid->addWidget(label(page, QStringLiteral("セル幅")), 5, 0);
    grid->addWidget(f.cellWidth, 5, 1);
    grid->addWidget(label(page, QStringLiteral("背景色")), 6, 0);
    grid->addWidget(f.backColor, 6, 1);
    grid->addWidget(label(page, QStringLiteral("背景画像の場所")), 7, 0);
    grid->addWidget(f.image, 7, 1, 1, 2);
    grid->addWidget(f.browse, 7, 3);
    grid->addWidget(label(page, QStringLiteral("掲示板投稿のサンプル")), 3, 3);
    grid->addWidget(f.sample, 4, 3, 3, 1, Qt::AlignTop);
    grid->addWidget(note(page, QStringLiteral("＊セル色を空欄にすると、背景画像を透過できます。")),
                    8, 0, 1, 4);
    buildRulesRow(b, page, grid, 9);
    grid->setRowStretch(11, 1);

    // Four digits at most, typed: a longer stored value is still shown whole.
    for (QLineEdit* e : {f.limit, f.cellWidth}) holdRule(e, FieldRule::Digits, 4);
    for (QLineEdit* e : {f.textColor, f.cellColor, f.backColor}) holdRule(e, FieldRule::Hex);
    for (QLineEdit* e : {f.limit, f.cellWidth, f.textColor, f.cellColor, f.backColor})
        e->installEventFilter(this);
    connect(f.limit, &QLineEdit::textChanged, this, [this] { changed_ = true; });
    connect(f.cellWidth, &QLineEdit::textChanged, this, [this] { changed_ = true; });
    connect(f.image, &QLineEdit::textChanged, this, [this] { changed_ = true; });
    connect(f.textColor, &QLineEdit::textChanged, this, [this, b] { textColorEdited(b); });
    connect(f.cellColor, &QLineEdit::textChanged, this, [this, b] { cellColorEdited(b); });
    connect(f.backColor, &QLineEdit::textChanged, this, [this, b] { backColorEdited(b); });
    connect(f.browse, &QPushButton::clicked, this, [this, b] { browseImage(b); });
    return page;
}

QWidget* PreferencesDialog::buildColorPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* grid = new QGridLayout(page);
    grid->addWidget(label(page, QStringLiteral("変更したい色のボタンをクリックしてください。")), 0,
                    0, 1, 6);
    grid->addWidget(label(page, QStringLiteral("HTML16進数による指定色で設定することもできます。")),
                    1, 0, 1, 6);
    for (int i = 0; i < 8; ++i) {
        auto* swatch = new ColorSwatchButton(page);
        swatch->setObjectName(QStringLiteral("LorviButton%1").arg(i + 1));
        swatch->setFixedSize(40, 24);
        presetSwatches[i] = swatch;
        QLineEdit* field = lineEdit(page, "", 7, QString());
        field->setObjectName(QStringLiteral("Edit%1").arg(10 + i));
        holdRule(field, FieldRule::Hex);
        field->installEventFilter(this);
        presetFields[i] = field;
        auto* revert = new QPushButton(QStringLiteral("戻す"), page);
        revert->setObjectName(QStringLiteral("Button%1").arg(3 + i));
        revert->setToolTip(QStringLiteral("設定前に戻します"));
        revert->setAutoDefault(false);
        revertButtons[i] = revert;
        const int row = 2 + i % 4;
        const int col = (i / 4) * 3;
        grid->addWidget(swatch, row, col);
        grid->addWidget(field, row, col + 1);
        grid->addWidget(revert, row, col + 2);
        connect(swatch, &QPushButton::clicked, this, [this, i] { choosePreset(i); });
        connect(field, &QLineEdit::textChanged, this, [this, i] { presetEdited(i); });
        connect(revert, &QPushButton::clicked, this, [this, i] { revertPreset(i); });
    }
    grid->setRowStretch(6, 1);
    return page;
}

QWidget* PreferencesDialog::buildQuotePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    handleMax = lineEdit(page, "Edit18", 0, QString());
    holdRule(handleMax, FieldRule::Digits, 2);
    handleMax->installEventFilter(this);
    const auto memo = [page](const char* name) {
        auto* m = new QPlainTextEdit(page);
        m->setObjectName(QLatin1String(name));
        m->setFocusPolicy(Qt::StrongFocus);
        return m;
    };
    handleFront = memo("Memo1");
    handleBack = memo("Memo2");
    quoteList = memo("Memo3");
    for (QPlainTextEdit* m : {handleFront, handleBack}) {
        m->setMaximumHeight(48);
        // At most 256 characters each.
        connect(m, &QPlainTextEdit::textChanged, m, [m] {
            const QString text = m->toPlainText();
            if (text.size() <= 256) return;
            QTextCursor c = m->textCursor();
            m->setPlainText(text.left(256));
            c.setPosition(std::min<int>(c.position(), 256));
            m->setTextCursor(c);
        });
    }
    chooseQuoteButton = new QPushButton(QStringLiteral("選択する"), page);
    chooseQuoteButton->setObjectName(QStringLiteral("Button15"));
    chooseQuoteButton->setToolTip(QStringLiteral("引用符を選択します"));
    chooseQuoteButton->setAutoDefault(false);

    auto* grid = new QGridLayout(page);
    grid->addWidget(label(page, QStringLiteral("ひな型の設定")), 0, 0, 1, 2);
    grid->addWidget(label(page, QStringLiteral("ハンドルネームとする文字数(0～99)")), 1, 0);
    grid->addWidget(handleMax, 1, 1);
    grid->addWidget(label(page, QStringLiteral("ハンドルネームの先頭につける文字またはHTMLタグ")),
                    2, 0, 1, 2);
    grid->addWidget(handleFront, 3, 0, 1, 2);
    grid->addWidget(label(page, QStringLiteral("ハンドルネームの末尾につける文字またはHTMLタグ")),
                    4, 0, 1, 2);
    grid->addWidget(handleBack, 5, 0, 1, 2);
    grid->addWidget(label(page, QStringLiteral("引用符の設定")), 0, 2);
    grid->addWidget(quoteList, 1, 2, 5, 1);
    grid->addWidget(label(page, QStringLiteral("引用符の選択")), 6, 2);
    grid->addWidget(chooseQuoteButton, 7, 2);

    connect(handleMax, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) handleMax->setText(QStringLiteral("0"));
        changed_ = true;
    });
    connect(quoteList, &QPlainTextEdit::textChanged, this, [this] { quoteModified_ = true; });
    connect(chooseQuoteButton, &QPushButton::clicked, this, [this] { chooseQuoteMark(); });
    return page;
}

QWidget* PreferencesDialog::buildFormPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet6"));
    picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setToolTip(QStringLiteral("メインフォームに表示される画像です"));
    picture->setFixedSize(100, 100);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pictureChoice = new QComboBox(page);
    pictureChoice->setObjectName(QStringLiteral("ComboBox1"));
    pictureChoice->setToolTip(QStringLiteral("画像を指定します"));
    pictureChoice->addItems({QStringLiteral("ピルミちゃん"), QStringLiteral("トポちゃん"),
                             QStringLiteral("クロトポちゃん"), QStringLiteral("ユーザー設定1"),
                             QStringLiteral("ユーザー設定2"), QStringLiteral("ユーザー設定3"),
                             QStringLiteral("指定しない")});
    picturePathField = lineEdit(page, "Edit8", 0, kPathHint);
    picturePathField->setReadOnly(true);
    changePictureButton = new QPushButton(QStringLiteral("設定変更"), page);
    changePictureButton->setObjectName(QStringLiteral("Button14"));
    changePictureButton->setToolTip(QStringLiteral("画像の変更を行います"));
    changePictureButton->setAutoDefault(false);

    auto* swatchRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* swatch = new ColorSwatchButton(page);
        swatch->setObjectName(QStringLiteral("LorviButton%1").arg(9 + i));
        swatch->setFixedSize(40, 24);
        windowSwatches[i] = swatch;
        swatchRow->addWidget(swatch);
        connect(swatch, &QPushButton::clicked, this, [this, i] { clickWindowSwatch(i); });
    }
    swatchRow->addStretch();
    changeColorMode = new QRadioButton(QStringLiteral("フォームの色を変更する"), page);
    changeColorMode->setObjectName(QStringLiteral("RadioButton1"));
    changeColorMode->setToolTip(QStringLiteral("選択後ボタンクリックでフォームの色を変更できます"));
    changeColorMode->setChecked(true);
    makeColorMode = new QRadioButton(QStringLiteral("フォームの色を作成する"), page);
    makeColorMode->setObjectName(QStringLiteral("RadioButton2"));
    makeColorMode->setToolTip(
        QStringLiteral("選択後ボタンクリックでフォームに表示される色を作成できます"));
    auto* modes = new QButtonGroup(page);
    modes->addButton(changeColorMode);
    modes->addButton(makeColorMode);
    quoteColor = new QCheckBox(QStringLiteral("引用符を色分けする"), page);
    quoteColor->setObjectName(QStringLiteral("CheckBox3"));
    quoteItalic = new QCheckBox(QStringLiteral("引用文を斜体にする"), page);
    quoteItalic->setObjectName(QStringLiteral("CheckBox5"));
    saveFolder = lineEdit(page, "Edit9", 0,
                          QStringLiteral("外部ツールより起動されたときのセーブフォルダです"));

    auto* grid = new QGridLayout(page);
    grid->addWidget(label(page, QStringLiteral("メインフォームに表示される画像の設定")), 0, 0, 1,
                    3);
    grid->addWidget(picture, 1, 0, 3, 1);
    grid->addWidget(pictureChoice, 1, 1);
    grid->addWidget(changePictureButton, 1, 2);
    grid->addWidget(picturePathField, 2, 1, 1, 2);
    grid->addWidget(label(page, QStringLiteral("フォームの色設定")), 4, 0, 1, 3);
    grid->addLayout(swatchRow, 5, 0, 1, 3);
    grid->addWidget(changeColorMode, 6, 0, 1, 2);
    grid->addWidget(makeColorMode, 7, 0, 1, 2);
    grid->addWidget(note(page,
                         QStringLiteral("＊変更したい色のボタンをクリックしてください。\r\n"
                                        "　項目を選択することで、色の作成を行うことができます。"),
                         "Label40"),
                    6, 2, 2, 1);
    grid->addWidget(label(page, QStringLiteral("引用文の設定")), 8, 0, 1, 3);
    grid->addWidget(quoteColor, 9, 0, 1, 2);
    grid->addWidget(quoteItalic, 9, 2);
    grid->addWidget(label(page, QStringLiteral("コマンドライン起動時のセーブフォルダ")), 10, 0, 1,
                    3);
    grid->addWidget(saveFolder, 11, 0, 1, 3);
    grid->setRowStretch(12, 1);

    connect(pictureChoice, &QComboBox::activated, this, &PreferencesDialog::choosePicture);
    connect(changePictureButton, &QPushButton::clicked, this, [this] { changePicture(); });
    connect(saveFolder, &QLineEdit::textChanged, this, [this] { changed_ = true; });
    return page;
}

// ---------------------------------------------------------------- opening

void PreferencesDialog::load() {
    const Profile ini(app().iniPath());
    prefs::Values v = prefs::readValues(ini, app().AppDir);
    formColor_ = v.formColor;
    applyWindowLook(this, formColor_);
    openedBoard_ = v.currentBoard;

    for (int b = 0; b < 3; ++b) {
        const prefs::BoardFields& src = v.boards[b];
        BoardPage& f = boards[b];
        // Shown as stored; the fields' rules are for what the user types.
        setStoredText(f.limit, src.limit);
        setStoredText(f.textColor, src.textColor);
        setStoredText(f.cellColor, src.cellColor);
        setStoredText(f.cellWidth, src.cellWidth);
        setStoredText(f.backColor, src.backColor);
        f.image->setText(src.image);
        f.frame->setChecked(src.frame);
        f.name->setText(src.name);
        f.lineLimit->setText(src.lineLimit);
        hadPublished_[b] = src.hadPublished;
        showBoardName(b);
    }
    saveFolder->setText(v.savePath);
    for (int i = 0; i < 8; ++i) {
        presetSwatches[i]->setColor(qcolorOf(v.presetColors[i]));
        setStoredText(presetFields[i], v.presetHtml[i]);
    }
    setStoredText(handleMax, v.handleMax);
    handleFront->setPlainText(v.handleFront);
    handleBack->setPlainText(v.handleBack);
    pictureChoice->setCurrentIndex(v.pictureChoice);
    picturePath_ = v.picturePath;
    userPictures_ = v.userPictures;
    for (int k = 0; k < 4; ++k) windowSwatches[k]->setColor(qcolorOf(v.formButtonColors[k]));
    madeColor_ = v.formButtonColors[1];
    quoteColor->setChecked(v.quoteColor);
    quoteItalic->setChecked(v.quoteItalic);

    // The colour fields as shown: "#" in front; a board without a cell colour
    // has no frame to draw.
    for (int b = 0; b < 3; ++b) {
        BoardPage& f = boards[b];
        if (f.cellColor->text().isEmpty()) {
            f.frame->setChecked(false);
            f.frame->setEnabled(false);
        }
        showSamplePicture(b);
        const QString cell = f.cellColor->text();
        int color = kWhite;
        if (!cell.isEmpty()) colorStringToInt(cell, &color);
        f.sample->setColor(qcolorOf(color));
        int text = 0;
        if (colorStringToInt(f.textColor->text(), &text)) f.sample->setFontColor(qcolorOf(text));
    }

    try {
        // A list that does not exist yet is empty; saving creates it.
        const QString quotePath = app().path(kQuoteListFile);
        if (QFileInfo::exists(quotePath))
            quoteList->setPlainText(readItemList(quotePath).join(QLatin1Char('\n')));
    } catch (const Failure& failure) {
        showError(failure.message());
    }

    if (findWindow(recoloredCaptions().at(0))) {
        pages->setCurrentIndex(prefs::kColorPage);
    } else {
        pages->setCurrentIndex(prefs::boardPage(openedBoard_));
        boards[openedBoard_].limit->setFocus();
    }

    // The picture page.
    const int choice = pictureChoice->currentIndex();
    showPicture(picturePath_);
    picturePathField->setText(picturePath_);
    changePictureButton->setEnabled(choice >= 3 && choice <= 5);
    if (choice == prefs::kNoPicture) showPlaceholder(QStringLiteral("(未表示)"));
    windowSwatches[1]->setColor(qcolorOf(madeColor_));
    setPathHint();

    app().ClipCaptureOn = 0;
    changed_ = false;
    quoteModified_ = false;
}

// ---------------------------------------------------------------- fields

bool PreferencesDialog::eventFilter(QObject* watched, QEvent* event) {
    // What the digit and colour fields take is their rule's (holdRule), by keys,
    // input method, paste and drop alike; accepted characters set the changed
    // flag through the fields' change handlers. Enter and Backspace set it too.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Backspace)
            changed_ = true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<int> PreferencesDialog::runColorRule(QLineEdit* field, bool mayBeEmpty) {
    const prefs::ColorEdit e =
        mayBeEmpty ? prefs::cellColorRule(field->text()) : prefs::colorRule(field->text());
    if (e.text != field->text()) {
        // The corrected text comes back through the change handler, which then
        // finishes the rule.
        field->setText(e.text);
        if (e.caret >= 0) field->setCursorPosition(e.caret);
        return std::nullopt;
    }
    if (!e.complete) return std::nullopt;
    if (!e.valid) {
        // Also while the dialog opens: a bad stored colour is reported as one typed.
        showMessage(prefs::kColorTypo, Icon::Warning);
        field->setFocus();
        field->selectAll();
        return std::nullopt;
    }
    return e.color;
}

void PreferencesDialog::textColorEdited(int b) {
    if (const std::optional<int> c = runColorRule(boards[b].textColor, false))
        boards[b].sample->setFontColor(qcolorOf(*c));
    changed_ = true;
}

void PreferencesDialog::backColorEdited(int b) {
    runColorRule(boards[b].backColor, false);
    changed_ = true;
}

void PreferencesDialog::presetEdited(int row) {
    if (const std::optional<int> c = runColorRule(presetFields[row], false))
        presetSwatches[row]->setColor(qcolorOf(*c));
    changed_ = true;
}

void PreferencesDialog::cellColorEdited(int b) {
    changed_ = true;
    BoardPage& f = boards[b];
    if (!f.cellColor->text().isEmpty()) {
        f.frame->setEnabled(true);
        if (const std::optional<int> c = runColorRule(f.cellColor, true)) {
            f.sample->setColor(qcolorOf(*c));
            f.sample->setPicture(QPixmap());
        }
        return;
    }
    f.frame->setChecked(false);
    f.frame->setEnabled(false);
    showSamplePicture(b);
    int back = 0;
    if (f.image->text().isEmpty() && f.backColor->text().size() == 7 &&
        colorStringToInt(f.backColor->text(), &back))
        f.sample->setColor(qcolorOf(back));
}

void PreferencesDialog::showSamplePicture(int b) {
    const QString path =
        prefs::samplePicture(boards[b].cellColor->text(), boards[b].image->text(), fileExists);
    if (!path.isEmpty()) boards[b].sample->setPicture(loadPicture(path));
}

void PreferencesDialog::browseImage(int b) {
    BoardPage& f = boards[b];
    FileRequest request{kPictureTitle, app().AppDir, QString(), kPictureFilter};
    const QString current = f.image->text();
    if (!current.isEmpty() && fileExists(current)) {
        request.directory = QFileInfo(current).absolutePath();
        request.fileName = QFileInfo(current).fileName();
    }
    const QString chosen = Prompter::current().openPictureName(request);
    if (chosen.isEmpty()) return;
    f.image->setText(chosen);
    const QString cell = f.cellColor->text();
    if (!prefs::namesGifOrPng(chosen)) {
        if (!cell.isEmpty()) {
            f.cellColor->setFocus();
            f.cellColor->selectAll();
            if (ask(QStringLiteral(
                    "セル色が空欄ではありません。\r\nセル色を空欄にしますと、背景画像を"
                    "透過した投稿内容の確認ができます。\r\nセル色を空欄にしますか？"))) {
                f.cellColor->clear();
            } else if (int c = 0; cell.size() == 7 && colorStringToInt(cell, &c)) {
                f.sample->setColor(qcolorOf(c));
                f.sample->setPicture(QPixmap());
            }
        } else {
            f.sample->setPicture(loadPicture(chosen));
        }
    } else {
        showPlain(
            QStringLiteral("背景画像としてgifまたはpngが指定されています。\r\nこのままですと、サン"
                           "プルに画像が表示で"
                           "きません。\r\nビットマップ(拡張子がbmp)"
                           "に画像を変換して指定されることをおすすめします。"));
        int c = kWhite;
        if (!cell.isEmpty() && !(cell.size() == 7 && colorStringToInt(cell, &c))) c = -1;
        if (c >= 0) f.sample->setColor(qcolorOf(c));
        f.sample->setPicture(QPixmap());
    }
    changed_ = true;
}

// A failure is shown and the caller goes on.
void PreferencesDialog::saveQuoteList() {
    const QString path = app().path(kQuoteListFile);
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        writeItemList(path, prefs::quoteMarkLines(quoteList->toPlainText()));
    } catch (const Failure& failure) {
        showPlain(failure.message());
    }
}

void PreferencesDialog::chooseQuoteMark() {
    if (quoteModified_) {
        if (!ask(QStringLiteral(
                "引用符を選択するためには、編集された引用符を保存する必要があります。\r\n保存します"
                "か？\r\n\r\n("
                "OKボタンをクリックすると引用符の内容が保存され、引用符の選択を表示しま"
                "す。)")))
            return;
        saveQuoteList();
        quoteModified_ = false;
    }
    if (callbacks_.chooseQuoteMark) callbacks_.chooseQuoteMark(this);
}

// ---------------------------------------------------------------- colour page

void PreferencesDialog::choosePreset(int row) {
    ColorSwatchButton* swatch = presetSwatches[row];
    const int current = colorIntOf(swatch->color());
    const unsigned rgb = (unsigned(colorRed(current)) << 16) |
                         (unsigned(colorGreen(current)) << 8) | unsigned(colorBlue(current));
    if (const std::optional<unsigned> chosen = Prompter::current().chooseColor(rgb))
        swatch->setColor(QColor::fromRgb(QRgb(*chosen)));
    presetFields[row]->setText(colorIntToString(colorIntOf(swatch->color())));
}

void PreferencesDialog::revertPreset(int row) {
    const Profile ini(app().iniPath());
    setStoredText(presetFields[row],
                  ini.readString(keys::kDecoration, keys::numbered(keys::kPresetHtml, row + 1),
                                 prefs::presetDefaults()[row]));
}

// ---------------------------------------------------------------- form page

void PreferencesDialog::showPicture(const QString& path) {
    const QPixmap pixmap = loadPicture(path);
    if (pixmap.isNull()) {
        picture->clear();
        return;
    }
    picture->setPixmap(
        pixmap.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void PreferencesDialog::showPlaceholder(const QString& text) {
    QPixmap canvas(picture->size());
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(qcolorOf(kSilver));
    painter.drawRect(0, 0, 60, 48);
    painter.setFont(font());
    painter.drawText(QRect(1, 24, 59, 24), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    picture->setPixmap(canvas);
}

void PreferencesDialog::setPathHint() {
    const QString path = picturePathField->text();
    picturePathField->setToolTip(path.isEmpty() ? kPathHint
                                                : kPathHint + QStringLiteral("\n") + path);
}

void PreferencesDialog::choosePicture(int index) {
    if (index >= 0 && index <= 2) {
        const QString path = prefs::builtinPicture(app().AppDir, index);
        if (fileExists(path)) {
            picturePath_ = path;
            showPicture(path);
            picturePathField->setText(path);
            changePictureButton->setEnabled(false);
            changed_ = true;
        }
    } else if (index >= 3 && index <= 5) {
        const QString path = userPictures_[index - 3];
        if (!path.isEmpty()) {
            if (fileExists(path)) {
                picturePath_ = path;
                showPicture(path);
                picturePathField->setText(path);
                changePictureButton->setEnabled(true);
                changed_ = true;
            }
        } else {
            picturePathField->clear();
            showPlaceholder(QStringLiteral("(未設定)"));
            changePictureButton->setEnabled(true);
        }
    } else if (index == prefs::kNoPicture) {
        picturePathField->clear();
        picturePath_.clear();
        showPlaceholder(QStringLiteral("(未表示)"));
        changePictureButton->setEnabled(false);
        changed_ = true;
    }
    setPathHint();
}

void PreferencesDialog::changePicture() {
    FileRequest request{kPictureTitle, app().AppDir, QString(), kPictureFilter};
    const QString current = picturePathField->text();
    if (!current.isEmpty() && fileExists(current))
        request.directory = QFileInfo(current).absolutePath();
    const QString chosen = Prompter::current().openPictureName(request);
    if (chosen.isEmpty()) return;
    if (prefs::namesGifOrPng(chosen)) {
        showPlain(QStringLiteral(
            "画像としてgifまたはpngが指定されています。\r\nこのままですと、フォームに画像が表示でき"
            "ま"
            "せん。\r\nビットマップ(拡張子がbmp)に画像を変換して指定されることをおすすめします。"));
        return;
    }
    picturePathField->setText(chosen);
    const int choice = pictureChoice->currentIndex();
    if (choice >= 3 && choice <= 5) {
        userPictures_[choice - 3] = chosen;
        showPicture(chosen);
    }
    picturePath_ = chosen;
    setPathHint();
    changed_ = true;
}

void PreferencesDialog::applyWindowColor(int color) {
    if (callbacks_.setMainColor) callbacks_.setMainColor(color);
    recolorWindows(color);
}

void PreferencesDialog::clickWindowSwatch(int index) {
    ColorSwatchButton* swatch = windowSwatches[index];
    if (changeColorMode->isChecked()) {
        formColor_ = colorIntOf(swatch->color());
        applyWindowLook(this, formColor_);
        windowSwatches[1]->setColor(qcolorOf(madeColor_));
        applyWindowColor(formColor_);
        changed_ = true;
        return;
    }
    const int current = colorIntOf(swatch->color());
    const unsigned rgb = (unsigned(colorRed(current)) << 16) |
                         (unsigned(colorGreen(current)) << 8) | unsigned(colorBlue(current));
    if (const std::optional<unsigned> chosen = Prompter::current().chooseColor(rgb))
        swatch->setColor(QColor::fromRgb(QRgb(*chosen)));
    if (index == 1) madeColor_ = colorIntOf(swatch->color());
}

}  // namespace kirel
