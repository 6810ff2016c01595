#include "decoration/decorationwindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "controls/colorswatchbutton.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/colors.h"
#include "core/editorhost.h"
#include "core/textpane.h"
#include "decoration/decorationsettings.h"
#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/systemcolors.h"
#include "platform/windowlook.h"

namespace kirel {
namespace {

using decoration::DecorationState;

const QString kWindowFont = QStringLiteral("ＭＳ Ｐゴシック");
const QString kSampleText = QStringLiteral("aAあア亜");

// 0x00BBGGRR -> 0xRRGGBB, as the colour dialog takes and gives colours.
unsigned toRgb(int color) {
    return unsigned(colorRed(color)) << 16 | unsigned(colorGreen(color)) << 8 |
           unsigned(colorBlue(color));
}
int fromRgb(unsigned rgb) {
    return colorInt(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

}  // namespace

DecorationWindow::DecorationWindow(EditorHost& host, QWidget* owner, DecorationCallbacks callbacks)
    // A tool window: window managers that follow the hints show the close box
    // alone, and none offers to minimise it (which would take the main window,
    // its owner, along).
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      owner_(owner),
      callbacks_(std::move(callbacks)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont f(kWindowFont);
    f.setPointSize(windowPointSize(owner ? owner : this));
    setFont(f);
    sampleFont_ = f;

    buildWidgets();
    loadColors();
    setUpSample();

    TextPane& pane = host_.editText();
    captured_ = pane.selectedText();
    post_ = {pane.text(), pane.selectionStart(), pane.selectionLength(), false};
    host_.setEditPaneEnabled(false);
    host_.setWindowHint(kEditHint);
    host_.showWindowHint(true);

    if (owner) {
        const QPoint centre = owner->frameGeometry().center();
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }
}

DecorationWindow::~DecorationWindow() = default;

void DecorationWindow::buildWidgets() {
    setFixedSize(468, 302);
    setAutoFillBackground(true);

    auto label = [this](const char* name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto button = [this](const char* name, const QString& text, const QString& hint,
                         const QRect& geometry) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setGeometry(geometry);
        return b;
    };
    auto list = [this](const char* name, const QStringList& items, const QString& hint,
                       const QRect& geometry) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->addItems(items);
        c->setToolTip(hint);
        c->setGeometry(geometry);
        c->setMaxVisibleItems(12);
        c->setCurrentIndex(int(items.size()) - 1);  // "指定しない"
        return c;
    };

    tagLabel = label("Label1", QStringLiteral("タグ生成"), 8, 6);
    tagLabel->setToolTip(QStringLiteral("自動で生成されたタグを表示します"));
    tagDisplay = new QPlainTextEdit(this);
    tagDisplay->setObjectName(QStringLiteral("RichEdit1"));
    tagDisplay->setReadOnly(true);
    tagDisplay->setGeometry(8, 22, 452, 54);
    tagDisplay->setFocusPolicy(Qt::ClickFocus);

    colorLabel = label(
        "Label2", QStringLiteral("文字色　GIF.PNGの背景画像は、サンプル表示されません"), 8, 84);
    for (int i = 0; i < 8; ++i) {
        auto* s = new ColorSwatchButton(this);
        s->setObjectName(QStringLiteral("LorviButton%1").arg(i + 1));
        s->setGeometry(8 + (i % 4) * 34, 102 + (i / 4) * 28, 30, 24);
        connect(s, &QPushButton::clicked, this, [this, i] { chooseSwatch(i); });
        swatches[i] = s;
    }
    noColorButton = button("Button3", decoration::kNotSpecified,
                           QStringLiteral("文字色を指定しません"), QRect(148, 102, 92, 24));
    makeColorButton = button("Button1", QStringLiteral("色作成"), QStringLiteral("色を作成します"),
                             QRect(148, 130, 44, 24));
    colorSettingsButton = button("Button2", QStringLiteral("色設定"),
                                 QStringLiteral("色を設定します"), QRect(196, 130, 44, 24));
    connect(noColorButton, &QPushButton::clicked, this, &DecorationWindow::clearColor);
    connect(makeColorButton, &QPushButton::clicked, this, &DecorationWindow::makeColor);
    connect(colorSettingsButton, &QPushButton::clicked, this, &DecorationWindow::openColorSettings);

    sampleLabel = label("Label3", QStringLiteral("サンプル"), 248, 108);
    sample = new PictureButton(this);
    sample->setObjectName(QStringLiteral("PictureButton1"));
    sample->setGeometry(300, 102, 160, 52);

    sizeLabel = label("Label4", QStringLiteral("文字サイズ"), 8, 164);
    sizeBox = list("ComboBox1", decoration::sizeItems(), QStringLiteral("文字サイズを変更します"),
                   QRect(8, 180, 96, 24));
    scrollLabel = label("Label5", QStringLiteral("スクロール"), 112, 164);
    scrollBox = list("ComboBox2", decoration::scrollItems(),
                     QStringLiteral("文字のスクロールを指定できます"), QRect(112, 180, 112, 24));
    fontLabel = label("Label6", QStringLiteral("フォント"), 232, 164);
    const QStringList fonts =
        decoration::fontBoxItems(QFontDatabase::families(), &QFontDatabase::hasFamily);
    fontBox = list("ComboBoxEx1", fonts, QString(), QRect(232, 180, 228, 24));
    connect(sizeBox, &QComboBox::activated, this, &DecorationWindow::chooseSize);
    connect(scrollBox, &QComboBox::activated, this, &DecorationWindow::chooseScroll);
    connect(fontBox, &QComboBox::activated, this, &DecorationWindow::chooseFace);

    styleLabel = label("Label7", QStringLiteral("文字の体裁"), 8, 214);
    styleGroup_ = new QButtonGroup(this);
    const QStringList styles = decoration::styleCaptions();
    const int styleX[] = {8, 64, 120, 176, 240};
    for (int i = 0; i < 5; ++i) {
        auto* r = new QRadioButton(styles[i], this);
        r->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        r->move(styleX[i], 232);
        r->adjustSize();
        styleGroup_->addButton(r, i);
        styleButtons[i] = r;
    }
    styleButtons[4]->setChecked(true);
    connect(styleGroup_, &QButtonGroup::idClicked, this, &DecorationWindow::chooseStyle);

    previewButton =
        button("Button6", QStringLiteral("プレビュー(&P)"),
               QStringLiteral("現在のタグ設定で全体をプレビューします"), QRect(196, 268, 96, 26));
    okButton = button("Button4", QStringLiteral("&OK"),
                      QStringLiteral("選択された文字列を現在のタグ設定で反映します"),
                      QRect(298, 268, 78, 26));
    cancelButton = button("Button5", QStringLiteral("キャンセル(&X)"),
                          QStringLiteral("ウィンドウを閉じます"), QRect(382, 268, 78, 26));
    connect(previewButton, &QPushButton::clicked, this, &DecorationWindow::preview);
    connect(okButton, &QPushButton::clicked, this, &DecorationWindow::applyAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);
    // Ctrl+M, which opened the window, closes it also from here: the opener's
    // shortcut, as the window belongs to it (a second one here would make the
    // key ambiguous).

    // Tab order as the window reads: swatches, colour buttons, lists, styles, buttons.
    QList<QWidget*> order(swatches.begin(), swatches.end());
    order << noColorButton << makeColorButton << colorSettingsButton << sizeBox << scrollBox
          << fontBox;
    for (QRadioButton* r : styleButtons) order << r;
    order << previewButton << okButton << cancelButton;
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// Window and swatch colours from the settings file.
void DecorationWindow::loadColors() {
    const decoration::DecorationSettings s =
        decoration::readDecorationSettings(Profile(app().iniPath()));
    windowColor_ = s.formColor;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, resolvedColor(s.formColor));
    setPalette(pal);
    for (int i = 0; i < 8; ++i) swatches[i]->setColor(resolvedColor(s.swatches[i]));
}

void DecorationWindow::setUpSample() {
    const decoration::DecorationSettings s =
        decoration::readDecorationSettings(Profile(app().iniPath()));
    sample->setButtonStyle(PictureButton::bsLowered);
    sample->setCaption(kSampleText);
    sample->setEnabled(false);
    sample->setFont(sampleFont_);
    const QString picture = decoration::samplePicture(
        s.cellColor, s.background, [](const QString& path) { return QFileInfo::exists(path); });
    if (!picture.isEmpty()) {
        QPixmap pixmap;
        if (pixmap.load(picture)) sample->setPicture(pixmap);
    }
    const int white = colorInt(255, 255, 255);
    sample->setColor(
        qcolorOf(s.cellColor.isEmpty() ? white : decoration::sampleColor(s.cellColor, white)));
    sample->setFontColor(qcolorOf(decoration::sampleColor(s.textColor, 0)));
}

QString DecorationWindow::composed(const QString& body) const {
    return state_.compose(body, fontBox->currentText());
}

void DecorationWindow::refresh() {
    tagDisplay->setPlainText(state_.code() == 0 ? QString() : composed(decoration::kPlaceholder));
}

// After a colour action: the colour text, the sample's text colour, the display.
void DecorationWindow::refreshColor() {
    if (state_.colorOn) state_.colorText = decoration::colorText(state_.color);
    sample->setFontColor(qcolorOf(state_.color));
    refresh();
}

// ---------------------------------------------------------------- colour

void DecorationWindow::chooseSwatch(int index) {
    state_.color = colorIntOf(swatches[size_t(index)]->color());
    state_.colorOn = true;
    refreshColor();
}

void DecorationWindow::clearColor() {
    state_.color = 0;
    state_.colorOn = false;
    refreshColor();
}

void DecorationWindow::makeColor() {
    // The dialog opens on the colour made last time (at first the window's own).
    const Profile ini(app().iniPath());
    const int start = colorToRgb(decoration::readDecorationSettings(ini).makeColor, systemColor);
    const QPointer<DecorationWindow> alive(this);
    const std::optional<unsigned> chosen = Prompter::current().chooseColor(toRgb(start));
    // A cancelled dialog changes nothing.
    if (!alive || !chosen) return;
    state_.color = fromRgb(*chosen);
    if (!state_.colorOn && state_.color == colorToRgb(windowColor_, systemColor)) return;
    state_.colorOn = true;
    try {
        decoration::writeMakeColor(ini, state_.color);
    } catch (const Failure& failure) {
        showPlain(failure.message());
    }
    refreshColor();
}

void DecorationWindow::openColorSettings() {
    if (!callbacks_.openColorSettings) return;
    const QPointer<DecorationWindow> alive(this);
    const bool saved = callbacks_.openColorSettings(this);
    if (alive && saved) loadColors();
}

// ---------------------------------------------------------------- lists and styles

void DecorationWindow::chooseSize(int index) {
    const QString text = decoration::sizeText(index);
    state_.sizeOn = !text.isNull();
    state_.sizeText = text;
    refresh();
    if (decoration::sizeNeedsWarning(index))
        showMessage(decoration::kLargeSizeWarning, Icon::Information);
}

void DecorationWindow::chooseScroll(int index) {
    if (index < 0 || index >= decoration::kScrollOff) {
        state_.scrollOn = false;
        state_.scrollTag.clear();
        refresh();
        return;
    }
    const QPointer<DecorationWindow> alive(this);
    const QString width = callbacks_.askWidth ? callbacks_.askWidth(this) : QString();
    if (!alive) return;
    if (width.isEmpty()) {
        // No confirmed width: scrolling is off, and the list says so.
        scrollBox->setCurrentIndex(decoration::kScrollOff);
        chooseScroll(decoration::kScrollOff);
        return;
    }
    marqueeWidth_ = width;
    state_.scrollTag = decoration::scrollOpeningTag(index, marqueeWidth_);
    state_.scrollOn = true;
    refresh();
}

void DecorationWindow::chooseStyle(int index) {
    QFont f = sample->font();
    f.setItalic(false);
    f.setBold(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    if (index >= 0 && index < 4) {
        const auto style = decoration::Style(index);
        state_.styleOn = true;
        state_.styleOpen = decoration::styleOpeningTag(style);
        state_.styleClose = decoration::styleClosingTag(style);
        f.setItalic(style == decoration::Style::Italic);
        f.setBold(style == decoration::Style::Bold);
        f.setUnderline(style == decoration::Style::Underline);
        f.setStrikeOut(style == decoration::Style::StrikeOut);
    } else {
        state_.styleOn = false;
        state_.styleOpen.clear();
        state_.styleClose.clear();
    }
    sample->setFont(f);
    refresh();
}

void DecorationWindow::chooseFace(int index) {
    QFont f = sample->font();
    state_.faceOn = index >= 0 && index < fontBox->count() - 1;
    // Without a face the sample goes back to the window's font.
    f.setFamilies({state_.faceOn ? fontBox->itemText(index) : sampleFont_.family()});
    sample->setFont(f);
    refresh();
}

// ---------------------------------------------------------------- OK, preview, closing

bool DecorationWindow::postReplaced() const {
    return host_.editText().text() != post_.paneText;
}

bool DecorationWindow::refuseReplacedPost() {
    if (!postReplaced()) return false;
    showMessage(kPostReplaced, Icon::Information);
    return true;
}

void DecorationWindow::applyAndClose() {
    const QPointer<DecorationWindow> alive(this);
    if (refuseReplacedPost()) {
        if (!alive) return;
        // The replaced post stays as it is, also on closing.
        post_.previewed = false;
    } else {
        if (host_.currentTab() != EditorHost::Tab::Edit) host_.showTab(EditorHost::Tab::Edit);
        TextPane& pane = host_.editText();
        pane.select(post_.start, post_.length);
        pane.replaceSelection(composed(captured_));
        // What is in the post now is meant to stay.
        post_.previewed = false;
    }
    state_.reset();
    tagDisplay->clear();
    sizeBox->setCurrentIndex(sizeBox->count() - 1);
    fontBox->setCurrentIndex(fontBox->count() - 1);
    styleButtons[4]->setChecked(true);
    close();
}

void DecorationWindow::preview() {
    if (refuseReplacedPost()) return;
    TextPane& pane = host_.editText();
    const QString result = composed(captured_);
    pane.select(post_.start, post_.length);
    pane.replaceSelection(result);
    const qsizetype end = pane.selectionStart();
    pane.select(end - result.size(), result.size());
    post_ = {pane.text(), end - result.size(), result.size(), true};
    host_.showTab(EditorHost::Tab::Preview);
}

void DecorationWindow::putSelectionBack() {
    // Only a preview changes the post before OK. It is taken out again while the
    // post still is as the preview left it; a post replaced meanwhile (a draft
    // loaded) is left alone.
    if (!post_.previewed) return;
    post_.previewed = false;
    if (postReplaced()) return;
    TextPane& pane = host_.editText();
    pane.select(post_.start, post_.length);
    pane.replaceSelection(captured_);
    pane.select(post_.start, captured_.size());
}

void DecorationWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    putSelectionBack();
    host_.showWindowHint(false);
    host_.setEditPaneEnabled(true);
    if (host_.currentTab() != EditorHost::Tab::Edit) host_.showTab(EditorHost::Tab::Edit);
    app().ClipCaptureOn = 1;
    host_.editText().giveFocus();
    if (owner_ && owner_->isVisible()) owner_->activateWindow();
}

void DecorationWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
    // The window is not minimised: where the window manager offers it anyway,
    // it takes the owner, the main window, along and the program seems gone
    // while the post is locked. Both come back at once.
    QTimer::singleShot(0, this, [this] {
        for (QWidget* w : {owner_.data(), static_cast<QWidget*>(this)}) {
            if (!w || !w->isMinimized()) continue;
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
            w->show();
        }
        raise();
        activateWindow();
    });
}

void DecorationWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes like the close box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kirel
