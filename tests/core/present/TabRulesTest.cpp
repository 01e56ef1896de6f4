#include "present/ChartRules.h"
#include "localization/LAnalysis.h"
#include "present/BatteryContent.h"
#include "present/EnergyLevel.h"
#include "present/GraphicsContent.h"
#include "present/HistoryContent.h"
#include "present/OverviewContent.h"
#include "present/ProcessesContent.h"
#include "present/SectionDropDelegate.h"
#include "present/TipsContent.h"
#include "support/AnalysisDays.h"
#include "support/BilingualText.h"
#include "support/Each.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace corvelle {
namespace {

using SC = SystemColor;
using Texts = std::vector<std::string>;

TEST(ChartRulesTest, ColoursChangeAtTheirBoundaries) {
    const std::tuple<double, SC, SC, SC> cases[] = {  // value, gauge, health line, habit score
        {49.9, SC::green, SC::red, SC::red},        {50, SC::orange, SC::red, SC::red},
        {59.9, SC::orange, SC::red, SC::red},       {60, SC::orange, SC::orange, SC::orange},
        {74.9, SC::orange, SC::orange, SC::orange}, {75, SC::red, SC::orange, SC::blue},
        {79.9, SC::red, SC::orange, SC::blue},      {80, SC::red, SC::green, SC::blue},
        {89, SC::red, SC::green, SC::blue},         {90, SC::red, SC::green, SC::green},
    };
    for (const auto& [value, gauge, health, habit] : cases) {
        EXPECT_EQ(ChartRules::gaugeColor(value), gauge) << value;
        EXPECT_EQ(ChartRules::healthLineColor({100, value}), health) << value;
        // Whole points only; 59.9 and 74.9 stand for 59 and 74.
        EXPECT_EQ(ChartRules::habitScoreColor(static_cast<std::int64_t>(value)), habit) << value;
    }
    EXPECT_EQ(ChartRules::healthLineColor({}), SC::green);
}

// 19 of 25 (0.76) is good, green and "Good"; 18 (0.72) is none of them, nor is a part worth no points.
TEST(ChartRulesTest, SubScoresAreGoodFromThreeQuartersOfTheirPoints) {
    const SubScore good{19, 25, "Charging", "good"}, notGood{18, 25, "Plug Balance", "mostly_plugged"};
    EXPECT_EQ(ChartRules::subScoreMark(good), (ChartRules::SubScoreMark{SC::green, "checkmark.circle.fill"}));
    EXPECT_EQ(ChartRules::subScoreMark(notGood).color, SC::orange);
    EXPECT_EQ(ChartRules::subScoreMark({5, 0, "Charging", "good"}).color, SC::orange);
    test::ScopedLanguage english("en");
    EXPECT_EQ(L::subScoreRating(good.fraction()) + "/" + L::subScoreRating(notGood.fraction()), "Good/Fair");
}

TEST(ChartRulesTest, ScalesNeverDivideByNothing) {
    EXPECT_EQ(ChartRules::barChartScale({}, std::nullopt), 1.0);
    EXPECT_EQ(ChartRules::barChartScale({0, 0}, std::nullopt), 1.0);
    EXPECT_EQ(ChartRules::barChartScale({3, 7.5, 2}, std::nullopt), 7.5);
    EXPECT_EQ(ChartRules::barChartScale({3, 7.5}, 100.0), 100.0);
    EXPECT_EQ(ChartRules::gaugeFraction(-5), 0.0);
    EXPECT_EQ(ChartRules::gaugeFraction(140), 1.0);
    EXPECT_EQ(ChartRules::gaugeFraction(std::nan("")), 0.0);

    EXPECT_TRUE(ChartRules::linePoints({42}, 100, 200, 50).empty());
    using P = ChartRules::Point;
    EXPECT_EQ(ChartRules::linePoints({0, 50, 150}, 100, 200, 50), (std::vector<P>{{0, 50}, {100, 25}, {200, 0}}));
    EXPECT_EQ(ChartRules::linePoints({1, 1}, 0, 10, 10), (std::vector<P>{{0, 0}, {10, 0}})) << "no scale: 1";
}

TEST(SectionDropDelegateTest, TheDraggedSectionTakesThePlaceOfTheOneEntered) {
    const std::tuple<const char*, const char*, Texts> cases[] = {
        {"a", "c", {"b", "c", "a", "d"}},  // first onto third
        {"d", "b", {"a", "d", "b", "c"}},  // last onto second
        {"b", "b", {"a", "b", "c", "d"}},  // onto itself
        {"b", "x", {"a", "b", "c", "d"}},  // not a section of this list
    };
    for (const auto& [dragged, entered, expected] : cases) {
        SectionDropDelegate delegate({"a", "b", "c", "d"});
        delegate.dragStarted(dragged);
        delegate.dropEntered(entered);
        EXPECT_EQ(delegate.items(), expected) << dragged << " onto " << entered;
    }
    SectionDropDelegate delegate({"a", "b", "c"});
    EXPECT_FALSE(delegate.dropEntered("b")) << "no drag under way";
    delegate.dragStarted("a");
    EXPECT_TRUE(delegate.dropEntered("b"));
    EXPECT_EQ(delegate.hoveredItem(), "b");
    delegate.dropExited("c");
    EXPECT_EQ(delegate.hoveredItem(), "b") << "leaving another section";
    delegate.dropExited("b");
    EXPECT_FALSE(delegate.hoveredItem());
    EXPECT_TRUE(delegate.dropPerformed());
    EXPECT_FALSE(delegate.draggedItem());
    EXPECT_FALSE(delegate.dropPerformed()) << "nothing left to save";
}

DailySnapshot profileDay(int cpu, std::optional<double> watts) {
    auto day = DailySnapshot::empty("2025-06-01", 0);
    day.cpu.avgTotal = cpu;
    if (watts) day = test::metered(day);
    day.power.avgSystemWatts = watts.value_or(0);
    return day;
}

TEST(OverviewContentTest, PredictionNeedsAWeekOfRecordsAndSevenReadings) {
    test::ScopedLanguage language("en");
    BatteryHealthPrediction fitted{.estimatedCyclesTo80 = {}, .estimatedMonthsTo80 = 14, .habitWarnings = {}, .dataPointCount = 7};
    EXPECT_FALSE(OverviewContent::showsPrediction(6, fitted));
    EXPECT_FALSE(OverviewContent::showsPrediction(7, std::nullopt));
    EXPECT_TRUE(OverviewContent::showsPrediction(7, fitted));
    EXPECT_EQ(OverviewContent::prediction(6, fitted, true).placeholder.substr(0, 11), "Need 30+ da");
    EXPECT_EQ(OverviewContent::prediction(7, fitted, false),
              (OverviewContent::Prediction{{}, "No battery. This computer runs on external power only."}));
    EXPECT_EQ(OverviewContent::prediction(7, fitted, true).lines,
              (std::vector<std::string>{"Degradation rate: Normal", "Confidence: Low",
                                        "Battery may reach 80% in ~14 months"}));
    fitted.dataPointCount = 6;
    EXPECT_FALSE(OverviewContent::showsPrediction(30, fitted));
}

TEST(OverviewContentTest, ProfileBadgesAreMeansOfTheWeekOrDashes) {
    test::ScopedLanguage language("es");
    ProfileClassification classification{UsageProfile::developer, 0.8, UsageProfile::creative, 0.5, 0, 3};
    EXPECT_FALSE(OverviewContent::profile(std::nullopt, {}));
    const auto empty = OverviewContent::profile(classification, {});
    ASSERT_TRUE(empty);
    EXPECT_EQ(std::tie(empty->symbol, empty->runnerUp), std::make_tuple("chevron.left.forwardslash.chevron.right", "También: Creativo"));
    EXPECT_EQ(empty->badges, (std::vector<OverviewContent::Badge>{{"CPU prom", "--"}, {"Energía prom", "--"}, {"Datos", "3 días"}}));
    const auto week = OverviewContent::profile(classification, {profileDay(20, 8), profileDay(31, 11.5), profileDay(6, {})});
    EXPECT_EQ(std::tie(week->badges[0].value, week->badges[1].value), std::make_tuple("19%", "9.8 W"))
        << "a day without a power meter is no 0 W day";
    const auto unmetered = OverviewContent::profile(classification, {profileDay(6, {})});
    EXPECT_EQ(unmetered->badges[1].value, "--");
}

TEST(OverviewContentTest, HourLabelsFollowTheLanguageAndTheClock) {
    const std::tuple<const char*, int, bool, const char*> cases[] = {
        {"en", 0, true, "12 AM"}, {"en", 12, true, "12 PM"},   {"en", 15, true, "3 PM"},
        {"es", 9, true, "9 a. m."}, {"es", 23, true, "11 p. m."}, {"es", 7, false, "07:00"},
    };
    for (const auto& [lang, hour, twelve, expected] : cases) {
        test::ScopedLanguage language(lang);
        EXPECT_EQ(OverviewContent::hourLabel(hour, twelve), expected) << lang << " " << hour;
    }
}

TEST(OverviewContentTest, UsagePatternsShowTheBusiestHoursAndTheQuietest) {
    test::ScopedLanguage language("en");
    auto day = DailySnapshot::empty("2025-06-01", 0);
    using M = PowerMeter;
    EXPECT_EQ(OverviewContent::usagePatterns({day}, false, false, M::service).note, "Not enough data yet") << "nothing sampled";
    EXPECT_EQ(OverviewContent::usagePatterns({day}, false, false, M::none).note, "This computer has no power meter");
    EXPECT_EQ(OverviewContent::usagePatterns({day}, false, false, M::locked).note,
              "This computer has no power meter.\nTo measure power, start Corvelle's power service: "
              "sudo systemctl enable --now corvelle-power");
    for (auto& entry : day.hourlyFingerprints) {
        entry.avgWatts = static_cast<double>(2 + entry.hour % 5);
        entry.sampleCount = entry.meteredSamples = 1;
    }
    const auto panel = OverviewContent::usagePatterns({day}, false, false, M::sysfs);
    ASSERT_EQ(panel.rows.size(), 3u);
    EXPECT_EQ(panel.rows[0], (OverviewContent::PeakRow{"04:00", 1.0, "6.0 W"}));
    EXPECT_EQ(panel.rows[1].hour, "09:00");
    EXPECT_EQ(panel.quietest, "Quietest: 20:00");
    EXPECT_EQ(OverviewContent::usagePatterns({day}, true, false, M::sysfs).rows.size(), 24u);
}

TEST(OverviewContentTest, MissingReadingsShowDashesAndOneKindOfCoreOneRow) {
    test::ScopedLanguage language("en");
    SystemStats stats = test::StatsBuilder().cores(0, 2).cpu(12.34);
    stats.fanSpeeds = {2400};
    stats.thermalLevel = ThermalLevel::heavy;
    const auto cpu = OverviewContent::cpu(stats);
    EXPECT_EQ(cpu.total, "12.3%");
    EXPECT_FALSE(cpu.eCores);
    ASSERT_TRUE(cpu.pCores);
    EXPECT_EQ(std::tie(cpu.pCores->name, cpu.pCores->average), std::make_tuple("Cores", "12.3%"));
    EXPECT_EQ(cpu.pCores->usages.size(), 2u);
    const auto hybrid = OverviewContent::cpu(test::StatsBuilder().cores(2, 2));
    EXPECT_EQ(hybrid.eCores->name + hybrid.pCores->name, "E-CoresP-Cores");
    const auto gauges = OverviewContent::gauges(stats);
    EXPECT_EQ(std::tie(gauges.memory, gauges.power), std::make_tuple("--", "--"));
    EXPECT_EQ(OverviewContent::thermal(stats).fans, (std::vector<std::string>{"Fan\u00a01:\u00a02,400\u00a0RPM"}));
}

// Without a thermal source the state is unknown, never nominal; temperatures name the core kinds only on a hybrid CPU.
TEST(OverviewContentTest, ThermalCardSaysWhatTheMachineReads) {
    test::ScopedLanguage language("en");
    using T = OverviewContent::Thermal;
    const struct { std::optional<ThermalLevel> level; std::size_t eCores; double pTemp; T expected; } cases[] = {
        {ThermalLevel::heavy, 0, 0, {"flame.fill", SC::orange, "Serious", "System is hot. Performance is being throttled.", "", {}}},
        {std::nullopt, 0, 0, {"thermometer.medium", SC::secondary, "", "No temperature sensors on this computer", "", {}}},
        {std::nullopt, 0, 52, {"thermometer.medium", SC::secondary, "", "This computer does not report a thermal state", "CPU  52.0°C", {}}},
        {ThermalLevel::nominal, 4, 61, {"checkmark.circle.fill", SC::green, "Nominal", "System is running normally.", "E-Cores  --     P-Cores  61.0°C", {}}},
    };
    for (const auto& c : cases) {
        SystemStats stats = test::StatsBuilder().cores(c.eCores, 4);
        std::tie(stats.thermalLevel, stats.pCoreTemp) = std::tuple(c.level, c.pTemp);
        EXPECT_EQ(OverviewContent::thermal(stats), c.expected) << c.expected.description;
    }
}

// Each GPU's state plainly, an awake one's figures and the programs using it; a note without any GPU.
TEST(GraphicsContentTest, EveryGpuItsStateFiguresAndPrograms) {
    const auto row = [](GpuStatus gpu) {
        SystemStats stats;
        stats.gpus = {std::move(gpu)};
        return GraphicsContent::card(stats).rows.at(0);
    };
    const auto client = [](const char* name, std::optional<double> busy) { return GpuClient{.name = name, .busyPercent = busy}; };
    const GpuStatus radeon{.name = "AMD Radeon RX 6800M", .kind = GpuKind::discrete, .loadPercent = 34, .powerWatts = 6.2,
                           .temperature = 58.4, .memoryUsedBytes = 1288490188, .memoryTotalBytes = 12ULL << 30,
                           .clients = {client("Steam", 30.0), client("Steam", 1.0), client("Firefox", 2.0),
                                       client("gnome-shell", std::nullopt), client("Xwayland", std::nullopt)}};
    using R = GraphicsContent::Row;
    test::expectBothLanguages({
        {[&] {
             const R r = row(radeon);
             return r.kind + "|" + r.state + "|" + r.figures + "|" + r.programs;
         },
         "Discrete|Awake|Load 34%  ·  6.2 W  ·  58°C  ·  1.2 GB of 12.0 GB|Used by Steam 31%, Firefox 2%, Xwayland and 1 more",
         "Dedicada|Despierta|Carga 34%  ·  6.2 W  ·  58°C  ·  1.2 GB de 12.0 GB|En uso por Steam 31%, Firefox 2%, Xwayland y 1 más"},
        {[&] {
             const R r = row({.name = "AMD Radeon RX 6800M", .kind = GpuKind::discrete, .state = GpuState::suspended, .powerWatts = 0.0});
             return r.state + "|" + r.figures + "|" + r.programs;
         },
         "Asleep|It sleeps and draws no power.|", "Dormida|Está dormida y no consume energía.|"},
        {[&] {
             const R r = row({.state = GpuState::alwaysOn});
             return r.kind + "|" + r.state + "|" + r.figures + "|" + r.programs;
         },
         "Integrated|Always on||No program has it open", "Integrada|Siempre encendida||Ningún programa la tiene abierta"},
        {[] { return GraphicsContent::card(SystemStats{}).note; }, "No graphics processor found",
         "No se encontró ningún procesador gráfico"},
    });
    EXPECT_EQ(std::tuple(row(radeon).stateColor, row({}).stateColor, row({.state = GpuState::suspended}).symbol),
              std::tuple(SC::orange, SC::blue, "moon.zzz.fill"));
}

using Shows = HistoryContent::Energy::Shows;
using HistoryContent::EnergyRange;
DailySnapshot record(const std::string& date, double energyWh, std::int64_t samples = 100) {
    auto day = DailySnapshot::empty(date, 0);
    day.sampleCount = samples;
    if (energyWh > 0) day = test::metered(day);
    day.power.totalEnergyWh = energyWh;
    day.power.avgSystemWatts = energyWh / 10;
    day.power.peakSystemWatts = energyWh / 2;
    return day;
}

// The bars' labels and the figures' values under a chart.
Texts labels(const HistoryContent::Energy& energy) { return test::each(energy.bars, [](const auto& bar) { return bar.first; }); }
Texts values(const HistoryContent::Energy& energy) { return test::each(energy.figures, &HistoryContent::Figure::value); }

TEST(HistoryContentTest, EnergyRangesShowTheirStates) {
    test::ScopedLanguage language("en");
    auto collecting = HistoryContent::dayEnergy(record("2025-03-09", 0));
    EXPECT_EQ(std::tie(collecting.shows, collecting.symbol, collecting.message),
              std::make_tuple(Shows::message, "bolt.slash", "Energy data not yet available")) << "samples but no energy yet";
    EXPECT_EQ(HistoryContent::dayEnergy(record("2025-03-09", 5, 0)).message, "No data for today yet");

    auto day = record("2025-03-09", 12.34);
    day.hourlyFingerprints[13].avgWatts = 7.5;
    const auto today = HistoryContent::dayEnergy(day);
    ASSERT_EQ(today.bars.size(), 24u);
    EXPECT_EQ(today.bars.front().first, "0h");
    EXPECT_EQ(today.bars[13], (std::pair<std::string, double>{"13h", 7.5}));
    EXPECT_EQ(today.figures.back().value, "12.3 Wh");

    EXPECT_EQ(HistoryContent::hourEnergy({4}).message, "Waiting for power samples...");
    const auto hour = HistoryContent::hourEnergy({4, 9, 5});
    EXPECT_EQ(hour.shows, Shows::line);
    EXPECT_EQ(values(hour), (Texts{"5.0 W", "6.0 W", "9.0 W"})) << "latest, average, peak";

    const std::vector<DailySnapshot> week{record("2025-03-06", 0), record("2025-03-07", 10), record("2025-03-08", 20),
                                          record("2025-03-09", 30)};
    const auto weekly = HistoryContent::recordsEnergy(week, EnergyRange::week);
    EXPECT_EQ(labels(weekly), (Texts{"Thu", "Fri", "Sat", "Sun"})) << "oldest first";
    EXPECT_EQ(values(weekly), (Texts{"2.0 W", "15.0 W", "60.0 Wh"}))
        << "mean of the daily averages of the measured days, highest peak, total";
    EXPECT_EQ(labels(HistoryContent::recordsEnergy(week, EnergyRange::all))[3], "09/03");
    {
        test::ScopedLanguage spanish("es");
        EXPECT_EQ(labels(HistoryContent::recordsEnergy(week, EnergyRange::week)), (Texts{"jue", "vie", "sáb", "dom"}));
    }

    for (const auto& records : {std::vector<DailySnapshot>{}, std::vector<DailySnapshot>{record("2025-03-09", 0)}}) {
        EXPECT_EQ(HistoryContent::recordsEnergy(records, EnergyRange::all).message, "No historical data yet");
    }
}

TEST(HistoryContentTest, MalformedDayKeysKeepTheirText) {
    test::ScopedLanguage language("en");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"1970-01-01", "Thu", "01/01"}, {"1969-12-31", "Wed", "31/12"},
        {"2025-02-30", "30", "30/02"},  // not a date: the last two characters
        {"2025-3-9", "-9", "9/3"},      {"2025-03", "03", "2025-03"},
        {"2025-03-09-1", "-1", "2025-03-09-1"}, {"x", "x", "x"}, {"", "", ""},
    };
    for (const auto& [key, weekday, dayMonth] : cases) {
        EXPECT_EQ(HistoryContent::weekdayLabel(key), weekday) << key;
        EXPECT_EQ(HistoryContent::dayMonthLabel(key), dayMonth) << key;
    }
}

