#include "decoration/linkdialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

#include "core/appstate.h"
#include "core/colors.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "core/windowinfo.h"
#include "platform/browserview.h"
#include "platform/clipboard.h"
#include "platform/failure.h"
#include "platform/listfill.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/rulefield.h"
#include "platform/servicerequest.h"
#include "platform/toplevelwindows.h"
#include "platform/windowlook.h"

namespace kirel {
namespace {

constexpr QSize kPreviewSize(168, 126);

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const QString& text, const char* name, QWidget* parent) {
    return named(new QLabel(text, parent), name);
}

// The buttons' own look, with a dotted frame inside the face of the button that
// has the focus, however it got it: Return presses that button, so the user
// must see which one it is.
class FocusFrameStyle : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_PushButton || !(option->state & State_HasFocus)) return;
        const QRect face = subElementRect(SE_PushButtonFocusRect, option, widget);
        painter->save();
        QPen pen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(face.adjusted(1, 1, -2, -2));
        painter->restore();
    }
};

void showFocusFrame(QPushButton* button) {
    auto* style = new FocusFrameStyle;
    style->setParent(button);
    button->setStyle(style);
}

}  // namespace

LinkDialog::LinkDialog(QWidget* owner, EditorHost& host, const QString& copiedAddress)
    : QDialog(owner), host_(host) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(link::kCaption);
    // A dialog of fixed size: a title and a close box, nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    buildWidgets();

    const Profile ini(app().iniPath());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, qcolorOf(formColorSetting()));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f = owner ? owner->font() : font();
    f.setPointSize(windowPointSize(this));
    setFont(f);

    autoOpenCheck->setChecked(ini.readBool(keys::kLink, keys::kAutoLink, true));
    lists_ = link::loadLists(app().AppDir);
    fillListBoxes();
    app().ClipCaptureOn = 0;
    captureTargets().link = this;

    TextPane& edit = host_.editText();
    const Clipboard& clipboard = host_.clipboard();
    applyPrefill(link::prefill(edit.selectedText(),
                               clipboard.hasText() ? clipboard.text() : QString(), copiedAddress));
    connectHandlers();
    regenerate();
}

LinkDialog::~LinkDialog() {
    if (captureTargets().link == this) captureTargets().link = nullptr;
}

