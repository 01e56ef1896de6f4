#include "app/views/components/SegmentedPicker.h"

#include "app/views/components/Palette.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

namespace corvelle {
namespace {

QString rgba(QColor color, double alpha) {
    color.setAlphaF(alpha);
    return color.name(QColor::HexArgb);
}

}  // namespace

SegmentedPicker::SegmentedPicker(std::vector<Label> labels, std::function<void(int)> onSelect, QWidget* parent)
    : QFrame(parent), labels_(std::move(labels)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        auto* segment = new QPushButton(this);
        segment->setCheckable(true);
        segment->setAutoExclusive(true);
        segment->setCursor(Qt::PointingHandCursor);
        const int index = static_cast<int>(i);
        connect(segment, &QPushButton::clicked, this, [this, index, onSelect] {
            setSelected(index);
            onSelect(index);
        });
        row->addWidget(segment, 1);
        segments_.push_back(segment);
    }
    setSelected(0);
    retranslate();
    restyle();
}

void SegmentedPicker::setSelected(int index) {
    if (index < 0 || index >= static_cast<int>(segments_.size())) return;
    selected_ = index;
    segments_[static_cast<std::size_t>(index)]->setChecked(true);
}

void SegmentedPicker::retranslate() {
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        const QString label = QString::fromStdString(labels_[i]());
        segments_[i]->setText(label);
        segments_[i]->setAccessibleName(label);
    }
}

void SegmentedPicker::restyle() {
    const QColor accent = Palette::accent();
    const QString sheet = QStringLiteral(
                              "QPushButton { border: 1px solid transparent; border-radius: 5px; padding: 3px 6px;"
                              " background: transparent; color: %1; }"
                              "QPushButton:hover { background: %2; }"
                              "QPushButton:checked { background: %3; color: %4; font-weight: 600; }"
                              "QPushButton:focus { border-color: %5; }")
                              .arg(Palette::color(SystemColor::secondary).name(QColor::HexArgb),
                                   rgba(Palette::color(SystemColor::primary), 0.06), rgba(accent, 0.2),
                                   accent.name(QColor::HexArgb), rgba(accent, 0.6));
    setStyleSheet(sheet);
}

void SegmentedPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor track = Palette::color(SystemColor::primary);
    track.setAlphaF(0.06);
    painter.setPen(Qt::NoPen);
    painter.setBrush(track);
    painter.drawRoundedRect(QRectF(rect()), 7, 7);
}

}  // namespace corvelle
