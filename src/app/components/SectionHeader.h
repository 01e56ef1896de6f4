#pragma once

#include "util/SystemColor.h"

#include <QWidget>

#include <string>

class QLabel;

namespace corvelle {

// The first line of a card: a symbol and a bold title, with an optional caption under the title.
class SectionHeader : public QWidget {
public:
    explicit SectionHeader(std::string symbol, SystemColor symbolColor = SystemColor::secondary,
                           QWidget* parent = nullptr);

    void setSymbol(const std::string& symbol, SystemColor color);
    void setTitle(const std::string& title);
    // Empty: no caption.
    void setSubtitle(const std::string& subtitle);
    QString title() const;

private:
    QLabel* symbol_;
    QLabel* title_;
    QLabel* subtitle_;
};

}  // namespace corvelle
