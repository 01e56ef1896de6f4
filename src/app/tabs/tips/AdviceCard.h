#pragma once

#include "util/SystemColor.h"

#include <QWidget>

#include <string>

class QLabel;

namespace corvelle {

// A tip or a fact of the tips tab: a symbol in the card's colour beside a bold title (none for
// a fact) and a text that wraps, on the colour at 8 % opacity, optionally outlined at 20 %.
class AdviceCard : public QWidget {
public:
    explicit AdviceCard(bool outlined, QWidget* parent = nullptr);

    // An empty title hides the title line; the text then reads as body text, else as a caption.
    // Repaints only what changed.
    void setContent(const std::string& symbol, SystemColor color, const std::string& title, const std::string& text);
    QString title() const;
    QString text() const;
    SystemColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool outlined_;
    std::string symbolName_;
    SystemColor color_ = SystemColor::blue;
    QLabel* symbol_;
    QLabel* title_;
    QLabel* text_;
};

}  // namespace corvelle
