#pragma once

#include "util/SystemColor.h"

#include <QFrame>

#include <optional>

class QVBoxLayout;

namespace corvelle {

// The container of one card: its content in a column with padding 12 on a rounded rectangle of
// radius 8, filled with a faint neutral shade or with a colour at opacity 0.1.
class CardFrame : public QFrame {
public:
    explicit CardFrame(QWidget* parent = nullptr);

    // The column the card's content goes into.
    QVBoxLayout* column() const { return column_; }
    // None: the neutral shade.
    void setTint(std::optional<SystemColor> tint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* column_;
    std::optional<SystemColor> tint_;
};

}  // namespace corvelle
