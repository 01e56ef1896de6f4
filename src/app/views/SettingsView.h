#pragma once

#include <QWidget>

#include <functional>

namespace corvelle {

class AppSettings;

// The settings window's content.
class SettingsView : public QWidget {
public:
    SettingsView(AppSettings& appSettings, std::function<void()> onCheckForUpdates, QWidget* parent = nullptr);

private:
    AppSettings& appSettings_;
    std::function<void()> onCheckForUpdates_;
};

}  // namespace corvelle
