#include "app/tabs/battery/ChoiceRow.h"

#include "app/style/Palette.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace corvelle {

ChoiceRow::ChoiceRow(std::function<void(const std::string&)> onChosen, QWidget* parent)
    : QWidget(parent), onChosen_(std::move(onChosen)), row_(new QHBoxLayout(this)) {
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(6);
}

void ChoiceRow::setChoices(const std::vector<BatteryCareContent::Choice>& choices) {
    const bool sameButtons = std::equal(choices.begin(), choices.end(), choices_.begin(), choices_.end(),
                                        [](const auto& a, const auto& b) { return a.key == b.key && a.label == b.label; });
    if (!sameButtons) rebuild(choices);
    for (std::size_t i = 0; i < choices.size(); ++i) buttons_[i]->setChecked(choices[i].checked);
    choices_ = choices;
}

void ChoiceRow::rebuild(const std::vector<BatteryCareContent::Choice>& choices) {
    while (QLayoutItem* item = row_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    buttons_.clear();
    for (const auto& choice : choices) {
        auto* button = new QPushButton(QString::fromStdString(choice.label), this);
        button->setCheckable(true);
        button->setAccessibleName(button->text());
        button->setStyleSheet(buttonStyle());
        button->setCursor(Qt::PointingHandCursor);
        // A click asks for the choice; until it is made, the button shows the state as it is.
        connect(button, &QPushButton::clicked, this, [this, button, key = choice.key] {
            const auto index = std::find(buttons_.begin(), buttons_.end(), button) - buttons_.begin();
            button->setChecked(choices_[static_cast<std::size_t>(index)].checked);
            onChosen_(key);
        });
        row_->addWidget(button);
        buttons_.push_back(button);
    }
    row_->addStretch(1);
}

QString ChoiceRow::buttonStyle() {
    const QString accent = Palette::accent().name();
    const QString text = Palette::color(SystemColor::primary).name(QColor::HexArgb);
    const QString dim = Palette::color(SystemColor::tertiary).name(QColor::HexArgb);
    return QStringLiteral("QPushButton { border: 1px solid %3; border-radius: 6px; padding: 4px 10px;"
                          " background: transparent; color: %2; }"
                          "QPushButton:focus { border-color: %1; }"
                          "QPushButton:checked { background: %1; border-color: %1; color: white; }"
                          "QPushButton:disabled:!checked { color: %3; }")
        .arg(accent, text, dim);
}

}  // namespace corvelle