TEST(HistoryContentTest, TemperaturesAndPowerAreColouredAndMissingReadingsSaySo) {
    const std::tuple<double, SC> cases[] = {{49.9, SC::green}, {50, SC::primary},   {69.9, SC::primary},
                                            {70, SC::orange},  {84.9, SC::orange}, {85, SC::red}};
    for (const auto& [celsius, color] : cases) EXPECT_EQ(HistoryContent::temperatureColor(celsius), color) << celsius;

    SystemStats stats = test::StatsBuilder().cores(2, 2);
    stats.pCoreTemp = 71.26;
    const auto temperatures = HistoryContent::temperatures(stats);
    EXPECT_EQ(temperatures[0].value, "--");
    EXPECT_EQ(temperatures[1], (HistoryContent::Figure{"P-Cores", "71.3°C", SC::orange}));
    stats.eCoreUsages.clear();
    EXPECT_EQ(HistoryContent::temperatures(stats),
              (std::vector<HistoryContent::Figure>{{"CPU", "71.3°C", SC::orange}, {"GPU", "--", SC::secondary}}));
    stats.cpuPowerWatts = 3.25;
    stats.totalPowerWatts = 7;
    // The CPU tile, the note under the tiles, and what the energy chart says in place of data.
    const std::string turnOn = "To measure power, start Corvelle's power service: sudo systemctl enable --now corvelle-power";
    const std::tuple<PowerMeter, const char*, std::string, std::string> meters[] = {
        {PowerMeter::none, "--", "", ""},  // nothing would turn a meter on
        {PowerMeter::locked, "--", "", turnOn},
        {PowerMeter::sysfs, "3.2 W", "Measured by the kernel's energy counters", ""},
        {PowerMeter::service, "3.2 W", "Measured by the kernel's energy counters, read by Corvelle's power service", ""},
        {PowerMeter::apu, "3.2 W", "Measured by the processor's own meter, for the whole chip", ""},
    };
    for (const auto& [meter, cpu, note, detail] : meters) {
        stats.powerMeter = meter;
        EXPECT_EQ(HistoryContent::powerDraw(stats)[0].value, cpu) << toRaw(meter);
        EXPECT_EQ(HistoryContent::powerDrawNote(stats), note) << toRaw(meter);
        EXPECT_EQ(HistoryContent::noPowerMeter(meter).detail, detail) << toRaw(meter);
    }
    EXPECT_EQ(HistoryContent::powerDraw(stats)[1].value, "--") << "a part the meter does not cover";
    EXPECT_EQ(HistoryContent::resources(stats).size(), 3u) << "no fans, no fan tile";
    stats.fanSpeeds = {2400, 1200};
    EXPECT_EQ(HistoryContent::resources(stats).back().value, "2,400\u00a0RPM  1,200\u00a0RPM");
}

