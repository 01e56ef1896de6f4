#pragma once

#include "app/components/CardFrame.h"
#include "platform/BatteryCare.h"
#include "platform/PowerProfiles.h"
#include "present/BatteryCareContent.h"
#include "util/Signal.h"

#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace corvelle {

class ChoiceRow;
class SectionHeader;

// The Battery tab's battery care card: the charge limit (presets and a custom end threshold),
// read back from the battery when the card comes into view and after each change, and the power
// mode, following the daemon. Either control may be missing (a null pointer or nothing offered);
// with neither the card says so in one line.
class BatteryCareCard : public CardFrame {
public:
    BatteryCareCard(BatteryCare* batteryCare, PowerProfiles* powerProfiles, QWidget* parent = nullptr);

    void retranslate();
    const BatteryCareContent::Content& content() const { return content_; }

    // The controls, for tests and assistive technology checks.
    ChoiceRow& presets() const { return *presets_; }
    QPushButton& customButton() const { return *custom_; }
    QSpinBox& customValue() const { return *customValue_; }
    ChoiceRow& powerModes() const { return *powerModes_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildChargeLimit();
    QWidget* buildPowerMode();
    void readThresholds();
    // Asks for a limit stopping at `end` percent, unless one is running or it is already set.
    void chooseLimit(int end);
    void limitDone(ChargeLimitResult result);
    void chooseProfile(const std::string& profile);
    // Shows the current state; does nothing when the content did not change.
    void render();
    void showChargeLimit(const BatteryCareContent::ChargeLimitPart& part);

    BatteryCare* batteryCare_;
    PowerProfiles* powerProfiles_;
    std::optional<ChargeThresholds> thresholds_;
    bool applying_ = false;
    std::optional<ChargeLimitResult> lastResult_;
    BatteryCareContent::Content content_;
    bool rendered_ = false;

    SectionHeader* header_ = nullptr;
    QLabel* unsupported_ = nullptr;
    QWidget* chargeLimitBox_ = nullptr;
    QLabel* chargeLimitTitle_ = nullptr;
    ChoiceRow* presets_ = nullptr;
    QPushButton* custom_ = nullptr;
    QSpinBox* customValue_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* message_ = nullptr;
    QWidget* powerModeBox_ = nullptr;
    QLabel* powerModeTitle_ = nullptr;
    ChoiceRow* powerModes_ = nullptr;
    Subscription profilesChanged_;
};

}  // namespace corvelle
