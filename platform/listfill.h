#pragma once

// Filling a combo box with a long list (a list file of many megabytes) without a
// cost per item: the list goes into a string-list model in one update (the
// strings are shared, not copied one by one), the drop-down list takes every row
// as high as the first, and the box's width comes from the layout, not from
// measuring every item.

#include <QStringList>

class QComboBox;

namespace kirel {

void setComboItems(QComboBox* box, const QStringList& items);

}  // namespace kirel
