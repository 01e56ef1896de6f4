#include "app/views/battery/BatteryCareCard.h"
#include "app/views/battery/ChoiceRow.h"

#include "ImageProbe.h"
#include "support/ScopedLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

namespace Content = BatteryCareContent;

class FakeBatteryCare : public BatteryCare {
public:
    ChargeThresholds thresholds() override {
        ++reads;
        return current;
    }
    void setChargeLimit(const ChargeLimit& limit, std::function<void(ChargeLimitResult)> done) override {
        requests.push_back(limit);
        pending = std::move(done);
    }
    // Answers the running request; an applied one takes effect on the battery.
    void answer(ChargeLimitStatus status, std::string detail = {}) {
        if (status == ChargeLimitStatus::applied) current = {current.battery, requests.back().start, requests.back().end};
        std::exchange(pending, nullptr)({status, std::move(detail)});
    }

    ChargeThresholds current{"BAT0", 75, 80};
    int reads = 0;
    std::vector<ChargeLimit> requests;
    std::function<void(ChargeLimitResult)> pending;
};

class FakePowerProfiles : public PowerProfiles {
public:
    std::vector<std::string> profiles() const override { return offered; }
    std::string activeProfile() const override { return active; }
    void setActiveProfile(const std::string& profile) override { asked.push_back(profile); }
    Subscription onChange(std::function<void()> handler) override { return changed.subscribe(std::move(handler)); }
    // A change the daemon made, from this card or elsewhere.
    void daemonSwitches(const std::string& profile) {
        active = profile;
        changed.emit();
    }

    std::vector<std::string> offered{"power-saver", "balanced", "performance"};
    std::string active = "balanced";
    std::vector<std::string> asked;
    Signal<> changed;
};

std::vector<std::string> checkedKeys(const std::vector<Content::Choice>& choices) {
    std::vector<std::string> keys;
    for (const auto& choice : choices) {
        if (choice.checked) keys.push_back(choice.key);
    }
    return keys;
}

Content::Input input(std::optional<ChargeThresholds> thresholds = std::nullopt, std::vector<std::string> profiles = {},
                     std::string active = {}, bool applying = false,
                     std::optional<ChargeLimitResult> result = std::nullopt) {
    return {std::move(thresholds), std::move(profiles), std::move(active), applying, std::move(result)};
}

TEST(BatteryCareContent, ShowsOnlyWhatTheMachineOffersAndTheRequestsOutcome) {
    test::ScopedLanguage english("en");
    const std::vector<std::string> modes{"power-saver", "balanced"};
    const struct {
        const char* name;
        Content::Input input;
        std::vector<std::string> checkedPresets;  // "custom" for the custom button
        std::string state;
        std::string message;
        size_t powerModes;
    } cases[] = {
        {"nothing offered", input(), {}, "", "", 0},
        {"a battery without an end threshold", input(ChargeThresholds{"BAT0", std::nullopt, std::nullopt}), {}, "", "", 0},
        {"a preset with a start threshold", input(ChargeThresholds{"BAT0", 75, 80}, modes, "balanced"), {"80"},
         "Charging stops at 80% and resumes below 75%", "", 2},
        {"start 0 means none; 85 is custom", input(ChargeThresholds{"BAT0", 0, 85}), {"custom"}, "Charging stops at 85%",
         "", 0},
        {"no limit", input(ChargeThresholds{"BAT1", std::nullopt, 100}), {"100"}, "Charging stops at 100%", "", 0},
        {"applying", input(ChargeThresholds{"BAT0", 75, 80}, {}, {}, true), {"80"},
         "Charging stops at 80% and resumes below 75%", "Applying the limit…", 0},
        {"refused",
         input(ChargeThresholds{"BAT0", std::nullopt, 80}, {}, {}, false, {{ChargeLimitStatus::notAuthorized, ""}}),
         {"80"}, "Charging stops at 80%", "The limit was not changed: permission was not given.", 0},
        {"failed",
         input(ChargeThresholds{"BAT0", std::nullopt, 80}, {}, {}, false, {{ChargeLimitStatus::failed, "write error"}}),
         {"80"}, "Charging stops at 80%", "The limit could not be changed (write error).", 0},
        {"power modes alone", input(std::nullopt, modes, "power-saver"), {}, "", "", 2},
    };
    for (const auto& c : cases) {
        const Content::Content content = Content::content(c.input);
        EXPECT_EQ(content.powerModes.size(), c.powerModes) << c.name;
        const bool neither = c.state.empty() && c.powerModes == 0;
        EXPECT_EQ(content.unsupported.empty(), !neither) << c.name;
        ASSERT_EQ(content.chargeLimit.has_value(), !c.state.empty()) << c.name;
        if (!content.chargeLimit) continue;
        const Content::ChargeLimitPart& part = *content.chargeLimit;
        auto checked = checkedKeys(part.presets);
        if (part.customChecked) checked.push_back("custom");
        EXPECT_EQ(checked, c.checkedPresets) << c.name;
        EXPECT_EQ(part.state, c.state) << c.name;
        EXPECT_EQ(part.message, c.message) << c.name;
        EXPECT_EQ(part.enabled, !c.input.applying) << c.name;
        // A start threshold must fit below the lowest custom end.
        EXPECT_EQ(part.customMinimum, c.input.thresholds->start ? 2 : 1) << c.name;
    }
    const auto modesShown = Content::content(input(std::nullopt, modes, "power-saver")).powerModes;
    EXPECT_EQ(checkedKeys(modesShown), std::vector<std::string>{"power-saver"});
    EXPECT_EQ(modesShown[0].label, "Power Saver");
}

QPushButton* buttonLabelled(ChoiceRow& row, const QString& label) {
    for (QPushButton* button : row.buttons()) {
        if (button->accessibleName() == label) return button;
    }
    return nullptr;
}

