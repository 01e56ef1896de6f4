#pragma once

#include <QAbstractButton>

#include <functional>
#include <string>

namespace corvelle {

// A small square icon button of the panel header and the tab selector: the symbol in a 28 x 28
// frame; accent-coloured on an accent tint while active, brighter on a faint tint while
// hovered. The label, read afresh by retranslate(), is its tooltip and accessibility name.
class HeaderIconButton : public QAbstractButton {
public:
    using Label = std::function<std::string()>;

    HeaderIconButton(std::string symbol, Label label, std::function<void()> action, QWidget* parent = nullptr);

    void setSymbol(std::string symbol);
    const std::string& symbol() const { return symbol_; }
    // Shows the label in the current language.
    void retranslate();
    void setActive(bool active);
    bool isActive() const { return active_; }

    QSize sizeHint() const override { return {28, 28}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::string symbol_;
    Label label_;
    bool active_ = false;
    bool hovering_ = false;
};

}  // namespace corvelle
