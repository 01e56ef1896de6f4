#pragma once

#include "platform/KeyValueStore.h"
#include "platform/LoginItem.h"
#include "settings/PinnedWidget.h"
#include "settings/Sections.h"
#include "util/Signal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// Every user preference, read afresh from the store at each use. Every write stores and then
// emits changed. Main thread only.
// A stored value the settings window could not have written (another type, out of range, a
// language we do not have) reads as the nearest choice the window offers, or the default when
// it is no number; that is said once on stderr, and the stored value stays until the user
// changes the setting.
class AppSettings {
public:
    // The choices the settings window offers, ascending.
    static constexpr std::array<double, 4> pollingChoices{1, 2, 5, 10};
    static constexpr std::array<std::int64_t, 4> processChoices{5, 10, 15, 25};
    static constexpr std::array<std::int64_t, 4> batteryThresholdChoices{5, 10, 15, 20};
    // The languages of the interface, as the language setting names them; "" follows the system.
    static constexpr std::array<std::string_view, 2> languageCodes{"en", "es"};

    static constexpr const char* keyPrefix = "io.mirelo.corvelle.";
    static inline const std::string pinnedWidgetsKey = "io.mirelo.corvelle.pinnedWidgets";
    static inline const std::string overviewSectionOrderKey = "io.mirelo.corvelle.overviewSectionOrder";
    static inline const std::string batterySectionOrderKey = "io.mirelo.corvelle.batterySectionOrder";
    static inline const std::string historySectionOrderKey = "io.mirelo.corvelle.historySectionOrder";
    static inline const std::string deviceIdKey = "io.mirelo.corvelle.deviceId";
    // Set once GNOME users were told how to get the item into the top bar.
    static inline const std::string topBarHintKey = "io.mirelo.corvelle.topBarHintShown";

    // loginItem may be null: launch at login is then a stored preference only.
    AppSettings(std::shared_ptr<KeyValueStore> store, std::shared_ptr<LoginItem> loginItem);

    // The one instance the app uses, installed once in main before its first use.
    static AppSettings& shared();
    static void installShared(std::shared_ptr<KeyValueStore> store, std::shared_ptr<LoginItem> loginItem);

    double pollingInterval() const;
    void setPollingInterval(double value);
    std::int64_t maxProcesses() const;
    void setMaxProcesses(std::int64_t value);
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool value);
    std::string languageRaw() const;
    void setLanguageRaw(const std::string& value);
    bool telemetryEnabled() const;
    void setTelemetryEnabled(bool value);
    bool menuBarShowCPU() const;
    void setMenuBarShowCPU(bool value);
    bool menuBarShowTemp() const;
    void setMenuBarShowTemp(bool value);
    bool menuBarShowBattery() const;
    void setMenuBarShowBattery(bool value);
    bool menuBarShowThermal() const;
    void setMenuBarShowThermal(bool value);
    bool menuBarShowBatteryPercent() const;
    void setMenuBarShowBatteryPercent(bool value);
    bool alertsEnergy() const;
    void setAlertsEnergy(bool value);
    bool alertsThermal() const;
    void setAlertsThermal(bool value);
    bool alertsLowBattery() const;
    void setAlertsLowBattery(bool value);
    std::int64_t alertsBatteryThreshold() const;
    void setAlertsBatteryThreshold(std::int64_t value);

    // The Pushgateway the metrics go to, without surrounding spaces; empty: none. Taken afresh from the stored file at each
    // use, so that an edit made there while the program runs (by the user or, in the system-wide
    // default, the administrator) applies at once.
    std::string metricsPushURL() const;
    void setMetricsPushURL(const std::string& value);

    std::vector<PinnedWidget> loadPinnedWidgets() const;
    void savePinnedWidgets(std::vector<PinnedWidget> widgets);

    template <typename Section>
    std::vector<Section> loadOrder(const std::string& key) const;
    template <typename Section>
    void saveOrder(const std::vector<Section>& order, const std::string& key);

    // The raw store, for the few keys no property backs (the telemetry device id).
    KeyValueStore& store() { return *store_; }

    Signal<> changed;

private:
    void write(const char* name, const KeyValueStore::Value& value);
    template <typename T, std::size_t N>
    T readChoice(const char* name, const std::array<T, N>& choices, T fallback) const;
    bool readBool(const char* name, bool fallback) const;
    // Says once per key and stored value that `used` is read in place of `stored`.
    void reportSubstitute(const char* name, const KeyValueStore::Value& stored, const std::string& used) const;
    void updateLoginItem();
    void reconcileLoginItem();

    std::shared_ptr<KeyValueStore> store_;
    std::shared_ptr<LoginItem> loginItem_;
    bool correctingLoginItem_ = false;
    mutable std::set<std::string> reported_;
};

}  // namespace corvelle
