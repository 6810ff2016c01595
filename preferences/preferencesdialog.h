#pragma once

// The preferences dialog ("環境設定"): the three board profiles with a sample of
// each, the eight preset colours of the decoration window, handle-name quoting
// and the quote-mark list, the main window's picture, the windows' colour, the
// quote styling and the save folder. Modal; "設定反映(&A)" checks the fields,
// writes every setting in one replacement of the settings file and applies
// them to the running program; closing with unsaved changes asks first and
// undoes a window colour that was only tried.
//
// Widgets carry the designer names as objectNames ("Form13", "PageControl1",
// "Edit1", "LorviButton1", "ComboBox1", "Button1", ...).

#include <QDialog>
#include <array>
#include <functional>

#include "boardrules/settingtxt.h"
#include "preferences/preferencesrules.h"

class ColorSwatchButton;
class PictureButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace kirel {

class EditorHost;

// What the dialog asks of the main window, filled in by whoever opens it.
struct PreferencesCallbacks {
    // The quote-mark list dialog, modal, owned by the given window.
    std::function<void(QWidget* owner)> chooseQuoteMark;
    // The main window's picture from the file; an empty path removes it.
    std::function<void(const QString& path)> setMainPicture;
    // The main window's background colour (colour integer), repainted at once.
    std::function<void(int color)> setMainColor;
    // The focus into the browser tab's address box.
    std::function<void()> focusAddressBox;
};

class PreferencesDialog : public QDialog {
    Q_OBJECT
  public:
    inline static const QString kCaption = QStringLiteral("環境設定");
    // Captions of the windows that follow the window colour.
    static const QStringList& recoloredCaptions();

    PreferencesDialog(EditorHost& host, QWidget* owner, PreferencesCallbacks callbacks);
    ~PreferencesDialog() override;

    // Opens the dialog modally; true when the settings were saved.
    static bool open(EditorHost& host, QWidget* owner, const PreferencesCallbacks& callbacks);

    // --- widgets ---
    struct BoardPage {
        QLineEdit* limit = nullptr;
        QLineEdit* textColor = nullptr;
        QLineEdit* cellColor = nullptr;
        QLineEdit* cellWidth = nullptr;
        QCheckBox* frame = nullptr;
        QLineEdit* backColor = nullptr;
        QLineEdit* image = nullptr;
        QPushButton* browse = nullptr;
        PictureButton* sample = nullptr;
        // What the board published: its name and line limit, and the button
        // that reads them (with its limit and colours) from its SETTING.TXT.
        QLineEdit* name = nullptr;
        QLineEdit* lineLimit = nullptr;
        QPushButton* importRules = nullptr;
    };
    QTabWidget* pages = nullptr;
    std::array<BoardPage, 3> boards;
    std::array<ColorSwatchButton*, 8> presetSwatches{};
    std::array<QLineEdit*, 8> presetFields{};
    std::array<QPushButton*, 8> revertButtons{};
    QLineEdit* handleMax = nullptr;
    QPlainTextEdit* handleFront = nullptr;
    QPlainTextEdit* handleBack = nullptr;
    QPlainTextEdit* quoteList = nullptr;
    QPushButton* chooseQuoteButton = nullptr;
    QLabel* picture = nullptr;
    QComboBox* pictureChoice = nullptr;
    QLineEdit* picturePathField = nullptr;
    QPushButton* changePictureButton = nullptr;
    std::array<ColorSwatchButton*, 4> windowSwatches{};
    QRadioButton* changeColorMode = nullptr;
    QRadioButton* makeColorMode = nullptr;
    QCheckBox* quoteColor = nullptr;
    QCheckBox* quoteItalic = nullptr;
    QLineEdit* saveFolder = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

    bool changed() const { return changed_; }
    bool quoteListModified() const { return quoteModified_; }
    QString picturePath() const { return picturePath_; }
    int windowColor() const { return formColor_; }

    // --- commands (the buttons call these) ---
    void browseImage(int board);
    void chooseQuoteMark();
    void choosePreset(int row);
    void revertPreset(int row);
    void choosePicture(int index);
    void changePicture();
    void clickWindowSwatch(int index);
    // "設定反映(&A)": true when saved (the dialog then closes).
    bool save();
    // The board's "掲示板の設定を読み込む": the import window, then its rules
    // into the fields.
    void importRules(int board);
    // Puts what a board published into board 0..2's fields, as if typed; nothing
    // is written until the save.
    void applyRules(int board, const boardrules::BoardRules& rules);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  public slots:
    void reject() override;

  private:
    void buildWidgets();
    QWidget* buildBoardPage(int board);
    void buildRulesRow(int board, QWidget* page, QGridLayout* grid, int row);
    void showBoardName(int board);
    QWidget* buildColorPage();
    QWidget* buildQuotePage();
    QWidget* buildFormPage();
    void load();
    void textColorEdited(int board);
    void backColorEdited(int board);
    void cellColorEdited(int board);
    void presetEdited(int row);
    // Applies the colour rule to the field; the colour when it became a valid one.
    std::optional<int> runColorRule(QLineEdit* field, bool mayBeEmpty);
    void showSamplePicture(int board);
    void showPicture(const QString& path);
    void showPlaceholder(const QString& text);
    void setPathHint();
    void saveQuoteList();
    prefs::Values collect() const;
    void turnTo(const prefs::Refusal& refusal);
    void applyWindowColor(int color);

    EditorHost& host_;
    PreferencesCallbacks callbacks_;
    bool changed_ = false;
    bool quoteModified_ = false;
    bool saved_ = false;
    QString picturePath_;
    std::array<QString, 3> userPictures_;
    int madeColor_ = 0;
    int formColor_ = 0;
    int openedBoard_ = 0;
    std::array<bool, 3> hadPublished_{};
};

}  // namespace kirel