void LinkDialog::buildWidgets() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    titleBox = named(new QComboBox(this), "ComboBox1");
    addressBox = named(new QComboBox(this), "ComboBox2");
    for (QComboBox* box : {titleBox, addressBox}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setDuplicatesEnabled(true);
        // Typed text is not completed into other entries of the list.
        box->setCompleter(nullptr);
        box->setMinimumWidth(260);
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        box->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
        // Line n of the title list names line n of the address list: each entry
        // is one line, whatever is typed, pasted or dropped.
        holdRule(box->lineEdit(), FieldRule::OneLine);
    }
    // The address is typed in Latin letters: the input method starts closed.
    addressBox->lineEdit()->setInputMethodHints(Qt::ImhUrlCharactersOnly | Qt::ImhPreferLatin |
                                                Qt::ImhNoAutoUppercase);
    commentEdit = named(new QLineEdit(this), "Edit2");
    tagEdit = named(new QLineEdit(this), "Edit3");
    tagEdit->setReadOnly(true);
    // A line box keeps 32,767 characters unless told otherwise: a long address
    // would lose its end, and a long selection taken as the comment would come
    // back short in place of the post's text.
    for (QLineEdit* box : {titleBox->lineEdit(), addressBox->lineEdit(), commentEdit, tagEdit})
        box->setMaxLength(std::numeric_limits<int>::max());

    addButton = named(new QPushButton(QStringLiteral("追加"), this), "Button3");
    addButton->setToolTip(QStringLiteral("アイテムリストに追加します"));
    deleteButton = named(new QPushButton(QStringLiteral("削除"), this), "Button4");
    deleteButton->setToolTip(QStringLiteral("アイテムリストから削除します"));
    fetchButton = named(new QPushButton(QStringLiteral("アドレス取得"), this), "Button5");
    fetchButton->setToolTip(QStringLiteral("表示中のアドレスを取得します"));

    copyAddressCheck =
        named(new QCheckBox(QStringLiteral("アドレスをそののまま表示する"), this), "CheckBox1");
    copyAddressCheck->setToolTip(QStringLiteral("コメントをアドレスそのままにします"));
    newWindowCheck =
        named(new QCheckBox(QStringLiteral("新たにブラウザを開く"), this), "CheckBox2");
    newWindowCheck->setToolTip(QStringLiteral("リンク先を新たにブラウザを開いて表示します"));
    autoOpenCheck =
        named(new QCheckBox(QStringLiteral("httpから始まる文のときこのウィンドウを開く"), this),
              "CheckBox3");
    imageCheck = named(new QCheckBox(QStringLiteral("画像を挿入する"), this), "CheckBox4");
    imageCheck->setEnabled(false);
    noWrapRadio = named(new QRadioButton(QStringLiteral("回り込みしない"), this), "RadioButton1");
    leftRadio = named(new QRadioButton(QStringLiteral("画像を左に表示"), this), "RadioButton2");
    rightRadio = named(new QRadioButton(QStringLiteral("画像を右に表示"), this), "RadioButton3");
    leftRadio->setToolTip(QStringLiteral("画像を左に、テキストを右に\n回り込みを行います"));
    rightRadio->setToolTip(QStringLiteral("画像を右に、テキストを左に\n回り込みを行います"));
    noWrapRadio->setChecked(true);
    for (QRadioButton* r : {noWrapRadio, leftRadio, rightRadio}) r->setEnabled(false);

    BrowserOptions options;
    options.javaScript = false;  // a picture needs no scripts
    imagePreview = named(new BrowserView(options, this), "WebBrowser1");
    imagePreview->setFixedSize(kPreviewSize);
    auto* previewFrame = new QFrame(this);
    previewFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->setContentsMargins(1, 1, 1, 1);
    previewLayout->addWidget(imagePreview);

    okButton = named(new QPushButton(QStringLiteral("&OK"), this), "Button1");
    okButton->setDefault(true);
    cancelButton = named(new QPushButton(QStringLiteral("キャンセル(&X)"), this), "Button2");
    // Return presses the focused button (each takes the default while it has
    // the focus); anywhere else it presses OK.
    for (QPushButton* b : {addButton, deleteButton, fetchButton, cancelButton}) {
        b->setAutoDefault(true);
        showFocusFrame(b);
    }

    int row = 0;
    grid->addWidget(label(QStringLiteral("アドレス選択"), "Label1", this), row, 0);
    grid->addWidget(titleBox, row, 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addButton);
    listButtons->addWidget(deleteButton);
    grid->addLayout(listButtons, row++, 2);
    grid->addWidget(label(QStringLiteral("リンク先のアドレス"), "Label2", this), row, 0);
    grid->addWidget(addressBox, row, 1);
    grid->addWidget(fetchButton, row++, 2);
    grid->addWidget(label(QStringLiteral("リンク先のコメント"), "Label3", this), row, 0);
    grid->addWidget(commentEdit, row++, 1);

    const int optionsRow = row;
    grid->addWidget(label(QStringLiteral("コメントの表示"), "Label4", this), row, 0);
    grid->addWidget(copyAddressCheck, row++, 1);
    grid->addWidget(label(QStringLiteral("リンク先の表示"), "Label5", this), row, 0);
    grid->addWidget(newWindowCheck, row++, 1);
    grid->addWidget(label(QStringLiteral("画像の表示"), "Label6", this), row, 0);
    grid->addWidget(imageCheck, row++, 1);
    auto* radios = new QVBoxLayout;
    radios->setSpacing(2);
    radios->setContentsMargins(16, 0, 0, 0);
    for (QRadioButton* r : {noWrapRadio, leftRadio, rightRadio}) radios->addWidget(r);
    grid->addLayout(radios, row++, 1);
    grid->addWidget(previewFrame, optionsRow, 2, row - optionsRow, 1, Qt::AlignTop);

    grid->addWidget(label(QStringLiteral("HTMLタグの生成"), "Label7", this), row, 0);
    grid->addWidget(tagEdit, row++, 1, 1, 2);
    grid->addWidget(autoOpenCheck, row++, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    listMenu = named(new QMenu(this), "PopupMenu1");
    pasteItem = named(listMenu->addAction(QStringLiteral("貼り付け(&P)")), "P1");
    menuSeparator = named(listMenu->addSeparator(), "N1");
    addItem = named(listMenu->addAction(QStringLiteral("アイテムリストに追加(&A)")), "A1");
    deleteItem = named(listMenu->addAction(QStringLiteral("アイテムリストから削除(&D)")), "D1");

    setTabOrder(titleBox, addressBox);
    setTabOrder(addressBox, fetchButton);
    setTabOrder(fetchButton, commentEdit);
    setTabOrder(commentEdit, copyAddressCheck);
    setTabOrder(copyAddressCheck, newWindowCheck);
    setTabOrder(newWindowCheck, imageCheck);
    setTabOrder(imageCheck, noWrapRadio);
    setTabOrder(noWrapRadio, leftRadio);
    setTabOrder(leftRadio, rightRadio);
    setTabOrder(rightRadio, tagEdit);
    setTabOrder(tagEdit, autoOpenCheck);
    setTabOrder(autoOpenCheck, addButton);
    setTabOrder(addButton, deleteButton);
    setTabOrder(deleteButton, okButton);
    setTabOrder(okButton, cancelButton);
}

