#pragma once

#include "platform/prompter.h"

namespace kirel {

// Prompter on Qt's message boxes and dialogs, parented as dialogParent() says.
class QtPrompter final : public Prompter {
  public:
    void message(const QString& text, Icon icon, const QString& caption) override;
    bool question(const QString& text, Icon icon, const QString& caption) override;
    QString openFileName(const FileRequest& request) override;
    QString saveFileName(const FileRequest& request) override;
    QString openPictureName(const FileRequest& request) override;
    std::optional<unsigned> chooseColor(unsigned initialRgb) override;
};

// "テキストファイル (*.txt)|*.txt|..." -> Qt's "テキストファイル (*.txt);;...".
QString toQtFilter(const QString& windowsFilter);

}  // namespace kirel
