#pragma once

// A browser view that loads nothing, for window tests that show the preview or
// browser tab without the browser engine.

#include <QWidget>
#include <functional>

#include "platform/browserview.h"

namespace kirel::test {

class NullEngine final : public QWidget, public BrowserEngine {
  public:
    using QWidget::QWidget;
    QWidget* widget() override { return this; }
    void navigate(const QString&) override {}
    bool goBack() override { return false; }
    bool goForward() override { return false; }
    void refresh() override {}
    void setNavigateComplete(std::function<void(const QString&)>) override {}
};

class NullFactory final : public BrowserEngineFactory {
  public:
    BrowserEngine* createEngine(QWidget* parent, const BrowserOptions&) override {
        return new NullEngine(parent);
    }
};

}  // namespace kirel::test
