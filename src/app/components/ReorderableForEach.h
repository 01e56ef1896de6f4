#pragma once

#include "present/SectionDropDelegate.h"
#include "settings/AppSettings.h"
#include "util/RawValue.h"

#include <QWidget>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QVBoxLayout;

namespace corvelle {

// A tab's sections in a column, in the given order. While editing, a section can be dragged
// (the drag carries its identity as text) and every section is a drop target: entering one
// moves the dragged section into its place at once (SectionDropDelegate), the section under the
// pointer is outlined and the dragged one dimmed; when the drag ends the new order is handed to
// onReorder. Sections that hide themselves take no room and are not targets.
class ReorderableForEach : public QWidget {
public:
    using Item = std::pair<std::string, QWidget*>;
    using OnReorder = std::function<void(const std::vector<std::string>&)>;

    // Takes ownership of the views.
    ReorderableForEach(std::vector<Item> items, OnReorder onReorder, QWidget* parent = nullptr);

    void setEditing(bool editing);
    bool isEditing() const { return editing_; }
    const std::vector<std::string>& order() const { return delegate_.items(); }
    const SectionDropDelegate& delegate() const { return delegate_; }
    QWidget* view(const std::string& id) const;
    // The section under a point of this widget; empty between and outside sections.
    std::string itemAt(QPoint position) const;

    // The views of a typed order by section identity, and an onReorder that saves the order
    // under a settings key.
    template <typename Section>
    static std::vector<Item> items(const std::vector<Section>& order, const std::function<QWidget*(Section)>& makeView);
    template <typename Section>
    static OnReorder savingTo(AppSettings& settings, std::string key);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void startDrag(const std::string& id);
    void pointerAt(QPoint position);
    void finishDrag();
    void relayout();
    // Dims the dragged section and outlines the hovered one.
    void showDragState();
    void scrollToShow(QPoint position);

    SectionDropDelegate delegate_;
    std::vector<Item> views_;
    OnReorder onReorder_;
    QVBoxLayout* column_;
    bool editing_ = false;
    std::string pressed_;
    QPoint pressPosition_;
    std::string target_;
};

template <typename Section>
std::vector<ReorderableForEach::Item> ReorderableForEach::items(const std::vector<Section>& order,
                                                                const std::function<QWidget*(Section)>& makeView) {
    std::vector<Item> result;
    std::vector<Section> seen;
    for (Section section : order) {
        // A hand-edited settings file may name a section twice: one card each.
        if (std::find(seen.begin(), seen.end(), section) != seen.end()) continue;
        seen.push_back(section);
        result.emplace_back(std::string(toRaw(section)), makeView(section));
    }
    return result;
}

template <typename Section>
ReorderableForEach::OnReorder ReorderableForEach::savingTo(AppSettings& settings, std::string key) {
    return [&settings, key = std::move(key)](const std::vector<std::string>& ids) {
        std::vector<Section> order;
        for (const auto& id : ids) {
            if (auto section = fromRaw<Section>(id)) order.push_back(*section);
        }
        settings.saveOrder(order, key);
    };
}

}  // namespace corvelle
