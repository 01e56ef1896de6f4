#pragma once

#include "present/LocalizedTexts.h"
#include "util/Signal.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace corvelle {

class AppSettings;
class FormSection;
class GnomeShellExtensions;
class SegmentedPicker;
class ToggleSwitch;

// The settings window's content: a scrolling form in five groups whose every control is bound
// both ways to AppSettings (a change is stored at once; a change from anywhere shows at once),
// and the version underneath. The texts follow the language setting as it changes.
class SettingsView : public QWidget {
public:
    template <typename Value>
    struct Option {
        const char* label;
        Value value;
    };
    static constexpr std::array<Option<double>, 4> pollingOptions{{{"1s", 1}, {"2s", 2}, {"5s", 5}, {"10s", 10}}};
    static constexpr std::array<Option<std::int64_t>, 4> processOptions{{{"5", 5}, {"10", 10}, {"15", 15}, {"25", 25}}};
    static constexpr std::array<Option<std::int64_t>, 4> batteryThresholdOptions{
        {{"5%", 5}, {"10%", 10}, {"15%", 15}, {"20%", 20}}};
    static constexpr int formWidth = 380;

    // The "Updates" group shows only with an update action. With `extensions` (which outlives the
    // view), the title group offers Corvelle's GNOME Shell extension while the shell has it off.
    SettingsView(AppSettings& appSettings, std::function<void()> onCheckForUpdates,
                 const GnomeShellExtensions* extensions = nullptr, QWidget* parent = nullptr);
    ~SettingsView() override;

private:
    using Text = std::string (*)();
    using Getter = bool (AppSettings::*)() const;
    using Setter = void (AppSettings::*)(bool);
    struct Toggle {
        ToggleSwitch* control;
        Getter get;
        Setter set;
    };

    FormSection* addSection(Text title);
    QLabel* addLabel(Text text, QWidget* described = nullptr);
    ToggleSwitch* addToggle(FormSection* section, QWidget* label, Text name, Getter get, Setter set);
    ToggleSwitch* addToggle(FormSection* section, Text label, Getter get, Setter set);
    // Stores a toggle's new state in its setting.
    void store(size_t toggle, bool on);
    void buildGeneral();
    void buildMenuBar(const GnomeShellExtensions* extensions);
    // The extension's line, shown once the shell says it is off: a button turns it on.
    void buildTopBarOffer(FormSection* section, const GnomeShellExtensions& extensions);
    void buildNotifications();
    void buildPrivacy();
    void buildUpdates();
    // Shows the stored values, and the texts in the current language.
    void refresh();

    AppSettings& appSettings_;
    std::function<void()> onCheckForUpdates_;
    QWidget* form_;
    std::vector<Toggle> toggles_;
    LocalizedTexts texts_;
    SegmentedPicker* polling_ = nullptr;
    SegmentedPicker* processes_ = nullptr;
    QComboBox* languagePicker_ = nullptr;
    QComboBox* threshold_ = nullptr;
    QWidget* thresholdRow_ = nullptr;
    ToggleSwitch* batteryTime_ = nullptr;
    ToggleSwitch* batteryPercent_ = nullptr;
    // What the extension's line says: the offer, or how turning it on went.
    Text topBarText_;
    Subscription settingsSubscription_;
};

}  // namespace corvelle
