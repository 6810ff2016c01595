#pragma once

#include <QString>
#include <stdexcept>

namespace kirel {

// A failed operation (file write refused, file unreadable...) carrying the text
// shown to the user. Commands that guard an operation catch it and show the text
// as a plain message; anything not caught reaches the general error dialog.
class Failure : public std::runtime_error {
  public:
    explicit Failure(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const noexcept { return message_; }

  private:
    QString message_;
};

}  // namespace kirel
