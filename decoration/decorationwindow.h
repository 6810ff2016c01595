#pragma once

// The decoration window ("HTMLタグで文字を修飾"): wraps the text selected in the
// edit pane in tags for colour, size, scrolling, style and face. While the user
// chooses, it shows the tag around a placeholder and a sample of the look.
// "プレビュー(&P)" puts the tagged text into the post and shows the preview tab;
// "&OK" puts it in for good; every other way of closing puts the selection back
// as it was.
//
// Modeless and on top of the main window. While it is open the edit pane is
// disabled (other windows test that to refuse changing the post) and the main
// window's hint says how to go on editing.
//
// Widgets carry the designer names as objectNames ("Form3", "LorviButton1",
// "ComboBox2", "Button4", ...).

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "decoration/decorationtags.h"

class ColorSwatchButton;
class PictureButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kirel {

class EditorHost;

// What the window asks of other windows, filled in by whoever creates it.
struct DecorationCallbacks {
    // Asks for the width of scrolling text, in percent: the confirmed text as
    // typed, or a null string when the request ended without a confirmed width.
    std::function<QString(QWidget* owner)> askWidth;
    // Opens the preferences on their colour page, owned by the window; true when
    // the settings were saved (the window then takes its swatch and window
    // colours from the settings again).
    std::function<bool(QWidget* owner)> openColorSettings;
};

class DecorationWindow : public QWidget {
    Q_OBJECT
  public:
    inline static const QString kCaption = QStringLiteral("HTMLタグで文字を修飾");
    inline static const QString kEditHint =
        QStringLiteral("「HTMLタグで文字を修飾」を閉じると、編集を続けることができます。");
    // OK or preview after the post was replaced while the window was open (a
    // draft loaded): the tags are not put into a text they were not made for.
    inline static const QString kPostReplaced = QStringLiteral(
        "「HTMLタグで文字を修飾」を開いた後に編集欄の内容が入れ替わったため、\r\n"
        "修飾を反映できませんでした。\r\n\r\n文字を選択し直してから、もう一度開いてください。");

    // Takes the edit pane's selection, disables the edit pane and sets the main
    // window's hint. Freed when it closes.
    DecorationWindow(EditorHost& host, QWidget* owner, DecorationCallbacks callbacks);
    ~DecorationWindow() override;

    // --- widgets ---
    QLabel* tagLabel = nullptr;
    QPlainTextEdit* tagDisplay = nullptr;  // the tag around the placeholder
    QLabel* sampleLabel = nullptr;
    PictureButton* sample = nullptr;
    QLabel* colorLabel = nullptr;
    std::array<ColorSwatchButton*, 8> swatches{};
    QPushButton* noColorButton = nullptr;        // "指定しない"
    QPushButton* makeColorButton = nullptr;      // "色作成"
    QPushButton* colorSettingsButton = nullptr;  // "色設定"
    QLabel* sizeLabel = nullptr;
    QComboBox* sizeBox = nullptr;
    QLabel* scrollLabel = nullptr;
    QComboBox* scrollBox = nullptr;
    QLabel* styleLabel = nullptr;
    std::array<QRadioButton*, 5> styleButtons{};  // 斜体, 強調, 下線, 取消線, 指定しない
    QLabel* fontLabel = nullptr;
    QComboBox* fontBox = nullptr;
    QPushButton* previewButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    const decoration::DecorationState& state() const { return state_; }
    // The selection of the edit pane when the window opened.
    QString capturedSelection() const { return captured_; }
    // The composition with the given body, as OK and preview write it.
    QString composed(const QString& body) const;

    // --- commands (the buttons and lists call these) ---
    void chooseSwatch(int index);
    void clearColor();
    void makeColor();
    void openColorSettings();
    void chooseSize(int index);
    void chooseScroll(int index);
    void chooseStyle(int index);
    void chooseFace(int index);
    void preview();
    void applyAndClose();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildWidgets();
    void loadColors();
    void setUpSample();
    void refreshColor();
    void refresh();
    void putSelectionBack();
    // True when the post is no longer the text the window works on: replaced
    // whole while the window was open. OK and preview then leave it alone.
    bool postReplaced() const;
    bool refuseReplacedPost();

    EditorHost& host_;
    QPointer<QWidget> owner_;
    DecorationCallbacks callbacks_;
    decoration::DecorationState state_;
    QString captured_;
    QString marqueeWidth_;
    QButtonGroup* styleGroup_ = nullptr;
    QFont sampleFont_;
    int windowColor_ = 0;
    // The post as the window left it: its whole text, and the part that OK and
    // preview replace (the captured selection, or what the last preview put in
    // its place). previewed: a preview's result is in the post, and closing
    // takes it out again.
    struct PostMark {
        QString paneText;
        qsizetype start = 0;
        qsizetype length = 0;
        bool previewed = false;
    } post_;
    bool closed_ = false;
};

}  // namespace kirel
