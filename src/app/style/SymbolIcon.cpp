#include "app/style/SymbolIcon.h"

#include "app/style/DrawnSymbols.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QIconEngine>
#include <QPainter>

#include <array>
#include <map>

namespace corvelle {
namespace {

enum class Shape { glyph, plug, plugFilled, tortoise };

struct Recipe {
    Shape shape = Shape::glyph;
    char16_t glyph = 0;
    char16_t badge = 0;  // a smaller glyph over the bottom-right corner
};

// Code points of the Material Design icon font (Debian's fonts-materialdesignicons-webfont).
namespace mdi {
constexpr char16_t account = 0xF004, accountSearch = 0xF016, alert = 0xF026, alertOctagon = 0xF029,
                   arrowExpand = 0xF616, book = 0xF0BA, brush = 0xF0E3, cellphoneIphone = 0xF120,
                   chartLine = 0xF12A, checkCircle = 0xF5E0, chevronDown = 0xF140, chevronRight = 0xF142,
                   chevronUp = 0xF143, chip = 0xF61A, clock = 0xF150, closeCircle = 0xF159, closeOctagon = 0xF15C,
                   codeTags = 0xF174,
                   fan = 0xF210, fire = 0xF238, flash = 0xF241, flashOff = 0xF243, formatListNumbers = 0xF27B,
                   gauge = 0xF29A, harddisk = 0xF2CA, heart = 0xF2D1, informationOutline = 0xF2FD, lan = 0xF317,
                   leaf = 0xF32A, lightbulb = 0xF335, memory = 0xF35B, messageOutline = 0xF365, monitor = 0xF379,
                   plusCircleOutline = 0xF419, pound = 0xF423, run = 0xF46E, send = 0xF48A, settings = 0xF493,
                   sleep = 0xF4B2, speedometer = 0xF4C5, star = 0xF4CE, swapVertical = 0xF4E2, sync = 0xF4E6, syncAlert = 0xF4E7,
                   thermometer = 0xF50F, trendingDown = 0xF533, trendingNeutral = 0xF534, trendingUp = 0xF535,
                   video = 0xF567, viewDashboard = 0xF56E, viewGrid = 0xF570, weatherNight = 0xF594,
                   weatherSunny = 0xF5A8;
}  // namespace mdi

Recipe glyph(char16_t code, char16_t badge = 0) { return {Shape::glyph, code, badge}; }

const std::map<std::string, Recipe, std::less<>>& recipes() {
    static const std::map<std::string, Recipe, std::less<>> table{
        {"arrow.triangle.2.circlepath", glyph(mdi::sync)},
        {"arrow.up.arrow.down", glyph(mdi::swapVertical)},
        {"arrow.up.left.and.arrow.down.right", glyph(mdi::arrowExpand)},
        {"bolt.badge.clock", glyph(mdi::flash, mdi::clock)},
        {"bolt.fill", glyph(mdi::flash)},
        {"bolt.slash", glyph(mdi::flashOff)},
        {"bolt.trianglebadge.exclamationmark.fill", glyph(mdi::flash, mdi::alert)},
        {"book.fill", glyph(mdi::book)},
        {"bubble.left", glyph(mdi::messageOutline)},
        {"chart.line.downtrend.xyaxis", glyph(mdi::trendingDown)},
        {"chart.line.flattrend.xyaxis", glyph(mdi::trendingNeutral)},
        {"chart.line.uptrend.xyaxis", glyph(mdi::trendingUp)},
        {"chart.xyaxis.line", glyph(mdi::chartLine)},
        {"checkmark.circle.fill", glyph(mdi::checkCircle)},
        {"chevron.down", glyph(mdi::chevronDown)},
        {"chevron.left.forwardslash.chevron.right", glyph(mdi::codeTags)},
        {"chevron.right", glyph(mdi::chevronRight)},
        {"chevron.up", glyph(mdi::chevronUp)},
        {"clock", glyph(mdi::clock)},
        {"clock.fill", glyph(mdi::clock)},
        {"cpu", glyph(mdi::chip)},
        {"cpu.fill", glyph(mdi::chip)},
        {"display", glyph(mdi::monitor)},
        {"exclamationmark.arrow.circlepath", glyph(mdi::syncAlert)},
        {"exclamationmark.octagon.fill", glyph(mdi::alertOctagon)},
        {"exclamationmark.triangle.fill", glyph(mdi::alert)},
        {"fanblades.fill", glyph(mdi::fan)},
        {"flame.fill", glyph(mdi::fire)},
        {"gauge.medium", glyph(mdi::gauge)},
        {"gauge.with.dots.needle.67percent", glyph(mdi::speedometer)},
        {"gearshape", glyph(mdi::settings)},
        {"gearshape.2", glyph(mdi::settings, mdi::settings)},
        {"hare", glyph(mdi::run)},
        {"heart.fill", glyph(mdi::heart)},
        {"info.circle", glyph(mdi::informationOutline)},
        {"internaldrive", glyph(mdi::harddisk)},
        {"iphone", glyph(mdi::cellphoneIphone)},
        {"leaf.fill", glyph(mdi::leaf)},
        {"lightbulb.fill", glyph(mdi::lightbulb)},
        {"list.number", glyph(mdi::formatListNumbers)},
        {"memorychip", glyph(mdi::memory)},
        {"moon.fill", glyph(mdi::weatherNight)},
        {"moon.zzz.fill", glyph(mdi::sleep)},
        {"network", glyph(mdi::lan)},
        {"number", glyph(mdi::pound)},
        {"paintbrush.fill", glyph(mdi::brush)},
        {"paperplane.fill", glyph(mdi::send)},
        {"person.fill", glyph(mdi::account)},
        {"person.fill.viewfinder", glyph(mdi::accountSearch)},
        {"plus.circle", glyph(mdi::plusCircleOutline)},
        {"powerplug", {Shape::plug}},
        {"powerplug.fill", {Shape::plugFilled}},
        {"rectangle.3.group.fill", glyph(mdi::viewDashboard)},
        {"square.grid.2x2", glyph(mdi::viewGrid)},
        {"star.fill", glyph(mdi::star)},
        {"thermometer.medium", glyph(mdi::thermometer)},
        {"thermometer.sun.fill", glyph(mdi::thermometer, mdi::weatherSunny)},
        {"tortoise.fill", {Shape::tortoise}},
        {"video.fill", glyph(mdi::video)},
        {"xmark.circle.fill", glyph(mdi::closeCircle)},
        {"xmark.octagon.fill", glyph(mdi::closeOctagon)},
    };
    return table;
}

// Level words and the filled fraction they show; an empty battery keeps a sliver so that its
// colour can be seen.
struct BatteryLevel {
    std::string_view word;
    double fraction;
};
constexpr std::array<BatteryLevel, 5> batteryLevels{{{"0", 0.1}, {"25", 0.25}, {"50", 0.5}, {"75", 0.75}, {"100", 1.0}}};

// The icon font's family, loaded from Debian's file when fontconfig does not list it.
const QString& iconFamily() {
    static const QString family = [] {
        const QString name = QStringLiteral("Material Design Icons");
        if (QFontDatabase::families().contains(name)) return name;
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(
            "/usr/share/fonts/truetype/materialdesignicons-webfont/materialdesignicons-webfont.ttf"));
        const auto loaded = QFontDatabase::applicationFontFamilies(id);
        return loaded.isEmpty() ? QString() : loaded.front();
    }();
    return family;
}

// Draws one glyph filling `box`; false when the font or the glyph is missing.
bool paintGlyph(QPainter& painter, const QRectF& box, char16_t code, const QColor& color) {
    if (iconFamily().isEmpty()) return false;
    QFont font(iconFamily());
    font.setPixelSize(std::max(1, qRound(box.height())));
    const QChar character(code);
    if (!QFontMetricsF(font).inFont(character)) return false;
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, QString(character));
    painter.restore();
    return true;
}

