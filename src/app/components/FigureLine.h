#pragma once

#include "util/SystemColor.h"

#include <QWidget>

#include <string>

class QLabel;

namespace corvelle {

// One line of a card: a small symbol and a name on the left, a figure on the right.
class FigureLine : public QWidget {
public:
    FigureLine(std::string_view symbol, SystemColor symbolColor, QWidget* parent = nullptr);

    void setName(const std::string& name);
    // Sets the text and colour only when they changed.
    void setValue(const std::string& value, SystemColor color = SystemColor::primary);
    QString name() const;
    QString value() const;

private:
    void updateAccessibleName();

    QLabel* name_;
    QLabel* value_;
    SystemColor color_ = SystemColor::primary;
};

}  // namespace corvelle
