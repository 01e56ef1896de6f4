#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace corvelle {

// One group of a settings-style form: a small title above a rounded card whose rows hold a
// label on the left and a control on the right.
class FormSection : public QWidget {
public:
    explicit FormSection(QWidget* parent = nullptr);

    QLabel* title() const { return title_; }
    // A row of `label` (may be null: the control fills the row) and `control`; returned so
    // the owner can hide it.
    QWidget* addRow(QWidget* label, QWidget* control);

private:
    QLabel* title_;
    QVBoxLayout* rows_;
};

}  // namespace corvelle
