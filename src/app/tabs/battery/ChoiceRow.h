#pragma once

#include "present/BatteryCareContent.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QHBoxLayout;
class QPushButton;

namespace corvelle {

// A row of buttons of which one may be checked, like a segmented control. Choosing one only
// reports it: the checked button follows what setChoices() says, not the click.
class ChoiceRow : public QWidget {
public:
    explicit ChoiceRow(std::function<void(const std::string& key)> onChosen, QWidget* parent = nullptr);

    // Rebuilds the buttons only when the choices' keys or labels changed.
    void setChoices(const std::vector<BatteryCareContent::Choice>& choices);
    const std::vector<QPushButton*>& buttons() const { return buttons_; }

    // The look of a checkable button of the card, in the current theme's colours.
    static QString buttonStyle();

private:
    void rebuild(const std::vector<BatteryCareContent::Choice>& choices);

    std::function<void(const std::string&)> onChosen_;
    QHBoxLayout* row_;
    std::vector<QPushButton*> buttons_;
    std::vector<BatteryCareContent::Choice> choices_;
};

}  // namespace corvelle
