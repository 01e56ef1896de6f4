// Writes the status item's icon theme (one picture per battery state and size) under the folder
// given, as hicolor/SIZExSIZE/status/NAME.png; the build runs it, the package installs the result.
// The symbolic icon is drawn by hand (data/), for hosts to recolour: the build copies it there.
#include "app/status/ThemedBatteryIcon.h"
#include "app/style/BatteryIconPainter.h"
#include "localization/Language.h"
#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

using namespace corvelle;

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    // The pictures carry no text; the states' labels are looked up all the same.
    AppSettings::installShared(std::make_shared<MemoryKeyValueStore>(), nullptr);
    installLanguageLookup([] { return std::vector<std::string>{"en"}; });
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const BatteryIcon& icon : ThemedBatteryIcon::every()) {
        if (ThemedBatteryIcon::isSymbolic(ThemedBatteryIcon::name(icon))) continue;
        for (const int side : ThemedBatteryIcon::sizes) {
            const QString path = root.filePath(ThemedBatteryIcon::relativePath(ThemedBatteryIcon::name(icon), side));
            QSaveFile file(path);
            const bool saved = QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
                               BatteryIconPainter::trayPicture(icon, side).save(&file, "PNG") && file.commit();
            if (!saved) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
