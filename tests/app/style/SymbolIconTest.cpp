#include "ImageProbe.h"
#include "app/style/BatteryIconPainter.h"
#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "app/style/TitleFont.h"
#include "model/Explainer.h"
#include "model/ThermalLevel.h"
#include "present/StatusItemComposer.h"
#include "support/StatsBuilder.h"

#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

namespace corvelle {
namespace {

QImage symbolImage(std::string_view name, int size, const QColor& color) {
    return SymbolIcon::pixmap(name, size, color).toImage();
}

TEST(SymbolIconTest, EveryKnownNameDrawsItsOwnPictureInAnySizeAndColour) {
    for (int size : {10, 16, 32, 64}) {
        for (const QColor& color : {QColor(Qt::black), QColor(Qt::white), QColor(215, 38, 30)}) {
            const QImage placeholder = symbolImage("no.such.symbol", size, color);
            for (const auto& name : SymbolIcon::knownNames()) {
                SCOPED_TRACE(name + " at " + std::to_string(size) + " in " + color.name().toStdString());
                const QImage image = symbolImage(name, size, color);
                EXPECT_EQ(image.size(), QSize(size, size));
                EXPECT_GT(test::countNear(image, color), size * size / 40) << "too little ink";
                EXPECT_NE(image, placeholder);
            }
        }
    }
}

// A contact sheet of every symbol in both themes, kept as a test artifact when asked for.
TEST(SymbolIconTest, ContactSheetArtifact) {
    const QString folder = qEnvironmentVariable("CORVELLE_TEST_ARTIFACTS");
    if (folder.isEmpty()) GTEST_SKIP() << "CORVELLE_TEST_ARTIFACTS not set";
    const auto names = SymbolIcon::knownNames();
    const int cell = 40, columns = 12, rows = static_cast<int>(names.size() + 1) / columns + 1;
    QImage sheet(columns * cell, rows * cell * 2, QImage::Format_ARGB32);
    sheet.fill(QColor(242, 242, 242));
    QPainter painter(&sheet);
    painter.fillRect(0, rows * cell, sheet.width(), rows * cell, QColor(40, 40, 42));
    for (bool dark : {false, true}) {
        for (size_t i = 0; i <= names.size(); ++i) {
            const std::string name = i < names.size() ? names[i] : "unknown";
            const QPoint at(static_cast<int>(i % columns) * cell + 4, (static_cast<int>(i / columns) + (dark ? rows : 0)) * cell + 4);
            painter.drawPixmap(at, SymbolIcon::pixmap(name, 32, Palette::color(SystemColor::primary, dark)));
        }
    }
    painter.end();
    EXPECT_TRUE(sheet.save(folder + "/symbols.png"));
}

TEST(SymbolIconTest, UnknownNamesGiveTheNeutralPlaceholder) {
    const QImage placeholder = symbolImage("no.such.symbol", 24, Qt::black);
    EXPECT_GT(test::countNear(placeholder, Qt::black), 0);
    for (std::string_view name : {"", "battery", "battery.", "battery.33", "battery.100.bolt.bolt", "gearshape.3",
                                  "flame.fill ", "percent"}) {
        SCOPED_TRACE(std::string(name));
        EXPECT_FALSE(SymbolIcon::isKnown(name));
        EXPECT_EQ(symbolImage(name, 24, Qt::black), placeholder);
    }
    EXPECT_FALSE(SymbolIcon::pixmap("flame.fill", 0, Qt::black).isNull());
}

TEST(SymbolIconTest, SymbolsNamedByTheCoreAreKnown) {
    for (auto level : {ThermalLevel::nominal, ThermalLevel::moderate, ThermalLevel::heavy, ThermalLevel::trapping,
                       ThermalLevel::sleeping}) {
        EXPECT_TRUE(SymbolIcon::isKnown(symbolName(level))) << symbolName(level);
    }
    for (auto term : allExplainers) EXPECT_TRUE(SymbolIcon::isKnown(icon(term))) << icon(term);
    for (double percent : {0.5, 9.9, 10.0, 24.9, 25.0, 49.9, 50.0, 74.9, 75.0, 100.0}) {
        for (auto power : {test::Power::battery, test::Power::charging}) {
            const auto icon = StatusItemComposer::batteryIcon(test::StatsBuilder().battery(percent, power));
            EXPECT_TRUE(SymbolIcon::isKnown(icon.symbolName)) << icon.symbolName;
        }
    }
}

// Relative luminance contrast of a colour, composited over the background, against it.
double contrast(const QColor& color, const QColor& background) {
    auto composite = [&](int c, int b) { return (c * color.alphaF() + b * (1 - color.alphaF())) / 255.0; };
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    auto luminance = [&](double r, double g, double b) {
        return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
    };
    const double front = luminance(composite(color.red(), background.red()), composite(color.green(), background.green()),
                                   composite(color.blue(), background.blue()));
    const double back = luminance(background.redF(), background.greenF(), background.blueF());
    return (std::max(front, back) + 0.05) / (std::min(front, back) + 0.05);
}

TEST(PaletteTest, EveryColourStandsOutOnBothThemes) {
    const std::pair<SystemColor, double> cases[] = {{SystemColor::primary, 7.0}, {SystemColor::secondary, 3.0}, {SystemColor::tertiary, 1.5},
                          {SystemColor::green, 2.5},   {SystemColor::blue, 2.5},      {SystemColor::orange, 2.5},
                          {SystemColor::red, 2.5},     {SystemColor::yellow, 2.5},    {SystemColor::purple, 2.5}};
    for (bool dark : {false, true}) {
        QPalette palette;
        palette.setColor(QPalette::Window, dark ? QColor(40, 40, 42) : QColor(242, 242, 242));
        ASSERT_EQ(Palette::isDark(palette), dark);
        for (const auto& [name, minimum] : cases) {
            EXPECT_GE(contrast(Palette::color(name, dark), palette.color(QPalette::Window)), minimum)
                << static_cast<int>(name) << (dark ? " dark" : " light");
        }
    }
}

// The state colour fills the battery up to `filledTo` of its width; on external power a blue plug badge follows it.
TEST(BatteryIconPainterTest, DrawsLevelColourAndBadge) {
    using test::Power;
    const std::tuple<double, Power, SystemColor, double> cases[] = {
        {9, Power::battery, SystemColor::red, 0.14},    {62, Power::battery, SystemColor::green, 0.66},
        {35, Power::battery, SystemColor::orange, 0.46}, {100, Power::pluggedIn, SystemColor::blue, 0.86}};
    for (const auto& [percent, power, color, filledTo] : cases) {
        const auto icon = StatusItemComposer::batteryIcon(test::StatsBuilder().battery(percent, power));
        for (bool dark : {false, true}) {
            SCOPED_TRACE(std::to_string(percent) + (dark ? " dark" : " light"));
            const int height = 32;
            const int battery = BatteryIconPainter::batteryWidth(height);
            const QImage image = BatteryIconPainter::render(icon, height, dark);
            const QColor state = Palette::color(color, dark);
            const int reached = static_cast<int>(battery * filledTo);
            // State colour just inside the level, none well past it.
            EXPECT_GT(test::countNear(image, state, QRect(reached - 5, 0, 3, height)), 6);
            EXPECT_EQ(test::countNear(image, state, QRect(reached + 6, 0, battery - reached - 6, height)), 0);
            const QRect badge(battery + 1, 0, image.width() - battery - 1, height);
            if (icon.plugBadge) EXPECT_GT(test::countNear(image, Palette::color(SystemColor::blue, dark), badge), 10);
            else EXPECT_EQ(image.width(), battery);
            EXPECT_EQ(image.height(), height);
        }
    }
}

// Where a colour must be drawn and where it must not: charging, the bolt over the middle of the fill;
// without a battery, a monitor's screen across the top and a narrow foot, not a second frame, below;
// a battery that hides its level, a question mark in the middle of an empty outline, no fill.
TEST(BatteryIconPainterTest, TheBoltTheMonitorAndTheQuestionMarkStandWhereTheyShould) {
    SystemStats hidden = test::StatsBuilder().battery(62);
    hidden.batteryPercentage.reset();
    const int width = BatteryIconPainter::batteryWidth(32);
    const std::tuple<const char*, SystemStats, SystemColor, QRect, int, QRect> cases[] = {
        {"charging", test::StatsBuilder().battery(100, test::Power::charging), SystemColor::primary,
         QRect(width / 2 - 4, 10, 6, 12), 8, QRect()},
        {"no battery", SystemStats{}, SystemColor::secondary, QRect(width / 4, 0, width / 2, 3), width / 3, QRect(0, 29, width / 5, 3)},
        {"level unknown", hidden, SystemColor::secondary, QRect(width / 2 - 4, 10, 6, 12), 8, QRect(6, 10, width / 6, 12)},
    };
    for (const auto& [what, stats, color, inked, atLeast, blank] : cases) {
        const QImage image = BatteryIconPainter::render(StatusItemComposer::batteryIcon(stats), 32, false);
        const QColor drawn = Palette::color(color, false);
        EXPECT_EQ(image.size(), QSize(width, 32)) << what;
        EXPECT_GT(test::countNear(image, drawn, inked), atLeast) << what;
        EXPECT_TRUE(blank.isNull() || test::countNear(image, drawn, blank) == 0) << what;
    }
}

TEST(TitleFontTest, DigitsAreEquallyWide) {
    EXPECT_TRUE(TitleFont::hasEqualDigits(TitleFont::make({})));
    EXPECT_EQ(TitleFont::make({.weight = MenuBarTitle::Weight::medium}).weight(), QFont::Medium);
}

}  // namespace
}  // namespace corvelle