TEST(EnergyLevelTest, LevelsAndRowsFollowTheirBoundaries) {
    const std::tuple<double, EnergyLevel, SC> cases[] = {
        {50, EnergyLevel::high, SC::red},        {49.99, EnergyLevel::moderate, SC::orange},
        {10, EnergyLevel::moderate, SC::orange}, {9.99, EnergyLevel::low, SC::green},
        {-1, EnergyLevel::low, SC::green},       {std::nan(""), EnergyLevel::low, SC::green}};
    for (const auto& [impact, level, color] : cases) {
        EXPECT_EQ(energyLevel(impact), level) << impact;
        EXPECT_EQ(energyLevelColor(level), color) << impact;
    }
    test::ScopedLanguage language("es");
    EXPECT_EQ(energyLevelLabel(EnergyLevel::moderate), "Moderado");

    EXPECT_EQ(energyGroupRowContent({"Editor", 12.5, 0, 1, 60}, 50),
              (EnergyGroupRowContent{"Editor", "", 0.25, "12.5%", "Alto", SC::red}));
    EXPECT_EQ(energyGroupRowContent({"Browser", 5, 0, 2, 0}, 50).count, "(2)");
    EXPECT_EQ(energyGroupRowContent({"Idle", 5, 0, 1, 0}, 0).fraction, 0.0) << "no scale";
}