TEST(BatteryCareCard, ReadsOnOpenAndAfterAChangeAndHoldsTheControlsMeanwhile) {
    test::ScopedLanguage english("en");
    FakeBatteryCare care;
    FakePowerProfiles profiles;
    BatteryCareCard card(&care, &profiles);
    EXPECT_EQ(care.reads, 0) << "nothing is read before the card opens";
    card.show();
    EXPECT_EQ(care.reads, 1);
    profiles.daemonSwitches("performance");  // a publication that is no change of the limit reads nothing
    EXPECT_EQ(care.reads, 1);
    EXPECT_TRUE(buttonLabelled(card.presets(), "80%")->isChecked());

    buttonLabelled(card.presets(), "80%")->click();  // already set: no password prompt
    EXPECT_TRUE(care.requests.empty());
    EXPECT_TRUE(buttonLabelled(card.presets(), "80%")->isChecked());
    buttonLabelled(card.presets(), "60%")->click();
    ASSERT_EQ(care.requests, (std::vector<ChargeLimit>{{55, 60}}));
    EXPECT_FALSE(buttonLabelled(card.presets(), "60%")->isChecked()) << "checked only once the battery says so";
    EXPECT_FALSE(card.presets().isEnabled());
    EXPECT_FALSE(card.customValue().isEnabled());
    card.customButton().click();
    EXPECT_EQ(care.requests.size(), 1u) << "one request at a time";

    care.answer(ChargeLimitStatus::applied);
    EXPECT_EQ(care.reads, 2);
    EXPECT_TRUE(card.presets().isEnabled());
    EXPECT_TRUE(buttonLabelled(card.presets(), "60%")->isChecked());
    EXPECT_EQ(card.customValue().value(), 60);

    card.customValue().setValue(90);
    card.customButton().click();
    ASSERT_EQ(care.requests.back(), (ChargeLimit{85, 90}));
    care.answer(ChargeLimitStatus::notAuthorized);
    EXPECT_EQ(card.content().chargeLimit->message, "The limit was not changed: permission was not given.");
    EXPECT_EQ(card.customValue().value(), 60) << "the battery's value again";
    EXPECT_FALSE(card.customButton().isChecked());
}

TEST(BatteryCareCard, PowerModeFollowsTheDaemonNotTheClick) {
    FakePowerProfiles profiles;
    BatteryCareCard card(nullptr, &profiles);
    card.show();
    EXPECT_FALSE(card.content().chargeLimit);
    QPushButton* saver = card.powerModes().buttons().front();
    saver->click();
    EXPECT_EQ(profiles.asked, std::vector<std::string>{"power-saver"});
    EXPECT_FALSE(saver->isChecked());
    profiles.daemonSwitches("power-saver");
    EXPECT_TRUE(saver->isChecked());
    card.powerModes().buttons().front()->click();  // the active one: nothing to ask
    EXPECT_EQ(profiles.asked.size(), 1u);
    profiles.offered.clear();
    profiles.daemonSwitches("");
    EXPECT_FALSE(card.content().unsupported.empty()) << "the daemon went away";
}

TEST(BatteryCareCard, AnAnswerAfterTheCardIsGoneIsDropped) {
    FakeBatteryCare care;
    {
        BatteryCareCard card(&care, nullptr);
        card.show();
        buttonLabelled(card.presets(), "100% (no limit)")->click();
    }
    care.answer(ChargeLimitStatus::applied);
    EXPECT_EQ(care.current.end, 100);
}

// Supported and unsupported, in both languages and themes, at the screen's pixel ratio; also run
// with QT_SCALE_FACTOR=2 by app_hidpi_screenshots.
TEST(BatteryCareCardScreenshots, SupportedAndUnsupportedInBothLanguagesAndThemes) {
    const QString folder = QStringLiteral(CORVELLE_ARTIFACTS_DIR);
    QDir().mkpath(folder);
    const QPalette original = QApplication::palette();
    const qreal ratio = qApp->devicePixelRatio();
    for (bool supported : {true, false}) {
        for (const char* language : {"en", "es"}) {
            test::ScopedLanguage chosen(language);
            for (bool dark : {false, true}) {
                QApplication::setPalette(dark ? QPalette(QColor(60, 60, 64), QColor(36, 36, 38)) : original);
                FakeBatteryCare care;
                FakePowerProfiles profiles;
                if (!supported) care.current = {};
                if (!supported) profiles.offered.clear();
                QWidget page;  // the panel's width
                page.setAutoFillBackground(true);
                auto* column = new QVBoxLayout(&page);
                auto* card = new BatteryCareCard(&care, &profiles);
                column->addWidget(card);
                column->addStretch(1);
                page.resize(448, 300);
                page.show();
                if (supported) {  // a custom limit, set
                    card->customValue().setValue(85);
                    card->customButton().click();
                    care.answer(ChargeLimitStatus::applied);
                }
                QCoreApplication::sendPostedEvents();
                const QImage shot = page.grab().toImage();
                EXPECT_EQ(shot.devicePixelRatio(), ratio);
                EXPECT_GT(test::countNear(shot, page.palette().color(QPalette::WindowText)), supported ? 800 : 150)
                    << "text shows";
                EXPECT_LE(card->sizeHint().height(), 280) << "fits its place";
                const QString name = QStringLiteral("%1/battery-care-%2-%3-%4%5.png")
                                         .arg(folder, supported ? "supported" : "unsupported", language,
                                              dark ? "dark" : "light", ratio > 1 ? "@2x" : "");
                EXPECT_TRUE(shot.save(name)) << name.toStdString();
            }
        }
    }
    QApplication::setPalette(original);
}

}  // namespace
}  // namespace corvelle
