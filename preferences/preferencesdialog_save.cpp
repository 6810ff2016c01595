#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "controls/colorswatchbutton.h"
#include "core/appstate.h"
#include "core/colors.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/windowlook.h"
#include "preferences/preferencesdialog.h"

// The preferences dialog's saving and closing: the values gathered from the
// fields, checked, written to the settings file and taken into use.

namespace kirel {

prefs::Values PreferencesDialog::collect() const {
    prefs::Values v;
    for (int b = 0; b < 3; ++b) {
        const BoardPage& f = boards[b];
        v.boards[b] = {f.limit->text(),      f.textColor->text(),      f.cellColor->text(),
                       f.cellWidth->text(),  f.backColor->text(),      f.image->text(),
                       f.frame->isChecked(), f.name->text().trimmed(), f.lineLimit->text(),
                       hadPublished_[b]};
    }
    for (int i = 0; i < 8; ++i) {
        v.presetColors[i] = colorIntOf(presetSwatches[i]->color());
        v.presetHtml[i] = presetFields[i]->text();
    }
    v.handleMax = handleMax->text();
    v.handleFront = handleFront->toPlainText();
    v.handleBack = handleBack->toPlainText();
    v.pictureChoice = pictureChoice->currentIndex();
    v.picturePath = picturePathField->text().isEmpty() ? QString() : picturePath_;
    v.userPictures = userPictures_;
    v.formColor = formColor_;
    for (int k = 0; k < 4; ++k) v.formButtonColors[k] = colorIntOf(windowSwatches[k]->color());
    v.formButtonColors[1] = madeColor_;
    v.quoteColor = quoteColor->isChecked();
    v.quoteItalic = quoteItalic->isChecked();
    v.savePath = saveFolder->text();
    return v;
}

void PreferencesDialog::turnTo(const prefs::Refusal& refusal) {
    if (refusal.plain)
        showPlain(refusal.message);
    else
        showMessage(refusal.message, Icon::Warning);
    pages->setCurrentIndex(refusal.page);
    QWidget* field = nullptr;
    if (refusal.board >= 0) {
        const BoardPage& f = boards[refusal.board];
        switch (refusal.field) {
            case prefs::Field::Limit:
                field = f.limit;
                break;
            case prefs::Field::TextColor:
                field = f.textColor;
                break;
            case prefs::Field::CellColor:
                field = f.cellColor;
                break;
            case prefs::Field::CellWidth:
                field = f.cellWidth;
                break;
            case prefs::Field::BackColor:
                field = f.backColor;
                break;
            default:
                break;
        }
    } else if (refusal.field == prefs::Field::HandleMax) {
        field = handleMax;
    } else {
        field = refusal.field == prefs::Field::SaveFolder ? static_cast<QWidget*>(saveFolder)
                                                          : pictureChoice;
    }
    if (!field) return;
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

bool PreferencesDialog::save() {
    const Profile ini(app().iniPath());
    prefs::Values v = collect();
    // The board current now (read again: the values written for it follow it).
    v.currentBoard = ini.readInteger(keys::kShared, keys::kCurrentBoard, 0);
    if (v.currentBoard < 0 || v.currentBoard > 2) v.currentBoard = 0;
    if (const std::optional<prefs::Refusal> refusal =
            prefs::check(v, [](const QString& p) { return QFileInfo(p).isDir(); })) {
        turnTo(*refusal);
        return false;
    }

    // Everything goes to the file in one step before anything is applied, so a
    // refused write leaves both the file and the running program as they were.
    try {
        ProfileBatch batch(ini);
        prefs::writeValues(batch, v);
        batch.commit();
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }

    if (callbacks_.setMainPicture) callbacks_.setMainPicture(v.picturePath);
    if (v.picturePath.isEmpty()) showPlaceholder(QStringLiteral("(未表示)"));

    AppState& st = app();
    st.CharLimit = prefs::charLimitOf(v);
    st.LineLimit = v.boards[v.currentBoard].lineLimit.toInt();
    // The display shows the new limits; the warnings wait for the next change of the text.
    host_.resetCounter();
    st.HandleMaxLen = v.handleMax.toInt();
    st.HandlePrefix = v.handleFront;
    st.HandleSuffix = v.handleBack;
    st.QuoteColorOn = v.quoteColor;
    st.QuoteItalicOn = v.quoteItalic;

    saveQuoteList();
    quoteModified_ = false;

    switch (host_.currentTab()) {
        case EditorHost::Tab::Preview:
            host_.showTab(EditorHost::Tab::Preview);
            break;
        case EditorHost::Tab::Browser:
            if (callbacks_.focusAddressBox) callbacks_.focusAddressBox();
            break;
        case EditorHost::Tab::Edit:
            host_.editText().giveFocus();
            break;
    }

    showMessage(QStringLiteral("設定を保存しました。"), Icon::None);
    changed_ = false;
    saved_ = true;
    app().ClipCaptureOn = 1;
    accept();
    return true;
}

// ---------------------------------------------------------------- closing

void PreferencesDialog::reject() {
    if (changed_) {
        if (!ask(QStringLiteral(
                "設定が変更されています。\r\nこのまま設定を反映させずに終了しますか？")))
            return;
        // A window colour that was only tried goes back to the saved one.
        applyWindowColor(formColorSetting());
        changed_ = false;
    }
    app().ClipCaptureOn = 1;
    QDialog::reject();
}

}  // namespace kirel