bool paintRecipe(QPainter& painter, const QRectF& box, const Recipe& recipe, const QColor& color) {
    switch (recipe.shape) {
        case Shape::plug: DrawnSymbols::paintPlug(painter, box, color, false); return true;
        case Shape::plugFilled: DrawnSymbols::paintPlug(painter, box, color, true); return true;
        case Shape::tortoise: DrawnSymbols::paintTortoise(painter, box, color); return true;
        case Shape::glyph: break;
    }
    if (!paintGlyph(painter, box, recipe.glyph, color)) return false;
    if (recipe.badge) {
        // Cut a round hole in the bottom-right corner and put the badge in it.
        const double side = box.width() * 0.58;
        const QRectF badge(box.right() - side, box.bottom() - side, side, side);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(badge.adjusted(-side * 0.08, -side * 0.08, side * 0.08, side * 0.08));
        painter.restore();
        paintGlyph(painter, badge, recipe.badge, color);
    }
    return true;
}

// Paints the symbol at whatever size and pixel ratio the icon is asked for, so that it stays
// sharp on any screen.
class SymbolIconEngine : public QIconEngine {
public:
    SymbolIconEngine(std::string name, QColor color) : name_(std::move(name)), color_(std::move(color)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        SymbolIcon::paint(*painter, rect, name_, colorFor(mode));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap result(size);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        SymbolIcon::paint(painter, QRectF(QPointF(0, 0), size), name_, colorFor(mode));
        return result;
    }
    QIconEngine* clone() const override { return new SymbolIconEngine(name_, color_); }

private:
    QColor colorFor(QIcon::Mode mode) const {
        QColor color = color_;
        if (mode == QIcon::Disabled) color.setAlphaF(color.alphaF() * 0.4);
        return color;
    }