TEST(BatteryContentTest, TopUsersAreCappedAndScaledToTheFirst) {
    std::vector<AppGroup> groups;
    for (int i = 0; i < 12; ++i) groups.push_back({"App " + std::to_string(i), 40.0 - 3 * i, 0, 1, 0});
    const auto rows = BatteryContent::topEnergyUsers(groups);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(std::tie(rows.front().fraction, rows.back().name, rows.back().fraction), std::make_tuple(1.0, "App 7", 19.0 / 40.0));
    EXPECT_TRUE(BatteryContent::topEnergyUsers({}).empty());
}

TEST(BatteryContentTest, StatusSymbolsAndColoursFollowTheCharge) {
    using test::Power;
    const std::tuple<double, Power, const char*, SC> cases[] = {
        {30, Power::charging, "battery.100percent.bolt", SC::green},
        {75, Power::battery, "battery.100percent", SC::green},  {74.9, Power::battery, "battery.75percent", SC::green},
        {50, Power::pluggedIn, "battery.75percent", SC::green}, {49.9, Power::battery, "battery.50percent", SC::orange},
        {25, Power::battery, "battery.50percent", SC::orange},  {24.9, Power::battery, "battery.25percent", SC::orange},
        {20, Power::battery, "battery.25percent", SC::orange},  {19.9, Power::battery, "battery.25percent", SC::red},
        {3, Power::battery, "battery.25percent", SC::red},
    };
    for (const auto& [percent, power, symbol, color] : cases) {
        const auto status = BatteryContent::status(test::StatsBuilder().battery(percent, power, 6.25));
        EXPECT_EQ(std::tie(status.symbol, status.color), std::tie(symbol, color)) << percent;
    }
    test::ScopedLanguage language("en");
    SystemStats stats = test::StatsBuilder().battery(62, Power::battery, 9);
    EXPECT_EQ(BatteryContent::status(stats).timeRemaining, "Calculating...");
    stats.batteryTimeRemaining = 3600;
    EXPECT_EQ(BatteryContent::status(stats).timeRemaining, "1:00");
    const auto charging = BatteryContent::status(test::StatsBuilder().battery(62, Power::charging, 6.25));
    EXPECT_EQ(std::tie(charging.chargingWatts, charging.timeRemaining, charging.pluggedIn), std::make_tuple("6.2 W", "", true))
        << "no estimate on external power";
}

