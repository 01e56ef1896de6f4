#include "app/tabs/processes/ProcessRowView.h"

#include "app/style/Palette.h"

#include <QFontDatabase>
#include <QPainter>

#include <algorithm>

namespace corvelle {
namespace {

constexpr int verticalInset = 4;
constexpr int barWidth = 50;
constexpr int barHeight = 6;
// Wide enough for the longest level, "Moderate" / "Moderado".
constexpr int levelWidth = 60;

QFont sized(QFont font, double scale, QFont::Weight weight) {
    font.setPointSizeF(QFont().pointSizeF() * scale);
    font.setWeight(weight);
    return font;
}

QFont monospaced(double scale) { return sized(QFontDatabase::systemFont(QFontDatabase::FixedFont), scale, QFont::Normal); }

}  // namespace

ProcessRowView::ProcessRowView(QWidget* parent)
    : QWidget(parent),
      nameFont_(sized(QFont(), 1.0, QFont::Medium)),
      pidFont_(sized(QFont(), 0.85, QFont::Normal)),
      cpuFont_(monospaced(0.95)),
      memoryFont_(monospaced(0.9)),
      levelFont_(sized(QFont(), 0.85, QFont::DemiBold)) {
    setFixedHeight(2 * verticalInset + QFontMetrics(nameFont_).height() + 1 + QFontMetrics(pidFont_).height() + 1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProcessRowView::setProcess(const ProcStats& process) {
    process_ = process;
    auto content = ProcessesContent::row(process);
    if (content == content_) return;
    if (content.name != content_.name) {
        elidedWidth_ = -1;
        setAccessibleName(QString::fromStdString(content.name));
    }
    content_ = std::move(content);
    const auto pid = content_.pid.empty() ? std::string() : content_.pid + ", ";
    setAccessibleDescription(QString::fromStdString(pid + "CPU " + content_.cpu + ", " + content_.memory + ", " +
                                                    content_.energyLabel));
    update();
}

void ProcessRowView::setDividerBelow(bool divider) {
    if (divider == divider_) return;
    divider_ = divider;
    update();
}

void ProcessRowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int body = height() - 1;  // the last line is the divider's
    const int nameWidth = width() - 2 * inset - cpuWidth - memoryWidth - energyWidth - 3 * spacing;
    if (elidedWidth_ != nameWidth) {
        elidedName_ = QFontMetrics(nameFont_).elidedText(QString::fromStdString(content_.name), Qt::ElideMiddle, nameWidth);
        elidedWidth_ = nameWidth;
    }
    int x = inset;
    const int nameHeight = QFontMetrics(nameFont_).height();
    painter.setFont(nameFont_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(x, verticalInset, nameWidth, nameHeight), Qt::AlignLeft | Qt::AlignVCenter, elidedName_);
    painter.setFont(pidFont_);
    painter.setPen(Palette::color(SystemColor::tertiary));
    painter.drawText(QRect(x, verticalInset + nameHeight + 1, nameWidth, body - nameHeight - 1 - 2 * verticalInset),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(content_.pid));
    x += nameWidth + spacing;

    painter.setFont(cpuFont_);
    painter.setPen(Palette::color(content_.cpuColor));
    painter.drawText(QRect(x, 0, cpuWidth, body), Qt::AlignCenter, QString::fromStdString(content_.cpu));
    x += cpuWidth + spacing;

    painter.setFont(memoryFont_);
    painter.setPen(Palette::color(SystemColor::secondary));
    painter.drawText(QRect(x, 0, memoryWidth, body), Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(content_.memory));
    x += memoryWidth + spacing;

    const QRectF bar(x, (body - barHeight) / 2.0, barWidth, barHeight);
    QColor track = Palette::color(SystemColor::primary);
    track.setAlphaF(0.08);
    painter.setPen(Qt::NoPen);
    painter.setBrush(track);
    painter.drawRoundedRect(bar, barHeight / 2.0, barHeight / 2.0);
    const QColor level = Palette::color(content_.energyColor);
    if (content_.energyFraction > 0) {
        painter.setBrush(level);
        painter.drawRoundedRect(QRectF(bar.topLeft(), QSizeF(std::max(content_.energyFraction * barWidth, 1.0 * barHeight), barHeight)),
                                barHeight / 2.0, barHeight / 2.0);
    }
    const int labelX = x + energyWidth - levelWidth;
    painter.setFont(levelFont_);
    painter.setPen(level);
    painter.drawText(QRect(labelX, 0, levelWidth, body), Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(levelFont_).elidedText(QString::fromStdString(content_.energyLabel), Qt::ElideRight, levelWidth));

    if (!divider_) return;
    QColor line = Palette::color(SystemColor::tertiary);
    line.setAlphaF(line.alphaF() * 0.6);
    painter.fillRect(QRect(inset, height() - 1, width() - 2 * inset, 1), line);
}

}  // namespace corvelle
