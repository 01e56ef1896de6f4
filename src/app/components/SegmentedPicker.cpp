#include "app/components/SegmentedPicker.h"

#include "app/style/Palette.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace corvelle {
namespace {

QString css(QColor color, qreal alpha) {
    color.setAlphaF(alpha);
    return color.name(QColor::HexArgb);
}

}  // namespace

SegmentedPicker::SegmentedPicker(std::function<void(int)> onSelect, QWidget* parent)
    : QFrame(parent), onSelect_(std::move(onSelect)) {
    const bool dark = Palette::isDark();
    const QColor primary = Palette::color(SystemColor::primary);
    setObjectName(QStringLiteral("segmentedPicker"));
    setStyleSheet(QStringLiteral("#segmentedPicker { background: %1; border-radius: 7px; }"
                                 "QPushButton { border: none; border-radius: 5px; padding: 3px 10px; color: %2; }"
                                 "QPushButton:checked { background: %3; }"
                                 "QPushButton:focus { border: 1px solid %4; }")
                      .arg(css(primary, dark ? 0.1 : 0.07), primary.name(QColor::HexArgb),
                           dark ? css(Qt::white, 0.2) : QStringLiteral("#ffffff"), Palette::accent().name()));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
}

void SegmentedPicker::setLabels(const std::vector<std::string>& labels) {
    for (size_t i = segments_.size(); i < labels.size(); ++i) {
        auto* segment = new QPushButton(this);
        segment->setCheckable(true);
        segment->setCursor(Qt::PointingHandCursor);
        const int index = static_cast<int>(i);
        QObject::connect(segment, &QPushButton::clicked, this, [this, index] {
            setSelected(index);
            if (onSelect_) onSelect_(index);
        });
        layout()->addWidget(segment);
        segments_.push_back(segment);
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        segments_[i]->setText(QString::fromStdString(labels[i]));
        segments_[i]->setAccessibleName(segments_[i]->text());
    }
    setSelected(selected_);
}

void SegmentedPicker::setSelected(int index) {
    selected_ = index;
    for (size_t i = 0; i < segments_.size(); ++i) segments_[i]->setChecked(static_cast<int>(i) == index);
}

}  // namespace corvelle
