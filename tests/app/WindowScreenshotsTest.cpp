#include "app/AppDelegate.h"
#include "app/views/FeedbackView.h"
#include "app/views/SettingsView.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QScrollArea>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// Answers every request with a 500, on the loop.
struct RefusingClient : HttpClient {
    explicit RefusingClient(EventLoop& loop) : loop(loop) {}
    void post(const std::string&, const Headers&, std::string, double, std::function<void(HttpResult)> done) override {
        refuse(std::move(done));
    }
    void get(const std::string&, const Headers&, double, size_t, std::function<void(HttpResult)> done) override {
        refuse(std::move(done));
    }
    void refuse(std::function<void(HttpResult)> done) {
        loop.post([done = std::move(done)] { done(HttpResult{500, {}, {}}); });
    }
    bool waitUntilIdle(double) override { return true; }
    EventLoop& loop;
};

QPalette darkPalette() {
    QPalette palette(QColor(58, 58, 60), QColor(40, 40, 42));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::PlaceholderText, QColor(150, 150, 155));
    return palette;
}

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
    const QPalette light = QApplication::palette();
    test::FakeClock clock;
    test::ManualEventLoop loop(clock);
    RefusingClient client(loop);
    test::FixedSystemInfo machine;
    AppSettings settings(std::make_shared<MemoryKeyValueStore>(), nullptr);
    settings.setAlertsLowBattery(true);
    for (bool dark : {false, true}) {
        QApplication::setPalette(dark ? darkPalette() : light);
        for (const char* language : {"en", "es"}) {
            test::ScopedLanguage chosen(language);
            const QString suffix = QString("-%1-%2.png").arg(language, dark ? "dark" : "light");
            SettingsView settingsView(settings, [] {});
            save(settingsView, AppDelegate::settingsWindowSize, folder + "/settings" + suffix);
            EXPECT_TRUE(settingsView.findChild<QScrollArea*>()->widget()->grab().save(folder + "/settings-form" + suffix));

            FeedbackView feedback(SystemStats{}, AppSettings::shared(), {client, loop, machine});
            save(feedback, AppDelegate::feedbackWindowSize, folder + "/feedback-empty" + suffix);
            feedback.findChild<QPlainTextEdit*>()->setPlainText("The battery figure froze after waking up.");
            feedback.submit();
            save(feedback, AppDelegate::feedbackWindowSize, folder + "/feedback-sending" + suffix);
            loop.runPosted();
            save(feedback, AppDelegate::feedbackWindowSize, folder + "/feedback" + suffix);
        }
    }
    QApplication::setPalette(light);
}

}  // namespace
}  // namespace corvelle
