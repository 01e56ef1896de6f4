#pragma once

#include "app/components/CardFrame.h"
#include "present/OverviewContent.h"
#include "present/OverviewState.h"

#include <optional>
#include <utility>
#include <vector>

class QLabel;

namespace corvelle {

class SectionHeader;

// The usage profile with its runner-up and three badges, only while the monitor has one.
class ProfileCard : public CardFrame {
public:
    explicit ProfileCard(QWidget* parent = nullptr);

    void refresh(const OverviewState& state);
    // Every text comes with the content, which changes with the language.
    void retranslate() {}
    const std::optional<OverviewContent::Profile>& content() const { return content_; }

private:
    SectionHeader* header_;
    QLabel* description_;
    QLabel* runnerUp_;
    // Label and value of each badge.
    std::vector<std::pair<QLabel*, QLabel*>> badges_;
    std::optional<OverviewContent::Profile> content_;
};

}  // namespace corvelle