void LinkDialog::connectHandlers() {
    connect(titleBox, &QComboBox::activated, this,
            [this](int index) { chooseEntry(titleBox, addressBox, index); });
    connect(addressBox, &QComboBox::activated, this,
            [this](int index) { chooseEntry(addressBox, titleBox, index); });
    // Every change of the address or the comment, typed, pasted or composed with
    // the input method, makes the tag again.
    connect(addressBox, &QComboBox::editTextChanged, this, &LinkDialog::regenerate);
    connect(commentEdit, &QLineEdit::textChanged, this, &LinkDialog::regenerate);

    connect(copyAddressCheck, &QCheckBox::toggled, this, [this](bool on) {
        // Once, at the tick: later changes of the address do not follow.
        if (on) commentEdit->setText(addressBox->currentText());
        regenerate();
    });
    connect(newWindowCheck, &QCheckBox::toggled, this, [this](bool on) {
        imageCheck->setEnabled(!on && link::isImageAddress(addressBox->currentText()));
        regenerate();
    });
    connect(imageCheck, &QCheckBox::toggled, this, &LinkDialog::imageToggled);
    for (QRadioButton* r : {noWrapRadio, leftRadio, rightRadio}) {
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on) regenerate();
        });
    }

    connect(fetchButton, &QPushButton::clicked, this, &LinkDialog::fetchAddress);
    connect(addButton, &QPushButton::clicked, this, &LinkDialog::addToList);
    connect(deleteButton, &QPushButton::clicked, this, &LinkDialog::deleteFromList);
    connect(okButton, &QPushButton::clicked, this, &LinkDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &LinkDialog::reject);

    for (QComboBox* box : {titleBox, addressBox}) {
        for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(box->lineEdit())}) {
            connect(w, &QWidget::customContextMenuRequested, this,
                    [this, w](const QPoint& pos) { showListMenu(w, pos); });
        }
    }
    connect(pasteItem, &QAction::triggered, this, &LinkDialog::pasteAddress);
    connect(addItem, &QAction::triggered, this, &LinkDialog::addToList);
    connect(deleteItem, &QAction::triggered, this, &LinkDialog::deleteFromList);

    requester_ = new ServiceRequester(this);
}

void LinkDialog::fillListBoxes() {
    setComboItems(titleBox, lists_.titles);
    titleBox->setCurrentIndex(-1);
    setComboItems(addressBox, lists_.addresses);
    addressBox->setCurrentIndex(-1);
}

void LinkDialog::applyPrefill(const link::Prefill& p) {
    addressBox->setEditText(p.address);
    commentEdit->setText(p.comment);
    newWindowCheck->setChecked(p.newWindow);
    if (p.focus == link::Prefill::Focus::Address) {
        // Selected, as a box entered by the keyboard is: typing or pasting an
        // address replaces the "http" put there.
        addressBox->lineEdit()->selectAll();
        addressBox->setFocus();
    } else {
        commentEdit->setFocus();
    }
}

void LinkDialog::chooseEntry(QComboBox* chosen, QComboBox* other, int index) {
    // The lists stay in step: the entry at the same position in the other one.
    other->setCurrentIndex(index < other->count() ? index : -1);
    chosen->setCurrentIndex(index);
    regenerate();
}

void LinkDialog::imageToggled(bool on) {
    if (on) newWindowCheck->setChecked(false);
    newWindowCheck->setEnabled(!on);
    if (!on) noWrapRadio->setChecked(true);
    for (QRadioButton* r : {noWrapRadio, leftRadio, rightRadio}) r->setEnabled(on);
    regenerate();
}

link::TagChoice LinkDialog::choice() const {
    link::TagChoice choice;
    choice.address = addressBox->currentText();
    choice.comment = commentEdit->text();
    choice.newWindow = newWindowCheck->isChecked();
    choice.image = imageCheck->isChecked();
    choice.align = leftRadio->isChecked()    ? link::Align::Left
                   : rightRadio->isChecked() ? link::Align::Right
                                             : link::Align::None;
    return choice;
}

void LinkDialog::regenerate() {
    const link::TagChoice choice = this->choice();
    const link::TagResult result = link::generateTag(choice);
    imageCheck->setEnabled(result.imageEnabled);
    if (result.imageAddress) showPreview(choice.address);
    tagEdit->setText(result.tag);
}

