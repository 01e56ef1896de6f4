#pragma once

#include "app/tabs/PanelTab.h"

#include <string>

class QLabel;

namespace corvelle {

// A tab that shows only a text: the name of a tab not written yet, or "Unknown tab".
class PlaceholderTab : public PanelTab {
public:
    using Text = std::string (*)();

    explicit PlaceholderTab(Text text, QWidget* parent = nullptr);

    void refresh() override {}
    void retranslate() override;
    QString text() const;

private:
    Text text_;
    QLabel* label_;
};

}  // namespace corvelle
