#include "app/Shell.h"
#include "Screenshots.h"
#include "app/panel/Panel.h"
#include "app/status/StatusWindow.h"
#include "app/windows/FeedbackView.h"
#include "app/windows/SettingsView.h"
#include "present/StatusItemComposer.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"
#include "support/MonitorHarness.h"
#include "support/StatsBuilder.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

void save(QWidget& widget, QSize size, const QString& path) {
    widget.resize(size);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
}

// Both windows in both languages and themes, the feedback form empty, sending and refused,
// kept as test artifacts to look at.
TEST(WindowScreenshots, BothWindowsInBothLanguagesAndThemes) {
    const QString folder = CORVELLE_ARTIFACTS_DIR;
    ASSERT_TRUE(QDir().mkpath(folder));
    test::FakeClock clock;
    test::ManualEventLoop loop(clock);
    test::RecordingHttpClient client;
    test::FixedSystemInfo machine;
    AppSettings settings(std::make_shared<MemoryKeyValueStore>(), nullptr);
    settings.setAlertsLowBattery(true);
    test::inEveryLanguageAndTheme([&](const QString& variant, bool) {
        const QString suffix = "-" + variant + ".png";
        SettingsView settingsView(settings, [] {});
        save(settingsView, Shell::settingsWindowSize, folder + "/settings" + suffix);
        EXPECT_TRUE(settingsView.findChild<QScrollArea*>()->widget()->grab().save(folder + "/settings-form" + suffix));

        QString draft;
        FeedbackView feedback(SystemStats{}, AppSettings::shared(), {client, loop, machine}, draft);
        save(feedback, Shell::feedbackWindowSize, folder + "/feedback-empty" + suffix);
        feedback.findChild<QPlainTextEdit*>()->setPlainText("The battery figure froze after waking up.");
        feedback.submit();
        save(feedback, Shell::feedbackWindowSize, folder + "/feedback-sending" + suffix);
        client.recorded().back().done({500, {}, {}});  // refused
        loop.runPosted();
        save(feedback, Shell::feedbackWindowSize, folder + "/feedback" + suffix);
    });
}

// Run by ctest as app_hidpi_screenshots, with QT_SCALE_FACTOR=2: the status window above the
// panel, drawn at a device pixel ratio of 2, in both languages and themes, saved as artifacts.
TEST(HiDpi, StatusWindowAndPanelDrawAtTheDevicePixelRatio) {
    const QString folder = qEnvironmentVariable("CORVELLE_TEST_ARTIFACTS");
    if (folder.isEmpty() || qApp->devicePixelRatio() < 2) GTEST_SKIP() << "needs app_hidpi_screenshots";
    QDir().mkpath(folder);
    test::MonitorHarness h;
    SystemMonitor& monitor = h.make();
    const SystemStats stats = test::StatsBuilder().cpu(23.4).battery(62);
    monitor.stats().set(stats);
    test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
        StatusWindow status;
        status.setBatteryIcon(StatusItemComposer::batteryIcon(stats));
        status.setTitle(StatusItemComposer::title(stats, {.showCPU = true, .showBattery = true,
                                                          .showBatteryPercent = true}));
        Panel::Options options;
        options.onOpenSettings = options.onOpenFeedback = options.onOpenDetail = [] {};
        options.pinnedWidgets = {PinnedWidget::cpu, PinnedWidget::battery, PinnedWidget::memory};
        Panel panel(monitor, h.settings, std::move(options));
        panel.resize(480, 620);
        panel.setAutoFillBackground(true);

        const QPixmap statusShot = status.grab();
        const QPixmap panelShot = panel.grab();
        EXPECT_EQ(panelShot.size(), QSize(960, 1240));
        const QPixmap iconPicture = status.findChildren<QLabel*>().front()->pixmap();
        EXPECT_EQ(iconPicture.devicePixelRatio(), 2.0) << "the battery is drawn for the screen, not scaled up";

        QImage sheet(QSize(480, 620 + statusShot.height() / 2 + 8) * 2, QImage::Format_ARGB32);
        sheet.setDevicePixelRatio(2);
        sheet.fill(dark ? QColor(20, 20, 22) : QColor(200, 200, 204));
        QPainter painter(&sheet);
        painter.drawPixmap(480 - statusShot.width() / 2, 0, statusShot);
        painter.drawPixmap(0, statusShot.height() / 2 + 8, panelShot);
        painter.end();
        EXPECT_TRUE(sheet.save(folder + "/hidpi-" + variant + ".png"));
    });
}

}  // namespace
}  // namespace corvelle
