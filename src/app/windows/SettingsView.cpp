#include "app/windows/SettingsView.h"

#include "app/components/Caption.h"
#include "app/components/FormSection.h"
#include "app/components/SegmentedPicker.h"
#include "app/components/ToggleSwitch.h"
#include "app/qt/GnomeShellExtensions.h"
#include "localization/LShell.h"
#include "localization/LWindows.h"
#include "localization/Language.h"
#include "settings/AppSettings.h"
#include "settings/Constants.h"

#include <QComboBox>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace corvelle {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

template <typename Options, typename Value>
int indexOf(const Options& options, Value value) {
    const auto found = std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.value == value; });
    return found == options.end() ? -1 : static_cast<int>(found - options.begin());
}

template <typename Options>
std::vector<std::string> labelsOf(const Options& options) {
    std::vector<std::string> labels;
    for (const auto& option : options) labels.emplace_back(option.label);
    return labels;
}

// Each language under its own name, the same in every interface language.
const char* ownName(Language language) { return language == Language::es ? "Español" : "English"; }

// The language picker's values: automatic, then every language in declaration order.
std::vector<std::string> languageValues() {
    std::vector<std::string> values{""};
    for (Language language : allLanguages) values.emplace_back(toRaw(language));
    return values;
}

}  // namespace

SettingsView::SettingsView(AppSettings& appSettings, std::function<void()> onCheckForUpdates,
                           const GnomeShellExtensions* extensions, QWidget* parent)
    : QWidget(parent), appSettings_(appSettings), onCheckForUpdates_(std::move(onCheckForUpdates)), form_(new QWidget) {
    // The groups need more than the window's height: the form scrolls.
    form_->setFixedWidth(formWidth);
    auto* sections = new QVBoxLayout(form_);
    sections->setContentsMargins(0, 14, 0, 14);
    sections->setSpacing(14);
    buildGeneral();
    buildMenuBar(extensions);
    buildNotifications();
    buildPrivacy();
    if (onCheckForUpdates_) buildUpdates();
    sections->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setWidget(form_);
    auto* footnote = makeCaption(this);
    footnote->setText(q(L::versionFootnote(Constants::version())));
    footnote->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(6);
    column->addWidget(scroll, 1);
    column->addWidget(footnote);

    refresh();
    settingsSubscription_ = appSettings_.changed.subscribe([this] { refresh(); });
}

SettingsView::~SettingsView() = default;

FormSection* SettingsView::addSection(Text title) {
    auto* section = new FormSection(form_);
    texts_.add([label = section->title(), title] { label->setText(q(title())); });
    form_->layout()->addWidget(section);
    return section;
}

QLabel* SettingsView::addLabel(Text text, QWidget* described) {
    auto* label = new QLabel(form_);
    texts_.add([label, described, text] {
        label->setText(q(text()));
        if (described) described->setAccessibleName(label->text());
    });
    return label;
}

ToggleSwitch* SettingsView::addToggle(FormSection* section, QWidget* label, Text name, Getter get, Setter set) {
    auto* toggle = new ToggleSwitch(form_);
    texts_.add([toggle, name] { toggle->setAccessibleName(q(name())); });
    QObject::connect(toggle, &ToggleSwitch::clicked, this, [this, index = toggles_.size()](bool on) { store(index, on); });
    section->addRow(label, toggle);
    toggles_.push_back({toggle, get, set});
    return toggle;
}

ToggleSwitch* SettingsView::addToggle(FormSection* section, Text label, Getter get, Setter set) {
    return addToggle(section, addLabel(label), label, get, set);
}

void SettingsView::store(size_t toggle, bool on) { (appSettings_.*toggles_[toggle].set)(on); }

void SettingsView::buildGeneral() {
    FormSection* general = addSection(L::sectionGeneral);
    addToggle(general, L::launchAtLogin, &AppSettings::launchAtLogin, &AppSettings::setLaunchAtLogin);

    polling_ = new SegmentedPicker([this](int i) { appSettings_.setPollingInterval(pollingOptions[i].value); });
    polling_->setLabels(labelsOf(pollingOptions));
    general->addRow(addLabel(L::pollingInterval, polling_), polling_);
    processes_ = new SegmentedPicker([this](int i) { appSettings_.setMaxProcesses(processOptions[i].value); });
    processes_->setLabels(labelsOf(processOptions));
    general->addRow(addLabel(L::maxProcesses, processes_), processes_);

    languagePicker_ = new QComboBox(form_);
    // "Auto" is retranslated while the window is open; the box takes the new text's width.
    languagePicker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    languagePicker_->addItem(QString());
    for (Language language : allLanguages) languagePicker_->addItem(QString::fromUtf8(ownName(language)));
    texts_.add([this] { languagePicker_->setItemText(0, q(L::languageAuto())); });
    // The window holding the view follows a change of language too.
    texts_.add([this] { window()->setWindowTitle(q(L::settingsWindowTitle())); });
    QObject::connect(languagePicker_, &QComboBox::activated, this,
                     [this](int i) { appSettings_.setLanguageRaw(languageValues().at(static_cast<size_t>(i))); });
    general->addRow(addLabel(L::language, languagePicker_), languagePicker_);
}