    std::string name_;
    QColor color_;
};

}  // namespace

std::optional<SymbolIcon::Battery> SymbolIcon::batterySymbol(std::string_view name) {
    constexpr std::string_view prefix = "battery.";
    if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
    std::string_view rest = name.substr(prefix.size());
    if (rest == "unknown") return Battery{.level = 0, .bolt = false, .unknown = true};
    Battery battery;
    constexpr std::string_view boltSuffix = ".bolt";
    if (rest.size() > boltSuffix.size() && rest.substr(rest.size() - boltSuffix.size()) == boltSuffix) {
        battery.bolt = true;
        rest.remove_suffix(boltSuffix.size());
    }
    constexpr std::string_view percent = "percent";
    if (rest.size() > percent.size() && rest.substr(rest.size() - percent.size()) == percent) {
        rest.remove_suffix(percent.size());
    }
    for (const auto& level : batteryLevels) {
        if (rest == level.word) {
            battery.level = level.fraction;
            return battery;
        }
    }
    return std::nullopt;
}

void SymbolIcon::paint(QPainter& painter, const QRectF& box, std::string_view name, const QColor& color) {
    if (auto battery = batterySymbol(name)) {
        const double width = std::min(box.width(), box.height() * DrawnSymbols::batteryAspect);
        const double height = width / DrawnSymbols::batteryAspect;
        const QRectF shape(box.center().x() - width / 2, box.center().y() - height / 2, width, height);
        DrawnSymbols::paintBattery(painter, shape, {battery->level, color, color, battery->bolt, color, battery->unknown});
        return;
    }
    const double side = std::min(box.width(), box.height());
    const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const auto& table = recipes();
    const auto found = table.find(name);
    if (found == table.end() || !paintRecipe(painter, square, found->second, color)) {
        DrawnSymbols::paintPlaceholder(painter, square, color);
    }
}

QPixmap SymbolIcon::pixmap(std::string_view name, int size, const QColor& color, qreal devicePixelRatio) {
    const int side = std::max(1, size);
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap result(QSize(side, side) * ratio);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(painter, QRectF(0, 0, side, side), name, color);
    return result;
}

QIcon SymbolIcon::icon(std::string_view name, const QColor& color) {
    return QIcon(new SymbolIconEngine(std::string(name), color));
}

bool SymbolIcon::isKnown(std::string_view name) {
    return batterySymbol(name).has_value() || recipes().count(name) > 0;
}

std::vector<std::string> SymbolIcon::knownNames() {
    std::vector<std::string> names;
    for (const auto& [name, recipe] : recipes()) names.push_back(name);
    names.push_back("battery.unknown");
    for (const auto& level : batteryLevels) {
        for (std::string_view form : {"", "percent"}) {
            const std::string base = "battery." + std::string(level.word) + std::string(form);
            names.push_back(base);
            names.push_back(base + ".bolt");
        }
    }
    return names;
}

}  // namespace corvelle
