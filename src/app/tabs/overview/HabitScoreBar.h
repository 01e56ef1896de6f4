#pragma once

#include "model/HabitScore.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace corvelle {

class DisclosureRow;
class MeterBar;

// The habit score: the overall score out of 100 as a bar with the grade, coloured by
// ChartRules::habitScoreColor, and one row per sub-score with its points and rating, marked by
// ChartRules::subScoreMark. Clicking a row opens its advice (L::subScoreReason) and closes any
// other; clicking it again closes it.
class HabitScoreBar : public QWidget {
public:
    explicit HabitScoreBar(QWidget* parent = nullptr);

    // Rebuilds the texts only when the score changed or force is set (a new language).
    void setScore(const HabitScore& score, bool force = false);
    // The fixed English label of the open row, if any.
    const std::optional<std::string>& expandedLabel() const { return expandedLabel_; }
    void toggle(const std::string& label);
    const std::vector<DisclosureRow*>& rows() const { return rows_; }

private:
    void showExpanded();

    HabitScore score_;
    bool hasScore_ = false;
    std::optional<std::string> expandedLabel_;
    MeterBar* bar_;
    QLabel* points_;
    QLabel* grade_;
    std::vector<DisclosureRow*> rows_;
    std::vector<QLabel*> reasons_;
};

}  // namespace corvelle
