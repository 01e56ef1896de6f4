#include "app/views/battery/BatteryCareCard.h"
#include "app/views/battery/ChoiceRow.h"

#include "ImageProbe.h"
#include "Screenshots.h"
#include "support/ScopedLanguage.h"

#include <QApplication>
#include <QDir>
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
    void answer(ChargeLimitStatus status) {
        if (status == ChargeLimitStatus::applied) current = {current.battery, requests.back().start, requests.back().end};
        std::exchange(pending, nullptr)({status, {}});
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
    std::vector<std::string> offered{"power-saver", "balanced", "performance"};
    std::string active = "balanced";
    std::vector<std::string> asked;
    Signal<> changed;
};

// The part of the card a battery's thresholds and the last request's outcome give.
TEST(BatteryCareContent, StateAndOutcomeLines) {
    test::ScopedLanguage english("en");
    const ChargeLimitResult failed{ChargeLimitStatus::failed, "write error"};
    const ChargeLimitResult refused{ChargeLimitStatus::notAuthorized, ""};
    const struct {
        ChargeThresholds thresholds;
        std::optional<ChargeLimitResult> result;
        std::string state, message;
        bool custom;
    } cases[] = {
        {{"BAT0", 75, 80}, std::nullopt, "Charging stops at 80% and resumes below 75%", "", false},
        {{"BAT0", 0, 85}, std::nullopt, "Charging stops at 85%", "", true},  // a start of 0 is none
        {{"BAT0", std::nullopt, 80}, failed, "Charging stops at 80%", "The limit could not be changed (write error).", false},
        {{"BAT0", std::nullopt, 100}, refused, "Charging stops at 100%",
         "The limit was not changed: permission was not given.", false},
    };
    for (const auto& c : cases) {
        const auto part = Content::content({c.thresholds, {}, {}, false, c.result}).chargeLimit;
        ASSERT_TRUE(part);
        EXPECT_EQ(part->state, c.state);
        EXPECT_EQ(part->message, c.message);
        EXPECT_EQ(part->customChecked, c.custom);
        EXPECT_EQ(part->customMinimum, c.thresholds.start ? 2 : 1) << "room for the start below the end";
    }
    // A battery without an end threshold and no power modes: the one line.
    EXPECT_FALSE(Content::content({ChargeThresholds{"BAT0", 75, std::nullopt}, {}, {}, false, {}}).unsupported.empty());
}

TEST(BatteryCareCard, ReadsOnOpenAndAfterEachChangeAndShowsOnlyWhatTheSystemSays) {
    test::ScopedLanguage english("en");
    FakeBatteryCare care;
    FakePowerProfiles profiles;
    auto card = std::make_unique<BatteryCareCard>(&care, &profiles);
    EXPECT_EQ(care.reads, 0) << "nothing is read before the card opens";
    card->show();
    profiles.changed.emit();  // no change of the limit: nothing to read
    EXPECT_EQ(care.reads, 1);
    QPushButton* sixty = card->presets().buttons()[0];
    EXPECT_EQ(sixty->accessibleName(), "60%");
    card->presets().buttons()[1]->click();  // 80 %, already set: no password prompt
    sixty->click();
    ASSERT_EQ(care.requests, (std::vector<ChargeLimit>{{55, 60}}));
    EXPECT_FALSE(sixty->isChecked()) << "checked once the battery says so";
    EXPECT_FALSE(card->presets().isEnabled());
    card->customButton().click();
    EXPECT_EQ(care.requests.size(), 1u) << "one request at a time";
    care.answer(ChargeLimitStatus::applied);
    EXPECT_EQ(care.reads, 2);
    EXPECT_TRUE(sixty->isChecked() && card->presets().isEnabled());
    card->customValue().setValue(90);
    card->customButton().click();
    EXPECT_EQ(care.requests.back(), (ChargeLimit{85, 90}));
    care.answer(ChargeLimitStatus::notAuthorized);
    EXPECT_EQ(card->customValue().value(), 60) << "the battery's value again";

    QPushButton* saver = card->powerModes().buttons()[0];
    saver->click();
    EXPECT_EQ(profiles.asked, std::vector<std::string>{"power-saver"});
    EXPECT_FALSE(saver->isChecked()) << "checked once the daemon switched";
    profiles.active = "power-saver";
    profiles.changed.emit();
    EXPECT_TRUE(saver->isChecked());

    card->presets().buttons()[2]->click();
    card.reset();  // the answer comes after the card is gone
    care.answer(ChargeLimitStatus::applied);
}

// Supported and unsupported, in both languages and themes, at the screen's pixel ratio; also run
// with QT_SCALE_FACTOR=2 by app_hidpi_screenshots.
TEST(BatteryCareCardScreenshots, SupportedAndUnsupportedInBothLanguagesAndThemes) {
    const QString folder = QStringLiteral(CORVELLE_ARTIFACTS_DIR);
    QDir().mkpath(folder);
    for (bool supported : {true, false}) {
        test::inEveryLanguageAndTheme([&](const QString& variant, bool) {
            FakeBatteryCare care;
            FakePowerProfiles profiles;
            QWidget page;  // as wide as the panel
            page.setAutoFillBackground(true);
            auto* column = new QVBoxLayout(&page);
            auto* card = new BatteryCareCard(supported ? &care : nullptr, supported ? &profiles : nullptr);
            column->addWidget(card);
            column->addStretch(1);
            page.resize(448, 300);
            page.show();
            if (supported) {  // a custom limit, set
                card->customValue().setValue(85);
                card->customButton().click();
                care.answer(ChargeLimitStatus::applied);
            }
            QCoreApplication::processEvents();  // buttons added while shown appear on the next pass
            const QImage shot = page.grab().toImage();
            EXPECT_GT(test::countNear(shot, page.palette().color(QPalette::WindowText)), supported ? 800 : 150);
            EXPECT_LE(card->sizeHint().height(), 280) << "fits its place";
            const QString name = QStringLiteral("%1/battery-care-%2-%3%4.png")
                                     .arg(folder, supported ? "supported" : "unsupported", variant,
                                          qApp->devicePixelRatio() > 1 ? "@2x" : "");
            EXPECT_TRUE(shot.save(name)) << name.toStdString();
        });
    }
}

}  // namespace
}  // namespace corvelle
