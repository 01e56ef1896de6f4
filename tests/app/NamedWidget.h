#pragma once

#include <QWidget>

namespace corvelle::test {

// The first widget of type T under `root` whose accessible name is `name`; null when none.
template <typename T>
T* named(const QWidget& root, const QString& name) {
    for (T* widget : root.findChildren<T*>()) if (widget->accessibleName() == name) return widget;
    return nullptr;
}

}  // namespace corvelle::test
