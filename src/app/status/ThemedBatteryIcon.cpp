#include "app/status/ThemedBatteryIcon.h"

#include "app/style/BatteryIconPainter.h"
#include "model/SystemStats.h"
#include "present/StatusItemComposer.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace corvelle::ThemedBatteryIcon {
namespace {

const QString prefix = QStringLiteral("io.mirelo.corvelle-");

QString colourName(SystemColor color) {
    switch (color) {
        case SystemColor::red: return QStringLiteral("red");
        case SystemColor::orange: return QStringLiteral("orange");
        default: return QStringLiteral("green");
    }
}

}  // namespace

QString name(const BatteryIcon& icon) {
    if (icon.symbolName == "desktopcomputer") return prefix + QStringLiteral("no-battery-symbolic");
    if (icon.symbolName == "battery.unknown") return prefix + QStringLiteral("battery-level-unknown");
    if (icon.color == SystemColor::secondary) return prefix + QStringLiteral("battery-unknown");
    // "battery.75" or "battery.75.bolt": the step is the second part.
    const QString step = QString::fromStdString(icon.symbolName).section(QLatin1Char('.'), 1, 1);
    const QString state = icon.symbolName.ends_with(".bolt") ? QStringLiteral("charging")
                          : icon.plugBadge                   ? QStringLiteral("plugged")
                                                             : colourName(icon.color);
    return prefix + QStringLiteral("battery-") + step + QLatin1Char('-') + state;
}

std::vector<BatteryIcon> every() {
    SystemStats levelUnknown;
    levelUnknown.batteryIsPresent = true;
    std::vector<BatteryIcon> icons{BatteryIconPainter::placeholderIcon(), StatusItemComposer::batteryIcon({}),
                                   StatusItemComposer::batteryIcon(levelUnknown)};
    // A charge inside each fill step and on each side of each colour boundary.
    for (const double percent : {5.0, 15.0, 22.0, 30.0, 60.0, 90.0}) {
        for (const auto& [charging, pluggedIn] : {std::pair{false, false}, {true, true}, {false, true}}) {
            SystemStats stats;
            stats.batteryPercentage = percent;
            stats.batteryIsPresent = true;
            stats.batteryIsCharging = charging;
            stats.batteryIsPluggedIn = pluggedIn;
            const auto icon = StatusItemComposer::batteryIcon(stats);
            const bool known = std::any_of(icons.begin(), icons.end(),
                                           [&](const BatteryIcon& other) { return name(other) == name(icon); });
            if (!known) icons.push_back(icon);
        }
    }
    return icons;
}

bool isSymbolic(const QString& name) { return name.endsWith(QLatin1String("-symbolic")); }

QString relativePath(const QString& name, int side) {
    if (isSymbolic(name)) return QStringLiteral("hicolor/scalable/status/%1.svg").arg(name);
    return QStringLiteral("hicolor/%1x%1/status/%2.png").arg(side).arg(name);
}

QString themePathBeside(const QString& applicationDir) {
    const QString beside = applicationDir + QStringLiteral("/icons");
    return QFileInfo::exists(beside + QLatin1Char('/') + relativePath(name(BatteryIconPainter::placeholderIcon()), 48))
               ? beside
               : QString();
}

bool installed(const QString& themePath) {
    const QString probe = relativePath(name(BatteryIconPainter::placeholderIcon()), 48);
    return !themePath.isEmpty() ||
           !QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("icons/") + probe).isEmpty();
}

QString iconString(const BatteryIcon& icon, const QString& themePath) {
    if (!themePath.isEmpty()) return themePath + QLatin1Char('/') + relativePath(name(icon), 48);
    return installed(themePath) ? name(icon) : QString();
}

}  // namespace corvelle::ThemedBatteryIcon
