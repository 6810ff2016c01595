// The preferences dialog, opened from the settings menu and from the decoration
// window's "色設定".
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

#include "app/mainwindow.h"
#include "core/colors.h"
#include "phrases/quotemarkdialog.h"
#include "preferences/preferencesdialog.h"
#include "preview/previewtabs.h"

using namespace kirel;

bool MainWindow::openPreferences(QWidget* owner) {
    PreferencesCallbacks callbacks;
    callbacks.chooseQuoteMark = [](QWidget* dialogOwner) { QuoteMarkDialog::choose(dialogOwner); };
    callbacks.setMainPicture = [this](const QString& path) {
        QPixmap picture;
        if (!path.isEmpty() && QFileInfo::exists(path) && picture.load(path))
            mascot->setPixmap(
                picture.scaled(mascot->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        else
            mascot->clear();
    };
    callbacks.setMainColor = [this](int color) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, qcolorOf(color));
        setPalette(pal);
        update();
    };
    callbacks.focusAddressBox = [this] {
        if (previewTabs_ && previewTabs_->addressBox) previewTabs_->addressBox->setFocus();
    };
    return PreferencesDialog::open(*this, owner ? owner : this, callbacks);
}
