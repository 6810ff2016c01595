// The preferences dialog, opened from the settings menu and from the decoration
// window's "色設定".
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

#include "app/mainwindow.h"
#include "app/toolbarpictures.h"
#include "core/colors.h"
#include "phrases/quotemarkdialog.h"
#include "preferences/preferencesdialog.h"
#include "preview/previewtabs.h"

using namespace kirel;

bool MainWindow::openPreferences(QWidget* owner) {
    PreferencesCallbacks callbacks;
    callbacks.chooseQuoteMark = [](QWidget* dialogOwner) { QuoteMarkDialog::choose(dialogOwner); };
    callbacks.setMainPicture = [this](const QString& path) {
        const QPixmap picture = path.isEmpty() ? QPixmap() : mascotPicture(path, mascot->size());
        if (!picture.isNull())
            mascot->setPixmap(picture);
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
