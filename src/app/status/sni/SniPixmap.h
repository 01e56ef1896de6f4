#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>

class QDBusArgument;
class QImage;

namespace corvelle {

// One picture of a StatusNotifierItem icon, as the hosts read it: width, height and the pixels
// as ARGB32 in network byte order (D-Bus type (iiay)).
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;

    static SniPixmap fromImage(const QImage& image);
};

using SniPixmaps = QList<SniPixmap>;

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap);

}  // namespace corvelle

Q_DECLARE_METATYPE(corvelle::SniPixmap)
