#include "app/views/SettingsView.h"

namespace corvelle {

// The controls arrive with the settings window's own work; until then the window is empty.
SettingsView::SettingsView(AppSettings& appSettings, std::function<void()> onCheckForUpdates, QWidget* parent)
    : QWidget(parent), appSettings_(appSettings), onCheckForUpdates_(std::move(onCheckForUpdates)) {}

}  // namespace corvelle