TEST(BatteryContentTest, UsageRatioAndHealthChangeColourAtTheirBoundaries) {
    test::ScopedLanguage language("en");
    const std::tuple<double, const char*, SC> cases[] = {
        {14.9, "Normal", SC::green}, {15, "1.5x", SC::orange}, {29.9, "3.0x", SC::orange}, {30, "3.0x", SC::red}};
    for (const auto& [watts, ratio, color] : cases) {
        SystemStats stats = test::StatsBuilder().battery(50, test::Power::battery, watts);
        stats.systemBaselineWatts = 10;
        const auto usage = BatteryContent::usage(stats);
        EXPECT_EQ(std::tie(usage.ratio, usage.color), std::tie(ratio, color)) << watts;
    }
    const auto learning = BatteryContent::usage(test::StatsBuilder().battery(50, test::Power::battery, 8));
    EXPECT_EQ(std::tie(learning.normal, learning.ratio), std::make_tuple("--", "")) << "no average yet: no ratio";

    SystemStats none;
    none.batteryHealthPercent = 79.9;
    EXPECT_EQ(BatteryContent::health(none).color, SC::orange) << "the health line's colours (ChartRulesTest)";
    EXPECT_FALSE(BatteryContent::hasBattery(none));
    none.batteryIsPresent = true;
    EXPECT_TRUE(BatteryContent::hasBattery(none)) << "a battery without any figure is still a battery";
}

