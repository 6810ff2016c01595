#pragma once

#include "platform/clipboard.h"

namespace kirel {

// The system clipboard through QGuiApplication::clipboard().
class QtClipboard final : public Clipboard {
  public:
    bool hasText() const override;
    QString text() const override;
    void setText(const QString& text) override;
};

}  // namespace kirel
