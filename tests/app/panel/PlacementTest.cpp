#include "app/panel/PanelPlacement.h"
#include "app/panel/SwayWindowPlacer.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <optional>
#include <tuple>

namespace corvelle {
namespace {

TEST(PanelPlacementTest, CentresUnderTheIconAndStaysOnScreen) {
    const QSize panel(480, 620);
    const QRect screen(0, 28, 1280, 772);  // below a 28-pixel top bar
    const std::tuple<const char*, std::optional<QRect>, std::optional<QRect>, QPoint> cases[] = {
        {"middle", QRect(600, 2, 24, 24), screen, {372, 30}},
        {"right edge", QRect(1250, 2, 24, 24), screen, {800, 30}},
        {"left edge", QRect(4, 2, 24, 24), screen, {0, 30}},
        {"tray at the bottom", QRect(1200, 776, 24, 24), QRect(0, 0, 1280, 772), {800, 152}},
        {"second screen", QRect(1900, 0, 20, 20), QRect(1280, 0, 1920, 1080), {1670, 24}},
        {"no screen", QRect(10, 0, 20, 20), std::nullopt, {-220, 24}},
        {"click point in the top bar", QRect(900, 10, 1, 1), screen, {661, 28}},
        {"no icon geometry", std::nullopt, screen, {796, 32}},
        {"empty icon geometry", QRect(), screen, {796, 32}},
        {"nothing known", std::nullopt, std::nullopt, {0, 0}},
    };
    for (const auto& [what, icon, available, expected] : cases) {
        EXPECT_EQ(PanelPlacement::origin(icon, panel, available), expected) << what;
    }
    // Without icon geometry the panel goes to the corner by the bar: bottom-right under a bottom bar only.
    const QRect whole(0, 0, 1280, 800);
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, QRect(0, 0, 1280, 770), whole), QPoint(796, 146));
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, QRect(0, 30, 1280, 740), whole), QPoint(796, 34));
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, whole, whole), QPoint(796, 4));
    // Wider than the screen: the right edge wins.
    EXPECT_EQ(PanelPlacement::origin(QRect(100, 0, 20, 20), QSize(900, 100), QRect(0, 0, 800, 600)).x(), -100);
}

// Our shown window in sway's tree, with the title bar sway draws and the workspace it is on.
TEST(SwayWindowPlacerTest, FindsOurShownWindowWithItsFrameAndWorkspace) {
    const QJsonObject tree = QJsonDocument::fromJson(R"({"type": "root", "nodes": [
        {"type": "output", "rect": {"x": 1280, "y": 0, "width": 1920, "height": 1080}, "nodes": [
            {"type": "workspace", "rect": {"x": 1280, "y": 30, "width": 1920, "height": 1050}, "nodes": [
                {"id": 7, "pid": 42, "name": "Corvelle", "visible": true, "rect": {"x": 1300, "y": 80, "width": 484, "height": 622},
                 "deco_rect": {"height": 25}, "nodes": [], "floating_nodes": []}],
             "floating_nodes": [
                {"id": 9, "pid": 42, "name": "Corvelle status", "visible": false, "rect": {}, "deco_rect": {}}]}]}]})")
                                  .object();
    const auto panel = SwayWindowPlacer::find(tree, 42, "Corvelle");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->containerId, 7);
    EXPECT_EQ(panel->outerSize, QSize(484, 647));
    EXPECT_EQ(panel->workspace, QRect(1280, 30, 1920, 1050));
    EXPECT_EQ(panel->output, QRect(1280, 0, 1920, 1080));
    EXPECT_FALSE(SwayWindowPlacer::find(tree, 43, "Corvelle")) << "another program's window";
    EXPECT_FALSE(SwayWindowPlacer::find(tree, 42, "Corvelle status")) << "not mapped yet";
}

}  // namespace
}  // namespace corvelle
