#include "platform/prompter.h"

namespace kirel {
namespace {

// Used when nothing is installed (unit tests that do not care): answers No and
// Cancel, so no command goes ahead by accident.
class SilentPrompter final : public Prompter {
  public:
    void message(const QString&, Icon, const QString&) override {}
    bool question(const QString&, Icon, const QString&) override { return false; }
    QString openFileName(const FileRequest&) override { return {}; }
    QString saveFileName(const FileRequest&) override { return {}; }
    QString openPictureName(const FileRequest&) override { return {}; }
    std::optional<unsigned> chooseColor(unsigned) override { return std::nullopt; }
};

SilentPrompter silent;
Prompter* installed = &silent;

}  // namespace

Prompter& Prompter::current() {
    return *installed;
}

void Prompter::setCurrent(Prompter* p) {
    installed = p ? p : &silent;
}

void showMessage(const QString& text, Icon icon) {
    installed->message(text, icon, kAppTitle);
}

void showPlain(const QString& text) {
    installed->message(text, Icon::None, kAppTitle);
}

bool ask(const QString& text, Icon icon) {
    return installed->question(text, icon, kAppTitle);
}

void showError(const QString& text) {
    installed->message(text, Icon::Error, kAppTitle);
}

}  // namespace kirel
