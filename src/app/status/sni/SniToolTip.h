#pragma once

#include "app/status/sni/SniPixmap.h"

#include <QString>

namespace corvelle {

// A StatusNotifierItem tooltip: icon name, icon pictures, title and description (D-Bus type
// (sa(iiay)ss)).
struct SniToolTip {
    QString iconName;
    SniPixmaps pixmaps;
    QString title;
    QString description;
};

QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& toolTip);

}  // namespace corvelle

Q_DECLARE_METATYPE(corvelle::SniToolTip)
