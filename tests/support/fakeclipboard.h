#pragma once

#include "platform/clipboard.h"

namespace kirel::test {

// Clipboard held in memory; hasText is false until text is set.
class FakeClipboard final : public Clipboard {
  public:
    bool holdsText = false;
    QString content;

    bool hasText() const override { return holdsText; }
    QString text() const override { return holdsText ? content : QString(); }
    void setText(const QString& text) override {
        content = text;
        holdsText = true;
    }
    void clear() {
        content.clear();
        holdsText = false;
    }
};

}  // namespace kirel::test
