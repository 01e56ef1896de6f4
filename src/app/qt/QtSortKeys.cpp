#include "app/qt/QtSortKeys.h"

#include <QString>

namespace corvelle {

std::string QtSortKeys::sortKey(std::string_view name) const {
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (!c.isMark()) bare.append(c);
    }
    // A NUL ends the first part: "e" goes before "ea" whatever follows it.
    return (bare.toCaseFolded() + QChar(u'\0') + text.toCaseFolded()).toStdString();
}

}  // namespace corvelle
