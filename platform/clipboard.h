#pragma once

#include <QString>

namespace kirel {

// The system clipboard as the program uses it: plain text only.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual bool hasText() const = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

}  // namespace kirel
