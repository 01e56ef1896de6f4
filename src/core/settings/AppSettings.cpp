#include "settings/AppSettings.h"

#include "util/Format.h"
#include "util/InstalledOnce.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace corvelle {
namespace {

std::string keyFor(const char* name) { return std::string(AppSettings::keyPrefix) + name; }

InstalledOnce<std::unique_ptr<AppSettings>>& sharedSettings() {
    static InstalledOnce<std::unique_ptr<AppSettings>> instance("AppSettings::shared");
    return instance;
}

// A JSON array of raw strings, as stored for the pinned widgets and the section orders.
template <typename Enum>
std::optional<std::vector<Enum>> decodeRawArray(const std::optional<Bytes>& data) {
    if (!data) return std::nullopt;
    auto json = nlohmann::json::parse(data->begin(), data->end(), nullptr, false);
    if (json.is_discarded() || !json.is_array()) return std::nullopt;
    std::vector<Enum> result;
    for (const auto& element : json) {
        if (!element.is_string()) return std::nullopt;
        auto value = fromRaw<Enum>(element.get<std::string>());
        if (!value) return std::nullopt;
        result.push_back(*value);
    }
    return result;
}

// The number a stored value holds, whatever its type: a hand-edited file may hold "5" as text.
std::optional<double> numberIn(const KeyValueStore::Value& value) {
    double number = NAN;
    if (const auto* d = std::get_if<double>(&value)) number = *d;
    if (const auto* i = std::get_if<std::int64_t>(&value)) number = static_cast<double>(*i);
    if (const auto* text = std::get_if<std::string>(&value); text && !text->empty()) {
        char* end = nullptr;
        number = std::strtod(text->c_str(), &end);
        if (*end != '\0') number = NAN;
    }
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

// The choice closest to `number`; the lower one of two equally close.
template <typename T, std::size_t N>
T nearest(const std::array<T, N>& choices, double number) {
    return *std::min_element(choices.begin(), choices.end(), [number](T a, T b) {
        return std::abs(static_cast<double>(a) - number) < std::abs(static_cast<double>(b) - number);
    });
}

std::string describe(const KeyValueStore::Value& value) {
    if (const auto* d = std::get_if<double>(&value)) return formatString("%.17g", *d);
    if (const auto* i = std::get_if<std::int64_t>(&value)) return std::to_string(*i);
    if (const auto* b = std::get_if<bool>(&value)) return *b ? "true" : "false";
    if (const auto* text = std::get_if<std::string>(&value)) return '"' + *text + '"';
    return formatString("%zu bytes of data", std::get<Bytes>(value).size());
}

template <typename Enum>
Bytes encodeRawArray(const std::vector<Enum>& values) {
    auto json = nlohmann::json::array();
    for (auto value : values) json.push_back(std::string(toRaw(value)));
    const auto text = json.dump();
    return Bytes(text.begin(), text.end());
}

}  // namespace

AppSettings::AppSettings(std::shared_ptr<KeyValueStore> store, std::shared_ptr<LoginItem> loginItem)
    : store_(std::move(store)), loginItem_(std::move(loginItem)) {
    reconcileLoginItem();
}

AppSettings& AppSettings::shared() { return *sharedSettings().get(); }

void AppSettings::installShared(std::shared_ptr<KeyValueStore> store, std::shared_ptr<LoginItem> loginItem) {
    sharedSettings().install(std::make_unique<AppSettings>(std::move(store), std::move(loginItem)));
}

void AppSettings::write(const char* name, const KeyValueStore::Value& value) {
    store_->write(keyFor(name), value);
    changed.emit();
}

template <typename T, std::size_t N>
T AppSettings::readChoice(const char* name, const std::array<T, N>& choices, T fallback) const {
    const auto stored = store_->read(keyFor(name));
    if (!stored) return fallback;
    const auto* exact = std::get_if<T>(&*stored);
    if (exact && std::find(choices.begin(), choices.end(), *exact) != choices.end()) return *exact;
    const auto number = numberIn(*stored);
    const T used = number ? nearest(choices, *number) : fallback;
    reportSubstitute(name, *stored, describe(used));
    return used;
}

bool AppSettings::readBool(const char* name, bool fallback) const {
    const auto stored = store_->read(keyFor(name));
    if (!stored) return fallback;
    if (const auto* value = std::get_if<bool>(&*stored)) return *value;
    reportSubstitute(name, *stored, describe(fallback));
    return fallback;
}

void AppSettings::reportSubstitute(const char* name, const KeyValueStore::Value& stored, const std::string& used) const {
    const auto key = keyFor(name);
    const auto text = describe(stored);
    if (!reported_.insert(key + '=' + text).second) return;
    std::fprintf(stderr, "corvelle: the setting %s holds %s, which the settings cannot choose; using %s\n",
                 key.c_str(), text.c_str(), used.c_str());
}

double AppSettings::pollingInterval() const { return readChoice("pollingInterval", pollingChoices, 2.0); }
void AppSettings::setPollingInterval(double value) { write("pollingInterval", value); }
std::int64_t AppSettings::maxProcesses() const { return readChoice("maxProcesses", processChoices, std::int64_t{15}); }
void AppSettings::setMaxProcesses(std::int64_t value) { write("maxProcesses", value); }
bool AppSettings::launchAtLogin() const { return readBool("launchAtLogin", false); }
void AppSettings::setLaunchAtLogin(bool value) {
    write("launchAtLogin", value);
    updateLoginItem();
}
std::string AppSettings::languageRaw() const {
    const auto stored = store_->read(keyFor("language"));
    if (!stored) return "";
    const auto* code = std::get_if<std::string>(&*stored);
    if (code && (code->empty() || std::find(languageCodes.begin(), languageCodes.end(), *code) != languageCodes.end())) {
        return *code;
    }
    reportSubstitute("language", *stored, "\"\" (the system's language)");
    return "";
}
void AppSettings::setLanguageRaw(const std::string& value) { write("language", value); }
std::string AppSettings::metricsPushURL() const {
    store_->refresh();
    std::string url = store_->readString(keyFor("metricsPushURL")).value_or("");
    // A hand-edited file may leave spaces around the address.
    const auto first = url.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return url.substr(first, url.find_last_not_of(" \t") - first + 1);
}
void AppSettings::setMetricsPushURL(const std::string& value) { write("metricsPushURL", value); }
bool AppSettings::telemetryEnabled() const { return readBool("telemetryEnabled", false); }
void AppSettings::setTelemetryEnabled(bool value) { write("telemetryEnabled", value); }
bool AppSettings::menuBarShowCPU() const { return readBool("menuBarShowCPU", true); }
void AppSettings::setMenuBarShowCPU(bool value) { write("menuBarShowCPU", value); }
bool AppSettings::menuBarShowTemp() const { return readBool("menuBarShowTemp", true); }
void AppSettings::setMenuBarShowTemp(bool value) { write("menuBarShowTemp", value); }
bool AppSettings::menuBarShowBattery() const { return readBool("menuBarShowBattery", true); }
void AppSettings::setMenuBarShowBattery(bool value) { write("menuBarShowBattery", value); }
bool AppSettings::menuBarShowThermal() const { return readBool("menuBarShowThermal", true); }
void AppSettings::setMenuBarShowThermal(bool value) { write("menuBarShowThermal", value); }
bool AppSettings::menuBarShowBatteryPercent() const { return readBool("menuBarShowBatteryPercent", true); }
void AppSettings::setMenuBarShowBatteryPercent(bool value) { write("menuBarShowBatteryPercent", value); }
bool AppSettings::alertsEnergy() const { return readBool("alertsEnergy", true); }
void AppSettings::setAlertsEnergy(bool value) { write("alertsEnergy", value); }
bool AppSettings::alertsThermal() const { return readBool("alertsThermal", false); }
void AppSettings::setAlertsThermal(bool value) { write("alertsThermal", value); }
bool AppSettings::alertsLowBattery() const { return readBool("alertsLowBattery", false); }
void AppSettings::setAlertsLowBattery(bool value) { write("alertsLowBattery", value); }
std::int64_t AppSettings::alertsBatteryThreshold() const {
    return readChoice("alertsBatteryThreshold", batteryThresholdChoices, std::int64_t{10});
}
void AppSettings::setAlertsBatteryThreshold(std::int64_t value) { write("alertsBatteryThreshold", value); }

std::vector<PinnedWidget> AppSettings::loadPinnedWidgets() const {
    auto widgets = decodeRawArray<PinnedWidget>(store_->readBytes(pinnedWidgetsKey));
    if (!widgets || widgets->empty()) return {PinnedWidget::battery};
    return *widgets;
}

void AppSettings::savePinnedWidgets(std::vector<PinnedWidget> widgets) {
    if (widgets.size() > 3) widgets.resize(3);
    store_->write(pinnedWidgetsKey, encodeRawArray(widgets));
    changed.emit();
}

template <typename Section>
std::vector<Section> AppSettings::loadOrder(const std::string& key) const {
    auto order = decodeRawArray<Section>(store_->readBytes(key)).value_or(std::vector<Section>{});
    for (auto section : allCases<Section>()) {
        if (std::find(order.begin(), order.end(), section) == order.end()) order.push_back(section);
    }
    return order;
}

template <typename Section>
void AppSettings::saveOrder(const std::vector<Section>& order, const std::string& key) {
    store_->write(key, encodeRawArray(order));
}

template std::vector<OverviewSection> AppSettings::loadOrder(const std::string&) const;
template std::vector<BatterySection> AppSettings::loadOrder(const std::string&) const;
template std::vector<HistorySection> AppSettings::loadOrder(const std::string&) const;
template void AppSettings::saveOrder(const std::vector<OverviewSection>&, const std::string&);
template void AppSettings::saveOrder(const std::vector<BatterySection>&, const std::string&);
template void AppSettings::saveOrder(const std::vector<HistorySection>&, const std::string&);

// Asks the system to match the preference; when that fails, the preference follows the
// system instead (through the setter, whose second request then agrees and ends the exchange).
void AppSettings::updateLoginItem() {
    if (!loginItem_) return;
    const bool wanted = launchAtLogin();
    const bool ok = wanted ? loginItem_->registerItem() : loginItem_->unregisterItem();
    if (ok) return;
    const bool enabled = loginItem_->isEnabled();
    // One correction at most: a system that keeps changing its answer cannot make us loop.
    if (enabled != wanted && !correctingLoginItem_) {
        correctingLoginItem_ = true;
        setLaunchAtLogin(enabled);
        correctingLoginItem_ = false;
    }
}

// At start-up the system's registration wins over the stored preference.
void AppSettings::reconcileLoginItem() {
    if (!loginItem_) return;
    const bool enabled = loginItem_->isEnabled();
    if (enabled != launchAtLogin()) setLaunchAtLogin(enabled);
}

}  // namespace corvelle
