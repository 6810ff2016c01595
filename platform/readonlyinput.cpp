#include "platform/readonlyinput.h"

#include <QInputMethodQueryEvent>
#include <QVariant>
#include <QWidget>

namespace kirel {
namespace {

class ReadOnlyInputGuard final : public QObject {
  public:
    explicit ReadOnlyInputGuard(QWidget* pane) : QObject(pane), pane_(pane) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != pane_ || !pane_->property("readOnly").toBool()) return false;
        if (event->type() == QEvent::InputMethod) {
            event->accept();
            return true;
        }
        if (event->type() != QEvent::InputMethodQuery) return false;
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        if (!(query->queries() & Qt::ImEnabled)) return false;
        for (int bit = 0; bit < 32; ++bit) {
            const auto q = Qt::InputMethodQuery(1u << bit);
            if (!(query->queries() & q)) continue;
            query->setValue(q, q == Qt::ImEnabled ? QVariant(false) : pane_->inputMethodQuery(q));
        }
        query->accept();
        return true;
    }

  private:
    QWidget* pane_;
};

}  // namespace

void refuseInputMethodWhileReadOnly(QWidget* pane) {
    pane->installEventFilter(new ReadOnlyInputGuard(pane));
}

}  // namespace kirel