ProcStats proc(std::int32_t pid, const char* name, double cpu, std::uint64_t memory, double energy) {
    return {pid, name, cpu, memory, 1, energy};
}

TEST(ProcessesContentTest, ARowShowsItsFiguresInTheCurrentLanguageAndItsCpuColour) {
    const std::pair<double, SC> cpu[] = {{-0.1, SC::red},    {0, SC::secondary}, {4.99, SC::secondary}, {5, SC::primary},
                                         {24.99, SC::primary}, {25, SC::orange},   {49.99, SC::orange},   {50, SC::red}};
    for (const auto& [value, color] : cpu) EXPECT_EQ(ProcessesContent::cpuColor(value), color) << value;
    // A row in the current language.
    test::ScopedLanguage language("es");
    const auto row = ProcessesContent::row(proc(4021, "worker", 27.25, 3ULL << 29, 180));
    EXPECT_EQ(row, (ProcessesContent::Row{"worker", "PID 4021", "27.2%", SC::orange, "1.5 GB", 1.0, "Alto", SC::red}));
    const auto kernel = ProcessesContent::row(proc(0, "Linux kernel", 1, 0, 1));
    EXPECT_EQ(std::pair(kernel.name, kernel.pid), std::pair(std::string("Kernel de Linux"), std::string()));
    EXPECT_EQ(ProcessesContent::row(proc(1, "x", 0, 512, std::nan(""))).energyFraction, 0.0);
    EXPECT_EQ(ProcessesContent::row(proc(1, "x", 0, 512, 12.5)).energyColor, SC::orange);
}

TEST(TipsContentTest, PraisingTipsAreGreenAndAMachineWithoutABatteryIsNotAboutToDie) {
    using S = BatteryTip::Severity;
    const std::tuple<const char*, S, SC> cases[] = {
        {"thermal", S::critical, SC::red},       {"high-watts", S::warning, SC::orange}, {"cpu-busy", S::info, SC::blue},
        {"healthy-range", S::info, SC::green},   {"idle-efficiency", S::info, SC::green},
        {"good-habits", S::critical, SC::green}, {"great-efficiency-x", S::info, SC::blue}};
    for (const auto& [id, severity, color] : cases) EXPECT_EQ(TipsContent::tipColor({id, "", "", "", 1, severity}), color) << id;
    // A machine without a battery is not about to die.
    test::ScopedLanguage language("en");
    EXPECT_TRUE(TipsContent::content({}, std::nullopt, std::nullopt, std::nullopt).tips.empty());
    const auto tips = TipsContent::content(test::StatsBuilder().battery(4), std::nullopt, std::nullopt, std::nullopt).tips;
    ASSERT_FALSE(tips.empty());
    EXPECT_EQ(tips.front().title, "Battery almost empty");
}

}  // namespace
}  // namespace corvelle