void SettingsView::buildMenuBar(const GnomeShellExtensions* extensions) {
    FormSection* menuBar = addSection(L::sectionMenuBar);
    addToggle(menuBar, L::showCPU, &AppSettings::menuBarShowCPU, &AppSettings::setMenuBarShowCPU);
    addToggle(menuBar, L::showTemperature, &AppSettings::menuBarShowTemp, &AppSettings::setMenuBarShowTemp);
    batteryTime_ =
        addToggle(menuBar, L::showBatteryTime, &AppSettings::menuBarShowBattery, &AppSettings::setMenuBarShowBattery);
    batteryPercent_ = addToggle(menuBar, L::showBatteryPercentage, &AppSettings::menuBarShowBatteryPercent,
                                &AppSettings::setMenuBarShowBatteryPercent);
    addToggle(menuBar, L::showThermalState, &AppSettings::menuBarShowThermal, &AppSettings::setMenuBarShowThermal);
    if (extensions) buildTopBarOffer(menuBar, *extensions);
}

void SettingsView::buildTopBarOffer(FormSection* section, const GnomeShellExtensions& extensions) {
    auto* line = new QWidget(form_);
    auto* lines = new QVBoxLayout(line);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(6);
    QLabel* caption = makeCaption(line);
    caption->setObjectName(QStringLiteral("topBarCaption"));
    caption->setWordWrap(true);
    auto* button = new QPushButton(line);
    button->setObjectName(QStringLiteral("showInTopBar"));
    lines->addWidget(caption);
    lines->addWidget(button, 0, Qt::AlignLeft);
    topBarText_ = L::topBarOffer;
    texts_.add([this, caption, button] {
        caption->setText(q(topBarText_()));
        button->setText(q(L::showInTopBar()));
        button->setAccessibleName(button->text());
    });
    QWidget* row = section->addRow(nullptr, line);
    row->hide();
    const QPointer<SettingsView> view(this);
    extensions.query([view, row](GnomeShellExtensions::State state) {
        if (view) row->setVisible(state == GnomeShellExtensions::State::off);
    });
    QObject::connect(button, &QPushButton::clicked, this, [view, caption, button, &extensions] {
        button->setEnabled(false);
        extensions.enable([view, caption, button](bool done) {
            if (!view) return;
            view->topBarText_ = done ? L::topBarOn : L::topBarRefused;
            caption->setText(q(view->topBarText_()));
            button->setVisible(!done);
            button->setEnabled(!done);
        });
    });
}

void SettingsView::buildNotifications() {
    FormSection* notifications = addSection(L::sectionNotifications);
    addToggle(notifications, L::energyAnomalyAlerts, &AppSettings::alertsEnergy, &AppSettings::setAlertsEnergy);
    addToggle(notifications, L::thermalWarnings, &AppSettings::alertsThermal, &AppSettings::setAlertsThermal);
    addToggle(notifications, L::lowBatteryAlert, &AppSettings::alertsLowBattery, &AppSettings::setAlertsLowBattery);
    threshold_ = new QComboBox(form_);
    for (const auto& option : batteryThresholdOptions) threshold_->addItem(QString::fromUtf8(option.label));
    QObject::connect(threshold_, &QComboBox::activated, this, [this](int i) {
        appSettings_.setAlertsBatteryThreshold(batteryThresholdOptions.at(static_cast<size_t>(i)).value);
    });
    thresholdRow_ = notifications->addRow(addLabel(L::batteryThreshold, threshold_), threshold_);
}

void SettingsView::buildPrivacy() {
    FormSection* privacy = addSection(L::sectionPrivacy);
    auto* label = new QWidget(form_);
    auto* lines = new QVBoxLayout(label);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(2);
    lines->addWidget(addLabel(L::sendUsageData));
    QLabel* caption = makeCaption(label);
    texts_.add([caption] { caption->setText(q(L::sendUsageDataCaption())); });
    lines->addWidget(caption);
    addToggle(privacy, label, L::sendUsageData, &AppSettings::telemetryEnabled, &AppSettings::setTelemetryEnabled);
}

void SettingsView::buildUpdates() {
    FormSection* updates = addSection(L::sectionUpdates);
    auto* check = new QPushButton(form_);
    texts_.add([check] {
        check->setText(q(L::menuCheckForUpdates()));
        check->setAccessibleName(check->text());
    });
    QObject::connect(check, &QPushButton::clicked, this, [this] { onCheckForUpdates_(); });
    updates->addRow(nullptr, check);
}

void SettingsView::refresh() {
    for (const auto& toggle : toggles_) toggle.control->setChecked((appSettings_.*toggle.get)());
    // The percentage belongs to the battery part of the title: nothing to choose without it.
    batteryPercent_->setEnabled(batteryTime_->isChecked());
    thresholdRow_->setVisible(appSettings_.alertsLowBattery());
    polling_->setSelected(indexOf(pollingOptions, appSettings_.pollingInterval()));
    processes_->setSelected(indexOf(processOptions, appSettings_.maxProcesses()));
    threshold_->setCurrentIndex(indexOf(batteryThresholdOptions, appSettings_.alertsBatteryThreshold()));
    const auto values = languageValues();
    const auto chosen = std::find(values.begin(), values.end(), appSettings_.languageRaw());
    languagePicker_->setCurrentIndex(chosen == values.end() ? -1 : static_cast<int>(chosen - values.begin()));
    texts_.update();
}

}  // namespace corvelle
