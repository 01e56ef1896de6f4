#include "app/status/ThemedBatteryIcon.h"
#include "present/StatusItemComposer.h"
#include "support/StatsBuilder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>

namespace corvelle {
namespace {

using test::Power;
using test::StatsBuilder;

TEST(ThemedBatteryIconTest, TheThemeHoldsEveryNameTheItemGives) {
    std::set<QString> theme;
    for (const BatteryIcon& icon : ThemedBatteryIcon::every()) theme.insert(ThemedBatteryIcon::name(icon));
    EXPECT_EQ(theme.size(), ThemedBatteryIcon::every().size()) << "one picture per name";
    for (int percent = 1; percent <= 100; ++percent) {
        for (const Power power : {Power::battery, Power::pluggedIn, Power::charging}) {
            const auto icon = StatusItemComposer::batteryIcon(StatsBuilder().battery(percent, power));
            EXPECT_TRUE(theme.contains(ThemedBatteryIcon::name(icon))) << ThemedBatteryIcon::name(icon).toStdString();
        }
    }
    EXPECT_EQ(ThemedBatteryIcon::name(StatusItemComposer::batteryIcon(StatsBuilder().battery(15))),
              "io.mirelo.corvelle-battery-25-red");
    EXPECT_EQ(ThemedBatteryIcon::name(StatusItemComposer::batteryIcon(SystemStats{})),
              "io.mirelo.corvelle-no-battery-symbolic") << "no battery: drawn in the bar's own colour";
    SystemStats levelUnknown = StatsBuilder().battery(62);
    levelUnknown.batteryPercentage.reset();
    EXPECT_TRUE(theme.contains(ThemedBatteryIcon::name(StatusItemComposer::batteryIcon(levelUnknown))));
}

// The build writes the theme beside the app: every picture the item names is there.
TEST(ThemedBatteryIconTest, EveryNameIsAFileOfTheBuiltTheme) {
    const QString theme = ThemedBatteryIcon::themePathBeside(QFileInfo(CORVELLE_APP_PATH).path());
    ASSERT_FALSE(theme.isEmpty());
    for (const BatteryIcon& icon : ThemedBatteryIcon::every()) {
        const QString file = ThemedBatteryIcon::iconString(icon, theme);
        EXPECT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
    }
}

}  // namespace
}  // namespace corvelle
