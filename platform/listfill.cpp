#include "platform/listfill.h"

#include <QComboBox>
#include <QListView>
#include <QStringListModel>

namespace kirel {

void setComboItems(QComboBox* box, const QStringList& items) {
    auto* model = qobject_cast<QStringListModel*>(box->model());
    if (!model) {
        // The box's own item model is replaced (and freed by the box).
        model = new QStringListModel(box);
        box->setModel(model);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        if (auto* view = qobject_cast<QListView*>(box->view())) view->setUniformItemSizes(true);
    }
    model->setStringList(items);
}

}  // namespace kirel
