#pragma once

#include "util/SystemColor.h"

#include <QAbstractButton>

#include <string>

class QLabel;

namespace corvelle {

// A full-width row that opens and closes something below it: a leading symbol, a text that
// wraps, an optional trailing text and a chevron pointing right (closed) or down (open).
class DisclosureRow : public QAbstractButton {
public:
    explicit DisclosureRow(QWidget* parent = nullptr);

    void setLeading(const std::string& symbol, SystemColor color);
    void setLabel(const std::string& text);
    void setTrailing(const std::string& text, SystemColor color);
    void setOpen(bool open);
    bool isOpen() const { return open_; }
    QString label() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* leading_;
    QLabel* text_;
    QLabel* trailing_;
    QLabel* chevron_;
    bool open_ = false;
};

}  // namespace corvelle
