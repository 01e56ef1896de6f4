#include "app/components/ReorderableForEach.h"

#include "app/style/Palette.h"
#include "localization/LOverview.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGraphicsOpacityEffect>
#include <QMimeData>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace corvelle {
namespace {

constexpr int spacing = 12;
// Room around each section for the outlines drawn while editing.
constexpr int outline = 4;

std::vector<std::string> identities(const std::vector<ReorderableForEach::Item>& items) {
    std::vector<std::string> ids;
    for (const auto& item : items) ids.push_back(item.first);
    return ids;
}

}  // namespace

ReorderableForEach::ReorderableForEach(std::vector<Item> items, OnReorder onReorder, QWidget* parent)
    : QWidget(parent),
      delegate_(identities(items)),
      views_(std::move(items)),
      onReorder_(std::move(onReorder)),
      column_(new QVBoxLayout(this)) {
    column_->setContentsMargins(outline, outline, outline, outline);
    column_->setSpacing(spacing);
    for (const auto& [id, view] : views_) view->setParent(this);
    relayout();
}

QWidget* ReorderableForEach::view(const std::string& id) const {
    for (const auto& [itemId, view] : views_) {
        if (itemId == id) return view;
    }
    return nullptr;
}

void ReorderableForEach::setEditing(bool editing) {
    editing_ = editing;
    setAcceptDrops(editing);
    const QString hint = editing ? QString::fromStdString(L::dragToReorder()) : QString();
    for (const auto& [id, view] : views_) {
        view->setToolTip(hint);
        view->setAccessibleDescription(hint);
        if (editing) {
            view->setCursor(Qt::OpenHandCursor);
        } else {
            view->unsetCursor();
        }
    }
    if (!editing) finishDrag();
    update();
}

std::string ReorderableForEach::itemAt(QPoint position) const {
    for (const auto& [id, view] : views_) {
        // Half the gap on either side belongs to the section, so that no point between two is dead.
        if (view->isVisible() && view->geometry().adjusted(0, -spacing / 2, 0, spacing / 2).contains(position)) return id;
    }
    return {};
}

void ReorderableForEach::mousePressEvent(QMouseEvent* event) {
    pressed_ = editing_ && event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : std::string();
    pressPosition_ = event->position().toPoint();
    event->setAccepted(!pressed_.empty());
}

void ReorderableForEach::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_.empty() || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->position().toPoint() - pressPosition_).manhattanLength() < QApplication::startDragDistance()) return;
    startDrag(std::exchange(pressed_, std::string()));
}

void ReorderableForEach::startDrag(const std::string& id) {
    delegate_.dragStarted(id);
    showDragState();
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData();
    mime->setText(QString::fromStdString(id));
    drag->setMimeData(mime);
    const QPixmap picture = view(id)->grab();
    drag->setPixmap(picture.scaledToWidth(std::min(picture.width(), 240), Qt::SmoothTransformation));
    drag->exec(Qt::MoveAction);
    // Released outside every section: the order seen while dragging is kept all the same.
    finishDrag();
}

void ReorderableForEach::dragEnterEvent(QDragEnterEvent* event) {
    // Only this list's own sections: a drag from another window's list carries the same names.
    const bool ours = event->source() == nullptr || event->source() == this;
    const std::string id = event->mimeData()->text().toStdString();
    if (!editing_ || !ours || !view(id)) return event->ignore();
    if (!delegate_.draggedItem()) delegate_.dragStarted(id);
    if (delegate_.draggedItem() != id) return event->ignore();
    event->acceptProposedAction();
    showDragState();
    pointerAt(event->position().toPoint());
}

void ReorderableForEach::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
    pointerAt(event->position().toPoint());
    scrollToShow(event->position().toPoint());
}

void ReorderableForEach::dragLeaveEvent(QDragLeaveEvent*) { pointerAt({-1, -1}); }

void ReorderableForEach::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    finishDrag();
}

void ReorderableForEach::pointerAt(QPoint position) {
    const std::string target = itemAt(position);
    if (target == target_) return;
    if (!target_.empty()) delegate_.dropExited(target_);
    target_ = target;
    if (!target.empty() && delegate_.dropEntered(target)) relayout();
    update();
}

void ReorderableForEach::finishDrag() {
    target_.clear();
    const bool reordered = delegate_.dropPerformed();
    showDragState();
    if (reordered && onReorder_) onReorder_(delegate_.items());
}

void ReorderableForEach::relayout() {
    for (const auto& [id, view] : views_) column_->removeWidget(view);
    for (const auto& id : delegate_.items()) column_->addWidget(view(id));
    column_->activate();
}

void ReorderableForEach::showDragState() {
    for (const auto& [id, view] : views_) {
        const bool dimmed = delegate_.draggedItem() == id;
        if (dimmed && !view->graphicsEffect()) {
            auto* effect = new QGraphicsOpacityEffect(view);
            effect->setOpacity(0.4);
            view->setGraphicsEffect(effect);
        } else if (!dimmed && view->graphicsEffect()) {
            view->setGraphicsEffect(nullptr);
        }
    }
    update();
}

void ReorderableForEach::scrollToShow(QPoint position) {
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
            const QPoint inContent = mapTo(area->widget(), position);
            area->ensureVisible(inContent.x(), inContent.y(), 0, 48);
            return;
        }
    }
}

void ReorderableForEach::paintEvent(QPaintEvent*) {
    if (!editing_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const auto& [id, view] : views_) {
        if (!view->isVisible()) continue;
        const bool hovered = delegate_.hoveredItem() == id;
        painter.setPen(hovered ? QPen(Palette::accent(), 2) : QPen(Palette::color(SystemColor::tertiary), 1, Qt::DashLine));
        painter.drawRoundedRect(QRectF(view->geometry()).adjusted(-2.5, -2.5, 2.5, 2.5), 10, 10);
    }
}

}  // namespace corvelle
