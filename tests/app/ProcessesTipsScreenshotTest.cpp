#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/views/components/LearnMoreView.h"
#include "app/views/tabs/TipsTab.h"

#include <gtest/gtest.h>

#include <utility>

namespace corvelle {
namespace {

// The tips and processes tabs on this machine and on a busy moment, the first guide entry open;
// saved as <tab>-<machine|busy>-<variant>.png under artifacts/.
TEST(ProcessesTipsScreenshotTest, BothTabsOnThisMachineAndOnABusyMoment) {
    test::PanelHarness machine(test::PanelHarness::ThisMachine{});
    ASSERT_FALSE(machine.monitor().stats()->topProcesses.empty());
    test::PanelHarness busy(true);
    busy.monitor().stats().set(test::busyMoment());
    test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
        for (auto [harness, which] : {std::pair{&machine, "machine"}, {&busy, "busy"}}) {
            for (auto [tab, name] : {std::pair{0, "tips"}, {2, "processes"}}) {
                auto view = harness->panel(nullptr, false, tab);
                view->show();
                if (auto* tips = dynamic_cast<TipsTab*>(view->tabContent())) tips->guide().front()->setExpanded(true);
                test::saveSheet(*view, QStringLiteral("%1-%2-%3").arg(name, which, variant), dark, 1500);
            }
        }
    });
}

}  // namespace
}  // namespace corvelle
