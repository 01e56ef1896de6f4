#pragma once

#include <QAbstractButton>

#include <string>

namespace corvelle {

// A column title of the processes tab that sorts the table when clicked; the active column's
// title is followed by a small chevron, pointing up while its order is reversed.
class SortHeader : public QAbstractButton {
public:
    using Title = std::string (*)();

    SortHeader(Title title, Qt::Alignment alignment, QWidget* parent = nullptr);

    // Shows the title in the current language.
    void retranslate();
    void setActive(bool active, bool reversed = false);
    bool isActive() const { return active_; }
    bool isReversed() const { return reversed_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Title title_;
    Qt::Alignment alignment_;
    bool active_ = false;
    bool reversed_ = false;
};

}  // namespace corvelle
