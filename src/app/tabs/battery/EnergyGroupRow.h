#pragma once

#include "present/EnergyGroupRowContent.h"

#include <QWidget>

class QLabel;

namespace corvelle {

class MeterBar;

// One application group in a row: its name (with the process count from two), a bar of its CPU
// against the row's scale, the CPU figure and its energy level in the level's colour.
class EnergyGroupRow : public QWidget {
public:
    explicit EnergyGroupRow(QWidget* parent = nullptr);

    // Updates only what changed.
    void setContent(EnergyGroupRowContent content);
    const EnergyGroupRowContent& content() const { return content_; }
    const MeterBar& bar() const { return *bar_; }

private:
    QLabel* name_;
    QLabel* count_;
    MeterBar* bar_;
    QLabel* cpu_;
    QLabel* level_;
    EnergyGroupRowContent content_;
};

}  // namespace corvelle
