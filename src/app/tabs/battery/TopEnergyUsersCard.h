#pragma once

#include "app/components/CardFrame.h"
#include "model/AppGroup.h"
#include "present/EnergyGroupRowContent.h"

#include <vector>

class QLabel;

namespace corvelle {

class EnergyGroupRow;
class SectionHeader;

// The busiest application groups, each as an EnergyGroupRow scaled to the first, or a note when
// there are none. Rows are kept and updated in place.
class TopEnergyUsersCard : public CardFrame {
public:
    explicit TopEnergyUsersCard(QWidget* parent = nullptr);

    void refresh(const std::vector<AppGroup>& groups);
    void retranslate();
    const std::vector<EnergyGroupRowContent>& content() const { return content_; }
    // The rows in use.
    std::vector<const EnergyGroupRow*> rows() const;

private:
    SectionHeader* header_;
    QWidget* rowsBox_;
    QLabel* empty_;
    std::vector<EnergyGroupRow*> rows_;
    std::vector<EnergyGroupRowContent> content_;
};

}  // namespace corvelle
