#include "app/AppDelegate.h"
#include "app/views/FeedbackView.h"
#include "app/views/SettingsView.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"
#include "Screenshots.h"

#include <QApplication>
#include <QDir>
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
        save(settingsView, AppDelegate::settingsWindowSize, folder + "/settings" + suffix);
        EXPECT_TRUE(settingsView.findChild<QScrollArea*>()->widget()->grab().save(folder + "/settings-form" + suffix));

        FeedbackView feedback(SystemStats{}, AppSettings::shared(), {client, loop, machine});
        save(feedback, AppDelegate::feedbackWindowSize, folder + "/feedback-empty" + suffix);
        feedback.findChild<QPlainTextEdit*>()->setPlainText("The battery figure froze after waking up.");
        feedback.submit();
        save(feedback, AppDelegate::feedbackWindowSize, folder + "/feedback-sending" + suffix);
        client.recorded().back().done({500, {}, {}});  // refused
        loop.runPosted();
        save(feedback, AppDelegate::feedbackWindowSize, folder + "/feedback" + suffix);
    });
}

}  // namespace
}  // namespace corvelle
