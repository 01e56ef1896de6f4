#pragma once

#include "app/tabs/PanelTab.h"
#include "present/TipsContent.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace corvelle {

class AdviceCard;
class CardFrame;
class LearnMoreView;

// The panel's first page: the live tips (or a green "All good!" card), three facts about this
// machine (or a note that there are none yet) and the quick guide of explainers. Each refresh
// runs the tips and facts engines once on the monitor's current values; cards are reused.
class TipsTab : public PanelTab {
public:
    explicit TipsTab(const TabContext& context, QWidget* parent = nullptr);

    void refresh() override;
    void retranslate() override;

    const TipsContent::Content& content() const { return content_; }
    // The cards shown for the tips; the "All good!" card shows when there are none.
    std::vector<AdviceCard*> tipCards() const;
    CardFrame* allGoodCard() const { return allGood_; }
    // The rows shown for the facts; the learning message shows when there are none.
    std::vector<AdviceCard*> factRows() const;
    QLabel* learningMessage() const { return learning_; }
    const std::vector<LearnMoreView*>& guide() const { return guide_; }

private:
    // A section's title beside its symbol.
    void addHeading(QVBoxLayout* column, const char* symbol, SystemColor color, std::string (*text)());
    // Fills the first `count` cards (creating any missing at the end of `column`) and hides the rest.
    void showCards(std::vector<AdviceCard*>& cards, QVBoxLayout* column, bool outlined, std::size_t count,
                   const std::function<void(AdviceCard*, std::size_t)>& fill);
    // Texts set by retranslate, with the functions that give them.
    void addText(QLabel* label, std::string (*text)());

    SystemMonitor& monitor_;
    PowerProfiles* powerProfiles_;
    bool chargeLimit_;  // whether the battery takes a limit does not change while the app runs
    TipsContent::Content content_;
    QVBoxLayout* tipColumn_;
    CardFrame* allGood_;
    std::vector<AdviceCard*> tips_;
    QVBoxLayout* factColumn_;
    QLabel* learning_;
    std::vector<AdviceCard*> facts_;
    std::vector<std::pair<QLabel*, std::string (*)()>> texts_;
    std::vector<LearnMoreView*> guide_;
};

}  // namespace corvelle