void LinkDialog::showPreview(const QString& address) {
    // The view loads on its own; the request is made from the event loop, after
    // the key that changed the address has been drawn, and only for an address
    // the view is not showing already (typing a comment does not reload it).
    previewPending_ = address;
    if (!painted_ || previewQueued_) return;
    previewQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        previewQueued_ = false;
        if (previewPending_ == previewShown_) return;
        previewShown_ = previewPending_;
        imagePreview->navigate(previewShown_);
    });
}

bool LinkDialog::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        if (!previewPending_.isEmpty()) showPreview(previewPending_);
    }
    return handled;
}

// --- address request -----------------------------------------------------------------

void LinkDialog::fetchAddress() {
    fetchButton->setEnabled(false);
    setCursor(Qt::BusyCursor);
    requester_->request(windowinfo::kService, windowinfo::kTopic, windowinfo::kActiveWindow,
                        addressRequestLimit, [this](const std::optional<QString>& reply) {
                            fetchButton->setEnabled(true);
                            unsetCursor();
                            // Any failure leaves the box empty, without a message.
                            addressBox->setEditText(
                                reply ? link::oneLine(link::addressFromReply(*reply)) : QString());
                            regenerate();
                        });
}

bool LinkDialog::fetching() const {
    return requester_->pending();
}

// --- lists ---------------------------------------------------------------------------

void LinkDialog::showListMenu(QWidget* box, const QPoint& pos) {
    listMenu->exec(box->mapToGlobal(pos));
}

void LinkDialog::addToList() {
    const QString title = titleBox->currentText();
    const QString address = addressBox->currentText();
    if (!link::addEntry(lists_, title, address, app().AppDir)) return;
    titleBox->addItem(lists_.titles.last());
    addressBox->addItem(lists_.addresses.last());
    // The new entry is the chosen one in both lists; the boxes keep their text.
    titleBox->setCurrentIndex(titleBox->count() - 1);
    addressBox->setCurrentIndex(addressBox->count() - 1);
    titleBox->setEditText(title);
    addressBox->setEditText(address);
}

void LinkDialog::deleteFromList() {
    const QString title = titleBox->currentText();
    const QString address = addressBox->currentText();
    const int titleIndex = titleBox->currentIndex();
    const int addressIndex = addressBox->currentIndex();
    if (!link::deleteEntry(lists_, titleIndex, addressIndex, app().AppDir)) return;
    if (titleIndex >= 0 && titleIndex < titleBox->count()) titleBox->removeItem(titleIndex);
    if (addressIndex >= 0 && addressIndex < addressBox->count())
        addressBox->removeItem(addressIndex);
    // Nothing is chosen afterwards (a second press deletes nothing more); the
    // boxes keep showing what they showed.
    titleBox->setCurrentIndex(-1);
    addressBox->setCurrentIndex(-1);
    titleBox->setEditText(title);
    addressBox->setEditText(address);
}

void LinkDialog::pasteAddress() {
    const Clipboard& clipboard = host_.clipboard();
    if (!clipboard.hasText()) return;
    addressBox->lineEdit()->insert(link::oneLine(clipboard.text()));
    regenerate();
}

// --- capture -------------------------------------------------------------------------

void LinkDialog::bringToTop() {
    bringToFront(this);
}

void LinkDialog::takeAddress(const QString& address) {
    addressBox->setEditText(link::oneLine(address));
    regenerate();
}

// --- closing -------------------------------------------------------------------------

void LinkDialog::accept() {
    // Made from the boxes themselves, not read back from the tag box.
    const QString tag = link::generateTag(choice()).tag;
    if (tag == link::kEmptyLink) return;
    if (addressBox->currentText().isEmpty() || commentEdit->text().isEmpty()) {
        showMessage(link::kOkIncomplete, Icon::Warning);
        return;
    }
    TextPane& edit = host_.editText();
    edit.replaceSelection(tag);
    QDialog::accept();
    edit.giveFocus();
    edit.showCaret();
}

void LinkDialog::done(int result) {
    if (!finished_) {
        // Every way of closing: OK, "キャンセル(&X)", the close box, Esc.
        finished_ = true;
        requester_->cancel();
        const bool autoOpen = autoOpenCheck->isChecked();
        try {
            Profile(app().iniPath()).writeBool(keys::kLink, keys::kAutoLink, autoOpen);
        } catch (const Failure& failure) {
            showError(failure.message());
        }
        app().AutoLinkOn = autoOpen;
        app().ClipCaptureOn = 1;
        if (captureTargets().link == this) captureTargets().link = nullptr;
    }
    QDialog::done(result);
}

}  // namespace kirel
